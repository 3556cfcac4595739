#pragma once

#include "store/Reminders.h"
#include "store/Settings.h"

#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"

#include <QList>
#include <QPointer>

namespace ui {
class Switch;
class Slider;
class Label;
class BarButtonItem;
} // namespace ui

// Which of the alarms of the alarm table notify (the azans, then the
// reminders), and how many minutes ahead the reminders come; below them,
// the user's own reminders.
class SettingController : public ui::ViewController, public ui::TableViewDataSource, public ui::TableViewDelegate {
public:
    SettingController();

    void viewDidLoad() override;
    bool hasUnsavedChanges() const override;
    bool saveChanges() override;
    void discardChanges() override;
    void valueChanged(ui::Switch* sender);
    void sliderChanged(ui::Slider* sender);
    void save();

    int numberOfSectionsInTableView(ui::TableView* table) override;
    int numberOfRowsInSection(ui::TableView* table, int section) override;
    ui::TableViewCell* cellForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
    double heightForHeaderInSection(ui::TableView* table, int section) override;
    double heightForFooterInSection(ui::TableView* table, int section) override;
    void didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
    // The form of a reminder of the user's own (a new one for id 0).
    void openReminder(const reminders::TimeReminder& reminder);
    const QList<reminders::TimeReminder>& ownReminders() const { return own_; }

    QList<int> notifications() const { return notifications_; }
    QList<int> difArray() const { return difArray_; }
    ui::TableView* tbl() const { return tbl_; }
    ui::BarButtonItem* saveButton() const;

    static constexpr int kSettings = Settings::kAlarms;
    static constexpr int kAzans = Settings::kAzans;
    // The section of the user's own reminders: after the azans' section
    // and one section for each reminder of the table.
    static constexpr int kOwnSection = 1 + Settings::kReminders;
    // Whether the stored settings could not be read: Save stays off.
    bool readFailed() const { return readFailed_; }

private:
    void load();
    // A change on the screen: Save comes on, if what it would save over was read.
    void edited();

    QList<int> notifications_;
    QList<int> difArray_;
    ui::TableView* tbl_ = nullptr;
    QList<QPointer<ui::Label>> minuteLabels_;
    QList<reminders::TimeReminder> own_;
    bool readFailed_ = false;
};

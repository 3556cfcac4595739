#pragma once

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

// Which of the three azans and three reminders notify, and how many minutes
// ahead the reminders come.
class SettingController : public ui::ViewController, public ui::TableViewDataSource, public ui::TableViewDelegate {
public:
    SettingController();

    void viewDidLoad() override;
    void valueChanged(ui::Switch* sender);
    void sliderChanged(ui::Slider* sender);
    void save();

    int numberOfSectionsInTableView(ui::TableView* table) override;
    int numberOfRowsInSection(ui::TableView* table, int section) override;
    ui::TableViewCell* cellForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
    double heightForHeaderInSection(ui::TableView* table, int section) override;
    double heightForFooterInSection(ui::TableView* table, int section) override;

    QList<int> notifications() const { return notifications_; }
    QList<int> difArray() const { return difArray_; }
    ui::TableView* tbl() const { return tbl_; }
    ui::BarButtonItem* saveButton() const;

    static constexpr int kSettings = Settings::kAlarms;
    static constexpr int kAzans = Settings::kAzans;

private:
    void load();

    QList<int> notifications_;
    QList<int> difArray_;
    ui::TableView* tbl_ = nullptr;
    QList<QPointer<ui::Label>> minuteLabels_;
};

#pragma once

#include "calendar/ClockTime.h"

#include "platform/ui/TableView.h"
#include "platform/ui/TableViewDelegate.h"
#include "platform/ui/ViewController.h"

namespace ui {
class DatePicker;
class Label;
class Switch;
class BarButtonItem;
} // namespace ui

// The daily notice of the calendar's events: on or off, and its clock time;
// and the ways to the kinds of occasions shown and to the lunar months as
// announced (screens of their own).
class HistoryViewController : public ui::ViewController, public ui::TableViewDataSource, public ui::TableViewDelegate {
public:
    HistoryViewController();

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    bool hasUnsavedChanges() const override;
    bool saveChanges() override;
    void discardChanges() override;

    void valueChanged(ui::Switch* sender);
    void pickerValueChanged(ui::DatePicker* sender);
    void save();
    // The screens of the second table's rows.
    void openKinds();
    void openHijriMonths();

    int numberOfRowsInSection(ui::TableView* table, int section) override;
    ui::TableViewCell* cellForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
    void didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;

    ui::DatePicker* picker() const { return picker_; }
    QString selectedDate() const { return selectedDate_; }
    QString currentDate() const { return currentDate_; }
    ui::TableView* tbl() const { return tbl_; }
    ui::TableView* moreTable() const { return more_; }
    ui::BarButtonItem* saveButton() const;
    // Whether the stored settings could not be read: Save stays off.
    bool readFailed() const { return readFailed_; }

    static constexpr int kFadeMs = 500;

private:
    void load();
    void enableSave();
    ClockTime pickerTime() const;

    ui::DatePicker* picker_ = nullptr;
    ui::TableView* tbl_ = nullptr;
    QString selectedDate_;
    QString currentDate_;
    ui::TableView* more_ = nullptr;
    ui::Label* said_ = nullptr;
    bool readFailed_ = false;
};

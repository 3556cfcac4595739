#pragma once

#include "calendar/ClockTime.h"

#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"

namespace ui {
class DatePicker;
class Switch;
class BarButtonItem;
} // namespace ui

// The daily notice of the calendar's events: on or off, and its clock time.
class HistoryViewController : public ui::ViewController, public ui::TableViewDataSource {
public:
    HistoryViewController();

    void viewDidLoad() override;
    void valueChanged(ui::Switch* sender);
    void pickerValueChanged(ui::DatePicker* sender);
    void save();

    int numberOfRowsInSection(ui::TableView* table, int section) override;
    ui::TableViewCell* cellForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;

    ui::DatePicker* picker() const { return picker_; }
    QString selectedDate() const { return selectedDate_; }
    QString currentDate() const { return currentDate_; }
    ui::TableView* tbl() const { return tbl_; }
    ui::BarButtonItem* saveButton() const;

    static constexpr int kFadeMs = 500;

private:
    void load();
    ClockTime pickerTime() const;

    ui::DatePicker* picker_ = nullptr;
    ui::TableView* tbl_ = nullptr;
    QString selectedDate_;
    QString currentDate_;
};

#pragma once

#include "calendar/ClockTime.h"
#include "calendar/LunarCalendar.h"

#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"

namespace ui {
class DatePicker;
class Label;
class SegmentedControl;
class Switch;
class BarButtonItem;
} // namespace ui

// The daily notice of the calendar's events: on or off, and its clock time;
// and the lunar month in progress, a day either way of its prediction, as
// announced.
class HistoryViewController : public ui::ViewController, public ui::TableViewDataSource {
public:
    HistoryViewController();

    void viewDidLoad() override;
    void valueChanged(ui::Switch* sender);
    void pickerValueChanged(ui::DatePicker* sender);
    void hijriChanged();
    void save();

    int numberOfRowsInSection(ui::TableView* table, int section) override;
    ui::TableViewCell* cellForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;

    ui::DatePicker* picker() const { return picker_; }
    QString selectedDate() const { return selectedDate_; }
    QString currentDate() const { return currentDate_; }
    ui::TableView* tbl() const { return tbl_; }
    ui::SegmentedControl* hijriControl() const { return hijri_; }
    ui::Label* hijriToday() const { return hijriToday_; }
    // The correction as chosen, and as stored: -1, 0, +1 days.
    int hijriCorrection() const { return correction_; }

    // The segments, from the right.
    static constexpr int kCorrections[3] = {-1, 0, 1};
    ui::BarButtonItem* saveButton() const;

    static constexpr int kFadeMs = 500;

private:
    void load();
    void addHijriPanel();
    void showHijri();
    void enableSave();
    ClockTime pickerTime() const;

    ui::DatePicker* picker_ = nullptr;
    ui::TableView* tbl_ = nullptr;
    QString selectedDate_;
    QString currentDate_;
    ui::SegmentedControl* hijri_ = nullptr;
    ui::Label* hijriToday_ = nullptr;
    HijriDate month_;
    int storedCorrection_ = 0;
    int correction_ = 0;
};

#pragma once

#include "calendar/LunarCalendar.h"

#include "platform/ui/TableView.h"
#include "platform/ui/TableViewDelegate.h"
#include "platform/ui/ViewController.h"

#include <QList>

#include <functional>

namespace ui {
class BarButtonItem;
class Label;
class SegmentedControl;
} // namespace ui

// The lunar months of this Hijri year and the last, each as it begins now
// (observed, by the official calendar, predicted, or as the user said),
// and a day either way for the one chosen, for a month announced
// otherwise than printed. The months after it follow it. Kept with Save.
class HijriMonthsController : public ui::ViewController, public ui::TableViewDataSource, public ui::TableViewDelegate {
public:
    HijriMonthsController();

    void viewDidLoad() override;
    bool hasUnsavedChanges() const override;
    bool saveChanges() override;
    void discardChanges() override;

    void setChanged(std::function<void()> changed) { changed_ = std::move(changed); }

    // Chooses the month of the list to correct.
    void choose(int row);
    // -1, 0 or +1 days for the month chosen.
    void setCorrection(int correction);
    bool save();

    const HijriDate& month() const { return month_; }
    int correction() const { return correction_; }
    const QList<HijriDate>& months() const { return months_; }
    ui::SegmentedControl* correctionControl() const { return control_; }
    ui::Label* monthLabel() const { return title_; }
    ui::Label* todayLabel() const { return today_; }
    ui::TableView* tbl() const { return tbl_; }
    ui::BarButtonItem* saveButton() const;

    // The segments, from the right.
    static constexpr int kCorrections[3] = {-1, 0, 1};

    int numberOfRowsInSection(ui::TableView* table, int section) override;
    ui::TableViewCell* cellForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
    void didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;

private:
    void show();

    QList<HijriDate> months_;
    HijriDate month_;
    int stored_ = 0;
    int correction_ = 0;
    ui::Label* title_ = nullptr;
    ui::SegmentedControl* control_ = nullptr;
    ui::Label* today_ = nullptr;
    ui::TableView* tbl_ = nullptr;
    std::function<void()> changed_;
};

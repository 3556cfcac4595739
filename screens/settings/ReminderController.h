#pragma once

#include "platform/ui/ViewController.h"
#include "store/Reminders.h"

#include <QList>

#include <functional>

namespace ui {
class Button;
class Label;
class SegmentedControl;
class Slider;
class Switch;
} // namespace ui

// One reminder of the user's own, before, at or after one of the day's
// times: which time, how many minutes, on which weekdays, and whether only
// in Ramadan. A new one, or one to change or remove.
class ReminderController : public ui::ViewController {
public:
    explicit ReminderController(const reminders::TimeReminder& reminder);

    void viewDidLoad() override;
    // Changed from what it was opened with; discarding closes the form.
    bool hasUnsavedChanges() const override;
    bool saveChanges() override;
    void discardChanges() override;


    // Told once the reminder is stored or removed.
    void setChanged(std::function<void()> changed) { changed_ = std::move(changed); }

    const reminders::TimeReminder& reminder() const { return edited_; }
    // Stores it and goes back; false when it was not stored.
    bool save();
    bool remove();

    void setTime(int index);
    // -1 before, 0 at, 1 after.
    void setSide(int side);
    void setMinutes(int minutes);
    void toggleWeekday(int dayOfWeek);
    void setRamadanOnly(bool only);

    ui::SegmentedControl* timeControl() const { return time_; }
    ui::SegmentedControl* sideControl() const { return side_; }
    ui::Slider* minutesSlider() const { return minutes_; }
    ui::Label* summary() const { return summary_; }
    QList<ui::Button*> weekdayButtons() const { return weekdays_; }

private:
    void show();
    // After a change is stored: the notifications follow it, the list is
    // told, and the form goes.
    void done();

    const reminders::TimeReminder opened_;
    reminders::TimeReminder edited_;
    int side_value_ = -1;
    int amount_ = 20;
    ui::SegmentedControl* time_ = nullptr;
    ui::SegmentedControl* side_ = nullptr;
    ui::Slider* minutes_ = nullptr;
    ui::Label* minutesLabel_ = nullptr;
    ui::Label* summary_ = nullptr;
    ui::Switch* ramadan_ = nullptr;
    QList<ui::Button*> weekdays_;
    std::function<void()> changed_;
    bool closing_ = false;
};

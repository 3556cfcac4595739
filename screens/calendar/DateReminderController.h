#pragma once

#include "calendar/SolarDate.h"
#include "platform/ui/TextFieldDelegate.h"
#include "platform/ui/ViewController.h"
#include "store/Reminders.h"

#include <functional>

namespace ui {
class Button;
class Label;
class SegmentedControl;
class TextField;
} // namespace ui

// A reminder of the user's own on a day of the calendar: once, every year
// on its Persian date, every month on its day, or every year on its lunar
// date; with a text and a time of day. Made new, or one of the user's
// changed: the form filled in, stored in its place.
class DateReminderController : public ui::ViewController, public ui::TextFieldDelegate {
public:
    // `time` is where the time of day starts: the events notice's, or 08:00.
    DateReminderController(const SolarDate& day, const ClockTime& time);
    // `reminder` changed, from a day it comes on: its date stays while its
    // repetition does, else it is `day`'s.
    DateReminderController(const SolarDate& day, const reminders::DateReminder& reminder);

    void viewDidLoad() override;
    // A text written and not stored; discarding closes the form.
    bool hasUnsavedChanges() const override;
    bool saveChanges() override;
    void discardChanges() override;

    bool accessibilityPerformEscape() override;
    void textFieldDidChange(ui::TextField* field) override;
    bool textFieldShouldReturn(ui::TextField* field) override;

    // Told once the reminder is stored.
    void setSaved(std::function<void()> saved) { saved_ = std::move(saved); }

    // The reminder the form holds now; nothing while its text or time is
    // not one.
    std::optional<reminders::DateReminder> reminder() const;
    // Stores it and closes; false (and says why on the form) when it is not
    // one or could not be stored.
    bool save();

    ui::SegmentedControl* repeat() const { return repeat_; }
    ui::TextField* textField() const { return text_; }
    ui::TextField* timeField() const { return time_; }
    ui::Label* summary() const { return summary_; }
    ui::Button* saveButton() const { return save_; }

private:
    void showSummary();

    SolarDate day_;
    ClockTime startTime_;
    std::optional<reminders::DateReminder> existing_;
    ui::SegmentedControl* repeat_ = nullptr;
    ui::TextField* text_ = nullptr;
    ui::TextField* time_ = nullptr;
    ui::Label* summary_ = nullptr;
    ui::Button* save_ = nullptr;
    std::function<void()> saved_;
    int saved_id_ = 0;
    bool closing_ = false;
};

#pragma once

#include "calendar/CalendarSystem.h"
#include "calendar/SolarDate.h"
#include "platform/ui/TextFieldDelegate.h"
#include "platform/ui/ViewController.h"

#include <QDate>

#include <functional>

namespace ui {
class Button;
class Label;
class SegmentedControl;
class TextField;
} // namespace ui

// "تبدیل تاریخ": a date typed (or stepped a day at a time) in any of the
// three calendars, shown in all three with its weekday and its occasions;
// and how far a second date lies from it. Any year converts; the lunar
// date says where it comes from (HijriDates).
class ConverterController : public ui::ViewController, public ui::TextFieldDelegate {
public:
    // Starts on `day`.
    explicit ConverterController(const QDate& day);

    // Told the day to show in the month calendar ("نمایش در تقویم").
    void setOpenDay(std::function<void(const SolarDate&)> open) { openDay_ = std::move(open); }

    void viewDidLoad() override;
    bool accessibilityPerformEscape() override;
    void textFieldDidChange(ui::TextField* field) override;

    // The calendar the dates are typed in: writes both fields anew in it.
    void setKind(CalendarSystem::Kind kind);
    CalendarSystem::Kind kind() const { return kind_; }
    // The day the first field holds; invalid while it holds none.
    QDate day() const { return day_; }
    // One day on (+1) or back (-1).
    void step(int days);

    ui::SegmentedControl* kindControl() const { return kinds_; }
    ui::TextField* dateField() const { return date_; }
    ui::TextField* otherField() const { return other_; }
    // Why the first date is not one, or empty.
    ui::Label* message() const { return message_; }
    ui::Label* solarLine() const { return solar_; }
    ui::Label* gregorianLine() const { return gregorian_; }
    ui::Label* hijriLine() const { return hijri_; }
    ui::Label* occasions() const { return occasions_; }
    ui::Label* span() const { return span_; }
    ui::Button* openButton() const { return open_; }

private:
    // The calendar the dates are written in, and the second date rewritten
    // in it; the first is left as it is.
    void turnTo(CalendarSystem::Kind kind);
    void showDay();
    void showSpan();

    QDate day_;
    CalendarSystem::Kind kind_ = CalendarSystem::Kind::Solar;
    std::function<void(const SolarDate&)> openDay_;
    ui::SegmentedControl* kinds_ = nullptr;
    ui::TextField* date_ = nullptr;
    ui::TextField* other_ = nullptr;
    ui::Label* message_ = nullptr;
    ui::Label* solar_ = nullptr;
    ui::Label* gregorian_ = nullptr;
    ui::Label* hijri_ = nullptr;
    ui::Label* source_ = nullptr;
    ui::Label* occasions_ = nullptr;
    ui::Label* span_ = nullptr;
    ui::Button* open_ = nullptr;
};

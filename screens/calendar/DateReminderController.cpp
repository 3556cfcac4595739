#include "DateReminderController.h"

#include "BarButton.h"

#include "calendar/DateTexts.h"
#include "calendar/LunarCalendar.h"
#include "calendar/PersianCalendar.h"
#include "calendar/Utility.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/Digits.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/SegmentedControl.h"
#include "platform/ui/Style.h"
#include "platform/ui/TextField.h"

namespace {



ui::Label* caption(ui::View& parent, const QString& text, const QRect& frame)
{
    auto* label = &parent.add<ui::Label>(frame);
    label->setText(text);
    label->setTextColor(QColor(220, 226, 240));
    label->setTextFont(ui::font(QStringLiteral("Helvetica-Bold"), 14));
    label->setTextAlignment(ui::TextAlignment::Right);
    return label;
}

// A reminder of once whose moment has gone: it would never come.
bool hasPassed(const reminders::DateReminder& r)
{
    if (r.repeat != reminders::DateReminder::Repeat::Once)
        return false;
    const QDate day = PersianCalendar::toGregorian({r.year, r.month, r.day});
    return foundation::Clock::at(day, QTime(r.time.hour, r.time.minute)) <= foundation::Clock::now();
}

// A field as a white box on the dark screen.
void field(ui::TextField& f)
{
    f.setBackgroundColor(Qt::white);
    f.setTextColor(Qt::black);
    f.setCornerRadius(6);
}

} // namespace

DateReminderController::DateReminderController(const SolarDate& day, const ClockTime& time)
    : day_(day), startTime_(time)
{
}

DateReminderController::DateReminderController(const SolarDate& day, const reminders::DateReminder& reminder)
    : day_(day), startTime_(reminder.time), existing_(reminder)
{
}

void DateReminderController::viewDidLoad()
{
    ui::View* screen = view();
    screen->setBackgroundColor(QColor(16, 30, 56));
    screen->setAccessibleName(QStringLiteral("یادآوری"));

    auto* bar = &screen->add<ui::View>(QRect(0, 0, 320, 44));
    bar->setBackgroundColor(QColor(10, 18, 36));
    auto* title = &bar->add<ui::Label>(QRect(84, 0, 152, 44));
    title->setText(existing_ ? QStringLiteral("تغییر یادآوری") : Utility::ConvertToPersian(QStringLiteral("یادآوری ") + DateTexts::solarDay(day_)));
    title->setTextColor(Qt::white);
    title->setTextFont(ui::font(QStringLiteral("Helvetica-Bold"), 17));
    title->setAdjustsFontSizeToFitWidth(true);
    title->setTextAlignment(ui::TextAlignment::Center);
    auto* cancel = addBarButton(*bar, QStringLiteral("انصراف"), QRect(236, 7, 78, 30));
    cancel->addAction(ui::ControlEvent::TouchUpInside, [this] { dismissViewController(true); });
    save_ = addBarButton(*bar, QStringLiteral("ذخیره"), QRect(6, 7, 78, 30));
    save_->setBackgroundColor(QColor(40, 100, 220));
    save_->addAction(ui::ControlEvent::TouchUpInside, [this] { save(); });

    caption(*screen, QStringLiteral("تکرار"), QRect(10, 54, 300, 20));
    repeat_ = &screen->add<ui::SegmentedControl>(
        QStringList{QStringLiteral("یک بار"), QStringLiteral("هر سال"), QStringLiteral("هر ماه"), QStringLiteral("هر سال قمری")}, QRect(10, 78, 300, 34));
    repeat_->setSelectedSegmentIndex(existing_ ? static_cast<int>(existing_->repeat) : 1);
    repeat_->setAccessibleName(QStringLiteral("تکرار یادآوری"));
    repeat_->addAction(ui::ControlEvent::ValueChanged, [this] { showSummary(); });

    caption(*screen, QStringLiteral("متن"), QRect(10, 122, 300, 20));
    text_ = &screen->add<ui::TextField>(QRect(10, 146, 300, 34));
    text_->setPlaceholder(QStringLiteral("مثلاً تولد مریم"));
    text_->setMaxLength(reminders::kMaxText);
    field(*text_);
    text_->setAccessibleName(QStringLiteral("متن یادآوری"));
    if (existing_)
        text_->setText(existing_->text);
    text_->setDelegate(this);

    caption(*screen, QStringLiteral("ساعت"), QRect(10, 190, 300, 20));
    time_ = &screen->add<ui::TextField>(QRect(210, 214, 100, 34));
    time_->setText(Utility::ConvertToPersian(startTime_.padded()));
    time_->setMaxLength(5);
    time_->setSelectsAllOnFocus(true);
    field(*time_);
    time_->setAccessibleName(QStringLiteral("ساعت یادآوری، ساعت و دقیقه"));
    time_->setDelegate(this);

    summary_ = &screen->add<ui::Label>(QRect(10, 262, 300, 60));
    summary_->setTextColor(QColor(220, 226, 240));
    summary_->setTextFont(ui::font(QStringLiteral("Helvetica"), 14));
    summary_->setTextAlignment(ui::TextAlignment::Right);
    summary_->setNumberOfLines(3);
    showSummary();
    text_->becomeFirstResponder();
}

bool DateReminderController::accessibilityPerformEscape()
{
    dismissViewController(true);
    return true;
}

void DateReminderController::textFieldDidChange(ui::TextField*)
{
    showSummary();
}

bool DateReminderController::textFieldShouldReturn(ui::TextField*)
{
    save();
    return false;
}

std::optional<reminders::DateReminder> DateReminderController::reminder() const
{
    using Repeat = reminders::DateReminder::Repeat;
    reminders::DateReminder r;
    r.repeat = static_cast<Repeat>(repeat_ ? repeat_->selectedSegmentIndex() : 1);
    r.year = day_.year;
    r.month = day_.month;
    r.day = day_.day;
    if (existing_) {
        r.id = existing_->id;
        // Its own date while it repeats as it did: a day the month lacked
        // (it came on the last day) is not moved to the day shown.
        if (r.repeat == existing_->repeat) {
            r.year = existing_->year;
            r.month = existing_->month;
            r.day = existing_->day;
        }
    }
    if (r.repeat == Repeat::YearlyHijri && !(existing_ && existing_->repeat == Repeat::YearlyHijri)) {
        const HijriDate h = LunarCalendar::fromGregorian(PersianCalendar::toGregorian(day_));
        if (h.day == 0)
            return std::nullopt;
        r.year = h.year;
        r.month = h.month;
        r.day = h.day;
    }
    // "@" joins a day's events where they are kept: in a text it would cut
    // the reminder in two.
    r.text = text_ ? text_->text().trimmed().replace(QLatin1Char('@'), QLatin1Char('-')) : QString();
    const std::optional<ClockTime> time = ClockTime::readStrict(foundation::Digits::western(time_ ? time_->text().trimmed() : QString()));
    if (r.text.isEmpty() || !time)
        return std::nullopt;
    r.time = *time;
    return r;
}

void DateReminderController::showSummary()
{
    std::optional<reminders::DateReminder> r = reminder();
    if (!r) {
        // What it would say with a text, or why the time is not one.
        const bool timeOk = ClockTime::readStrict(foundation::Digits::western(time_->text().trimmed())).has_value();
        summary_->setText(timeOk ? QStringLiteral("متن یادآوری را بنویسید.") : QStringLiteral("ساعت را به شکل ۰۸:۳۰ بنویسید."));
        return;
    }
    if (hasPassed(*r)) {
        summary_->setText(QStringLiteral("این روز و ساعت گذشته است؛ یادآوری یک‌باره‌ای برای آن نمی‌آید."));
        return;
    }
    QString text = r->summary();
    using Repeat = reminders::DateReminder::Repeat;
    const bool lacking = (r->repeat == Repeat::YearlyHijri && r->day == LunarCalendar::kLongestMonth)
        || (r->repeat == Repeat::MonthlyPersian && r->day >= 30) || (r->repeat == Repeat::YearlyPersian && r->month == 12 && r->day == 30);
    if (lacking)
        text += QStringLiteral("\nدر ماهی که این روز را ندارد، روز آخر ماه.");
    summary_->setText(text);
}

bool DateReminderController::hasUnsavedChanges() const
{
    return !closing_ && saved_id_ == 0 && text_ && !text_->text().trimmed().isEmpty();
}

bool DateReminderController::saveChanges()
{
    return save();
}

void DateReminderController::discardChanges()
{
    closing_ = true;
    dismissViewController(true);
}

bool DateReminderController::save()
{
    // Stored once, whatever asks again while the form leaves.
    if (saved_id_ != 0)
        return true;
    std::optional<reminders::DateReminder> r = reminder();
    if (r && hasPassed(*r)) {
        showSummary();
        return false;
    }
    if (!r || !reminders::save(*r)) {
        showSummary();
        if (r)
            summary_->setText(QStringLiteral("یادآوری ذخیره نشد؛ دوباره بکوشید."));
        return false;
    }
    saved_id_ = r->id;
    if (saved_)
        saved_();
    dismissViewController(true);
    return true;
}

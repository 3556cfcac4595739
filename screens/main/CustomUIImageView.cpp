#include "CustomUIImageView.h"

#include "calendar/DateTexts.h"
#include "calendar/IranClock.h"
#include "calendar/DateTimePersian.h"
#include "calendar/NextPrayer.h"
#include "calendar/LunarCalendar.h"
#include "calendar/PersianCalendar.h"
#include "calendar/Utility.h"
#include "platform/foundation/Clock.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/Style.h"
#include "screens/common/AzanMark.h"
#include "store/Days.h"

namespace {

constexpr double kSmallestEventFont = 9;
const QRect kTimesArea(20, 106, 280, 314);
// Under the last time, above the page's dots.
constexpr int kZoneNoteTop = 411;
// The next time and how long until it, in the gold of the moon.
const QColor kNextColour(255, 214, 110);
const QColor kSecondColour(200, 210, 230);
constexpr int kMarkHeight = 34;
// Beside the city's name, inside the day's box.
const QRect kAzanMarkFrame(284, 46, 22, 22);

// A white label with a shadow, made in `parent`.
ui::Label* addLabel(ui::View& parent, const QRect& frame, ui::TextAlignment alignment, double size, const QSize& shadow, const QString& text)
{
    auto& label = parent.add<ui::Label>(frame);
    label.setBackgroundColor(Qt::transparent);
    label.setTextColor(Qt::white);
    label.setShadowColor(Qt::black);
    label.setShadowOffset(shadow);
    label.setTextFont(ui::font(QStringLiteral("Helvetica"), size));
    label.setTextAlignment(alignment);
    label.setText(text);
    return &label;
}

QString dayText(const SolarDate& date)
{
    return QStringLiteral("%1 %2 %3").arg(date.day).arg(DateTimePersian::getMonthName(date.month - 1)).arg(date.year);
}

} // namespace

CustomUIImageView::CustomUIImageView(const days::Page& row, int index, DateTimePersian& date)
    : ui::ImageView(QRect(index * kWidth, 0, kWidth, kHeight))
{
    setImage(ui::image(QStringLiteral("MainView.png")));
    setBackgroundColor(Qt::black);
    // A picture takes no touches of its own; this one holds buttons (the
    // events line, the Qibla), which get none unless the page lets them.
    // A touch elsewhere on it still pages the screen.
    setUserInteractionEnabled(true);

    // How long until the next time, above the day's box.
    countdown_ = addLabel(*this, QRect(60, 10, 240, 30), ui::TextAlignment::Right, 15, QSize(-1, 2), QString());
    countdown_->setTextColor(kNextColour);
    countdown_->setAdjustsFontSizeToFitWidth(true);
    // The box: the city and the day, then its lunar and Gregorian dates,
    // then its events.
    name_ = addLabel(*this, QRect(172, 44, 112, 26), ui::TextAlignment::Right, 19, QSize(-1, 2), QString());
    name_->setAdjustsFontSizeToFitWidth(true);
    // A name with its province may take two lines rather than lose the
    // province that tells it apart.
    name_->setNumberOfLines(2);
    name_->setMinimumFontSize(9);
    date_ = addLabel(*this, QRect(30, 44, 140, 26), ui::TextAlignment::Left, 15, QSize(-1, 2), QString());
    date_->setAdjustsFontSizeToFitWidth(true);
    hijri_ = addLabel(*this, QRect(150, 68, 134, 16), ui::TextAlignment::Right, 12, QSize(-1, 1), QString());
    hijri_->setTextColor(kSecondColour);
    hijri_->setAdjustsFontSizeToFitWidth(true);
    gregorian_ = addLabel(*this, QRect(30, 68, 118, 16), ui::TextAlignment::Left, 12, QSize(-1, 1), QString());
    gregorian_->setTextColor(kSecondColour);
    gregorian_->setAdjustsFontSizeToFitWidth(true);
    event_ = addLabel(*this, QRect(56, 84, 228, 20), ui::TextAlignment::Right, 13, QSize(-1, 2), QString());
    // A long event shrinks to fit its line rather than end in an ellipsis,
    // which would read like the "و ..." of more events.
    event_->setMinimumFontSize(kSmallestEventFont);
    // The events line opens the whole list.
    eventsButton_ = &add<ui::Button>(ui::Button::Type::Custom, QRect(54, 82, 236, 24));
    eventsButton_->setAccessibleName(QStringLiteral("رویدادهای روز"));
    eventsButton_->addAction(ui::ControlEvent::TouchUpInside, [this] {
        if (eventsAction_)
            eventsAction_();
    });

    // The Kaaba at the end of the line: the Qibla of the page's city and the
    // sun as its compass, on the page's day.
    qiblaButton_ = &add<ui::Button>(ui::Button::Type::Custom, QRect(26, 83, 26, 22));
    qiblaButton_->setImage(ui::image(QStringLiteral("qiblaBtn.png")));
    qiblaButton_->setShowsTouchWhenHighlighted(true);
    qiblaButton_->setAccessibleName(QStringLiteral("قبله و خورشید"));
    qiblaButton_->addAction(ui::ControlEvent::TouchUpInside, [this] {
        if (qiblaAction_)
            qiblaAction_();
    });

    noTimes_ = !row.times.has_value();
    if (noTimes_) {
        show(row, date);
        // A day the app holds no times for, or a city it has none for: say
        // so, and what it has.
        auto& panel = add<ui::View>(kTimesArea);
        panel.setBackgroundColor(QColor(12, 20, 40));
        panel.setCornerRadius(10);
        const QString message = row.noTimes == days::Page::NoTimes::OutsideData
            ? QStringLiteral("اوقات شرعی این روز\nدر برنامه نیست.\n\nبرنامه اوقات روزهای\n%1\nتا %2\nرا دارد.")
                  .arg(dayText(PersianCalendar::firstDataDay()), dayText(PersianCalendar::lastDataDay()))
            : QStringLiteral("اوقات شرعی این شهر\nدر برنامه نیست.\n\nآن را از فهرست شهرها\nبردارید و دوباره\nانتخاب کنید.");
        ui::Label* label = addLabel(panel, panel.bounds().adjusted(16, 16, -16, -16), ui::TextAlignment::Center, 18, QSize(-1, 2),
            Utility::ConvertToPersian(message));
        label->setNumberOfLines(0);
        return;
    }

    // On a device whose clock is not Iran's, the times are still Iran's:
    // said under them.
    zoneNote_ = addLabel(*this, QRect(20, kZoneNoteTop, 280, 14), ui::TextAlignment::Center, 10, QSize(-1, 1), QStringLiteral("ساعت‌ها به وقت ایران"));
    zoneNote_->setTextColor(kSecondColour);
    zoneNote_->hide();

    // The mark of the next time lies under the times.
    mark_ = &add<ui::View>(QRect(22, 0, 276, kMarkHeight));
    mark_->setBackgroundColor(QColor(255, 214, 110, 46));
    mark_->setCornerRadius(8);
    mark_->setUserInteractionEnabled(false);
    mark_->hide();
    for (int k = 0; k < kTimeRows; ++k) {
        timeLabels_[k] = addLabel(*this, QRect(35, 108 + 38 * k, 100, 40), ui::TextAlignment::Left, 25, QSize(-1, 2), QString());
        // The captions the background draws beside the times, for a
        // screen reader, which cannot see them.
        timeLabels_[k]->setAccessibleName(dayTimeName(static_cast<DayTime>(k)));
    }
    show(row, date);
}

void CustomUIImageView::setAzanCity(bool azans)
{
    if (!azans && !azanMark_)
        return;
    if (!azanMark_) {
        auto* mark = &add<AzanMark>(kAzanMarkFrame);
        mark->setUserInteractionEnabled(false);
        mark->setAccessibleName(QStringLiteral("اذان‌ها به افق این شهر"));
        azanMark_ = mark;
    }
    azanMark_->setHidden(!azans);
}

void CustomUIImageView::setEventsAction(std::function<void()> action)
{
    eventsAction_ = std::move(action);
}

void CustomUIImageView::setQiblaAction(std::function<void()> action)
{
    qiblaAction_ = std::move(action);
}

void CustomUIImageView::showNext(const QDateTime& now, bool today)
{
    if (zoneNote_) {
        const QDateTime device = now.toTimeZone(foundation::Clock::zone());
        zoneNote_->setVisible(device.offsetFromUtc() != device.toTimeZone(IranClock::official()).offsetFromUtc());
    }
    const std::optional<NextPrayer> next = today && !noTimes_ ? NextPrayer::after(times_, now) : std::nullopt;
    marked_ = next ? static_cast<int>(next->time) : -1;
    countdown_->setText(next ? Utility::ConvertToPersian(next->countdown(now)) : QString());
    for (int k = 0; k < kTimeRows; ++k)
        if (timeLabels_[k])
            timeLabels_[k]->setTextColor(k == marked_ ? kNextColour : QColor(Qt::white));
    if (!mark_)
        return;
    mark_->setVisible(marked_ >= 0);
    if (marked_ >= 0)
        mark_->setFrame(QRect(22, 111 + 38 * marked_, 276, kMarkHeight));
}

bool CustomUIImageView::canShow(const days::Page& page) const
{
    return !noTimes_ && page.times.has_value();
}

void CustomUIImageView::show(const days::Page& page, DateTimePersian& date)
{
    setAccessibleName(page.name);
    name_->setText(page.name);

    const QStringList events = EventRules::lines(page.events.events);
    QString eventText = events.value(0);
    if (events.size() > 1)
        eventText = eventText + QStringLiteral(" و ...");
    event_->setText(Utility::ConvertToPersian(eventText));
    eventsButton_->setUserInteractionEnabled(!events.isEmpty());
    // A screen reader hears every event, not the line's first.
    eventsButton_->setAccessibleValue(Utility::ConvertToPersian(events.join(QStringLiteral("، "))));

    // The day as people write it: the weekday, the day and month without
    // a leading zero, the year; the lunar date (in Ramadan, its day of
    // Ramadan) and the Gregorian one.
    day_ = date.gregorian();
    date_->setText(Utility::ConvertToPersian(DateTexts::solar(date.date())));
    hijri_->setText(Utility::ConvertToPersian(DateTexts::hijri(day_)));
    gregorian_->setText(Utility::ConvertToPersian(DateTexts::gregorian(day_)));
    times_ = page.times.value_or(days::Times{});
    if (noTimes_)
        return;
    // Each on Iran's clock, the next day's dawn and sunrise on the next day's.
    for (int k = 0; k < kTimeRows; ++k) {
        ui::Label* label = timeLabels_[k];
        label->setText(Utility::ConvertToPersian(times_.shown(static_cast<DayTime>(k))));
        label->setAccessibleValue(label->text());
    }
}

#include "CustomUIImageView.h"

#include "calendar/DateTexts.h"
#include "calendar/DateTimePersian.h"
#include "calendar/NextPrayer.h"
#include "calendar/LunarCalendar.h"
#include "calendar/PersianCalendar.h"
#include "calendar/Utility.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/Style.h"
#include "screens/common/AzanMark.h"
#include "store/Days.h"

namespace {

constexpr double kSmallestEventFont = 9;
// The captions the background draws beside the eight times, for a screen
// reader, which cannot see them.
const char* kTimeNames[8] = {"اذان صبح", "طلوع آفتاب", "اذان ظهر", "غروب آفتاب", "اذان مغرب", "نیمه شب شرعی",
    "اذان صبح فردا", "طلوع آفتاب فردا"};
const QRect kTimesArea(20, 106, 280, 314);
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

CustomUIImageView::CustomUIImageView(const Row& row, int index, DateTimePersian& date)
    : ui::ImageView(QRect(index * kWidth, 0, kWidth, kHeight))
{
    setImage(ui::image(QStringLiteral("MainView.png")));
    setBackgroundColor(Qt::black);

    // How long until the next time, above the day's box.
    countdown_ = addLabel(*this, QRect(60, 10, 240, 30), ui::TextAlignment::Right, 15, QSize(-1, 2), QString());
    countdown_->setTextColor(kNextColour);
    countdown_->setAdjustsFontSizeToFitWidth(true);
    // The box: the city and the day, then its lunar and Gregorian dates,
    // then its events.
    name_ = addLabel(*this, QRect(172, 44, 112, 26), ui::TextAlignment::Right, 19, QSize(-1, 2), QString());
    name_->setAdjustsFontSizeToFitWidth(true);
    date_ = addLabel(*this, QRect(30, 44, 140, 26), ui::TextAlignment::Left, 15, QSize(-1, 2), QString());
    date_->setAdjustsFontSizeToFitWidth(true);
    hijri_ = addLabel(*this, QRect(150, 68, 134, 16), ui::TextAlignment::Right, 12, QSize(-1, 1), QString());
    hijri_->setTextColor(kSecondColour);
    hijri_->setAdjustsFontSizeToFitWidth(true);
    gregorian_ = addLabel(*this, QRect(30, 68, 118, 16), ui::TextAlignment::Left, 12, QSize(-1, 1), QString());
    gregorian_->setTextColor(kSecondColour);
    gregorian_->setAdjustsFontSizeToFitWidth(true);
    event_ = addLabel(*this, QRect(30, 84, 254, 20), ui::TextAlignment::Right, 13, QSize(-1, 2), QString());
    // A long event shrinks to fit its line rather than end in an ellipsis,
    // which would read like the "و ..." of more events.
    event_->setMinimumFontSize(kSmallestEventFont);
    // The events line opens the whole list.
    eventsButton_ = &add<ui::Button>(ui::Button::Type::Custom, QRect(24, 82, 266, 24));
    eventsButton_->setAccessibleName(QStringLiteral("رویدادهای روز"));
    eventsButton_->addAction(ui::ControlEvent::TouchUpInside, [this] {
        if (eventsAction_)
            eventsAction_();
    });

    noTimes_ = row.contains(days::kNoTimes);
    if (noTimes_) {
        show(row, date);
        // A day the app holds no times for, or a city it has none for: say
        // so, and what it has.
        auto& panel = add<ui::View>(kTimesArea);
        panel.setBackgroundColor(QColor(12, 20, 40));
        panel.setCornerRadius(10);
        const QString message = row.value(days::kNoTimes) == days::kOutsideData
            ? QStringLiteral("اوقات شرعی این روز\nدر برنامه نیست.\n\nبرنامه اوقات روزهای\n%1\nتا %2\nرا دارد.")
                  .arg(dayText(PersianCalendar::firstDataDay()), dayText(PersianCalendar::lastDataDay()))
            : QStringLiteral("اوقات شرعی این شهر\nدر برنامه نیست.\n\nآن را از فهرست شهرها\nبردارید و دوباره\nانتخاب کنید.");
        ui::Label* label = addLabel(panel, panel.bounds().adjusted(16, 16, -16, -16), ui::TextAlignment::Center, 18, QSize(-1, 2),
            Utility::ConvertToPersian(message));
        label->setNumberOfLines(0);
        return;
    }

    // The mark of the next time lies under the times.
    mark_ = &add<ui::View>(QRect(22, 0, 276, kMarkHeight));
    mark_->setBackgroundColor(QColor(255, 214, 110, 46));
    mark_->setCornerRadius(8);
    mark_->setUserInteractionEnabled(false);
    mark_->hide();
    for (int k = 0; k < kTimeRows; ++k) {
        times_[k] = addLabel(*this, QRect(35, 108 + 38 * k, 100, 40), ui::TextAlignment::Left, 25, QSize(-1, 2), QString());
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

void CustomUIImageView::showNext(const QDateTime& now, bool today)
{
    const std::optional<NextPrayer> next = today && !noTimes_ ? NextPrayer::after(day_, stored_, now) : std::nullopt;
    marked_ = next ? next->index : -1;
    countdown_->setText(next ? Utility::ConvertToPersian(next->countdown(now)) : QString());
    for (int k = 0; k < kTimeRows; ++k)
        if (times_[k])
            times_[k]->setTextColor(k == marked_ ? kNextColour : QColor(Qt::white));
    if (!mark_)
        return;
    mark_->setVisible(marked_ >= 0);
    if (marked_ >= 0)
        mark_->setFrame(QRect(22, 111 + 38 * marked_, 276, kMarkHeight));
}

bool CustomUIImageView::canShow(const Row& row) const
{
    return !noTimes_ && !row.contains(days::kNoTimes);
}

void CustomUIImageView::show(const Row& row, DateTimePersian& date)
{
    setAccessibleName(row.value(QStringLiteral("Name")));
    name_->setText(row.value(QStringLiteral("Name")));

    const QStringList events = row.value(QStringLiteral("Description")).split(QLatin1Char('@'));
    QString eventText = events.first();
    if (events.size() > 1)
        eventText = eventText + QStringLiteral(" و ...");
    event_->setText(Utility::ConvertToPersian(eventText));
    eventsButton_->setUserInteractionEnabled(!events.first().isEmpty());
    // A screen reader hears every event, not the line's first.
    eventsButton_->setAccessibleValue(Utility::ConvertToPersian(events.join(QStringLiteral("، "))));

    // The day as people write it: the weekday, the day and month without
    // a leading zero, the year; the lunar date (in Ramadan, its day of
    // Ramadan) and the Gregorian one.
    day_ = date.gregorian();
    date_->setText(Utility::ConvertToPersian(DateTexts::solar(date.date())));
    hijri_->setText(Utility::ConvertToPersian(DateTexts::hijri(day_)));
    gregorian_->setText(Utility::ConvertToPersian(DateTexts::gregorian(day_)));
    for (int k = 0; k < kTimeRows; ++k)
        stored_[static_cast<size_t>(k)] = row.value(QStringLiteral("T%1").arg(k + 1));
    if (noTimes_)
        return;

    for (int k = 1; k <= kTimeRows; ++k) {
        // The next day's dawn and sunrise are shown on the next day's clock.
        const bool nextDay = k >= 7;
        if (nextDay)
            date.setDayOfYear(date.dayOfYear() + 1);
        const QString time = date.formatHour(row.value(QStringLiteral("T%1").arg(k)));
        if (nextDay)
            date.setDayOfYear(date.dayOfYear() - 1);
        ui::Label* label = times_[k - 1];
        label->setText(Utility::ConvertToPersian(time));
        label->setAccessibleName(QString::fromUtf8(kTimeNames[k - 1]));
        label->setAccessibleValue(label->text());
    }
}

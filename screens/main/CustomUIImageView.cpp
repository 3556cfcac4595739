#include "CustomUIImageView.h"

#include "calendar/DateTimePersian.h"
#include "calendar/LunarCalendar.h"
#include "calendar/PersianCalendar.h"
#include "calendar/Utility.h"
#include "platform/ui/Label.h"
#include "platform/ui/Style.h"
#include "store/Days.h"

namespace {

constexpr double kSmallestEventFont = 9;
// The captions the background draws beside the eight times, for a screen
// reader, which cannot see them.
const char* kTimeNames[8] = {"اذان صبح", "طلوع آفتاب", "اذان ظهر", "غروب آفتاب", "اذان مغرب", "نیمه شب شرعی",
    "اذان صبح فردا", "طلوع آفتاب فردا"};
const QRect kTimesArea(20, 106, 280, 314);

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

    name_ = addLabel(*this, QRect(180, 45, 100, 40), ui::TextAlignment::Right, 20, QSize(-1, 3), QString());
    event_ = addLabel(*this, QRect(30, 70, 250, 40), ui::TextAlignment::Right, 16, QSize(-1, 3), QString());
    // A long event shrinks to fit its line rather than end in an ellipsis,
    // which would read like the "و ..." of more events.
    event_->setMinimumFontSize(kSmallestEventFont);
    date_ = addLabel(*this, QRect(30, 45, 160, 40), ui::TextAlignment::Left, 20, QSize(-1, 3), QString());

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

    for (int k = 0; k < kTimeRows; ++k) {
        times_[k] = addLabel(*this, QRect(35, 108 + 38 * k, 100, 40), ui::TextAlignment::Left, 25, QSize(-1, 2), QString());
    }
    show(row, date);
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

    QString dateText = Utility::ConvertToPersian(date.getFullPersianDate());
    const int ramadan = noTimes_ ? 0 : LunarCalendar::ramadanDay(date.gregorian());
    if (ramadan) {
        const QString text = QString::asprintf("%i ", ramadan) + QStringLiteral("رمضان");
        dateText = Utility::ConvertToPersian(dateText + QStringLiteral(" / ") + text);
    }
    date_->setText(dateText);
    date_->setTextFont(ui::font(QStringLiteral("Helvetica"), ramadan ? 15 : 20));
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
        label->setAccessibleName(QString::fromUtf8(kTimeNames[k - 1]) + QLatin1Char(' ') + label->text());
    }
}

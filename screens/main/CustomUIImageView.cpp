#include "CustomUIImageView.h"

#include "calendar/DateTimePersian.h"
#include "calendar/Utility.h"
#include "platform/ui/Label.h"
#include "platform/ui/Style.h"

namespace {

constexpr int kRamadanFirst = 124;   // 1 Ramadan 1433 is day 124 of 1391
constexpr int kRamadanEnd = 153;     // the first day after it
constexpr int kTimeRows = 8;

ui::Label* makeLabel(const QRect& frame, ui::TextAlignment alignment, double size, const QSize& shadow, const QString& text)
{
    auto* label = new ui::Label(frame);
    label->setBackgroundColor(Qt::transparent);
    label->setTextColor(Qt::white);
    label->setShadowColor(Qt::black);
    label->setShadowOffset(shadow);
    label->setFont(ui::font(QStringLiteral("Helvetica"), size));
    label->setTextAlignment(alignment);
    label->setText(text);
    return label;
}

} // namespace

CustomUIImageView::CustomUIImageView(const Row& row, int index, DateTimePersian& date)
    : ui::ImageView(QRect(index * kWidth, 0, kWidth, kHeight))
{
    setImage(ui::image(QStringLiteral("MainView.png")));
    setBackgroundColor(Qt::black);

    addSubview(makeLabel(QRect(180, 45, 100, 40), ui::TextAlignment::Right, 20, QSize(-1, 3), row.value(QStringLiteral("Name"))));

    const QStringList events = row.value(QStringLiteral("Description")).split(QLatin1Char('@'));
    QString eventText = events.first();
    if (events.size() > 1)
        eventText = eventText + QStringLiteral(" و ...");
    addSubview(makeLabel(QRect(30, 70, 250, 40), ui::TextAlignment::Right, 16, QSize(-1, 3), Utility::ConvertToPersian(eventText)));

    ui::Label* dateLabel = makeLabel(QRect(30, 45, 160, 40), ui::TextAlignment::Left, 20, QSize(-1, 3),
        Utility::ConvertToPersian(date.getFullPersianDate()));
    if (date.dayOfYear() >= kRamadanFirst && date.dayOfYear() < kRamadanEnd) {
        const QString ramadan = QString::asprintf("%i ", date.dayOfYear() - (kRamadanFirst - 1)) + QStringLiteral("رمضان");
        dateLabel->setText(Utility::ConvertToPersian(dateLabel->text() + QStringLiteral(" / ") + ramadan));
        dateLabel->setFont(ui::font(QStringLiteral("Helvetica"), 15));
    }
    addSubview(dateLabel);

    for (int k = 1; k <= kTimeRows; ++k) {
        // The next day's dawn and sunrise take the next day's summer hour.
        const bool nextDay = k >= 7;
        if (nextDay)
            date.setDayOfYear(date.dayOfYear() + 1);
        const QString time = date.formatHour(row.value(QStringLiteral("T%1").arg(k)));
        if (nextDay)
            date.setDayOfYear(date.dayOfYear() - 1);
        addSubview(makeLabel(QRect(35, 108 + 38 * (k - 1), 100, 40), ui::TextAlignment::Left, 25, QSize(-1, 2),
            Utility::ConvertToPersian(time)));
    }
}

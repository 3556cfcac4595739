#include "MiniMonth.h"

#include "calendar/DateTimePersian.h"
#include "calendar/PersianCalendar.h"
#include "calendar/Utility.h"
#include "platform/ui/Style.h"
#include "platform/ui/TextDrawing.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

const QColor kTitleInk(235, 240, 250);
const QColor kDayInk(220, 226, 240);
const QColor kFridayInk(255, 140, 140);
const QColor kHoliday(200, 60, 66);
const QColor kTodayRing(110, 170, 255);
constexpr int kTitleHeight = 17;
constexpr double kTitleSize = 11;
constexpr double kDaySize = 8.5;

QString persianList(const QSet<int>& days)
{
    QList<int> sorted(days.begin(), days.end());
    std::sort(sorted.begin(), sorted.end());
    QStringList texts;
    for (int d : sorted)
        texts.append(QString::number(d));
    return texts.join(QStringLiteral("، "));
}

} // namespace

MiniMonth::MiniMonth(const SolarDate& month, const QSet<int>& holidays, int today, const QRect& frame)
    : ui::Control(frame), month_{month.year, month.month, 1}, holidays_(holidays), today_(today)
{
    setAccessibleRole(QAccessible::Button);
    setAccessibleName(Utility::ConvertToPersian(DateTimePersian::getMonthName(month_.month - 1) + QLatin1Char(' ') + QString::number(month_.year)));
    QString value = holidays_.isEmpty() ? QStringLiteral("بدون تعطیل رسمی") : QStringLiteral("تعطیل رسمی: ") + persianList(holidays_);
    if (today_ > 0)
        value += QStringLiteral("؛ امروز %1").arg(today_);
    setAccessibleValue(Utility::ConvertToPersian(value));
}

QRect MiniMonth::dayFrame(int day) const
{
    const int first = PersianCalendar::weekday(month_);
    const int cell = first + day - 1;
    const int column = cell % PersianCalendar::kDaysPerWeek;
    const int row = cell / PersianCalendar::kDaysPerWeek;
    const double w = width() / static_cast<double>(PersianCalendar::kDaysPerWeek);
    const double h = (height() - kTitleHeight) / static_cast<double>(kWeeks);
    // Saturday at the right.
    const int x = static_cast<int>(width() - (column + 1) * w);
    return QRect(x, kTitleHeight + static_cast<int>(row * h), static_cast<int>(w), static_cast<int>(h));
}

void MiniMonth::draw(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    if (isHighlighted())
        painter.fillRect(rect(), QColor(255, 255, 255, 40));
    ui::drawText(painter, QRect(0, 0, width(), kTitleHeight), DateTimePersian::getMonthName(month_.month - 1),
        ui::font(QStringLiteral("Helvetica-Bold"), kTitleSize), kTitleInk, ui::TextAlignment::Center, 1, false);
    const QFont font = ui::font(QStringLiteral("Helvetica"), kDaySize);
    const int length = PersianCalendar::daysInMonth(month_.year, month_.month);
    for (int d = 1; d <= length; ++d) {
        const QRect at = dayFrame(d);
        const double r = std::min(at.width(), at.height()) / 2.0 + 0.5;
        const QPointF centre = QRectF(at).center();
        QColor ink = PersianCalendar::weekday({month_.year, month_.month, d}) == PersianCalendar::kFriday ? kFridayInk : kDayInk;
        if (holidays_.contains(d)) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(kHoliday);
            painter.drawEllipse(centre, r, r);
            ink = Qt::white;
        }
        if (d == today_) {
            painter.setPen(QPen(kTodayRing, 1.4));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(centre, r + 0.5, r + 0.5);
        }
        ui::drawText(painter, at, Utility::ConvertToPersian(QString::number(d)), font, ink, ui::TextAlignment::Center, 1, false);
    }
}

void MiniMonth::mousePressEvent(QMouseEvent* event)
{
    pressAt_ = event->position();
    travelled_ = false;
    ui::Control::mousePressEvent(event);
}

void MiniMonth::mouseMoveEvent(QMouseEvent* event)
{
    if (travelled_ || (event->position() - pressAt_).manhattanLength() > kSlop) {
        travelled_ = true;
        setHighlighted(false);
        return;
    }
    ui::Control::mouseMoveEvent(event);
}

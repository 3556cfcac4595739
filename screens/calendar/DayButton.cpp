#include "DayButton.h"

#include "calendar/HijriDates.h"
#include "calendar/PersianCalendar.h"
#include "calendar/Utility.h"
#include "platform/ui/Style.h"
#include "platform/ui/TextDrawing.h"

#include <QPainter>

namespace {

const QColor kGregorianInk(105, 112, 128);
const QColor kHijriInk(140, 92, 40);
// On the selected day's blue.
const QColor kSelectedInk(225, 235, 255);
const QColor kOwnMark(235, 140, 20);
constexpr double kSmallSize = 9.5;
const QRect kOwnFrame(30, 1, 14, 14);

} // namespace

DayButton::DayButton(const SolarDate& date, const QRect& frame)
    : ui::Button(Type::Custom, frame), date_(date), gregorian_(PersianCalendar::toGregorian(date)),
      hijri_(HijriDates::of(gregorian_).date)
{
}

void DayButton::setOwn(bool own)
{
    own_ = own;
    update();
}

QRect DayButton::gregorianFrame()
{
    return QRect(6, 27, 16, 13);
}

QRect DayButton::hijriFrame()
{
    return QRect(23, 27, 16, 13);
}

void DayButton::draw(QPainter& painter)
{
    ui::Button::draw(painter);
    const QFont small = ui::font(QStringLiteral("Helvetica"), kSmallSize);
    const bool selected = isSelected();
    ui::drawText(painter, gregorianFrame(), Utility::ConvertToPersian(QString::number(gregorian_.day())), small,
        selected ? kSelectedInk : kGregorianInk, ui::TextAlignment::Left);
    if (hijri_.day > 0)
        ui::drawText(painter, hijriFrame(), Utility::ConvertToPersian(QString::number(hijri_.day)), small, selected ? kSelectedInk : kHijriInk,
            ui::TextAlignment::Right);
    if (own_)
        ui::drawText(painter, kOwnFrame, QStringLiteral("●"), ui::font(QStringLiteral("Helvetica"), 11), kOwnMark, ui::TextAlignment::Center);
}

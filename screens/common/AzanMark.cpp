#include "AzanMark.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {
// The gold of the day page's next time; the grey of the rows not chosen.
const QColor kLit(224, 170, 40);
const QColor kDim(150, 154, 162);
constexpr double kInset = 0.18;
} // namespace

AzanMark::AzanMark(const QRect& frame, bool lit)
    : ui::Button(ui::Button::Type::Custom, frame), lit_(lit)
{
}

void AzanMark::setLit(bool lit)
{
    lit_ = lit;
    setSelected(lit);
    update();
}

void AzanMark::draw(QPainter& painter)
{
    // A bell in the middle of the frame, as large as it fits.
    const double side = std::min(width(), height()) * (1 - 2 * kInset);
    const QPointF origin((width() - side) / 2, (height() - side) / 2);
    auto at = [&](double x, double y) { return origin + QPointF(x * side, y * side); };
    QPainterPath bell;
    bell.moveTo(at(0.1, 0.78));
    bell.cubicTo(at(0.22, 0.68), at(0.2, 0.55), at(0.22, 0.4));
    bell.cubicTo(at(0.25, 0.1), at(0.75, 0.1), at(0.78, 0.4));
    bell.cubicTo(at(0.8, 0.55), at(0.78, 0.68), at(0.9, 0.78));
    bell.closeSubpath();
    const QColor ink = lit_ ? kLit : kDim;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, std::max(1.2, side / 12), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(lit_ ? QBrush(ink) : QBrush(Qt::NoBrush));
    painter.drawPath(bell);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(at(0.5, 0.88), side * 0.09, side * 0.09);
}

#include "Slider.h"

#include "Style.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace ui {

namespace {
constexpr double kThumb = 23;
}

Slider::Slider(const QRect& frame)
    : Control(frame)
{
}

void Slider::setMinimumValue(double value)
{
    min_ = value;
    setValue(value_);
}

void Slider::setMaximumValue(double value)
{
    max_ = value;
    setValue(value_);
}

void Slider::setValue(double value)
{
    value_ = std::clamp(value, min_, std::max(min_, max_));
    update();
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent changed(this, value_);
        QAccessible::updateAccessibility(&changed);
    }
}

double Slider::trackLeft() const
{
    return kThumb / 2;
}

double Slider::trackRight() const
{
    return width() - kThumb / 2;
}

// Where the screens read from the right, the least is at the right end and
// the track fills from there, as the text beside it reads.
double Slider::valueAt(double x) const
{
    const double span = trackRight() - trackLeft();
    if (span <= 0)
        return min_;
    const double p = std::clamp((x - trackLeft()) / span, 0.0, 1.0);
    return min_ + (rightToLeft() ? 1 - p : p) * (max_ - min_);
}

QPoint Slider::pointForValue(double value) const
{
    const double p = max_ > min_ ? (std::clamp(value, min_, max_) - min_) / (max_ - min_) : 0;
    // The whole point on the value's own side, so that the value read back
    // there is not a step short of it.
    if (rightToLeft())
        return QPoint(static_cast<int>(std::floor(trackLeft() + (1 - p) * (trackRight() - trackLeft()))), height() / 2);
    return QPoint(qRound(trackLeft() + p * (trackRight() - trackLeft())), height() / 2);
}

void Slider::mousePressEvent(QMouseEvent* event)
{
    if (!isControlEnabled()) {
        event->ignore();
        return;
    }
    tracking_ = true;
    const double thumbX = pointForValue(value_).x();
    const double x = event->position().x();
    // A press on the thumb keeps the finger where it took it; elsewhere the
    // thumb jumps under the finger.
    grabOffset_ = std::abs(x - thumbX) <= kThumb / 2 ? x - thumbX : 0;
    mouseMoveEvent(event);
}

void Slider::mouseMoveEvent(QMouseEvent* event)
{
    if (!tracking_)
        return;
    const double v = valueAt(event->position().x() - grabOffset_);
    if (v == value_)
        return;
    setValue(v);
    if (continuous_)
        sendActions(ControlEvent::ValueChanged);
}

void Slider::mouseReleaseEvent(QMouseEvent* event)
{
    if (!tracking_)
        return;
    tracking_ = false;
    if (!continuous_) {
        setValue(valueAt(event->position().x() - grabOffset_));
        sendActions(ControlEvent::ValueChanged);
    }
}

bool Slider::stepped(int key)
{
    // One whole unit a key, or a tenth of a narrow range.
    const double unit = max_ - min_ >= 2 ? 1.0 : (max_ - min_) / 10;
    // The arrow towards the larger end, or up.
    const bool up = key == Qt::Key_Up || key == (rightToLeft() ? Qt::Key_Left : Qt::Key_Right);
    const double v = std::clamp(value_ + (up ? unit : -unit), min_, std::max(min_, max_));
    if (v != value_) {
        setValue(v);
        sendActions(ControlEvent::ValueChanged);
    }
    return true;
}

void Slider::draw(QPainter& painter)
{
    const double cy = height() / 2.0;
    const double x = pointForValue(value_).x();
    painter.setOpacity(isControlEnabled() ? 1.0 : 0.5);
    QPainterPath track;
    track.addRoundedRect(QRectF(trackLeft(), cy - 4.5, trackRight() - trackLeft(), 9), 4.5, 4.5);
    painter.fillPath(track, QColor(188, 188, 192));
    QPainterPath filled;
    if (rightToLeft())
        filled.addRoundedRect(QRectF(x, cy - 4.5, trackRight() - x, 9), 4.5, 4.5);
    else
        filled.addRoundedRect(QRectF(trackLeft(), cy - 4.5, x - trackLeft(), 9), 4.5, 4.5);
    QLinearGradient blue(0, cy - 4.5, 0, cy + 4.5);
    blue.setColorAt(0, QColor(90, 150, 240));
    blue.setColorAt(1, QColor(30, 90, 210));
    painter.fillPath(filled, blue);
    painter.setPen(QPen(QColor(120, 120, 126), 1));
    painter.drawPath(track);
    QRadialGradient thumb(QPointF(x - 3, cy - 4), kThumb);
    thumb.setColorAt(0, Qt::white);
    thumb.setColorAt(1, QColor(200, 200, 204));
    painter.setBrush(thumb);
    painter.setPen(QPen(QColor(130, 130, 136), 1));
    painter.drawEllipse(QPointF(x, cy), kThumb / 2 - 1, kThumb / 2 - 1);
}

} // namespace ui

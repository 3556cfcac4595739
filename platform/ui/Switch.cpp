#include "Switch.h"

#include "Label.h"
#include "Style.h"

#include <QAccessible>
#include <QPainter>
#include <QPainterPath>

namespace ui {

Switch::Switch(const QRect& frame)
    : Control(frame)
{
}

void Switch::setOn(bool on)
{
    const bool changed = on != on_;
    on_ = on;
    update();
    if (changed && QAccessible::isActive()) {
        QAccessible::State checked;
        checked.checked = true;
        QAccessibleStateChangeEvent event(this, checked);
        QAccessible::updateAccessibility(&event);
    }
}

void Switch::tapped(const QPoint&)
{
    setOn(!on_);
    sendActions(ControlEvent::ValueChanged);
}

void Switch::draw(QPainter& painter)
{
    // The track within the frame, left-aligned like the phone's.
    const QRectF track(1, (height() - 27) / 2.0 + 0.5, std::min(79.0, width() - 2.0), 26);
    const double r = track.height() / 2;
    QPainterPath shape;
    shape.addRoundedRect(track, r, r);
    painter.setOpacity(isControlEnabled() ? 1.0 : 0.5);
    QLinearGradient fill(track.topLeft(), track.bottomLeft());
    if (on_) {
        fill.setColorAt(0, QColor(30, 110, 230));
        fill.setColorAt(1, QColor(70, 150, 250));
    } else {
        fill.setColorAt(0, QColor(222, 222, 222));
        fill.setColorAt(1, QColor(250, 250, 250));
    }
    painter.fillPath(shape, fill);
    painter.setPen(QPen(QColor(120, 120, 126), 1));
    painter.drawPath(shape);
    const QRectF label = on_ ? QRectF(track.left(), track.top(), track.width() - track.height(), track.height())
                             : QRectF(track.left() + track.height(), track.top(), track.width() - track.height(), track.height());
    drawText(painter, label.toRect(), on_ ? QStringLiteral("روشن") : QStringLiteral("خاموش"), ui::font(QStringLiteral("Helvetica-Bold"), 12),
        on_ ? QColor(Qt::white) : QColor(120, 120, 120), TextAlignment::Center);
    const QPointF knob(on_ ? track.right() - r : track.left() + r, track.center().y());
    QRadialGradient k(knob - QPointF(3, 4), r * 1.6);
    k.setColorAt(0, Qt::white);
    k.setColorAt(1, QColor(200, 200, 204));
    painter.setBrush(k);
    painter.setPen(QPen(QColor(140, 140, 146), 1));
    painter.drawEllipse(knob, r - 0.5, r - 0.5);
}

} // namespace ui

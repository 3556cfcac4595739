#include "SegmentedControl.h"

#include "Label.h"
#include "Style.h"

#include <QAccessible>
#include <QPainter>
#include <QPainterPath>

namespace ui {

namespace {
const QColor kTint(30, 110, 230);
} // namespace

SegmentedControl::SegmentedControl(const QStringList& titles, const QRect& frame)
    : Control(frame), titles_(titles), enabled_(QList<bool>(titles.size(), true))
{
    setAccessibleRole(QAccessible::PageTabList);
    for (int i = 0; i < titles_.size(); ++i)
        items_.append(new SegmentItem(this, i));
}

SegmentItem::SegmentItem(SegmentedControl* control, int index)
    : QObject(control), index_(index)
{
}

SegmentedControl* SegmentItem::control() const
{
    return static_cast<SegmentedControl*>(parent());
}

void SegmentedControl::setSelectedSegmentIndex(int index)
{
    selected_ = index >= 0 && index < numberOfSegments() ? index : -1;
    // The control is named by its screen; its value is what is chosen.
    setAccessibleValue(titles_.value(selected_));
    update();
}

void SegmentedControl::setEnabledForSegment(int index, bool enabled)
{
    if (index >= 0 && index < enabled_.size())
        enabled_[index] = enabled;
    update();
}

bool SegmentedControl::isEnabledForSegment(int index) const
{
    return enabled_.value(index, false);
}

QRect SegmentedControl::segmentRect(int index) const
{
    const int n = std::max(1, numberOfSegments());
    // The first segment at the right; a width that does not divide evenly
    // is shared out, so that the segments fill the control to its edges.
    const int right = width() - index * width() / n;
    const int left = width() - (index + 1) * width() / n;
    return QRect(left, 0, right - left, height());
}

void SegmentedControl::choose(int index)
{
    if (index < 0 || index >= numberOfSegments() || !enabled_[index] || index == selected_)
        return;
    setSelectedSegmentIndex(index);
    sendActions(ControlEvent::ValueChanged);
}

void SegmentedControl::tapped(const QPoint& at)
{
    for (int i = 0; i < numberOfSegments(); ++i)
        if (segmentRect(i).contains(at))
            choose(i);
}

bool SegmentedControl::stepped(int key)
{
    // Right to left: the left arrow goes on to the next segment.
    const int by = key == Qt::Key_Left ? 1 : key == Qt::Key_Right ? -1 : 0;
    if (by == 0)
        return false;
    for (int i = selected_ + by; i >= 0 && i < numberOfSegments(); i += by) {
        if (enabled_[i]) {
            choose(i);
            return true;
        }
    }
    return true;
}

void SegmentedControl::draw(QPainter& painter)
{
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(box, 6, 6);
    painter.setOpacity(isControlEnabled() ? 1.0 : 0.5);
    painter.fillPath(shape, Qt::white);
    for (int i = 0; i < numberOfSegments(); ++i) {
        const QRect r = segmentRect(i);
        const bool chosen = i == selected_;
        if (chosen) {
            painter.save();
            painter.setClipPath(shape);
            painter.fillRect(r, kTint);
            painter.restore();
        }
        if (i > 0) {
            painter.setPen(QPen(kTint, 1));
            painter.drawLine(QPointF(r.right() + 0.5, 0), QPointF(r.right() + 0.5, height()));
        }
        const QColor text = chosen ? QColor(Qt::white) : enabled_[i] ? kTint : QColor(170, 176, 188);
        drawText(painter, r.adjusted(2, 0, -2, 0), titles_[i], ui::font(QStringLiteral("Helvetica-Bold"), 13), text, TextAlignment::Center);
    }
    painter.setPen(QPen(kTint, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
}

} // namespace ui

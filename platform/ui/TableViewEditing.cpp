#include "TableViewEditing.h"

#include "TableView.h"

#include <QMouseEvent>
#include <QPainter>

namespace ui {

void DeleteControl::draw(QPainter& painter)
{
    const QPointF c = QRectF(rect()).center();
    painter.setPen(QPen(Qt::white, 1.5));
    painter.setBrush(isHighlighted() ? deleteRed().darker(130) : deleteRed());
    painter.drawEllipse(c, 10, 10);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    // Turned upright while its confirmation is up.
    if (isSelected())
        painter.drawRect(QRectF(c.x() - 2, c.y() - 6, 4, 12));
    else
        painter.drawRect(QRectF(c.x() - 6, c.y() - 2, 12, 4));
}

ReorderHandle::ReorderHandle(TableView* table, const IndexPath& path) : table_(table), path_(path)
{
    setCursor(Qt::SizeVerCursor);
    setAccessibleRole(QAccessible::Grip);
}

void ReorderHandle::draw(QPainter& painter)
{
    painter.setPen(QPen(QColor(150, 150, 155), 2));
    const double cx = width() / 2.0;
    const double cy = height() / 2.0;
    for (int i = -1; i <= 1; ++i)
        painter.drawLine(QPointF(cx - 9, cy + i * 5), QPointF(cx + 9, cy + i * 5));
}

void ReorderHandle::mouseMoveEvent(QMouseEvent* event)
{
    table_->dragRow(path_, contentY(event), false);
}

void ReorderHandle::mouseReleaseEvent(QMouseEvent* event)
{
    table_->dragRow(path_, contentY(event), true);
}

int ReorderHandle::contentY(QMouseEvent* event) const
{
    return table_->contentView()->mapFromGlobal(event->globalPosition().toPoint()).y();
}

} // namespace ui

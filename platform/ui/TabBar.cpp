#include "TabBar.h"

#include "Label.h"
#include "Style.h"
#include "TabBarController.h"
#include "TabBarItem.h"
#include "TextDrawing.h"
#include "UnsavedChanges.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace ui {

TabBar::TabBar(TabBarController* owner)
    : owner_(owner)
{
}

QList<TabBarItem*> TabBar::items() const
{
    QList<TabBarItem*> list;
    for (const auto& i : items_)
        list.append(i.data());
    return list;
}

void TabBar::setItems(const QList<TabBarItem*>& items)
{
    items_.clear();
    for (TabBarItem* i : items) {
        items_.append(i);
        i->setBar(this);
        QPointer<TabBar> self(this);
        i->setChangeHandler([self] {
            if (self)
                self->update();
        });
    }
    update();
}

void TabBar::setSelectedIndex(int index)
{
    selected_ = index;
    update();
}

QRect TabBar::itemRect(int index) const
{
    const int n = std::max(1, static_cast<int>(items_.size()));
    const int w = width() / n;
    // The first item at the right where screens read from the right.
    return leading(QRect(index * w, 0, w, height()), w * static_cast<int>(items_.size()));
}

void TabBar::mousePressEvent(QMouseEvent*) {}

void TabBar::mouseReleaseEvent(QMouseEvent* event)
{
    for (int i = 0; i < items_.size(); ++i) {
        if (itemRect(i).contains(event->position().toPoint())) {
            selectItem(i);
            return;
        }
    }
}

void TabBar::selectItem(int index)
{
    if (index < 0 || index >= items_.size() || !items_[index] || !items_[index]->isEnabled() || index == owner_->selectedIndex())
        return;
    // The tab left asks first about what it holds unsaved.
    QPointer<TabBarController> owner(owner_);
    unsaved::confirmLeaving(owner_->selectedViewController(), [owner, index] {
        if (owner)
            owner->setSelectedIndex(index);
    });
}

void TabBar::draw(QPainter& painter)
{
    QLinearGradient fill(0, 0, 0, height());
    fill.setColorAt(0, QColor(52, 52, 52));
    fill.setColorAt(0.5, QColor(24, 24, 24));
    fill.setColorAt(1, QColor(4, 4, 4));
    painter.fillRect(rect(), fill);
    for (int i = 0; i < items_.size(); ++i) {
        TabBarItem* item = items_[i];
        if (!item)
            continue;
        const QRect r = itemRect(i);
        const bool selected = i == selected_;
        if (selected) {
            QPainterPath glow;
            glow.addRoundedRect(QRectF(r).adjusted(3, 3, -3, -3), 4, 4);
            painter.fillPath(glow, QColor(255, 255, 255, 34));
        }
        painter.setOpacity(item->isEnabled() ? 1.0 : 0.3);
        const QPixmap icon = item->image();
        if (!icon.isNull()) {
            const QSizeF s = icon.deviceIndependentSize();
            const QRectF at(r.center().x() - s.width() / 2, r.top() + 4, s.width(), s.height());
            // The shown tab's icon lights up blue.
            painter.drawPixmap(at, selected ? tinted(icon, QColor(40, 160, 255, 170)) : icon, QRectF(icon.rect()));
        }
        drawText(painter, QRect(r.left(), r.bottom() - 15, r.width(), 14), item->title(), ui::font(QStringLiteral("Helvetica-Bold"), 10),
            selected ? Qt::white : QColor(160, 160, 160), TextAlignment::Center);
        painter.setOpacity(1.0);
    }
}

} // namespace ui

#include "NavigationItem.h"

namespace ui {

void NavigationItem::setTitle(const QString& title)
{
    title_ = title;
    changed();
}

void NavigationItem::setLeftBarButtonItem(BarButtonItem* item)
{
    place(left_, item);
}

void NavigationItem::setRightBarButtonItem(BarButtonItem* item)
{
    place(right_, item);
}

void NavigationItem::place(QPointer<BarButtonItem>& slot, BarButtonItem* item)
{
    // The item that was there goes, if it was this item's.
    if (slot && slot != item && slot->parent() == this)
        slot->deleteLater();
    slot = item;
    if (item)
        item->setParent(this);
    changed();
}

void NavigationItem::changed()
{
    if (changed_)
        changed_();
}

} // namespace ui

#include "NavigationItem.h"

namespace ui {

void NavigationItem::setTitle(const QString& title)
{
    title_ = title;
    changed();
}

void NavigationItem::setLeftBarButtonItem(BarButtonItem* item)
{
    if (left_ && left_ != item && left_->parent() == this)
        left_->deleteLater();
    left_ = item;
    if (item)
        item->setParent(this);
    changed();
}

void NavigationItem::setRightBarButtonItem(BarButtonItem* item)
{
    if (right_ && right_ != item && right_->parent() == this)
        right_->deleteLater();
    right_ = item;
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

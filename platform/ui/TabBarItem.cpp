#include "TabBarItem.h"

#include "TabBar.h"

namespace ui {

void TabBarItem::setTitle(const QString& title)
{
    title_ = title;
    changed();
}

void TabBarItem::setImage(const QPixmap& image)
{
    image_ = image;
    changed();
}

void TabBarItem::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    changed();
}

TabBar* TabBarItem::bar() const
{
    return bar_;
}

void TabBarItem::setBar(TabBar* bar)
{
    bar_ = bar;
}

void TabBarItem::changed()
{
    if (changed_)
        changed_();
}

} // namespace ui

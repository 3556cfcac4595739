#include "BarButtonItem.h"

namespace ui {

BarButtonItem::BarButtonItem(const QString& title, Style style)
    : title_(title), style_(style)
{
}

BarButtonItem::BarButtonItem(SystemItem item)
    : system_(item), style_(item == SystemItem::Done ? Style::Done : Style::Bordered)
{
}

QString BarButtonItem::title() const
{
    switch (system_) {
    case SystemItem::Done:
        return QStringLiteral("تایید");
    case SystemItem::Cancel:
        return QStringLiteral("انصراف");
    case SystemItem::Save:
        return QStringLiteral("ذخیره");
    default:
        return title_;
    }
}

QString BarButtonItem::accessibilityLabel() const
{
    switch (system_) {
    case SystemItem::Search:
        return QStringLiteral("جستجو");
    case SystemItem::Add:
        return QStringLiteral("افزودن");
    default:
        return title();
    }
}

void BarButtonItem::setStyle(Style style)
{
    style_ = style;
    changed();
}

void BarButtonItem::setEnabled(bool enabled)
{
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    changed();
}

void BarButtonItem::trigger()
{
    if (enabled_ && action_)
        action_();
}

void BarButtonItem::changed()
{
    if (changed_)
        changed_();
}

} // namespace ui

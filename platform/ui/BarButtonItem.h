#pragma once

#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QString>

#include <functional>

namespace ui {

// A button of a navigation bar: a title or one of the system's own items.
class BarButtonItem : public QObject {
public:
    enum class SystemItem { None, Done, Cancel, Search, Add, Save };
    enum class Style { Plain = 0, Bordered = 1, Done = 2 };

    explicit BarButtonItem(const QString& title, Style style = Style::Bordered);
    explicit BarButtonItem(SystemItem item);

    QString title() const;
    // What a screen reader says: the title, or the name of the item's picture.
    QString accessibilityLabel() const;
    SystemItem systemItem() const { return system_; }
    void setStyle(Style style);
    Style style() const { return style_; }
    void setEnabled(bool enabled);
    bool isEnabled() const { return enabled_; }
    void setAction(std::function<void()> action) { action_ = std::move(action); }
    // As a tap.
    void trigger();

    // The bar that shows the item redraws it on every change.
    void setChangeHandler(std::function<void()> handler) { changed_ = std::move(handler); }

private:
    void changed();

    QString title_;
    SystemItem system_ = SystemItem::None;
    Style style_ = Style::Bordered;
    bool enabled_ = true;
    std::function<void()> action_;
    std::function<void()> changed_;
};

} // namespace ui

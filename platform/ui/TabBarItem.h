#pragma once

#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QString>

#include <functional>

namespace ui {

class TabBar;

// A tab's title and icon; a disabled item neither looks nor acts enabled.
class TabBarItem : public QObject {
public:
    void setTitle(const QString& title);
    QString title() const { return title_; }
    void setImage(const QPixmap& image);
    QPixmap image() const { return image_; }
    void setEnabled(bool enabled);
    bool isEnabled() const { return enabled_; }
    void setChangeHandler(std::function<void()> handler) { changed_ = std::move(handler); }
    // The bar that shows the item.
    TabBar* bar() const;
    void setBar(TabBar* bar);

private:
    void changed();
    QPointer<TabBar> bar_;
    QString title_;
    QPixmap image_;
    bool enabled_ = true;
    std::function<void()> changed_;
};

} // namespace ui

#pragma once

#include "View.h"
#include "ViewController.h"

#include <QList>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>

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
    TabBar* bar() const { return bar_; }
    void setBar(TabBar* bar) { bar_ = bar; }

private:
    void changed();
    QPointer<TabBar> bar_;
    QString title_;
    QPixmap image_;
    bool enabled_ = true;
    std::function<void()> changed_;
};

// Screens side by side, one shown at a time, chosen by the tabs at the bottom.
class TabBarController : public ViewController {
public:
    TabBarController();

    // The controllers become the tab bar controller's.
    void setViewControllers(const QList<ViewController*>& controllers);
    QList<ViewController*> viewControllers() const;
    void setSelectedIndex(int index);
    int selectedIndex() const { return selected_; }
    ViewController* selectedViewController() const;
    TabBar* tabBar();

    void loadView() override;
    bool accessibilityPerformEscape() override;
    static constexpr int kTabBarHeight = 49;

protected:
    QList<ViewController*> visibleChildren() const override;
    // Hides the bar while the shown screen asks for it.
    bool containedContentChanged() override;

private:
    void layoutContent();

    QList<QPointer<ViewController>> tabs_;
    int selected_ = 0;
    TabBar* bar_ = nullptr;
};

class TabBar : public View {
public:
    explicit TabBar(TabBarController* owner);
    QList<TabBarItem*> items() const;
    void setItems(const QList<TabBarItem*>& items);
    void setSelectedIndex(int index);
    int selectedIndex() const { return selected_; }
    QRect itemRect(int index) const;
    // As a tap on the item: it opens its tab, if it is enabled.
    void selectItem(int index);

protected:
    void draw(QPainter& painter) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TabBarController* owner_;
    QList<QPointer<TabBarItem>> items_;
    int selected_ = 0;
};

} // namespace ui

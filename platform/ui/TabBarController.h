#pragma once

#include "TabBar.h"
#include "TabBarItem.h"
#include "ViewController.h"

#include <QList>
#include <QPointer>

namespace ui {

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

} // namespace ui

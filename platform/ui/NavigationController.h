#pragma once

#include <QPointer>
#include <QVariantAnimation>

#include <functional>

#include "View.h"
#include "ViewController.h"

#include <QList>
#include <QPointer>

namespace ui {

class NavigationBar;

// A stack of screens under a bar with the top screen's title and buttons.
// Pushed screens slide in from the side; a back button pops them.
class NavigationController : public ViewController {
public:
    explicit NavigationController(ViewController* root);

    void pushViewController(ViewController* controller, bool animated);
    void popViewControllerAnimated(bool animated);
    // The back button and the escape gesture: pops the top screen once it
    // has asked about what it holds unsaved.
    void popAskingFirst();
    ViewController* topViewController() const;
    QList<ViewController*> viewControllers() const;
    void setNavigationBarHidden(bool hidden, bool animated);
    bool isNavigationBarHidden() const { return barHidden_; }
    NavigationBar* navigationBar() const { return bar_; }
    enum class BarStyle { Default, Black };
    void setBarStyle(BarStyle style);

    void loadView() override;
    // The top screen's own, or else back to the screen under it.
    bool accessibilityPerformEscape() override;
    // A pushed screen that hides the bottom bar hides it.
    bool asksBottomBarHidden() const override;
    static constexpr int kBarHeight = 44;

protected:
    QList<ViewController*> visibleChildren() const override;

private:
    void layoutContent();
    void updateBar();
    void slide(ViewController* from, ViewController* to, bool forward, bool animated, bool dropFrom);
    // Ends the transition in progress where it was going.
    void settle();

    QList<QPointer<ViewController>> stack_;
    NavigationBar* bar_ = nullptr;
    bool barHidden_ = false;
    int barOffset_ = 0;
    // The screens' slide and the bar's in progress, and how each ends.
    QPointer<QVariantAnimation> slide_;
    std::function<void()> slideFinish_;
    QPointer<QVariantAnimation> barAnimation_;
    std::function<void()> barFinish_;
};

} // namespace ui

#pragma once

#include "View.h"
#include "ViewController.h"

#include <QList>
#include <QPointer>

namespace ui {

class NavigationBar;
class BarButtonItem;
class Button;

// A stack of screens under a bar with the top screen's title and buttons.
// Pushed screens slide in from the side; a back button pops them.
class NavigationController : public ViewController {
public:
    explicit NavigationController(ViewController* root);

    void pushViewController(ViewController* controller, bool animated);
    void popViewControllerAnimated(bool animated);
    ViewController* topViewController() const;
    QList<ViewController*> viewControllers() const;
    void setNavigationBarHidden(bool hidden, bool animated);
    bool isNavigationBarHidden() const { return barHidden_; }
    NavigationBar* navigationBar() const { return bar_; }
    // Bar style 1 is black.
    void setBarStyle(int style);

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

    QList<QPointer<ViewController>> stack_;
    NavigationBar* bar_ = nullptr;
    bool barHidden_ = false;
    int barOffset_ = 0;
};

// The bar itself: title in the middle, buttons at the ends.
class NavigationBar : public View {
public:
    NavigationBar();
    void show(const QString& title, BarButtonItem* left, BarButtonItem* right, const QString& back, std::function<void()> onBack,
        std::function<void()> onTitle = {});
    QRect titleRect() const;
    void setBlack(bool black);
    // The buttons on the bar now (left, right), for tests and the device.
    Button* leftButton() const;
    Button* rightButton() const;
    QString title() const { return title_; }

protected:
    void draw(QPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString title_;
    std::function<void()> onTitle_;
    bool black_ = true;
    QPointer<Button> left_;
    QPointer<Button> right_;
};

} // namespace ui

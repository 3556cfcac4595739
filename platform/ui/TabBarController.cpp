#include "TabBarController.h"

namespace ui {

TabBarController::TabBarController() = default;

void TabBarController::loadView()
{
    auto* container = new View(QRect(0, 0, 320, 460));
    container->setBackgroundColor(Qt::black);
    setView(container);
    bar_ = new TabBar(this);
    container->addSubview(bar_);
    QList<TabBarItem*> items;
    for (ViewController* c : viewControllers())
        items.append(c->tabBarItem());
    bar_->setItems(items);
    bar_->setSelectedIndex(selected_);
    if (ViewController* shown = selectedViewController()) {
        container->addSubview(shown->view());
        shown->view()->show();
    }
    layoutContent();
}

TabBar* TabBarController::tabBar()
{
    view();
    return bar_;
}

void TabBarController::setViewControllers(const QList<ViewController*>& controllers)
{
    tabs_.clear();
    for (ViewController* c : controllers) {
        c->setParent(this);
        tabs_.append(c);
    }
    selected_ = 0;
    if (bar_) {
        QList<TabBarItem*> items;
        for (ViewController* c : viewControllers())
            items.append(c->tabBarItem());
        bar_->setItems(items);
    }
}

QList<ViewController*> TabBarController::viewControllers() const
{
    QList<ViewController*> list;
    for (const auto& c : tabs_)
        if (c)
            list.append(c.data());
    return list;
}

ViewController* TabBarController::selectedViewController() const
{
    const QList<ViewController*> list = viewControllers();
    return selected_ >= 0 && selected_ < list.size() ? list[selected_] : nullptr;
}

QList<ViewController*> TabBarController::visibleChildren() const
{
    ViewController* shown = selectedViewController();
    return shown ? QList<ViewController*>{shown} : QList<ViewController*>{};
}

void TabBarController::setSelectedIndex(int index)
{
    const QList<ViewController*> list = viewControllers();
    if (index < 0 || index >= list.size() || index == selected_)
        return;
    ViewController* from = selectedViewController();
    ViewController* to = list[index];
    const bool onScreen = isViewLoaded() && view()->isVisible();
    if (onScreen) {
        to->beginAppearance(false);
        if (from)
            from->beginDisappearance(false);
    }
    selected_ = index;
    if (bar_) {
        bar_->setSelectedIndex(index);
        if (to->view()->parentWidget() != view())
            view()->addSubview(to->view());
        to->view()->show();
        if (from && from->isViewLoaded())
            from->view()->hide();
        layoutContent();
    }
    if (onScreen) {
        to->endAppearance(false);
        if (from)
            from->endDisappearance(false);
    }
}

bool TabBarController::accessibilityPerformEscape()
{
    ViewController* shown = selectedViewController();
    return shown && shown->accessibilityPerformEscape();
}

bool TabBarController::containedContentChanged()
{
    layoutContent();
    return true;
}

void TabBarController::layoutContent()
{
    if (!isViewLoaded())
        return;
    View* container = view();
    ViewController* shown = selectedViewController();
    const bool hideBar = shown && shown->asksBottomBarHidden();
    bar_->setVisible(!hideBar);
    bar_->setFrame(QRect(0, container->height() - kTabBarHeight, container->width(), kTabBarHeight));
    bar_->raise();
    if (shown)
        shown->view()->setFrame(QRect(0, 0, container->width(), container->height() - (hideBar ? 0 : kTabBarHeight)));
}

} // namespace ui

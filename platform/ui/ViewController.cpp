#include "ViewController.h"

#include "Application.h"
#include "BarButtonItem.h"
#include "NavigationController.h"
#include "NavigationItem.h"
#include "TabBarController.h"
#include "View.h"
#include "Window.h"

#include <cxxabi.h>
#include <cstdlib>
#include <typeinfo>

namespace ui {

ViewController::ViewController() = default;

ViewController::~ViewController()
{
    delete view_.data();
}

View* ViewController::view()
{
    if (!view_) {
        loadView();
        if (!view_)
            view_ = new View(QRect(0, 0, Window::kWidth, Window::kHeight));
        view_->hide();
        viewDidLoad();
    }
    return view_;
}

void ViewController::setView(View* view)
{
    view_ = view;
}

NavigationItem* ViewController::navigationItem()
{
    if (!navigationItem_) {
        navigationItem_ = new NavigationItem;
        navigationItem_->setParent(this);
    }
    return navigationItem_;
}

TabBarItem* ViewController::tabBarItem()
{
    if (!tabBarItem_) {
        tabBarItem_ = new TabBarItem;
        tabBarItem_->setParent(this);
    }
    return tabBarItem_;
}

NavigationController* ViewController::navigationController() const
{
    for (QObject* p = parent(); p; p = p->parent())
        if (auto* n = dynamic_cast<NavigationController*>(p))
            return n;
    return nullptr;
}

TabBarController* ViewController::tabBarController() const
{
    for (QObject* p = parent(); p; p = p->parent())
        if (auto* t = dynamic_cast<TabBarController*>(p))
            return t;
    return nullptr;
}

void ViewController::shownContentChanged()
{
    for (QObject* p = parent(); p; p = p->parent())
        if (auto* c = dynamic_cast<ViewController*>(p); c && c->containedContentChanged())
            return;
}

void ViewController::loadView()
{
    view_ = new View(QRect(0, 0, Window::kWidth, Window::kHeight));
}

void ViewController::presentViewController(ViewController* controller, bool animated)
{
    if (!controller || presented_)
        return;
    controller->setParent(this);
    presented_ = controller;
    controller->presenting_ = this;
    if (Window* window = Application::shared()->keyWindow())
        window->transition(this, controller, controller->modalTransitionStyle(), animated, true);
}

void ViewController::dismissViewController(bool animated)
{
    ViewController* closing = presented_ ? presented_.data() : this;
    ViewController* back = closing->presenting_;
    if (!back)
        return;
    // The closed screen's own presentations go with it.
    back->presented_ = nullptr;
    closing->presenting_ = nullptr;
    if (Window* window = Application::shared()->keyWindow()) {
        window->replaceRoot(closing, back);
        ViewController* top = closing;
        while (top->presented_)
            top = top->presented_;
        window->transition(top, back, closing->modalTransitionStyle(), animated, false);
    }
    closing->deleteLater();
}

void ViewController::setTitle(const QString& title)
{
    title_ = title;
}

QString ViewController::className() const
{
    const char* mangled = typeid(*this).name();
    int status = 0;
    char* readable = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    QString name = QString::fromLatin1(status == 0 && readable ? readable : mangled);
    std::free(readable);
    return name.section(QStringLiteral("::"), -1);
}

void ViewController::beginAppearance(bool animated)
{
    // A screen reader names the screen by its title.
    if (view()->accessibleName().isEmpty()) {
        const QString name = navigationItem_ && !navigationItem_->title().isEmpty() ? navigationItem_->title() : title();
        view()->setAccessibleName(name);
    }
    viewWillAppear(animated);
    for (ViewController* child : visibleChildren())
        child->beginAppearance(animated);
}

void ViewController::endAppearance(bool animated)
{
    viewDidAppear(animated);
    for (ViewController* child : visibleChildren())
        child->endAppearance(animated);
}

void ViewController::beginDisappearance(bool animated)
{
    viewWillDisappear(animated);
    for (ViewController* child : visibleChildren())
        child->beginDisappearance(animated);
}

void ViewController::endDisappearance(bool animated)
{
    viewDidDisappear(animated);
    for (ViewController* child : visibleChildren())
        child->endDisappearance(animated);
}

} // namespace ui

#include "Phone.h"

#include "platform/ui/AlertView.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/Touch.h"
#include "screens/cities/SelectionController.h"
#include "screens/main/MainViewController.h"
#include "screens/common/CustomUITabBarController.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>

Phone::Phone(const QDateTime& now)
    : box(now)
{
}

Phone::~Phone()
{
    window_.reset();
    settle();
}

MainViewController* Phone::start()
{
    window_ = std::make_unique<ui::Window>();
    main_ = new MainViewController;
    window_->setRootViewController(main_);
    window_->makeKeyAndVisible();
    settle();
    return main_;
}

void Phone::wait(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    settle();
}

void Phone::settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void Phone::tap(QWidget* widget)
{
    tap(widget, widget->rect().center());
}

void Phone::tap(QWidget* widget, const QPoint& at)
{
    ui::touch::tap(window_.get(), widget->mapTo(window_.get(), at));
    settle();
}

void Phone::type(const QString& text)
{
    ui::touch::type(window_.get(), text);
    settle();
}

void Phone::pressReturn()
{
    ui::touch::key(window_.get(), Qt::Key_Return);
    settle();
}

QString Phone::alertTitle() const
{
    const QList<ui::AlertView*> alerts = ui::AlertView::visibleAlerts();
    return alerts.isEmpty() ? QString() : alerts.last()->title();
}

bool Phone::answer(const QString& button)
{
    const QList<ui::AlertView*> alerts = ui::AlertView::visibleAlerts();
    if (alerts.isEmpty())
        return false;
    for (ui::Button* b : alerts.last()->buttons()) {
        if (b->currentTitle() == button) {
            tap(b);
            return true;
        }
    }
    return false;
}

CustomUITabBarController* Phone::settings() const
{
    return dynamic_cast<CustomUITabBarController*>(window_->rootViewController());
}

ui::NavigationController* Phone::tabNavigation(int index) const
{
    CustomUITabBarController* tabs = settings();
    return tabs ? dynamic_cast<ui::NavigationController*>(tabs->viewControllers().value(index)) : nullptr;
}

SelectionController* Phone::cities() const
{
    ui::NavigationController* nav = tabNavigation(0);
    return nav ? dynamic_cast<SelectionController*>(nav->viewControllers().value(0)) : nullptr;
}

ui::ViewController* Phone::top(int tab) const
{
    ui::NavigationController* nav = tabNavigation(tab);
    return nav ? nav->topViewController() : nullptr;
}

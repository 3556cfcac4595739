#pragma once

#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

// A phone window with an empty screen in it, for the platform's own tests:
// the pieces under test are put on `screen`'s view and touched through the
// window, as a finger would.
struct TestWindow {
    ui::Window window;
    ui::ViewController* screen = new ui::ViewController;

    TestWindow()
    {
        window.setRootViewController(screen);
        window.makeKeyAndVisible();
    }
    // Lets posted work run: the end of a scroll, deferred deletions.
    static void settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Lets `ms` of real time pass, with the animations it brings.
    static void wait(int ms)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        settle();
    }
    QPoint centre(const QWidget* widget) const { return widget->mapTo(&window, widget->rect().center()); }
};

// A screen that writes down the appearance calls it gets, by its name.
class RecordingScreen : public ui::ViewController {
public:
    RecordingScreen(const QString& name, QStringList* log)
        : name_(name)
        , log_(log)
    {
        setTitle(name);
    }
    void viewWillAppear(bool) override { log_->append(name_ + " will appear"); }
    void viewDidAppear(bool) override { log_->append(name_ + " did appear"); }
    void viewWillDisappear(bool) override { log_->append(name_ + " will disappear"); }
    void viewDidDisappear(bool) override { log_->append(name_ + " did disappear"); }

private:
    QString name_;
    QStringList* log_;
};

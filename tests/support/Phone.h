#pragma once

#include "Sandbox.h"

#include "platform/ui/Window.h"

#include <memory>

class MainViewController;
class CustomUITabBarController;
class SelectionController;
class QWidget;

namespace ui {
class NavigationController;
class ViewController;
} // namespace ui

// The app's screens in a window, started like the app starts them, for tests
// that tap their way through.
class Phone {
public:
    explicit Phone(const QDateTime& now = QDateTime(QDate(2012, 7, 21), QTime(10, 0)));
    ~Phone();

    // Installs the main screen as the root and shows the window.
    MainViewController* start();
    // Lets posted work run: deferred deletions, timers that are due.
    static void settle();
    // Lets `ms` of real time pass, with the events they bring.
    static void wait(int ms);
    // A touch at the middle of `widget`, or at `at` in its own points.
    void tap(QWidget* widget);
    void tap(QWidget* widget, const QPoint& at);
    void type(const QString& text);
    void pressReturn();
    // The title of the alert on top, or empty when none is shown.
    QString alertTitle() const;
    // Taps the button so titled on the alert on top; false when there is
    // no alert or no such button.
    bool answer(const QString& button);

    MainViewController* main() const { return main_; }
    CustomUITabBarController* settings() const;
    ui::NavigationController* tabNavigation(int index) const;
    SelectionController* cities() const;
    ui::ViewController* top(int tab) const;
    ui::Window* window() const { return window_.get(); }

    Sandbox box;

private:
    std::unique_ptr<ui::Window> window_;
    MainViewController* main_ = nullptr;
};

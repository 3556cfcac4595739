#pragma once

#include "platform/ui/Application.h"

#include <memory>

namespace ui {
class Window;
}

// Starts the app and answers the system's lifecycle events.
class AppDelegate : public ui::ApplicationDelegate {
public:
    AppDelegate();
    ~AppDelegate() override;

    bool didFinishLaunching(ui::Application* application) override;
    void didReceiveLocalNotification(ui::Application* application, const notifications::LocalNotification& notification) override;
    void willEnterForeground(ui::Application* application) override;
    void didBecomeActive(ui::Application* application) override;
    void didEnterBackground(ui::Application*) override {}
    void willTerminate(ui::Application*) override {}
    void significantTimeChange(ui::Application* application) override;
    QString statusText(ui::Application* application) override;

    ui::Window* window() const { return window_.get(); }

private:
    void tellAboutTheData();

    std::unique_ptr<ui::Window> window_;
};

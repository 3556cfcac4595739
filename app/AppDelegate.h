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
    QList<ui::StatusMenuItem> statusMenu(ui::Application* application) override;
    void statusMenuChosen(ui::Application* application, const QString& id) override;
    void didReceiveLocalNotificationsWhileAway(ui::Application* application, const QList<notifications::LocalNotification>& given) override;
    // Asks first while the settings hold changes not saved, and while
    // azans are planned (none comes until the app starts again).
    void confirmQuit(ui::Application* application, const std::function<void()>& quit) override;

    // The alert that offers the ways to silence the azans.
    static void offerSilence();
    // The most a return's alert lists; it counts the rest.
    static constexpr int kAwayListed = 10;
    // Over the notifications of the alert that could not be given.
    static constexpr const char* kMissedHeading = "از دست رفته:";
    // The question before quitting while azans are planned.
    static constexpr const char* kQuitTitle = "خروج از کلوارو؟";
    static constexpr const char* kQuit = "خروج";

    ui::Window* window() const { return window_.get(); }

private:
    void tellAboutTheData();
    void tellUnwritable();

    std::unique_ptr<ui::Window> window_;
};

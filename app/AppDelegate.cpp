#include "AppDelegate.h"

#include "calendar/DateKey.h"
#include "calendar/DateTimePersian.h"
#include "calendar/NextPrayer.h"
#include "calendar/PersianCalendar.h"
#include "store/Days.h"
#include "calendar/Utility.h"
#include "notifications/MyNotification.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/Log.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Window.h"
#include "screens/main/MainViewController.h"
#include "store/MyDB.h"

#include <exception>

namespace {
MainViewController* mainScreen(ui::Window* window)
{
    return window ? dynamic_cast<MainViewController*>(window->rootViewController()) : nullptr;
}
} // namespace

AppDelegate::AppDelegate() = default;

AppDelegate::~AppDelegate() = default;

bool AppDelegate::didFinishLaunching(ui::Application*)
{
    window_ = std::make_unique<ui::Window>();
    try {
        MyDB::initialize();
    } catch (const std::exception&) {
        foundation::Log::write(QStringLiteral("asdasd"));
    }
    MyNotification::initialize()->update();
    window_->setRootViewController(new MainViewController);
    window_->makeKeyAndVisible();
    tellAboutTheData();
    return true;
}

void AppDelegate::tellAboutTheData()
{
    // A copy found damaged and rebuilt, no room for the copy or an update:
    // said once.
    if (const std::optional<WorkingCopy::Notice> notice = MyDB::initialize()->takeNotice()) {
        foundation::Log::write(QStringLiteral("told: ") + notice->title + QStringLiteral(": ") + notice->text);
        (new ui::AlertView(notice->title, Utility::ConvertToPersian(notice->text), QStringLiteral("باشه")))->present();
    }
}

void AppDelegate::didReceiveLocalNotification(ui::Application*, const notifications::LocalNotification& notification)
{
    (new ui::AlertView(QString(), notification.alertBody, QStringLiteral("Ok")))->present();
}

void AppDelegate::willEnterForeground(ui::Application*)
{
    // Room may have been made while the app was away.
    MyDB::initialize()->tryAgain();
    tellAboutTheData();
    MyNotification::initialize()->update();
    foundation::Log::write(window_ && window_->rootViewController() ? window_->rootViewController()->className() : QString());
    if (MainViewController* main = mainScreen(window_.get()))
        main->refresh();
}

void AppDelegate::didBecomeActive(ui::Application*)
{
    if (MainViewController* main = mainScreen(window_.get()))
        main->refresh();
}

void AppDelegate::significantTimeChange(ui::Application*)
{
    // As on a return to the foreground: a new day (or a clock set anew)
    // needs its notifications, and the main screen today's date.
    MyNotification::initialize()->update();
    if (MainViewController* main = mainScreen(window_.get()))
        main->refresh();
}

QString AppDelegate::statusText(ui::Application*)
{
    // What the first city's page says of the next time, and when it is.
    const QDateTime now = foundation::Clock::now();
    const QDate today = now.date();
    const std::optional<days::CityDays> city = days::firstWithTimes(DateKey::make(PersianCalendar::fromGregorian(today)), 1);
    if (!city || city->days.isEmpty())
        return QStringLiteral("اذانی در پیش نیست");
    const std::optional<NextPrayer> next = NextPrayer::after(today, city->days.first().t, now);
    if (!next)
        return QStringLiteral("اذانی در پیش نیست");
    const QDateTime at = foundation::Clock::onDevice(next->moment);
    return Utility::ConvertToPersian(next->countdown(now) + QStringLiteral(" به افق ") + city->name + QStringLiteral("\nساعت ")
        + at.toString(QStringLiteral("HH:mm")));
}

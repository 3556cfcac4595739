#include "app/AppDelegate.h"

#include "calendar/Utility.h"

#include "platform/foundation/Clock.h"
#include "platform/notifications/NotificationCenter.h"
#include "notifications/MyNotification.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Window.h"
#include "screens/main/MainViewController.h"
#include "screens/common/CustomUITabBarController.h"
#include "tests/support/Sandbox.h"

#include "platform/foundation/Directories.h"

#include <QCoreApplication>
#include <QFile>

#include <gtest/gtest.h>

namespace {

using notifications::NotificationCenter;

class AppDelegateTest : public ::testing::Test {
protected:
    void launch()
    {
        app->setDelegate(&delegate);
        app->launch();
    }
    void TearDown() override
    {
        for (ui::AlertView* a : ui::AlertView::visibleAlerts())
            a->dismiss();
        app->terminate();
        app->setDelegate(nullptr);
        QCoreApplication::processEvents();
    }
    MainViewController* mainScreen() const { return dynamic_cast<MainViewController*>(delegate.window()->rootViewController()); }

    Sandbox box{foundation::Clock::at(QDate(2012, 7, 21), QTime(23, 50))};
    AppDelegate delegate;
    ui::Application* app = ui::Application::shared();
};

TEST_F(AppDelegateTest, FirstLaunchCopiesTheDatabaseBeforeSchedulingAndOpensTheMainScreen)
{
    // A shipped file that already has a chosen city.
    QTemporaryDir shipped;
    ASSERT_TRUE(QFile::copy(QStringLiteral(KELVARO_RESOURCES "/Icons"), shipped.filePath("Icons")));
    foundation::Directories::setResourcePath(shipped.path());
    const QString documents = foundation::Directories::documentsDirectory();
    foundation::Directories::setDocumentsDirectory(shipped.path());
    ASSERT_TRUE(MyDB("Icons").ExecuteNonQuery("INSERT INTO tSelectedStates VALUES(39, 1)"));
    foundation::Directories::setDocumentsDirectory(documents);
    MyDB::resetShared();
    ASSERT_FALSE(QFile::exists(documents + "/Icons"));
    launch();
    EXPECT_TRUE(QFile::exists(MyDB::initialize()->dbPath));
    EXPECT_FALSE(NotificationCenter::shared()->scheduledLocalNotifications().isEmpty());
    ASSERT_NE(mainScreen(), nullptr);
    EXPECT_EQ(mainScreen()->pageCount(), 1);
    EXPECT_TRUE(delegate.window()->isVisible());
    foundation::Directories::setResourcePath(QStringLiteral(KELVARO_RESOURCES));
}

TEST_F(AppDelegateTest, ANotificationInFrontShowsExactlyOneAlert)
{
    box.choose({Sandbox::kTehran});
    launch();
    const auto before = NotificationCenter::shared()->scheduledLocalNotifications();
    const int pages = mainScreen()->pageCount();
    app->deliver({QDateTime::currentDateTime(), "اذان صبح به افق تهران", "Ok", "0.wav", {}});
    ASSERT_EQ(ui::AlertView::visibleAlerts().size(), 1);
    EXPECT_EQ(ui::AlertView::visibleAlerts()[0]->message(), "اذان صبح به افق تهران");
    EXPECT_EQ(ui::AlertView::visibleAlerts()[0]->buttonTitle(), "Ok");
    EXPECT_EQ(NotificationCenter::shared()->scheduledLocalNotifications(), before);
    EXPECT_EQ(mainScreen()->pageCount(), pages);
    ui::AlertView::visibleAlerts()[0]->dismiss();
    EXPECT_TRUE(ui::AlertView::visibleAlerts().isEmpty());
}

TEST_F(AppDelegateTest, ReturningAfterMidnightReschedulesThenShowsTheNewDay)
{
    box.choose({Sandbox::kTehran});
    box.exec("UPDATE tSetting SET Item1 = 1, Item0 = 0, Item2 = 0");
    launch();
    EXPECT_EQ(mainScreen()->localDtp().getPersianDate(), "910431");
    app->enterBackground();
    box.setNow(foundation::Clock::at(QDate(2012, 7, 22), QTime(0, 10)));
    box.log.clear();
    app->enterForeground();
    EXPECT_EQ(mainScreen()->localDtp().getPersianDate(), "910501");
    // Rebuilt first (its log lines), then the class name of the root.
    ASSERT_GE(box.log.size(), 2);
    EXPECT_TRUE(box.log.first().startsWith("22 7 2012 / "));
    EXPECT_EQ(box.log.last(), "MainViewController");
    EXPECT_EQ(NotificationCenter::shared()->scheduledLocalNotifications().first().fireDate.date(), QDate(2012, 7, 22));
}

TEST_F(AppDelegateTest, BackgroundAndTerminationChangeNothing)
{
    box.choose({Sandbox::kTehran});
    launch();
    auto read = [](const QString& path) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    };
    const QByteArray db = read(MyDB::initialize()->dbPath);
    const QByteArray pending = read(NotificationCenter::shared()->storePath());
    app->enterBackground();
    app->terminate();
    EXPECT_EQ(read(MyDB::initialize()->dbPath), db);
    EXPECT_EQ(read(NotificationCenter::shared()->storePath()), pending);
}

TEST_F(AppDelegateTest, WithTheSettingsOpenTheForegroundRefreshesNothing)
{
    // No chosen city: the settings open by themselves.
    launch();
    QCoreApplication::processEvents();
    ASSERT_NE(dynamic_cast<CustomUITabBarController*>(delegate.window()->rootViewController()), nullptr);
    app->enterBackground();
    box.log.clear();
    app->enterForeground();
    EXPECT_EQ(box.log.last(), "CustomUITabBarController");
}

TEST_F(AppDelegateTest, ANewDayOrAClockJumpReschedulesAndRefreshesTheMainScreen)
{
    box.choose({Sandbox::kTehran});
    box.exec("UPDATE tSetting SET Item1 = 1, Item0 = 0, Item2 = 0");
    launch();
    // Left open over midnight, never sent to the background.
    box.setNow(foundation::Clock::at(QDate(2012, 7, 22), QTime(0, 0)));
    box.log.clear();
    app->significantTimeChange();
    EXPECT_EQ(mainScreen()->localDtp().getPersianDate(), "910501");
    ASSERT_FALSE(box.log.isEmpty());
    EXPECT_TRUE(box.log.first().startsWith("22 7 2012 / ")) << box.log.first().toStdString();
    const auto pending = NotificationCenter::shared()->scheduledLocalNotifications();
    ASSERT_EQ(pending.size(), 5);
    EXPECT_EQ(pending.last().fireDate.date(), QDate(2012, 7, 26));

    // A clock set back a week shows that week.
    box.setNow(foundation::Clock::at(QDate(2012, 7, 15), QTime(9, 0)));
    app->significantTimeChange();
    EXPECT_EQ(mainScreen()->localDtp().getPersianDate(), "910425");
    EXPECT_EQ(NotificationCenter::shared()->scheduledLocalNotifications().first().fireDate.date(), QDate(2012, 7, 15));
}

TEST_F(AppDelegateTest, WithTheSettingsOpenATimeChangeReschedulesOnly)
{
    launch();
    QCoreApplication::processEvents();
    ASSERT_NE(dynamic_cast<CustomUITabBarController*>(delegate.window()->rootViewController()), nullptr);
    box.choose({Sandbox::kTehran});
    box.exec("UPDATE tSetting SET Item1 = 1");
    app->significantTimeChange();
    EXPECT_FALSE(NotificationCenter::shared()->scheduledLocalNotifications().isEmpty());
    ASSERT_NE(dynamic_cast<CustomUITabBarController*>(delegate.window()->rootViewController()), nullptr);
}

TEST_F(AppDelegateTest, TheStatusSaysWhatTheFirstCitysPageSaysOfTheNextTime)
{
    box.choose({Sandbox::kTehran});
    box.setNow(foundation::Clock::at(QDate(2012, 7, 21), QTime(10, 0)));
    launch();
    // Noon at 13:11 by the summer clock.
    EXPECT_EQ(delegate.statusText(app), Utility::ConvertToPersian("3 ساعت و 11 دقیقه تا اذان ظهر به افق تهران\nساعت 13:11"));
    // After the evening azan: the next dawn.
    box.setNow(foundation::Clock::at(QDate(2012, 7, 21), QTime(21, 0)));
    EXPECT_EQ(delegate.statusText(app), Utility::ConvertToPersian("7 ساعت و 24 دقیقه تا اذان صبح به افق تهران\nساعت 04:24"));
    // No city: nothing to wait for.
    box.exec("DELETE FROM tSelectedStates");
    EXPECT_EQ(delegate.statusText(app), "اذانی در پیش نیست");
}

ui::AlertView* shownAlert()
{
    const QList<ui::AlertView*> alerts = ui::AlertView::visibleAlerts();
    return alerts.isEmpty() ? nullptr : alerts.last();
}

void press(ui::AlertView* alert, const QString& title)
{
    for (ui::Button* b : alert->buttons())
        if (b->currentTitle() == title)
            b->sendActions(ui::ControlEvent::TouchUpInside);
    QCoreApplication::processEvents();
}

TEST_F(AppDelegateTest, WhatWasMissedIsToldAtTheStartAndInFrontWithItsTime)
{
    box.choose({Sandbox::kTehran});
    const QDateTime noon = foundation::Clock::at(QDate(2012, 7, 21), QTime(13, 11));
    // Missed while the app was not running: told once it has started.
    app->missed({{noon, "اذان ظهر به افق تهران", "Ok", "0.wav", {}}});
    launch();
    ui::AlertView* alert = shownAlert();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), "در نبود شما");
    EXPECT_EQ(alert->message(), Utility::ConvertToPersian("از دست رفته:\n13:11  اذان ظهر به افق تهران"));
    press(alert, "باشه");
    // In front (the machine woke): at once; another day says its date.
    app->missed({{noon.addDays(-1), "اذان مغرب به افق تهران\nمتن", "Ok", "0.wav", {}}});
    ASSERT_NE(shownAlert(), nullptr);
    EXPECT_EQ(shownAlert()->message(), Utility::ConvertToPersian("از دست رفته:\n30 تیر 1391 13:11  اذان مغرب به افق تهران"));
    press(shownAlert(), "باشه");
    // Out of sight: one given is the desktop's to tell; with one missed,
    // both are listed on the return, the missed one under its heading.
    app->enterBackground();
    app->deliver({noon.addSecs(60), "یادآوری", "Ok", "0.wav", {}});
    app->missed({{noon.addSecs(120), "اذان", "Ok", "0.wav", {}}});
    EXPECT_EQ(shownAlert(), nullptr);
    app->enterForeground();
    ASSERT_NE(shownAlert(), nullptr);
    EXPECT_EQ(shownAlert()->message(), Utility::ConvertToPersian("13:12  یادآوری\nاز دست رفته:\n13:13  اذان"));
}

TEST_F(AppDelegateTest, QuittingAsksWhileAzansArePlanned)
{
    box.choose({Sandbox::kTehran});
    box.exec("UPDATE tSetting SET Item0 = 0, Item1 = 1, Item2 = 0, Item3 = 0, Item4 = 0, Item5 = 0");
    int quits = 0;
    app->setQuitHandler([&quits] { ++quits; });
    launch();
    app->requestQuit();
    ASSERT_NE(shownAlert(), nullptr);
    EXPECT_EQ(shownAlert()->title(), QString::fromUtf8(AppDelegate::kQuitTitle));
    // Asked again, one question; staying quits nothing.
    app->requestQuit();
    EXPECT_EQ(ui::AlertView::visibleAlerts().size(), 1);
    shownAlert()->dismiss();
    EXPECT_EQ(quits, 0);
    app->requestQuit();
    press(shownAlert(), QString::fromUtf8(AppDelegate::kQuit));
    EXPECT_EQ(quits, 1);
    // No azan planned (a reminder is no azan): at once.
    box.exec("UPDATE tSetting SET Item1 = 0, Item3 = 10");
    MyNotification::initialize()->update();
    app->requestQuit();
    EXPECT_EQ(shownAlert(), nullptr);
    EXPECT_EQ(quits, 2);
    app->setQuitHandler({});
}

} // namespace

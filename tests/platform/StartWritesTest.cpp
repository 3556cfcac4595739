// A start writes the pending list once at the most: what came due while the
// app was away and the app's first plan are one change of the list.
#include "platform/device/System.h"

#include "app/AppDelegate.h"
#include "platform/foundation/AtomicFile.h"
#include "platform/foundation/Clock.h"
#include "platform/ui/AlertView.h"
#include "tests/support/Sandbox.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

class StartWritesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/kelvaro-test-bus"); }
    void SetUp() override
    {
        box.choose({Sandbox::kTehran});
        box.exec("UPDATE tSetting SET Item0 = 1, Item1 = 1, Item2 = 1, Item4 = 10, Item7 = '08:00'");
        system.center->setDeliveryHandler([this](const notifications::LocalNotification&) { ++fired; });
    }
    void TearDown() override
    {
        system.center->setDeliveryHandler({});
        for (ui::AlertView* a : ui::AlertView::visibleAlerts())
            a->dismiss();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // One start of the app as the device starts it; the syncs it cost.
    int start()
    {
        ui::Application* app = ui::Application::shared();
        AppDelegate delegate;
        app->setDelegate(&delegate);
        const int before = foundation::AtomicFile::syncs();
        system.launch(app);
        const int syncs = foundation::AtomicFile::syncs() - before;
        app->terminate();
        app->setDelegate(nullptr);
        system.center->stop();
        return syncs;
    }

    Sandbox box{foundation::Clock::at(QDate(2026, 12, 8), QTime(10, 0))};
    device::System system;
    int fired = 0;
};

TEST_F(StartWritesTest, AStartThatChangesNothingWritesNothing)
{
    // The first start plans the list and writes it: a file and its folder.
    EXPECT_EQ(start(), 2);
    ASSERT_FALSE(system.center->scheduledLocalNotifications().isEmpty());
    EXPECT_LE(start(), 1);
}

TEST_F(StartWritesTest, AStartAfterTimeAwayWritesTheListOnce)
{
    start();
    // Away for a day: some came due (missed), and a new day is planned.
    foundation::Clock::freeze(foundation::Clock::now().addDays(1));
    const QList<notifications::LocalNotification> before = system.center->scheduledLocalNotifications();
    EXPECT_LE(start(), 2);
    EXPECT_NE(system.center->scheduledLocalNotifications(), before);
    EXPECT_TRUE(std::any_of(box.log.begin(), box.log.end(), [](const QString& l) { return l.startsWith("missed: "); }));
    // One that was due within the minute fires, once.
    const notifications::LocalNotification next = system.center->scheduledLocalNotifications().first();
    foundation::Clock::freeze(next.fireDate.addSecs(30));
    // The list once, and once the record of what was given (each a file
    // and its folder).
    EXPECT_LE(start(), 4);
    EXPECT_EQ(fired, 1);
    start();
    EXPECT_EQ(fired, 1);
}

} // namespace

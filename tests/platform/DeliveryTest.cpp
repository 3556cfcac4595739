#include "platform/device/Notifier.h"

#include "app/AppDelegate.h"
#include "platform/audio/SoundFile.h"
#include "platform/foundation/Clock.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Label.h"
#include "platform/ui/Window.h"
#include "tests/support/Sandbox.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

using notifications::LocalNotification;

class DeliveryTest : public ::testing::Test {
protected:
    // No desktop notification service here, whatever the machine has.
    static void SetUpTestSuite() { qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/kelvaro-test-bus"); }
    void SetUp() override
    {
        box.choose({Sandbox::kTehran});
        app->setDelegate(&delegate);
        app->launch();
    }
    void TearDown() override
    {
        for (ui::AlertView* a : ui::AlertView::visibleAlerts())
            a->dismiss();
        settle();
        app->terminate();
        app->setDelegate(nullptr);
    }
    static void settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static LocalNotification azan(const QString& sound, const QString& text = "اذان ظهر به افق تهران")
    {
        return {foundation::Clock::now(), text, "Ok", sound, {}};
    }
    QList<ui::Label*> banners() const
    {
        QList<ui::Label*> list;
        // Views have no meta-object of their own: cast them the C++ way.
        for (QWidget* child : delegate.window()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            auto* label = dynamic_cast<ui::Label*>(child);
            if (label && label->isVisible() && label->text().startsWith("اذان"))
                list.append(label);
        }
        return list;
    }

    Sandbox box{foundation::Clock::at(QDate(2012, 7, 21), QTime(13, 11))};
    AppDelegate delegate;
    ui::Application* app = ui::Application::shared();
    device::Notifier notifier;
};

// In front with "Ok" until the sound ends: tests/e2e/azan_in_front.sh.
TEST_F(DeliveryTest, OneSoundAtATimeAndOnlyPlainResourceNames)
{
    notifier.deliver(azan("3.wav"));
    notifier.deliver(azan("1.wav", "تا اذان مغرب تنها ١٠ دقیقه زمان باقیست"));
    ASSERT_EQ(ui::AlertView::visibleAlerts().size(), 2);
    EXPECT_EQ(notifier.sound().current(), "1.wav");
    // Ok on the first alert leaves the second's sound alone.
    ui::AlertView::visibleAlerts()[0]->dismiss();
    settle();
    EXPECT_EQ(notifier.sound().current(), "1.wav");

    for (const QString& name : QStringList{"../Documents/Icons", "/etc/passwd", "nope.wav"}) {
        notifier.deliver(azan(name));
        EXPECT_EQ(notifier.sound().current(), audio::SoundFile::kDefault) << name.toStdString();
    }
    notifier.sound().stop();
    box.log.clear();
    notifier.deliver(azan(""));
    EXPECT_FALSE(notifier.sound().isPlaying());
    EXPECT_TRUE(box.log.filter("sound").isEmpty());
}

TEST_F(DeliveryTest, WithoutANotificationServiceTheBannerGoesWhereItCanBeSeen)
{
    app->enterBackground();
    notifier.deliver(azan("3.wav"));
    settle();
    EXPECT_TRUE(ui::AlertView::visibleAlerts().isEmpty());
    EXPECT_TRUE(box.log.contains("banner: اذان ظهر به افق تهران"));
    EXPECT_EQ(banners().size(), 1);
    EXPECT_TRUE(notifier.sound().isPlaying());

    // Minimised: no one would see a banner in the window; the log says so once.
    delegate.window()->showMinimized();
    notifier.deliver(azan("3.wav"));
    notifier.deliver(azan("3.wav"));
    settle();
    EXPECT_EQ(banners().size(), 1);
    EXPECT_EQ(box.log.filter("no notification service").size(), 1);
}

} // namespace

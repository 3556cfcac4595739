#include "platform/notifications/NotificationCenter.h"

#include "platform/foundation/Clock.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using notifications::LocalNotification;
using notifications::NotificationCenter;

LocalNotification at(const QDateTime& moment, const QString& body, const QString& sound = "0.wav")
{
    return {moment, body, "Ok", sound, {{"someKey", "someValue"}}};
}

class NotificationCenterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        foundation::Clock::freeze(foundation::Clock::at(QDate(2012, 7, 21), QTime(4, 0)));
        center->setStorePath(path);
        center->cancelAllLocalNotifications();
        center->setDeliveryHandler([this](const LocalNotification& n) { delivered.append(n); });
    }
    void TearDown() override
    {
        center->stop();
        center->setDeliveryHandler({});
        center->setStorePath(QString());
        foundation::Clock::reset();
    }

    QTemporaryDir dir;
    QString path = dir.filePath("Library/notifications.json");
    NotificationCenter* center = NotificationCenter::shared();
    QList<LocalNotification> delivered;
};

TEST_F(NotificationCenterTest, PendingListSurvivesARestartInFireOrder)
{
    center->scheduleLocalNotification(at(foundation::Clock::at(QDate(2012, 7, 22), QTime(4, 24)), "b"));
    center->scheduleLocalNotification(at(foundation::Clock::at(QDate(2012, 7, 21), QTime(20, 37)), "a\nline", ".wav"));
    center->setStorePath(QString());
    EXPECT_TRUE(center->scheduledLocalNotifications().isEmpty());
    center->setStorePath(path);
    const QList<LocalNotification> list = center->scheduledLocalNotifications();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].alertBody, "a\nline");
    EXPECT_EQ(list[0].soundName, ".wav");
    EXPECT_EQ(list[0].userInfo.value("someKey"), "someValue");
    EXPECT_EQ(list[1].fireDate, foundation::Clock::at(QDate(2012, 7, 22), QTime(4, 24)));
    EXPECT_EQ(NotificationCenter::describe(list), "2012-07-21T20:37  .wav  a\\nline\n2012-07-22T04:24  0.wav  b\n");
}

TEST_F(NotificationCenterTest, EachNotificationFiresOnceWhenTheClockReachesIt)
{
    center->scheduleLocalNotification(at(foundation::Clock::at(QDate(2012, 7, 21), QTime(4, 5)), "dawn"));
    center->scheduleLocalNotification(at(foundation::Clock::at(QDate(2012, 7, 21), QTime(13, 0)), "noon"));
    center->check();
    EXPECT_TRUE(delivered.isEmpty());
    foundation::Clock::advance(5 * 60);
    center->check();
    center->check();
    ASSERT_EQ(delivered.size(), 1);
    EXPECT_EQ(delivered[0].alertBody, "dawn");
    // What fired is off the list on disk too: a restart does not fire it again.
    center->setStorePath(path);
    center->check();
    EXPECT_EQ(delivered.size(), 1);
    EXPECT_EQ(center->scheduledLocalNotifications().size(), 1);
}

TEST_F(NotificationCenterTest, NotificationsDueWhileNotRunningFireOnceAtStart)
{
    center->scheduleLocalNotification(at(foundation::Clock::at(QDate(2012, 7, 21), QTime(3, 0)), "late"));
    center->scheduleLocalNotification(at(foundation::Clock::at(QDate(2012, 7, 21), QTime(2, 0)), "later"));
    center->setStorePath(path);
    center->start();
    ASSERT_EQ(delivered.size(), 2);
    EXPECT_EQ(delivered[0].alertBody, "later");
    center->start();
    EXPECT_EQ(delivered.size(), 2);
}

TEST_F(NotificationCenterTest, AHandlerThatReschedulesDoesNotRefireWhatIsDue)
{
    center->scheduleLocalNotification(at(foundation::Clock::at(QDate(2012, 7, 21), QTime(3, 0)), "due"));
    center->setDeliveryHandler([this](const LocalNotification& n) {
        delivered.append(n);
        center->cancelAllLocalNotifications();
        center->scheduleLocalNotification(at(foundation::Clock::at(QDate(2012, 7, 22), QTime(3, 0)), "tomorrow"));
    });
    center->check();
    center->check();
    EXPECT_EQ(delivered.size(), 1);
    EXPECT_EQ(center->scheduledLocalNotifications().size(), 1);
}

TEST_F(NotificationCenterTest, TheListOnDiskIsAlwaysWhole)
{
    center->scheduleLocalNotification(at(foundation::Clock::at(QDate(2012, 7, 21), QTime(5, 0)), "one"));
    // A damaged file reads as an empty list rather than stopping the service.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[{\"fireDate\": \"2012-07-2");
    file.close();
    center->setStorePath(path);
    EXPECT_TRUE(center->scheduledLocalNotifications().isEmpty());
    center->scheduleLocalNotification(at(foundation::Clock::at(QDate(2012, 7, 21), QTime(5, 0)), "two"));
    center->setStorePath(path);
    ASSERT_EQ(center->scheduledLocalNotifications().size(), 1);
    EXPECT_EQ(center->scheduledLocalNotifications()[0].alertBody, "two");
    EXPECT_TRUE(QDir(dir.filePath("Library")).entryList(QDir::Files | QDir::Hidden).contains("notifications.json"));
    EXPECT_EQ(QDir(dir.filePath("Library")).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

} // namespace

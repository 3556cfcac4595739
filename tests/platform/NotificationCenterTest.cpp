#include "platform/notifications/NotificationCenter.h"

#include "platform/foundation/Clock.h"
#include "platform/foundation/Log.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

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
        center->setMissedHandler([this](const QList<LocalNotification>& list) { missed.append(list); });
        foundation::Log::setSink([this](const QString& line) { log.append(line); });
    }
    void TearDown() override
    {
        foundation::Log::setSink({});
        center->stop();
        center->setDeliveryHandler({});
        center->setMissedHandler({});
        center->setStorePath(QString());
        foundation::Clock::reset();
    }

    QTemporaryDir dir;
    QString path = dir.filePath("Library/notifications.json");
    NotificationCenter* center = NotificationCenter::shared();
    QList<LocalNotification> delivered;
    // Told as missed, each call's list in turn.
    QList<QList<LocalNotification>> missed;
    QStringList log;
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

TEST_F(NotificationCenterTest, NotificationsDueWhileNotRunningFireOnceAtStartOnlyWithinAMinute)
{
    center->scheduleLocalNotification(at(foundation::Clock::at(QDate(2012, 7, 21), QTime(3, 59)), "just due"));
    center->scheduleLocalNotification(at(foundation::Clock::at(QDate(2012, 7, 21), QTime(3, 58, 59)), "a second too late"));
    center->scheduleLocalNotification(at(foundation::Clock::at(QDate(2012, 7, 21), QTime(2, 0)), "hours late\nline"));
    center->setStorePath(path);
    log.clear();
    center->start();
    ASSERT_EQ(delivered.size(), 1);
    EXPECT_EQ(delivered[0].alertBody, "just due");
    EXPECT_EQ(log.filter("missed: ").size(), 2);
    EXPECT_TRUE(log.contains("missed: 2012-07-21T02:00  0.wav  hours late\\nline")) << log.join('\n').toStdString();
    EXPECT_TRUE(log.contains("missed: 2012-07-21T03:58  0.wav  a second too late"));
    // Told as missed together, in fire order, once.
    ASSERT_EQ(missed.size(), 1);
    ASSERT_EQ(missed[0].size(), 2);
    EXPECT_EQ(missed[0][0].alertBody, "hours late\nline");
    EXPECT_EQ(missed[0][1].alertBody, "a second too late");
    // Missed is gone for good, on disk too.
    center->setStorePath(path);
    center->start();
    EXPECT_EQ(missed.size(), 1);
    EXPECT_EQ(delivered.size(), 1);
    EXPECT_TRUE(center->scheduledLocalNotifications().isEmpty());
}

TEST_F(NotificationCenterTest, AMachineThatSleptPastAMomentDropsIt)
{
    center->scheduleLocalNotification(at(foundation::Clock::at(QDate(2012, 7, 21), QTime(4, 5)), "dawn"));
    center->scheduleLocalNotification(at(foundation::Clock::at(QDate(2012, 7, 21), QTime(4, 30)), "later"));
    foundation::Clock::advance(20 * 60);
    center->check();
    EXPECT_TRUE(delivered.isEmpty());
    EXPECT_EQ(log.filter("missed: ").size(), 1);
    ASSERT_EQ(missed.size(), 1);
    EXPECT_EQ(missed[0].value(0).alertBody, "dawn");
    foundation::Clock::advance(10 * 60);
    center->check();
    ASSERT_EQ(delivered.size(), 1);
    EXPECT_EQ(delivered[0].alertBody, "later");
}

TEST_F(NotificationCenterTest, AHandlerThatReschedulesDoesNotRefireWhatIsDue)
{
    center->scheduleLocalNotification(at(foundation::Clock::at(QDate(2012, 7, 21), QTime(4, 0)), "due"));
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

QByteArray contents(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

ino_t inode(const QString& file)
{
    struct stat st{};
    return ::stat(QFile::encodeName(file).constData(), &st) == 0 ? st.st_ino : 0;
}

TEST_F(NotificationCenterTest, ABatchIsWrittenOnceAtItsEndAndNotAtAllWhenNothingChanged)
{
    const QDateTime noon = foundation::Clock::at(QDate(2012, 7, 21), QTime(13, 11));
    const QDateTime evening = foundation::Clock::at(QDate(2012, 7, 21), QTime(20, 37));
    center->scheduleLocalNotification(at(noon, "noon"));
    const QByteArray before = contents(path);
    auto rebuild = [&] {
        const QByteArray onDisk = contents(path);
        center->beginUpdate();
        center->cancelAllLocalNotifications();
        center->scheduleLocalNotification(at(noon, "noon"));
        center->scheduleLocalNotification(at(evening, "evening"));
        // Nothing reaches the disk halfway.
        EXPECT_EQ(contents(path), onDisk);
        center->endUpdate();
    };
    rebuild();
    const QByteArray after = contents(path);
    EXPECT_NE(after, before);
    center->setStorePath(path);
    EXPECT_EQ(center->scheduledLocalNotifications().size(), 2);

    // The same list again: the file is not replaced.
    const ino_t written = inode(path);
    rebuild();
    EXPECT_EQ(inode(path), written);
    EXPECT_EQ(contents(path), after);

    // Batches nest; the outer end writes.
    center->beginUpdate();
    center->beginUpdate();
    center->cancelAllLocalNotifications();
    center->endUpdate();
    EXPECT_EQ(contents(path), after);
    center->endUpdate();
    center->setStorePath(path);
    EXPECT_TRUE(center->scheduledLocalNotifications().isEmpty());
}

TEST_F(NotificationCenterTest, ARebuildAtTheMomentOfANotificationGivesItExactlyOnce)
{
    const QDateTime now = foundation::Clock::now();
    const QDateTime tomorrow = now.addDays(1);
    auto rebuild = [&](bool again) {
        const NotificationCenter::Batch batch(center);
        center->cancelAllLocalNotifications();
        // A scheduler keeps moments not earlier than now: this one again.
        if (again)
            center->scheduleLocalNotification(at(now, "due", "1.wav"));
        center->scheduleLocalNotification(at(tomorrow, "tomorrow"));
    };

    // Due but not yet given when the rebuild comes: not lost, not doubled.
    center->scheduleLocalNotification(at(now, "due"));
    rebuild(true);
    center->check();
    center->check();
    ASSERT_EQ(delivered.size(), 1);
    EXPECT_EQ(delivered[0].soundName, "0.wav");

    // Given already: the rebuild that schedules it again does not repeat it.
    rebuild(true);
    center->check();
    EXPECT_EQ(delivered.size(), 1);

    // Due a few seconds ago and not given: a rebuild that no longer
    // schedules it does not cancel it either.
    foundation::Clock::advance(20);
    center->scheduleLocalNotification(at(now.addSecs(10), "just past"));
    rebuild(false);
    center->check();
    ASSERT_EQ(delivered.size(), 2);
    EXPECT_EQ(delivered[1].alertBody, "just past");
    EXPECT_EQ(center->scheduledLocalNotifications().size(), 1);

    // Outside a batch, cancel is cancel.
    center->scheduleLocalNotification(at(now.addSecs(15), "cancelled"));
    center->cancelAllLocalNotifications();
    center->check();
    EXPECT_EQ(delivered.size(), 2);
}

TEST_F(NotificationCenterTest, TheListKeepsTheSixtyFourSoonest)
{
    const QDateTime start = foundation::Clock::at(QDate(2012, 7, 22), QTime(0, 0));
    // Scheduled latest first.
    for (int i = 69; i >= 0; --i)
        center->scheduleLocalNotification(at(start.addSecs(i * 3600), QString::number(i)));
    QList<LocalNotification> list = center->scheduledLocalNotifications();
    ASSERT_EQ(list.size(), NotificationCenter::kMaxPending);
    EXPECT_EQ(list.first().alertBody, "0");
    EXPECT_EQ(list.last().alertBody, "63");
    center->setStorePath(path);
    EXPECT_EQ(center->scheduledLocalNotifications(), list);
}

TEST_F(NotificationCenterTest, EntriesOfTheWrongTypeAreSkipped)
{
    const QString good = "2012-07-21T13:11:00+04:30";
    QJsonArray list{
        42,
        "text",
        QJsonObject{{"fireDate", 1342862460}, {"alertBody", "number date"}},
        QJsonObject{{"fireDate", "not a date"}, {"alertBody", "bad date"}},
        QJsonObject{{"fireDate", good}, {"alertBody", QJsonArray{"a"}}},
        QJsonObject{{"fireDate", good}, {"alertBody", "sound"}, {"soundName", 3}},
        QJsonObject{{"fireDate", good}, {"alertBody", "info"}, {"userInfo", "x"}},
        QJsonObject{{"fireDate", good}, {"alertBody", "kept"}, {"soundName", "1.wav"}},
        QJsonObject{{"fireDate", "2012-07-21T20:37"}},
    };
    QDir().mkpath(dir.filePath("Library"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(list).toJson());
    file.close();
    center->setStorePath(path);
    const QList<LocalNotification> loaded = center->scheduledLocalNotifications();
    ASSERT_EQ(loaded.size(), 2);
    EXPECT_EQ(loaded[0].alertBody, "kept");
    EXPECT_EQ(loaded[0].soundName, "1.wav");
    EXPECT_EQ(loaded[1].fireDate, foundation::Clock::at(QDate(2012, 7, 21), QTime(20, 37)));
    EXPECT_TRUE(loaded[1].alertBody.isEmpty());
}

TEST_F(NotificationCenterTest, AFileFarBeyondAnyListIsNotRead)
{
    QDir().mkpath(dir.filePath("Library"));
    QJsonArray many;
    const QDateTime start = foundation::Clock::at(QDate(2012, 7, 22), QTime(0, 0));
    for (int i = 999; i >= 0; --i)
        many.append(QJsonObject{{"fireDate", start.addSecs(i * 60).toOffsetFromUtc(16200).toString(Qt::ISODate)}, {"alertBody", QString::number(i)}});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(many).toJson());
    file.close();
    center->setStorePath(path);
    ASSERT_EQ(center->scheduledLocalNotifications().size(), NotificationCenter::kMaxPending);
    EXPECT_EQ(center->scheduledLocalNotifications().first().alertBody, "0");

    // Past the size any list of ours can have: not parsed at all.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Append));
    file.write(QByteArray(NotificationCenter::kMaxFileBytes, ' '));
    file.close();
    log.clear();
    center->setStorePath(path);
    EXPECT_TRUE(center->scheduledLocalNotifications().isEmpty());
    EXPECT_EQ(log.size(), 1);
}

// Runs `body` in a child process (for limits that must not touch the test
// itself); its exit status, 0 when `body` held.
int inChild(const std::function<bool()>& body)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body() ? 0 : 1);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

class FailedSaveTest : public NotificationCenterTest {
protected:
    void SetUp() override
    {
        NotificationCenterTest::SetUp();
        center->scheduleLocalNotification(at(foundation::Clock::at(QDate(2012, 7, 21), QTime(13, 11)), "old"));
        old = contents(path);
        ASSERT_FALSE(old.isEmpty());
    }
    // A rebuild with a long list, in a child under `limit`: it must say once
    // that it could not save.
    bool rebuildSaysItFailed(const std::function<void()>& limit)
    {
        return inChild([&] {
            limit();
            log.clear();
            {
                const NotificationCenter::Batch batch(center);
                center->cancelAllLocalNotifications();
                for (int i = 0; i < 30; ++i)
                    center->scheduleLocalNotification(at(foundation::Clock::at(QDate(2012, 7, 22), QTime(4, i)), QString(200, QChar(0x627))));
            }
            return log.size() == 1 && log[0].startsWith("cannot save the pending notifications");
        }) == 0;
    }
    void expectOldListKept()
    {
        EXPECT_EQ(contents(path), old);
        EXPECT_EQ(QDir(dir.filePath("Library")).entryList(QDir::Files | QDir::Hidden), QStringList{"notifications.json"});
        center->setStorePath(path);
        ASSERT_EQ(center->scheduledLocalNotifications().size(), 1);
        EXPECT_EQ(center->scheduledLocalNotifications()[0].alertBody, "old");
    }
    QByteArray old;
};

TEST_F(FailedSaveTest, AFullDiskKeepsTheOldList)
{
    ASSERT_TRUE(rebuildSaysItFailed([] {
        // A disk with room for a few hundred bytes.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{512, 512};
        ::setrlimit(RLIMIT_FSIZE, &small);
    }));
    expectOldListKept();
}

TEST_F(FailedSaveTest, AReadOnlyFolderKeepsTheOldList)
{
    ASSERT_EQ(::chmod(QFile::encodeName(dir.filePath("Library")).constData(), 0555), 0);
    const bool failed = rebuildSaysItFailed([] {
        // Without its capabilities even root meets the folder's mode.
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct none[2] = {};
        ::syscall(SYS_capset, &header, none);
    });
    ::chmod(QFile::encodeName(dir.filePath("Library")).constData(), 0755);
    EXPECT_TRUE(failed);
    expectOldListKept();
}

} // namespace

#include "notifications/MyNotification.h"

#include "platform/foundation/Clock.h"
#include "platform/foundation/Random.h"
#include "platform/notifications/NotificationCenter.h"
#include "tests/support/Sandbox.h"

#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

using notifications::LocalNotification;

QList<LocalNotification> pending()
{
    return notifications::NotificationCenter::shared()->scheduledLocalNotifications();
}

QList<LocalNotification> withSound(const QString& sound)
{
    QList<LocalNotification> list;
    for (const LocalNotification& n : pending())
        if (n.soundName == sound)
            list.append(n);
    return list;
}

QTime clock(const QString& stored)
{
    const QStringList p = stored.split(':');
    return QTime(p[0].toInt(), p[1].toInt());
}

class MyNotificationTest : public ::testing::Test {
protected:
    // All alarms off, recording 0, no events notice.
    void settings(const QString& assignments)
    {
        box.exec("UPDATE tSetting SET Item0 = 0, Item1 = 0, Item2 = 0, Item3 = 0, Item4 = 0, Item5 = 0, Item6 = 0, Item7 = '0'");
        if (!assignments.isEmpty())
            box.exec("UPDATE tSetting SET " + assignments);
    }
    QString stored(int stateId, const QString& key, const QString& column)
    {
        return box.scalar(QStringLiteral("SELECT %1 FROM tTimes WHERE StateID = %2 AND Date = %3").arg(column).arg(stateId).arg(key));
    }
    void update() { MyNotification::initialize()->update(); }

    // 1391/4/31, day 124: summer time.
    Sandbox box{foundation::Clock::at(QDate(2012, 7, 21), QTime(0, 0))};
};

TEST_F(MyNotificationTest, DawnAzanFiresAtTheStoredTimeWithTheSummerHour)
{
    box.choose({Sandbox::kTehran});
    settings("Item0 = 1");
    update();
    const QList<LocalNotification> list = pending();
    ASSERT_EQ(list.size(), 5);
    const LocalNotification& first = list.first();
    EXPECT_EQ(first.fireDate, foundation::Clock::at(QDate(2012, 7, 21), clock(stored(Sandbox::kTehran, "910431", "T1")).addSecs(3600)));
    EXPECT_EQ(first.alertBody, "اذان صبح به افق تهران");
    EXPECT_EQ(first.soundName, "0.wav");
    EXPECT_EQ(first.alertAction, "Ok");
    EXPECT_EQ(first.userInfo.value("someKey").toString(), "someValue");
    // One per day, on five consecutive days.
    EXPECT_EQ(list.last().fireDate.date(), QDate(2012, 7, 25));
    const QString line = QString::asprintf("21 7 2012 / %d:%d - 0 - 0.wav", first.fireDate.time().hour(), first.fireDate.time().minute());
    EXPECT_TRUE(box.log.contains(line)) << box.log.join('\n').toStdString();
}

TEST_F(MyNotificationTest, OnlyTheFirstChosenCityIsFollowed)
{
    box.choose({Sandbox::kMashhad, Sandbox::kTehran, Sandbox::kTabriz});
    settings("Item0 = 1, Item1 = 1, Item2 = 1");
    update();
    ASSERT_EQ(pending().size(), 15);
    for (const LocalNotification& n : pending())
        EXPECT_TRUE(n.alertBody.endsWith("به افق مشهد")) << n.alertBody.toStdString();
    EXPECT_EQ(pending()[1].alertBody, "اذان ظهر به افق مشهد");
    EXPECT_EQ(pending()[2].alertBody, "اذان مغرب به افق مشهد");
}

TEST_F(MyNotificationTest, SunriseReminderMinutesBeforeOnAnUnshiftedDay)
{
    // 1391/7/10, day 196: standard time.
    box.setNow(foundation::Clock::at(QDate(2012, 10, 1), QTime(0, 0)));
    box.choose({Sandbox::kTehran});
    box.exec("UPDATE tTimes SET T2 = '5:50' WHERE StateID = 39 AND Date = 910710");
    settings("Item3 = 10");
    update();
    const QList<LocalNotification> reminders = withSound("alarm.wav");
    ASSERT_EQ(reminders.size(), 5);
    EXPECT_EQ(reminders.first().fireDate, foundation::Clock::at(QDate(2012, 10, 1), QTime(5, 40)));
    EXPECT_EQ(reminders.first().alertBody, QString::fromUtf16(u"تا طلوع آفتاب تنها \u0661\u0660 دقیقه زمان باقیست"));
}

TEST_F(MyNotificationTest, RemindersOfSaharAndIftarCountBackFromTheAzans)
{
    box.choose({Sandbox::kTehran});
    settings("Item4 = 15, Item5 = 1");
    update();
    const QDateTime dawn = foundation::Clock::at(QDate(2012, 7, 21), clock(stored(Sandbox::kTehran, "910431", "T1")).addSecs(3600));
    const QDateTime evening = foundation::Clock::at(QDate(2012, 7, 21), clock(stored(Sandbox::kTehran, "910431", "T5")).addSecs(3600));
    ASSERT_EQ(withSound("7.wav").size(), 5);
    EXPECT_EQ(withSound("7.wav").first().fireDate, dawn.addSecs(-15 * 60));
    EXPECT_EQ(withSound("7.wav").first().alertBody, QString::fromUtf16(u"تا اذان صبح تنها \u0661\u0665 دقیقه زمان باقیست"));
    // 1 means at the time itself.
    EXPECT_EQ(withSound(".wav").first().fireDate, evening);
    EXPECT_EQ(withSound(".wav").first().alertBody, QString::fromUtf16(u"تا اذان مغرب تنها \u0661 دقیقه زمان باقیست"));
}

TEST_F(MyNotificationTest, UserMadeCityMovesTheCentresTimesByItsOffsets)
{
    const int city = box.makeCity("شهرک", Sandbox::kTehranProvince, {3, 0, 0, 0, -2, 0});
    box.choose({city});
    settings("Item0 = 1, Item2 = 1, Item4 = 10, Item5 = 10");
    update();
    const QDateTime dawn = foundation::Clock::at(QDate(2012, 7, 21), clock(stored(Sandbox::kTehran, "910431", "T1")).addSecs(3600 + 3 * 60));
    const QDateTime evening = foundation::Clock::at(QDate(2012, 7, 21), clock(stored(Sandbox::kTehran, "910431", "T5")).addSecs(3600 - 2 * 60));
    const QList<LocalNotification> azans = withSound("0.wav");
    // The offsets row takes one of the five rows: four days.
    ASSERT_EQ(azans.size(), 8);
    EXPECT_EQ(azans[0].fireDate, dawn);
    EXPECT_EQ(azans[0].alertBody, "اذان صبح به افق شهرک");
    EXPECT_EQ(azans[1].fireDate, evening);
    EXPECT_EQ(withSound("7.wav").first().fireDate, dawn.addSecs(-600));
    EXPECT_EQ(withSound(".wav").first().fireDate, evening.addSecs(-600));
}

TEST_F(MyNotificationTest, MomentsAlreadyPastAreSkipped)
{
    box.setNow(foundation::Clock::at(QDate(2012, 7, 21), QTime(12, 0)));
    box.choose({Sandbox::kTehran});
    settings("Item0 = 1, Item2 = 1");
    update();
    const QList<LocalNotification> list = pending();
    ASSERT_EQ(list.size(), 9);
    EXPECT_EQ(list[0].alertBody, "اذان مغرب به افق تهران");
    EXPECT_EQ(list[0].fireDate.date(), QDate(2012, 7, 21));
    EXPECT_EQ(list[1].alertBody, "اذان صبح به افق تهران");
    EXPECT_EQ(list[1].fireDate.date(), QDate(2012, 7, 22));
}

TEST_F(MyNotificationTest, SummerHourAppliesUpToDay185)
{
    // 1391/6/30 is day 185, the last day of summer time.
    box.setNow(foundation::Clock::at(QDate(2012, 9, 20), QTime(0, 0)));
    box.choose({Sandbox::kTehran});
    settings("Item1 = 1");
    update();
    const QList<LocalNotification> list = pending();
    ASSERT_EQ(list.size(), 5);
    EXPECT_EQ(list[0].fireDate, foundation::Clock::at(QDate(2012, 9, 20), clock(stored(Sandbox::kTehran, "910630", "T3")).addSecs(3600)));
    EXPECT_EQ(list[1].fireDate, foundation::Clock::at(QDate(2012, 9, 21), clock(stored(Sandbox::kTehran, "910631", "T3"))));
}

TEST_F(MyNotificationTest, RandomRecordingDrawsOneOfTheSevenForEachAzan)
{
    foundation::Random::seed(7);
    box.choose({Sandbox::kTehran});
    settings("Item0 = 1, Item1 = 1, Item2 = 1, Item6 = 7");
    update();
    QSet<QString> sounds;
    for (const LocalNotification& n : pending()) {
        EXPECT_TRUE(QRegularExpression("^[0-6]\\.wav$").match(n.soundName).hasMatch()) << n.soundName.toStdString();
        sounds.insert(n.soundName);
    }
    EXPECT_GT(sounds.size(), 1);
}

TEST_F(MyNotificationTest, EventsNoticeAtTheSetClockTimeOnEveryDayWithEvents)
{
    // 1391/6/29: the notices straddle the end of summer time.
    box.setNow(foundation::Clock::at(QDate(2012, 9, 19), QTime(0, 0)));
    box.choose({Sandbox::kTehran});
    settings("Item7 = '21:05'");
    box.exec("UPDATE tEvents SET Description = 'a@b' WHERE Date = 910629");
    box.exec("UPDATE tEvents SET Description = NULL WHERE Date = 910630");
    update();
    const QList<LocalNotification> notices = withSound("times.wav");
    ASSERT_EQ(notices.size(), 5);
    EXPECT_EQ(notices[0].alertBody, "وقایع امروز : \na-b");
    for (const LocalNotification& n : notices)
        EXPECT_EQ(n.fireDate.time(), QTime(21, 5)) << n.fireDate.toString().toStdString();
    // 30 Shahrivar (NULL) and 1 to 6 Mehr (empty) have no events, and no notice.
    EXPECT_EQ(notices[1].fireDate.date(), QDate(2012, 9, 21));
    for (const LocalNotification& n : notices)
        EXPECT_NE(n.fireDate.date(), QDate(2012, 9, 20));
    EXPECT_TRUE(box.log.contains("21:05"));
}

TEST_F(MyNotificationTest, EventsNoticeOffSchedulesNone)
{
    box.choose({Sandbox::kTehran});
    settings("Item0 = 1");
    update();
    EXPECT_TRUE(withSound("times.wav").isEmpty());
}

TEST_F(MyNotificationTest, NoChosenCitySchedulesNothingAtAll)
{
    settings("Item0 = 1, Item7 = '08:00'");
    box.choose({Sandbox::kTehran});
    update();
    ASSERT_FALSE(pending().isEmpty());
    box.exec("DELETE FROM tSelectedStates");
    update();
    EXPECT_TRUE(pending().isEmpty());
}

TEST_F(MyNotificationTest, RebuildingIsIdempotentAndBounded)
{
    box.choose({Sandbox::kTehran});
    settings("Item0 = 1, Item1 = 1, Item2 = 1, Item3 = 5, Item4 = 60, Item5 = 30, Item7 = '08:00'");
    update();
    const QList<LocalNotification> once = pending();
    update();
    EXPECT_EQ(pending(), once);
    EXPECT_EQ(once.size(), 35);
}

TEST_F(MyNotificationTest, DawnOnTheFirstOfFarvardin1391IsStandardTime)
{
    // The clocks moved at the end of 1 Farvardin 1391, not before it.
    box.setNow(foundation::Clock::at(QDate(2012, 3, 20), QTime(0, 0)));
    box.choose({Sandbox::kTehran});
    settings("Item0 = 1");
    update();
    const QList<LocalNotification> list = pending();
    ASSERT_EQ(list.size(), 5);
    EXPECT_EQ(list[0].fireDate, foundation::Clock::at(QDate(2012, 3, 20), QTime(4, 44)));
    EXPECT_EQ(list[1].fireDate, foundation::Clock::at(QDate(2012, 3, 21), clock(stored(Sandbox::kTehran, "910102", "T1")).addSecs(3600)));
}

TEST_F(MyNotificationTest, TheDaysRunOnAcrossTheEndOfTheYear)
{
    // 27 Esfand 1404: three days of 1404, then 1 and 2 Farvardin 1405.
    box.setNow(foundation::Clock::at(QDate(2026, 3, 18), QTime(0, 0)));
    box.choose({Sandbox::kTehran});
    settings("Item1 = 1, Item7 = '09:00'");
    update();
    const QList<LocalNotification> noons = withSound("0.wav");
    ASSERT_EQ(noons.size(), 5);
    const QStringList keys = {"1041227", "1041228", "1041229", "1050101", "1050102"};
    for (int i = 0; i < 5; ++i) {
        const QDate day = QDate(2026, 3, 18).addDays(i);
        // No summer time since 1402.
        EXPECT_EQ(noons[i].fireDate, foundation::Clock::at(day, clock(stored(Sandbox::kTehran, keys[i], "T3")))) << i;
    }
    // The events notices too: 29 Esfand, then Nowruz.
    const QList<LocalNotification> notices = withSound("times.wav");
    ASSERT_FALSE(notices.isEmpty());
    QStringList days;
    for (const LocalNotification& n : notices)
        days.append(n.fireDate.date().toString(Qt::ISODate));
    EXPECT_TRUE(days.contains("2026-03-20"));
    EXPECT_TRUE(days.contains("2026-03-21"));
}

TEST_F(MyNotificationTest, TheNightsTheClocksChangeLoseNothing)
{
    // 30 Shahrivar 1401, the last summer: at 24:00 summer time the clocks
    // went back to 23:00, and every moment stays one moment.
    box.setNow(foundation::Clock::at(QDate(2022, 9, 21), QTime(0, 0)));
    box.choose({Sandbox::kTehran});
    settings("Item2 = 1, Item7 = '23:30'");
    update();
    const QList<LocalNotification> evenings = withSound("0.wav");
    ASSERT_EQ(evenings.size(), 5);
    EXPECT_EQ(evenings[0].fireDate, foundation::Clock::at(QDate(2022, 9, 21), clock(stored(Sandbox::kTehran, "1010630", "T5")).addSecs(3600)));
    EXPECT_EQ(evenings[1].fireDate, foundation::Clock::at(QDate(2022, 9, 22), clock(stored(Sandbox::kTehran, "1010631", "T5"))));
    for (const LocalNotification& n : withSound("times.wav"))
        EXPECT_EQ(n.fireDate.time(), QTime(23, 30)) << n.fireDate.toString(Qt::ISODate).toStdString();

    // 2 Farvardin 1391 began at 01:00: a notice set for 00:30 comes at 01:30.
    box.setNow(foundation::Clock::at(QDate(2012, 3, 20), QTime(12, 0)));
    settings("Item7 = '00:30'");
    box.exec("UPDATE tEvents SET Description = 'x' WHERE Date = 910102");
    update();
    const QList<LocalNotification> notices = withSound("times.wav");
    ASSERT_FALSE(notices.isEmpty());
    EXPECT_EQ(notices[0].fireDate.toUTC(), QDateTime(QDate(2012, 3, 20), QTime(21, 0), Qt::UTC));
}

TEST_F(MyNotificationTest, TodayIn1405)
{
    box.setNow(foundation::Clock::at(QDate(2026, 12, 7), QTime(10, 0)));
    box.choose({Sandbox::kTehran});
    settings("Item0 = 1, Item1 = 1, Item2 = 1");
    update();
    const QList<LocalNotification> list = pending();
    ASSERT_EQ(list.size(), 14);
    EXPECT_EQ(list[0].alertBody, "اذان ظهر به افق تهران");
    EXPECT_EQ(list[0].fireDate, foundation::Clock::at(QDate(2026, 12, 7), clock(stored(Sandbox::kTehran, "1050916", "T3"))));
    EXPECT_EQ(list[1].fireDate, foundation::Clock::at(QDate(2026, 12, 7), clock(stored(Sandbox::kTehran, "1050916", "T5"))));
    EXPECT_EQ(list[2].fireDate, foundation::Clock::at(QDate(2026, 12, 8), clock(stored(Sandbox::kTehran, "1050917", "T1"))));
}

TEST_F(MyNotificationTest, ALockedDatabaseLeavesThePendingListAsItWas)
{
    box.choose({Sandbox::kTehran});
    settings("Item0 = 1, Item1 = 1");
    update();
    const QList<LocalNotification> before = pending();
    ASSERT_EQ(before.size(), 10);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(box.db()->dbPath.toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    box.log.clear();
    update();
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(pending(), before);
    EXPECT_TRUE(box.log.contains("the notifications stay as they were: the database could not be read"));
}

TEST_F(MyNotificationTest, SettingsDamagedFromOutsideReadAsTheDefaults)
{
    box.choose({Sandbox::kTehran});
    // A recording that does not exist, a reminder after sunrise.
    settings("Item0 = 1, Item3 = -30, Item6 = 42");
    update();
    ASSERT_EQ(pending().size(), 5);
    for (const LocalNotification& n : pending())
        EXPECT_EQ(n.soundName, "0.wav");
    EXPECT_TRUE(withSound("alarm.wav").isEmpty());
}

TEST_F(MyNotificationTest, AUserMadeCityWithoutOffsetsGetsNoTimesRatherThanItsCentres)
{
    const int city = box.makeCity("شهرک", Sandbox::kTehranProvince, {3, 0, 0, 0, -2, 0});
    box.exec(QStringLiteral("DELETE FROM tTimes WHERE StateID = %1").arg(city));
    box.choose({city});
    settings("Item0 = 1, Item1 = 1, Item2 = 1");
    update();
    EXPECT_TRUE(pending().isEmpty());
}

} // namespace

#include "notifications/MyNotification.h"

#include "calendar/PersianCalendar.h"

#include "platform/foundation/Clock.h"
#include "platform/foundation/Random.h"
#include "platform/notifications/NotificationCenter.h"
#include "store/Cities.h"
#include "store/Reminders.h"
#include "store/Silence.h"
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

TEST_F(MyNotificationTest, UserMadeCityMovesTheCentresTimesByItsOffsets)
{
    const int city = box.makeCity("شهرک", Sandbox::kTehranProvince, {3, 0, 0, 0, -2, 0});
    box.choose({city});
    settings("Item0 = 1, Item2 = 1, Item4 = 10, Item5 = 10");
    update();
    const QDateTime dawn = foundation::Clock::at(QDate(2012, 7, 21), clock(stored(Sandbox::kTehran, "910431", "T1")).addSecs(3600 + 3 * 60));
    const QDateTime evening = foundation::Clock::at(QDate(2012, 7, 21), clock(stored(Sandbox::kTehran, "910431", "T5")).addSecs(3600 - 2 * 60));
    const QList<LocalNotification> azans = withSound("0.wav");
    // Five days, as for a centre.
    ASSERT_EQ(azans.size(), 10);
    EXPECT_EQ(azans[0].fireDate, dawn);
    EXPECT_EQ(azans[0].alertBody, "اذان صبح به افق شهرک");
    EXPECT_EQ(azans[1].fireDate, evening);
    EXPECT_EQ(withSound("7.wav").first().fireDate, dawn.addSecs(-600));
    EXPECT_EQ(withSound(".wav").first().fireDate, evening.addSecs(-600));
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

TEST_F(MyNotificationTest, TheFirstChosenCityThatHasTimesIsFollowed)
{
    // A city of the user's own that lost its offsets, a province chosen by
    // a damaged row, an id with no city: the notifications follow Tehran,
    // the first that has times, as its page shows them.
    const int city = box.makeCity("شهرک", Sandbox::kTehranProvince, {3, 0, 0, 0, -2, 0});
    box.exec(QStringLiteral("DELETE FROM tTimes WHERE StateID = %1").arg(city));
    box.choose({city, Sandbox::kTehranProvince, 9999, Sandbox::kTehran, Sandbox::kMashhad});
    settings("Item0 = 1, Item1 = 1, Item2 = 1");
    update();
    ASSERT_EQ(pending().size(), 15);
    for (const LocalNotification& n : pending())
        EXPECT_TRUE(n.alertBody.endsWith("به افق تهران")) << n.alertBody.toStdString();
    // Alone, such a city has nothing to follow.
    box.exec("DELETE FROM tSelectedStates WHERE StateID IN (39, 42)");
    update();
    EXPECT_TRUE(pending().isEmpty());
}

TEST_F(MyNotificationTest, TheDatasLastNightEndsWithItsDawnAzanAndNothingComesAfter)
{
    box.choose({Sandbox::kTehran});
    settings("Item0 = 1, Item1 = 1, Item2 = 1, Item3 = 10, Item7 = '08:00'");
    // 29 Esfand 1410, the last day: its own times, and the next morning's
    // dawn azan and sunrise reminder, which the data holds as the last
    // day's next dawn and sunrise; nothing else of 1 Farvardin 1411.
    const QDate last = PersianCalendar::toGregorian(PersianCalendar::lastDataDay());
    box.setNow(foundation::Clock::at(last, QTime(0, 0)));
    update();
    ASSERT_FALSE(pending().isEmpty());
    QStringList next;
    for (const LocalNotification& n : pending())
        if (n.fireDate.date() != last)
            next.append(n.alertBody);
    EXPECT_EQ(next, (QStringList{"اذان صبح به افق تهران", "تا طلوع آفتاب تنها ١٠ دقیقه زمان باقیست"}));
    // 1 Farvardin 1411, which the screens say is outside the data: that
    // morning still, nothing after it.
    box.setNow(foundation::Clock::at(last.addDays(1), QTime(0, 0)));
    update();
    // (What was due before the clock moved on still fires, once.)
    const auto ahead = [this] {
        QList<LocalNotification> list;
        for (const LocalNotification& n : pending())
            if (n.fireDate > foundation::Clock::now())
                list.append(n);
        return list;
    };
    ASSERT_EQ(ahead().size(), 2);
    for (const LocalNotification& n : ahead())
        EXPECT_EQ(n.fireDate.date(), last.addDays(1)) << n.alertBody.toStdString();
    box.setNow(foundation::Clock::at(last.addDays(1), QTime(12, 0)));
    update();
    EXPECT_TRUE(ahead().isEmpty());
}

} // namespace

namespace {

TEST_F(MyNotificationTest, SilenceForHoursSilencesTheAzansWithinThemToTheMinute)
{
    box.choose({Sandbox::kTehran});
    settings("Item0 = 1, Item1 = 1, Item2 = 1");
    // 1391/4/31 at 11:20:40 with the summer hour: two hours end at 13:20,
    // on the minute; noon (13:11) lies within them, the evening azan not.
    foundation::Clock::freeze(foundation::Clock::at(QDate(2012, 7, 21), QTime(11, 20, 40)));
    ASSERT_TRUE(MyNotification::initialize()->silence(MyNotification::Silencing::TwoHours));
    const Silence s = Silence::load();
    EXPECT_EQ(s.until, foundation::Clock::at(QDate(2012, 7, 21), QTime(13, 20)));
    QStringList silent;
    for (const LocalNotification& n : pending())
        if (n.soundName.isEmpty())
            silent.append(n.alertBody + n.fireDate.toString(" HH:mm"));
    EXPECT_EQ(silent, QStringList{"اذان ظهر به افق تهران 13:11"});
    // The next azan, asked twice, is still the one: the evening's.
    ASSERT_TRUE(MyNotification::initialize()->silence(MyNotification::Silencing::NextAzan));
    const std::optional<QDateTime> skipped = Silence::load().skip;
    ASSERT_TRUE(skipped.has_value());
    ASSERT_TRUE(MyNotification::initialize()->silence(MyNotification::Silencing::NextAzan));
    EXPECT_EQ(Silence::load().skip, skipped);
    ASSERT_TRUE(MyNotification::initialize()->silence(MyNotification::Silencing::Off));
    EXPECT_EQ(Silence::load(), Silence{});
    // A moment kept on a clock at UTC itself reads back.
    const Silence utc{QDateTime(QDate(2012, 7, 21), QTime(9, 0), Qt::UTC), std::nullopt};
    ASSERT_TRUE(Silence::save(utc));
    EXPECT_EQ(Silence::load().skip, utc.skip);
}

TEST_F(MyNotificationTest, AReminderByDateComesWithoutACityThatHasTimes)
{
    settings("Item0 = 1");
    reminders::DateReminder r;
    r.repeat = reminders::DateReminder::Repeat::Once;
    r.year = 1391;
    r.month = 5;
    r.day = 1;
    r.text = QStringLiteral("دیدار");
    r.time = {9, 0};
    ASSERT_TRUE(reminders::save(r));
    update();
    const QList<LocalNotification> list = pending();
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0].alertBody, "یادآوری: دیدار");
    EXPECT_EQ(list[0].fireDate, foundation::Clock::at(QDate(2012, 7, 22), QTime(9, 0)));
}

TEST(Silence, NoLongerThanTheScreensOffer)
{
    const QDateTime now(QDate(2026, 12, 8), QTime(22, 0), QTimeZone("Asia/Tehran"));
    const QDateTime dawn = now.addSecs(7 * 3600 + 17 * 60);
    auto until = [](const QDateTime& m) { return Silence{std::nullopt, m}; };
    // Until the next dawn, and four hours that end after it, stay.
    EXPECT_EQ(until(dawn).bounded(now, dawn), until(dawn));
    const QDateTime early = now.addSecs(6 * 3600);
    const QDateTime fourHours = early.addSecs(4 * 3600);
    EXPECT_EQ(until(fourHours).bounded(early, dawn), until(fourHours));
    // Years ahead, or a day ahead after the clock went back: the next dawn.
    EXPECT_EQ(until(QDateTime(QDate(9999, 12, 31), QTime(0, 0), Qt::UTC)).bounded(now, dawn), until(dawn));
    EXPECT_EQ(until(dawn.addDays(3)).bounded(now, dawn), until(dawn));
    // Without a dawn known, a day; a skip of one azan is left as it is.
    EXPECT_EQ(until(now.addDays(30)).bounded(now, std::nullopt), until(now.addSecs(Silence::kLongestSecs)));
    const Silence skip{now.addDays(30), std::nullopt};
    EXPECT_EQ(skip.bounded(now, dawn), skip);
}

TEST_F(MyNotificationTest, ASilenceStoredYearsAheadEndsAtTheNextDawnAzan)
{
    box.choose({Sandbox::kTehran});
    settings("Item0 = 1, Item1 = 1, Item2 = 1");
    foundation::Clock::freeze(foundation::Clock::at(QDate(2012, 7, 21), QTime(22, 0)));
    box.exec("INSERT OR REPLACE INTO tPreferences(Key, Value) VALUES('Silence:Until', '9999-12-31T00:00:00+03:30')");
    update();
    const QDateTime dawn = days::cityTimes(Sandbox::kTehran, 910501, 1).value().value(0).moment(DayTime::Dawn);
    EXPECT_EQ(Silence::load().until, dawn);
    EXPECT_TRUE(box.log.join('\n').contains("lasts longer than any the user can ask for")) << box.log.join('\n').toStdString();
    // The dawn azan sounds, and every one after it.
    ASSERT_FALSE(pending().isEmpty());
    EXPECT_EQ(pending().first().fireDate, dawn);
    for (const LocalNotification& n : pending())
        EXPECT_FALSE(n.soundName.isEmpty()) << n.alertBody.toStdString();
}

TEST_F(MyNotificationTest, TheCityChosenForTheAzansIsFollowedByItsShownName)
{
    box.choose({Sandbox::kTehran, Sandbox::kMashhad});
    settings("Item0 = 1, Item1 = 1, Item2 = 1");
    ASSERT_TRUE(cities::chooseAzanCity(Sandbox::kMashhad));
    update();
    ASSERT_EQ(pending().size(), 15);
    for (const LocalNotification& n : pending())
        EXPECT_TRUE(n.alertBody.endsWith("به افق مشهد")) << n.alertBody.toStdString();
    // A place whose name another province has too is named with its own.
    const QString yazd = box.scalar("SELECT p.PlaceID FROM tPlaces p JOIN tStates s ON s.StateID = p.ProvinceID WHERE p.Name = 'اردکان' AND s.Name = 'یزد'");
    ASSERT_TRUE(cities::choosePlace(yazd.toInt()));
    ASSERT_TRUE(cities::chooseAzanCity(box.scalar("SELECT MAX(StateID) FROM tStates").toInt()));
    update();
    EXPECT_EQ(pending()[1].alertBody, "اذان ظهر به افق اردکان (یزد)");
}

} // namespace

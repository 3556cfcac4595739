// Reminders that count from the moments the sun stands in line with the
// Qibla: planned from the city's place, each moment by its own name, read
// back only as they may be made, and scheduled through the store.
#include "notifications/MyNotification.h"
#include "notifications/Planner.h"

#include "calendar/DateKey.h"
#include "calendar/PersianCalendar.h"
#include "geodesy/Qibla.h"
#include "platform/notifications/NotificationCenter.h"
#include "store/Reminders.h"
#include "tests/support/Sandbox.h"

#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

const QTimeZone kIran("Asia/Tehran");

planner::Input daysAt(const QDate& start, int count, const QString& city, const Place& place)
{
    planner::Input in;
    in.settings = Settings::defaults();
    in.settings.alarms = {0, 0, 0, 0, 0, 0};
    in.zone = kIran;
    in.cityName = city;
    in.now = QDateTime(start, QTime(0, 0), kIran);
    for (int i = 0; i < count; ++i)
        in.days.append({DateKey::make(PersianCalendar::fromGregorian(start.addDays(i))),
            {ClockTime{5, 30}, ClockTime{7, 0}, ClockTime{12, 0}, ClockTime{17, 0}, ClockTime{17, 20}, ClockTime{23, 15}, ClockTime{5, 31},
                ClockTime{7, 1}}});
    in.random = [] { return 0u; };
    in.place = place;
    return in;
}

QStringList fired(const planner::Input& in)
{
    QStringList list;
    for (const planner::Planned& p : planner::plan(in))
        list.append(p.notification.fireDate.toTimeZone(kIran).toString("yyyy-MM-dd HH:mm ") + p.notification.alertBody);
    return list;
}

const Place kTehran{35.694, 51.421};
const Place kZahedan{29.4963, 60.8629};

} // namespace

TEST(SunQiblaReminder, ComesBeforeOrAtEachOfTheDaysMoments)
{
    // 17 Azar 1405 in Tehran: the sun in line at 14:33 (as the Qibla screen
    // says), nothing behind.
    planner::Input in = daysAt(QDate(2026, 12, 8), 1, "تهران", kTehran);
    ASSERT_EQ(planner::sunQiblaMoments(QDate(2026, 12, 8), kTehran).size(), 1);
    in.reminders = {{3, reminders::DayTime::SunQibla, -10, {}, false}};
    EXPECT_EQ(fired(in), QStringList{"2026-12-08 14:23 ١٠ دقیقه تا خورشید در راستای قبله به افق تهران"});
    EXPECT_EQ(planner::plan(in).first().notification.soundName, "alarm.wav");
    EXPECT_EQ(planner::plan(in).first().notification.userInfo.value(planner::kReminderKey).toInt(), 3);
    in.reminders = {{3, reminders::DayTime::SunQibla, 0, {}, false}};
    EXPECT_EQ(fired(in), QStringList{"2026-12-08 14:33 خورشید در راستای قبله به افق تهران"});

    // Zahedan in June: the sun behind it in the morning, so that shadows
    // point the way, and in line in the afternoon, each by its name; in
    // December, neither.
    planner::Input summer = daysAt(QDate(2026, 6, 21), 1, "زاهدان", kZahedan);
    summer.reminders = {{4, reminders::DayTime::SunQibla, 0, {}, false}};
    const QStringList both = fired(summer);
    ASSERT_EQ(both.size(), 2);
    EXPECT_TRUE(both[0].endsWith("سایه در راستای قبله به افق زاهدان")) << both[0].toStdString();
    EXPECT_TRUE(both[1].endsWith("خورشید در راستای قبله به افق زاهدان")) << both[1].toStdString();
    EXPECT_LT(both[0], both[1]);
    planner::Input winter = daysAt(QDate(2026, 12, 21), 1, "زاهدان", kZahedan);
    winter.reminders = summer.reminders;
    EXPECT_TRUE(fired(winter).isEmpty());

    // Without the city's place, none; a moment already past, none.
    in.place.reset();
    EXPECT_TRUE(fired(in).isEmpty());
    in.place = kTehran;
    in.now = QDateTime(QDate(2026, 12, 8), QTime(14, 34), kIran);
    EXPECT_TRUE(fired(in).isEmpty());
}

TEST(SunQiblaReminder, IsReadBackOnlyBeforeOrAt)
{
    reminders::TimeReminder before{1, reminders::DayTime::SunQibla, -15, {Qt::Friday}, false};
    EXPECT_EQ(reminders::timeReminderFrom(reminders::toText(before)).value_or(reminders::TimeReminder{}).time, reminders::DayTime::SunQibla);
    // One stored "after" (by hand, or by a version that allowed it) is left
    // out, as any reminder that cannot be read.
    reminders::TimeReminder after = before;
    after.minutes = 15;
    EXPECT_FALSE(reminders::timeReminderFrom(reminders::toText(after)));
    EXPECT_FALSE(reminders::timeReminderFrom(R"({"time":7,"minutes":0,"weekdays":[],"ramadan":false})"));
    EXPECT_EQ(reminders::dayTimeName(reminders::DayTime::SunQibla), "خورشید در راستای قبله");
    EXPECT_EQ(reminders::sunQiblaName(true), "سایه در راستای قبله");
    EXPECT_EQ(before.summary(), QString::fromUtf8("١٥ دقیقه پیش از خورشید در راستای قبله، جمعه‌ها"));
}

TEST(SunQiblaReminder, IsScheduledForTheFirstChosenCity)
{
    Sandbox box(QDateTime(QDate(2026, 12, 8), QTime(9, 0), kIran));
    box.choose({Sandbox::kTehran});
    reminders::TimeReminder r{0, reminders::DayTime::SunQibla, -10, {}, false};
    ASSERT_TRUE(reminders::save(r));
    MyNotification::initialize()->update();
    QStringList pending;
    for (const notifications::LocalNotification& n : notifications::NotificationCenter::shared()->scheduledLocalNotifications())
        if (n.alertBody.contains("قبله"))
            pending.append(n.fireDate.toTimeZone(kIran).toString("yyyy-MM-dd HH:mm ") + n.alertBody);
    // Five days planned ahead, each with its moment.
    ASSERT_EQ(pending.size(), MyNotification::kDays);
    EXPECT_EQ(pending.first(), "2026-12-08 14:23 ١٠ دقیقه تا خورشید در راستای قبله به افق تهران");
}

// The scheduler's scenarios, as data: tests/data/scheduler-vectors.tsv.
#include "notifications/Planner.h"

#include "calendar/DateKey.h"
#include "calendar/LunarCalendar.h"
#include "calendar/PersianCalendar.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A day of times from the texts the store would hold.
days::Times dayOf(int key, const QStringList& times)
{
    days::Times day{key, {}};
    for (int k = 0; k < kTimesOnPage; ++k)
        day.stored[static_cast<size_t>(k)] = ClockTime::readStrict(times.value(k));
    return day;
}


struct Scenario {
    QString what;
    planner::Input input;
    QList<std::uint32_t> draws;
    QStringList expected;
};

QList<Scenario> readScenarios()
{
    QFile file(QStringLiteral(KELVARO_SOURCE_DIR "/tests/data/scheduler-vectors.tsv"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QList<Scenario> list;
    Scenario s;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cells = line.split(QLatin1Char('\t'));
        const QString& kind = cells[0];
        planner::Input& in = s.input;
        if (kind == "scenario") {
            s = Scenario{};
            s.what = cells.value(1);
            in.settings = Settings::defaults();
        } else if (kind == "now") {
            in.now = QDateTime::fromString(cells.value(1), Qt::ISODate);
        } else if (kind == "zone") {
            in.zone = QTimeZone(cells.value(1).toLatin1());
            in.now = QDateTime(in.now.date(), in.now.time(), in.zone);
        } else if (kind == "alarms") {
            const QStringList values = cells.value(1).split(QLatin1Char(' '));
            for (int i = 0; i < Settings::kAlarms; ++i)
                in.settings.alarms[static_cast<size_t>(i)] = values.value(i).toInt();
        } else if (kind == "recording") {
            in.settings.recording = cells.value(1).toInt();
        } else if (kind == "events-time") {
            in.settings.eventsTime = ClockTime::readStrict(cells.value(1));
        } else if (kind == "city") {
            in.cityName = cells.value(1);
        } else if (kind == "draws") {
            for (const QString& d : cells.value(1).split(QLatin1Char(' ')))
                s.draws.append(d.toUInt());
        } else if (kind == "day") {
            in.days.append(dayOf(cells.value(1).toInt(), cells.value(2).split(QLatin1Char(' '))));
        } else if (kind == "events") {
            // The day's lines ("a@b"), each an event of its own.
            days::DayEvents day{cells.value(1).toInt(), cells.value(2), false, {}};
            for (const QString& text : cells.value(2).split(QLatin1Char('@'), Qt::SkipEmptyParts)) {
                EventRules::Event e;
                e.text = text;
                day.events.append(e);
            }
            in.events.append(day);
        } else if (kind == "expect") {
            s.expected.append(cells.mid(1).join(QLatin1Char('\t')));
        } else if (kind == "end") {
            list.append(s);
        } else {
            ADD_FAILURE() << "a line the vectors do not know: " << line.toStdString();
        }
    }
    return list;
}

QString described(const notifications::LocalNotification& n)
{
    QString text = n.alertBody;
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return n.fireDate.toOffsetFromUtc(n.fireDate.offsetFromUtc()).toString(Qt::ISODate).left(16)
        + (n.fireDate.offsetFromUtc() >= 0 ? QStringLiteral("+") : QStringLiteral("-"))
        + QTime(0, 0).addSecs(std::abs(n.fireDate.offsetFromUtc())).toString(QStringLiteral("HH:mm")) + QLatin1Char('\t') + n.soundName
        + QLatin1Char('\t') + text;
}

TEST(Planner, EveryScenarioOfTheVectors)
{
    const QList<Scenario> scenarios = readScenarios();
    ASSERT_GE(scenarios.size(), 15);
    for (Scenario s : scenarios) {
        QList<std::uint32_t> draws = s.draws;
        s.input.random = [&draws] { return draws.isEmpty() ? 0u : draws.takeFirst(); };
        QList<planner::Planned> plan = planner::plan(s.input);
        std::stable_sort(plan.begin(), plan.end(),
            [](const planner::Planned& a, const planner::Planned& b) { return a.notification.fireDate < b.notification.fireDate; });
        QStringList got;
        for (const planner::Planned& p : plan) {
            got.append(described(p.notification));
            EXPECT_EQ(p.notification.alertAction, "Ok");
            EXPECT_EQ(p.notification.fireDate.timeZone(), s.input.zone);
        }
        EXPECT_EQ(got, s.expected) << s.what.toStdString();
        EXPECT_TRUE(draws.isEmpty()) << "draws left over: " << s.what.toStdString();
    }
}

TEST(Planner, ANameIsPutIntoItsTextAsItIs)
{
    // A name that holds a placeholder of the text's own kind stays a name.
    const planner::Planned p = planner::add(QDateTime(QDate(2026, 12, 8), QTime(5, 0)), QStringLiteral("x%2 %1"), planner::DawnAzan, 1, 0, {});
    EXPECT_EQ(p.notification.alertBody, "اذان صبح به افق x%2 %1");
}

// Two days of Tehran in summer, every azan on, as the shipped file has them.
planner::Input twoSummerDays()
{
    planner::Input in;
    in.settings = Settings::defaults();
    in.settings.alarms = {1, 1, 1, 0, 0, 0};
    in.zone = QTimeZone("Asia/Tehran");
    in.now = QDateTime(QDate(2012, 7, 21), QTime(0, 0), in.zone);
    in.cityName = QStringLiteral("تهران");
    in.days = {dayOf(910431, {"3:23", "5:04", "12:11", "19:17", "19:37", "23:21", "3:24", "5:05"}),
        dayOf(910501, {"3:24", "5:05", "12:11", "19:16", "19:37", "23:21", "3:25", "5:06"})};
    in.random = [] { return 0u; };
    return in;
}

QDateTime tehran(int day, int hour, int minute)
{
    return QDateTime(QDate(2012, 7, day), QTime(hour, minute), QTimeZone("Asia/Tehran"));
}

TEST(Planner, EachAzanPlaysItsOwnRecordingAtItsOwnVolume)
{
    planner::Input in = twoSummerDays();
    in.settings.recording = 2;
    in.settings.azanRecording = {5, std::nullopt, 0};
    in.settings.volume = {30, 100, 0};
    in.settings.rises = true;
    const QList<planner::Planned> plan = planner::plan(in);
    ASSERT_EQ(plan.size(), 6);
    for (const planner::Planned& p : plan) {
        const QVariantMap& info = p.notification.userInfo;
        EXPECT_EQ(info.value(planner::kPrayerKey).toInt(), p.type);
        EXPECT_EQ(info.value("soundRises").toBool(), true);
        switch (p.type) {
        case planner::DawnAzan:
            EXPECT_EQ(p.notification.soundName, "5.wav");
            EXPECT_EQ(info.value("soundVolume").toInt(), 30);
            break;
        case planner::NoonAzan:
            // Without a recording of its own, the one for all; at full
            // volume nothing is said of the volume.
            EXPECT_EQ(p.notification.soundName, "2.wav");
            EXPECT_FALSE(info.contains("soundVolume"));
            break;
        default:
            EXPECT_EQ(p.notification.soundName, "0.wav");
            EXPECT_EQ(info.value("soundVolume").toInt(), 0);
        }
    }
    // The reminders keep the system's sound as it is.
    in.settings.alarms = {0, 0, 0, 5, 0, 0};
    for (const planner::Planned& p : planner::plan(in)) {
        EXPECT_FALSE(p.notification.userInfo.contains("soundVolume"));
        EXPECT_FALSE(p.notification.userInfo.contains("soundRises"));
    }
}

TEST(Planner, ASilencedAzanKeepsItsTextAndSaysWhyItIsSilent)
{
    planner::Input in = twoSummerDays();
    auto silent = [&in] {
        QStringList list;
        for (const planner::Planned& p : planner::plan(in)) {
            EXPECT_FALSE(p.notification.alertBody.isEmpty());
            if (p.notification.soundName.isEmpty())
                list.append(p.notification.fireDate.toString("d HH:mm") + " " + p.notification.userInfo.value("silentBecause").toString());
        }
        return list;
    };
    EXPECT_TRUE(silent().isEmpty());

    // The next one only, found by its moment (noon with the summer hour).
    in.silence.skip = tehran(21, 13, 11);
    EXPECT_EQ(silent(), QStringList{"21 13:11 the next azan is silenced"});

    // Until a moment: those before it, and not one at it or after.
    in.silence = {};
    in.silence.until = tehran(21, 20, 37);
    const QString until = " the azans are silenced until 2012-07-21T20:37:00+04:30";
    EXPECT_EQ(silent(), (QStringList{"21 04:23" + until, "21 13:11" + until}));

    // Both at once.
    in.silence.skip = tehran(22, 4, 24);
    EXPECT_EQ(silent().size(), 3);
}

TEST(Planner, SilenceEndsByItself)
{
    Silence s;
    s.skip = tehran(21, 13, 11);
    s.until = tehran(21, 16, 0);
    EXPECT_TRUE(s.isOn(tehran(21, 12, 0)));
    EXPECT_EQ(s.current(tehran(21, 14, 0)).skip, std::nullopt);
    EXPECT_EQ(s.current(tehran(21, 14, 0)).until, s.until);
    EXPECT_FALSE(s.isOn(tehran(21, 16, 0)));
    EXPECT_EQ(s.current(tehran(21, 16, 0)), Silence{});
    // The same moment on another clock is the same azan.
    const Silence one{s.skip, std::nullopt};
    EXPECT_TRUE(one.silences(tehran(21, 13, 11).toUTC()));
    EXPECT_FALSE(one.silences(tehran(21, 13, 12)));
}

// `count` days of Tehran from a Persian date, each with the same times.
planner::Input daysFrom(const SolarDate& first, int count)
{
    planner::Input in;
    in.settings = Settings::defaults();
    in.settings.alarms = {0, 0, 0, 0, 0, 0};
    in.zone = QTimeZone("Asia/Tehran");
    in.cityName = QStringLiteral("تهران");
    const QDate start = PersianCalendar::toGregorian(first);
    in.now = QDateTime(start, QTime(0, 0), in.zone);
    for (int i = 0; i < count; ++i)
        in.days.append(dayOf(DateKey::make(PersianCalendar::fromGregorian(start.addDays(i))), {"5:30", "7:00", "12:00", "17:00", "17:20", "23:15", "5:31", "7:01"}));
    in.random = [] { return 0u; };
    return in;
}

QStringList fired(const planner::Input& in)
{
    QStringList list;
    for (const planner::Planned& p : planner::plan(in))
        list.append(p.notification.fireDate.toString("yyyy-MM-dd ddd HH:mm ") + p.notification.soundName + " " + p.notification.alertBody);
    return list;
}

TEST(Planner, AReminderComesOnItsWeekdaysAtItsTimeFromTheDaysTime)
{
    // Two weeks from Sunday 15 Azar 1405 (6 December 2026).
    planner::Input in = daysFrom({1405, 9, 15}, 14);
    reminders::TimeReminder fridays;
    fridays.id = 4;
    fridays.time = reminders::DayTime::Noon;
    fridays.minutes = -20;
    fridays.weekdays = {Qt::Friday};
    in.reminders = {fridays};
    const QStringList got = fired(in);
    EXPECT_EQ(got, (QStringList{"2026-12-11 Fri 11:40 alarm.wav ٢٠ دقیقه تا اذان ظهر به افق تهران",
                       "2026-12-18 Fri 11:40 alarm.wav ٢٠ دقیقه تا اذان ظهر به افق تهران"}));
    EXPECT_EQ(planner::plan(in).first().notification.userInfo.value(planner::kReminderKey).toInt(), 4);

    // From a midnight past 00:00: in the night after the day, not before it.
    in.days.resize(1);
    in.days[0].set(DayTime::Midnight, ClockTime{0, 10});
    in.reminders = {{7, reminders::DayTime::Midnight, 30, {}, false}};
    EXPECT_EQ(fired(in), QStringList{"2026-12-07 Mon 00:40 alarm.wav ٣٠ دقیقه از نیمه شب شرعی گذشت، به افق تهران"});
    in.days[0].set(DayTime::Midnight, ClockTime{23, 15});

    // After a time, and at it; every day when no weekday is chosen.
    reminders::TimeReminder after{5, reminders::DayTime::Midnight, 90, {}, false};
    reminders::TimeReminder at{6, reminders::DayTime::Sunset, 0, {}, false};
    in.reminders = {after, at};
    in.days.resize(1);
    EXPECT_EQ(fired(in), (QStringList{"2026-12-07 Mon 00:45 alarm.wav ٩٠ دقیقه از نیمه شب شرعی گذشت، به افق تهران",
                             "2026-12-06 Sun 17:00 alarm.wav غروب آفتاب به افق تهران"}));
}

TEST(Planner, ARamadanReminderComesInRamadanOnly)
{
    // Ten days around the first of Ramadan 1447.
    const QDate first = LunarCalendar::firstDay(1447, LunarCalendar::kRamadan);
    ASSERT_TRUE(first.isValid());
    planner::Input in = daysFrom(PersianCalendar::fromGregorian(first.addDays(-5)), 10);
    in.reminders = {{1, reminders::DayTime::Evening, -10, {}, true}};
    QList<QDate> days;
    for (const planner::Planned& p : planner::plan(in))
        days.append(p.notification.fireDate.date());
    ASSERT_EQ(days.size(), 5);
    EXPECT_EQ(days.first(), first);
    in.reminders.first().ramadanOnly = false;
    EXPECT_EQ(planner::plan(in).size(), 10);
}

TEST(Planner, ADateTheYearOrTheMonthLacksMovesToItsLastDay)
{
    auto key = [](int y, int m, int d) { return DateKey::text({y, m, d}); };
    auto on = [](const reminders::DateReminder& r, const SolarDate& from, int count) {
        planner::Input in = daysFrom(from, count);
        in.dated = {r};
        QStringList list;
        for (const planner::Planned& p : planner::plan(in))
            list.append(DateKey::text(PersianCalendar::fromGregorian(p.notification.fireDate.date())) + p.notification.fireDate.toString(" HH:mm"));
        return list;
    };
    reminders::DateReminder yearly;
    yearly.repeat = reminders::DateReminder::Repeat::YearlyPersian;
    yearly.month = 12;
    yearly.day = 30;
    yearly.text = QStringLiteral("سالگرد");
    yearly.time = {9, 30};
    EXPECT_EQ(on(yearly, {1403, 12, 28}, 5), QStringList{key(1403, 12, 30) + " 09:30"});
    EXPECT_EQ(on(yearly, {1404, 12, 27}, 5), QStringList{key(1404, 12, 29) + " 09:30"});

    reminders::DateReminder monthly = yearly;
    monthly.repeat = reminders::DateReminder::Repeat::MonthlyPersian;
    monthly.day = 31;
    EXPECT_EQ(on(monthly, {1405, 6, 29}, 5), QStringList{key(1405, 6, 31) + " 09:30"});
    EXPECT_EQ(on(monthly, {1405, 7, 28}, 5), QStringList{key(1405, 7, 30) + " 09:30"});
    EXPECT_EQ(on(monthly, {1404, 12, 27}, 5), QStringList{key(1404, 12, 29) + " 09:30"});
    EXPECT_EQ(on(monthly, {1403, 12, 27}, 5), QStringList{key(1403, 12, 30) + " 09:30"});

    // The 30th of a lunar month of 29 days: its 29th.
    reminders::DateReminder lunar = yearly;
    lunar.repeat = reminders::DateReminder::Repeat::YearlyHijri;
    lunar.month = LunarCalendar::kRamadan;
    lunar.day = 30;
    const int length = LunarCalendar::monthLength(1447, 9);
    const QDate last = LunarCalendar::firstDay(1447, 9).addDays(length - 1);
    EXPECT_EQ(on(lunar, PersianCalendar::fromGregorian(last.addDays(-2)), 5), QStringList{DateKey::text(PersianCalendar::fromGregorian(last)) + " 09:30"});

    // Once, on its year only; its text as the notice says it.
    reminders::DateReminder once = yearly;
    once.repeat = reminders::DateReminder::Repeat::Once;
    once.year = 1405;
    once.month = 9;
    once.day = 20;
    EXPECT_EQ(on(once, {1405, 9, 18}, 5), QStringList{key(1405, 9, 20) + " 09:30"});
    EXPECT_TRUE(on(once, {1406, 9, 18}, 5).isEmpty());
    planner::Input in = daysFrom({1405, 9, 20}, 1);
    in.dated = {once};
    EXPECT_EQ(planner::plan(in).value(0).notification.alertBody, "یادآوری: سالگرد");
    EXPECT_EQ(planner::plan(in).value(0).notification.soundName, "times.wav");
}

TEST(Planner, OfMoreThanTheSystemKeepsEveryAzanAndThenTheSoonestArePlanned)
{
    planner::Input in = daysFrom({1405, 9, 15}, 5);
    in.settings.alarms = {1, 1, 1, 10, 20, 30};
    for (int m = -120; m <= 120; m += 30)
        in.reminders.append({m + 200, reminders::DayTime::Noon, m, {}, false});
    const QList<planner::Planned> plan = planner::plan(in);
    ASSERT_EQ(plan.size(), planner::kMaxPlanned);
    for (qsizetype i = 1; i < plan.size(); ++i)
        EXPECT_LE(plan[i - 1].notification.fireDate, plan[i].notification.fireDate);
    // Every azan of the five days, and of the rest the soonest.
    const auto isAzan = [](const planner::Planned& p) { return p.type < Settings::kAzans; };
    std::vector<QDateTime> azans;
    std::vector<QDateTime> rest;
    for (const auto& [from, count] : {std::pair{0, 3}, std::pair{3, 2}}) {
        planner::Input part = in;
        part.days = in.days.mid(from, count);
        const QList<planner::Planned> some = planner::plan(part);
        ASSERT_LT(some.size(), planner::kMaxPlanned);
        for (const planner::Planned& p : some)
            (isAzan(p) ? azans : rest).push_back(p.notification.fireDate);
    }
    std::sort(rest.begin(), rest.end());
    EXPECT_EQ(azans.size(), 15u);
    EXPECT_EQ(std::count_if(plan.begin(), plan.end(), isAzan), 15);
    std::vector<QDateTime> others;
    for (const planner::Planned& p : plan)
        if (!isAzan(p))
            others.push_back(p.notification.fireDate);
    ASSERT_EQ(others.size(), static_cast<size_t>(planner::kMaxPlanned - 15));
    for (size_t i = 0; i < others.size(); ++i)
        EXPECT_EQ(others[i], rest[i]);
}

} // namespace

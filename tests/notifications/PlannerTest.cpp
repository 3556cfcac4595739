// The scheduler's scenarios, as data: tests/data/scheduler-vectors.tsv.
#include "notifications/Planner.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

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
            days::Times day{cells.value(1).toInt(), {}};
            const QStringList times = cells.value(2).split(QLatin1Char(' '));
            for (int k = 0; k < days::kTimesOnPage; ++k)
                day.t[static_cast<size_t>(k)] = times.value(k);
            in.days.append(day);
        } else if (kind == "events") {
            in.events.append({cells.value(1).toInt(), cells.value(2), false, {}});
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
            EXPECT_EQ(p.notification.userInfo.value("someKey").toString(), "someValue");
            EXPECT_EQ(p.notification.fireDate.timeZone(), s.input.zone);
        }
        EXPECT_EQ(got, s.expected) << s.what.toStdString();
        EXPECT_TRUE(draws.isEmpty()) << "draws left over: " << s.what.toStdString();
    }
}

TEST(Planner, TheSoundsAreTheOnesTheRecordingsAndRemindersShip)
{
    EXPECT_EQ(planner::recordingFile(0), "0.wav");
    EXPECT_EQ(planner::recordingFile(6), "6.wav");
    EXPECT_EQ(planner::soundOf(planner::NoonAzan, 4), "4.wav");
    EXPECT_EQ(planner::soundOf(planner::BeforeSunrise, 4), "alarm.wav");
    EXPECT_EQ(planner::soundOf(planner::BeforeSahar, 4), "7.wav");
    EXPECT_EQ(planner::soundOf(planner::BeforeIftar, 4), ".wav");
    EXPECT_EQ(planner::soundOf(planner::EventsNotice, 4), "times.wav");
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
    in.days = {{910431, {"3:23", "5:04", "12:11", "19:17", "19:37", "23:21", "3:24", "5:05"}},
        {910501, {"3:24", "5:05", "12:11", "19:16", "19:37", "23:21", "3:25", "5:06"}}};
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

} // namespace

#pragma once

#include "calendar/DayTimes.h"

#include <QString>

#include <array>

// The alarms the alarm tab lists, the settings row keeps and the scheduler
// plans: one row each. An azan sounds at its time with the recording the
// user chose; a reminder comes a number of minutes before its time (1: at
// the time itself). Adding a kind of alarm is a row here and its column
// in tSetting (store/schema.sql); the azans come first.
struct Alarm {
    enum class Kind { Azan, Before };
    // Its column of the settings row.
    const char* column;
    DayTime countsFrom;
    Kind kind;
    // What the alarm tab calls it; none: the name of its time.
    const char* label;
    // The sound of a reminder (an azan plays its recording).
    const char* sound;
    // What the app ships with: 0 off, 1 on (a reminder: at the time itself),
    // more: that many minutes before.
    int shipped;
    // A reminder's most minutes ahead, and the steps its slider takes.
    int cap;
    int step;

    QString name() const { return label ? QString::fromUtf8(label) : dayTimeName(countsFrom); }
    // The notification's text: for an azan, "اذان صبح به افق تهران"; for a
    // reminder, "تا اذان صبح تنها ۲۰ دقیقه زمان باقیست".
    QString text(const QString& city, const QString& minutes) const
    {
        return kind == Kind::Azan ? QStringLiteral("اذان %1 به افق %2").arg(dayTimeShortName(countsFrom), city)
                                  : QStringLiteral("تا %1 تنها %2 دقیقه زمان باقیست").arg(dayTimeName(countsFrom), minutes);
    }
};

constexpr int kReminderCap = 60;
constexpr int kReminderStep = 5;

inline constexpr std::array<Alarm, 6> kAlarmTable = {{
    {"Item0", DayTime::Dawn, Alarm::Kind::Azan, nullptr, nullptr, 1, 0, 0},
    {"Item1", DayTime::Noon, Alarm::Kind::Azan, nullptr, nullptr, 1, 0, 0},
    {"Item2", DayTime::Evening, Alarm::Kind::Azan, nullptr, nullptr, 1, 0, 0},
    {"Item3", DayTime::Sunrise, Alarm::Kind::Before, nullptr, "alarm.wav", 0, kReminderCap, kReminderStep},
    {"Item4", DayTime::Dawn, Alarm::Kind::Before, "وقت سحر", "7.wav", 0, kReminderCap, kReminderStep},
    {"Item5", DayTime::Evening, Alarm::Kind::Before, "وقت افطار", ".wav", 0, kReminderCap, kReminderStep},
}};

constexpr int alarmsOfKind(Alarm::Kind kind)
{
    int n = 0;
    for (const Alarm& a : kAlarmTable)
        n += a.kind == kind ? 1 : 0;
    return n;
}

// The azans first, then the reminders: an azan's index in the table is its
// index among the azans (for its recording and volume).
constexpr bool azansFirst()
{
    for (int i = 0; i < static_cast<int>(kAlarmTable.size()); ++i)
        if ((kAlarmTable[static_cast<size_t>(i)].kind == Alarm::Kind::Azan) != (i < alarmsOfKind(Alarm::Kind::Azan)))
            return false;
    return true;
}
static_assert(azansFirst(), "the azans come first in the alarm table");

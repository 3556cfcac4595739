#pragma once

#include "Alarms.h"

#include "calendar/ClockTime.h"

#include <QString>

#include <array>
#include <optional>

// The one settings row (tSetting): the alarms of the alarm table (Item0 to
// Item5), the azan recording Item6 and the events time Item7; and, kept beside it in the
// user's preferences (tPreferences), each azan's own recording, volume and
// rise. A value the settings screens
// could not have written reads as the shipped default, and the log says so,
// so that a row damaged from outside cannot turn an azan off, ask for a
// recording that does not exist or a reminder after its moment.
struct Settings {
    // The alarms of the table (kAlarmTable), the azans first.
    static constexpr int kAlarms = static_cast<int>(kAlarmTable.size());
    static constexpr int kAzans = alarmsOfKind(Alarm::Kind::Azan);
    static constexpr int kReminders = kAlarms - kAzans;
    // Recordings 0 to 6; the value after them chooses one at random.
    static constexpr int kRecordings = 7;
    static constexpr int kRandomRecording = kRecordings;

    // An azan: 0 off, otherwise on. A reminder: 0 off, 1 at the time
    // itself, N the minutes before (at most its cap).
    std::array<int, kAlarms> alarms{};
    // 0 to 6 one of the recordings, kRandomRecording a random one for each azan.
    int recording = 0;
    // The time of the daily events notice; nothing when it is off.
    std::optional<ClockTime> eventsTime;
    // The time it is set to when turned on, and a reminder by date's.
    static constexpr ClockTime kDefaultEventsTime{8, 0};

    // For the dawn, noon and evening azans: a recording of its own
    // (nothing: the one chosen for all), how loud it plays as heard (0 to
    // 100 %), and whether each azan rises to it from silence.
    std::array<std::optional<int>, kAzans> azanRecording{};
    std::array<int, kAzans> volume{100, 100, 100};
    bool rises = false;
    // The recording an azan plays (kRandomRecording for a random one).
    int recordingOf(int azan) const { return azanRecording[static_cast<size_t>(azan)].value_or(recording); }

    // The row as stored, or nothing when it could not be read. An empty
    // table reads as the defaults.
    static std::optional<Settings> load();
    // What the app ships with (resources/data/settings.tsv).
    static Settings defaults();

    // Each says whether the change was stored. A missing row is put back
    // with the defaults before it is changed.
    static bool saveAlarms(const std::array<int, kAlarms>& values);
    static bool saveRecording(int recording);
    static bool saveEventsTime(const std::optional<ClockTime>& time);
    // The recording for all (Item6), each azan's own, their volumes and the
    // rise, together.
    static bool saveAzanSound(const Settings& settings);

    // Item7 as it is stored: "0" for off, else "HH:MM".
    static QString eventsTimeText(const std::optional<ClockTime>& time);

    bool operator==(const Settings&) const = default;
};

#pragma once

#include <QString>

#include <array>
#include <optional>

// The one settings row (tSetting): the six alarms Item0 to Item5, the azan
// recording Item6 and the events time Item7. Values that the settings
// screens could not have written read as the default, so that a row
// damaged from outside cannot ask for a recording that does not exist or a
// reminder after its moment.
struct Settings {
    // Item0 to Item2: 0 off, otherwise on. Item3 to Item5: 0 off, 1 at the
    // time itself, N the minutes before.
    std::array<int, 6> alarms{};
    // 0 to 6 one of the recordings, 7 a random one for each azan.
    int recording = 0;
    // "0" off, else the time as "HH:MM" (read strictly by its users).
    QString eventsTime = QStringLiteral("0");

    // The row as stored, or nothing when it could not be read. An empty
    // table reads as the defaults.
    static std::optional<Settings> load();
    // What the app ships with (resources/data/settings.tsv).
    static Settings defaults();

    // Each says whether the change was stored. A missing row is put back
    // with the defaults before it is changed.
    static bool saveAlarms(const std::array<int, 6>& values);
    static bool saveRecording(int recording);
    static bool saveEventsTime(const QString& time);

    static constexpr int kAlarms = 6;
    static constexpr int kAzans = 3;
    static constexpr int kRecordings = 7;
    static constexpr int kRandomRecording = 7;
    static constexpr int kLongestReminder = 60;

    bool operator==(const Settings&) const = default;
};

#include "Settings.h"

#include "MyDB.h"

#include "platform/foundation/Log.h"

namespace {

const QString kOff = QStringLiteral("0");

// The shipped row, if the table ever loses it.
Statement ensureRow()
{
    const Settings d = Settings::defaults();
    Values values;
    for (int v : d.alarms)
        values.append(v);
    values.append(d.recording);
    values.append(Settings::eventsTimeText(d.eventsTime));
    return {QStringLiteral("INSERT INTO tSetting(Item0, Item1, Item2, Item3, Item4, Item5, Item6, Item7) "
                           "SELECT ?, ?, ?, ?, ?, ?, ?, ? WHERE NOT EXISTS (SELECT 1 FROM tSetting)"),
        values};
}

bool save(const Statement& update)
{
    return MyDB::initialize()->ExecuteTransaction({ensureRow(), update});
}

std::optional<int> number(const QString& text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

void tellDefault(const QString& column, const QString& stored, const QString& instead)
{
    foundation::Log::write(QStringLiteral("the setting %1 holds \"%2\", which it cannot: it reads as %3").arg(column, stored, instead));
}

} // namespace

Settings Settings::defaults()
{
    Settings s;
    s.alarms = {1, 1, 1, 0, 0, 0};
    s.recording = 0;
    s.eventsTime.reset();
    return s;
}

std::optional<Settings> Settings::load()
{
    const std::optional<RowSet> rows = MyDB::initialize()->query(QStringLiteral("SELECT * FROM tSetting"));
    if (!rows)
        return std::nullopt;
    Settings s = defaults();
    if (rows->isEmpty())
        return s;
    const Row& row = rows->first();
    for (int i = 0; i < kAlarms; ++i) {
        const QString column = QStringLiteral("Item") + QString::number(i);
        const QString stored = row.value(column);
        int& alarm = s.alarms[static_cast<size_t>(i)];
        const std::optional<int> v = number(stored);
        // A reminder is at most an hour ahead and never after its moment.
        if (!v || *v < 0 || (i >= kAzans && *v > kLongestReminder))
            tellDefault(column, stored, QString::number(alarm));
        else
            alarm = *v;
    }
    const QString storedRecording = row.value(QStringLiteral("Item6"));
    const std::optional<int> recording = number(storedRecording);
    if (recording && *recording >= 0 && *recording <= kRandomRecording)
        s.recording = *recording;
    else
        tellDefault(QStringLiteral("Item6"), storedRecording, QString::number(s.recording));
    const QString storedTime = row.value(QStringLiteral("Item7"));
    if (storedTime.trimmed() != kOff) {
        s.eventsTime = ClockTime::readStrict(storedTime);
        if (!s.eventsTime)
            tellDefault(QStringLiteral("Item7"), storedTime, kOff);
    }
    return s;
}

QString Settings::eventsTimeText(const std::optional<ClockTime>& time)
{
    return time ? time->padded() : kOff;
}

bool Settings::saveAlarms(const std::array<int, kAlarms>& values)
{
    // "UPDATE tSetting SET  Item0 = ?, Item1 = ?, ..." with all six columns.
    QString text;
    Values bound;
    for (int i = 0; i < kAlarms; ++i) {
        text += QStringLiteral(", Item") + QString::number(i) + QStringLiteral(" = ?");
        bound.append(values[static_cast<size_t>(i)]);
    }
    text.remove(0, 1);
    return save({QStringLiteral("UPDATE tSetting SET ") + text, bound});
}

bool Settings::saveRecording(int recording)
{
    return save({QStringLiteral("UPDATE tSetting SET Item6=?"), {recording}});
}

bool Settings::saveEventsTime(const std::optional<ClockTime>& time)
{
    return save({QStringLiteral("UPDATE tSetting SET Item7=?"), {eventsTimeText(time)}});
}

#include "Settings.h"

#include "MyDB.h"

#include "platform/foundation/Log.h"

#include <QStringList>

#include <algorithm>

namespace {

const QString kOff = QStringLiteral("0");

const QString kRecordingColumn = QStringLiteral("Item6");
const QString kEventsTimeColumn = QStringLiteral("Item7");

// The shipped row, if the table ever loses it.
Statement ensureRow()
{
    const Settings d = Settings::defaults();
    QStringList columns;
    Values values;
    for (int i = 0; i < Settings::kAlarms; ++i) {
        columns.append(QString::fromLatin1(kAlarmTable[static_cast<size_t>(i)].column));
        values.append(d.alarms[static_cast<size_t>(i)]);
    }
    columns << kRecordingColumn << kEventsTimeColumn;
    values << d.recording << Settings::eventsTimeText(d.eventsTime);
    // The columns are the table's own names, never a value.
    return {QStringLiteral("INSERT INTO tSetting(") + columns.join(QStringLiteral(", ")) + QStringLiteral(") SELECT ")
            + QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", ")) + QStringLiteral(" WHERE NOT EXISTS (SELECT 1 FROM tSetting)"),
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

// The azans' own settings in tPreferences.
const QString kRecordingKey = QStringLiteral("AzanRecording:%1");
const QString kVolumeKey = QStringLiteral("AzanVolume:%1");
const QString kRisesKey = QStringLiteral("AzanRises");

// Reads them into `s`; false when they could not be read.
bool loadAzanSound(Settings& s)
{
    const std::optional<RowSet> rows = MyDB::initialize()->query(
        QStringLiteral("SELECT Key, Value FROM tPreferences WHERE Key LIKE ? ESCAPE '\\'"), {MyDB::likeStarts(QStringLiteral("Azan"))});
    if (!rows)
        return false;
    for (const Row& row : *rows) {
        const QString key = row.value(QStringLiteral("Key"));
        const QString stored = row.value(QStringLiteral("Value"));
        const std::optional<int> v = number(stored);
        for (int i = 0; i < Settings::kAzans; ++i) {
            if (key == kRecordingKey.arg(i)) {
                if (v && *v >= 0 && *v <= Settings::kRandomRecording)
                    s.azanRecording[static_cast<size_t>(i)] = *v;
                else
                    tellDefault(key, stored, QStringLiteral("the recording for all"));
            } else if (key == kVolumeKey.arg(i)) {
                if (v && *v >= 0 && *v <= 100)
                    s.volume[static_cast<size_t>(i)] = *v;
                else
                    tellDefault(key, stored, QString::number(s.volume[static_cast<size_t>(i)]));
            }
        }
        if (key == kRisesKey) {
            if (v && (*v == 0 || *v == 1))
                s.rises = *v == 1;
            else
                tellDefault(key, stored, QStringLiteral("0"));
        }
    }
    return true;
}

} // namespace

Settings Settings::defaults()
{
    Settings s;
    for (int i = 0; i < kAlarms; ++i)
        s.alarms[static_cast<size_t>(i)] = kAlarmTable[static_cast<size_t>(i)].shipped;
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
    if (!loadAzanSound(s))
        return std::nullopt;
    if (rows->isEmpty())
        return s;
    const Row& row = rows->first();
    for (int i = 0; i < kAlarms; ++i) {
        const Alarm& a = kAlarmTable[static_cast<size_t>(i)];
        const QString column = QString::fromLatin1(a.column);
        const QString stored = row.value(column);
        int& alarm = s.alarms[static_cast<size_t>(i)];
        const std::optional<int> v = number(stored);
        // A reminder is at most its cap ahead and never after its moment.
        if (!v || *v < 0 || (a.kind == Alarm::Kind::Before && *v > a.cap))
            tellDefault(column, stored, QString::number(alarm));
        else
            alarm = *v;
    }
    const QString storedRecording = row.value(kRecordingColumn);
    const std::optional<int> recording = number(storedRecording);
    if (recording && *recording >= 0 && *recording <= kRandomRecording)
        s.recording = *recording;
    else
        tellDefault(kRecordingColumn, storedRecording, QString::number(s.recording));
    const QString storedTime = row.value(kEventsTimeColumn);
    if (storedTime.trimmed() != kOff) {
        s.eventsTime = ClockTime::readStrict(storedTime);
        if (!s.eventsTime)
            tellDefault(kEventsTimeColumn, storedTime, kOff);
    }
    return s;
}

QString Settings::eventsTimeText(const std::optional<ClockTime>& time)
{
    return time ? time->padded() : kOff;
}

bool Settings::saveAlarms(const std::array<int, kAlarms>& values)
{
    // "UPDATE tSetting SET  Item0 = ?, Item1 = ?, ..." with every alarm's column.
    QString text;
    Values bound;
    for (int i = 0; i < kAlarms; ++i) {
        text += QStringLiteral(", ") + QString::fromLatin1(kAlarmTable[static_cast<size_t>(i)].column) + QStringLiteral(" = ?");
        bound.append(values[static_cast<size_t>(i)]);
    }
    text.remove(0, 1);
    return save({QStringLiteral("UPDATE tSetting SET ") + text, bound});
}

bool Settings::saveRecording(int recording)
{
    return save({QStringLiteral("UPDATE tSetting SET ") + kRecordingColumn + QStringLiteral(" = ?"), {recording}});
}

bool Settings::saveEventsTime(const std::optional<ClockTime>& time)
{
    return save({QStringLiteral("UPDATE tSetting SET ") + kEventsTimeColumn + QStringLiteral(" = ?"), {eventsTimeText(time)}});
}

bool Settings::saveAzanSound(const Settings& settings)
{
    QList<Statement> statements = {ensureRow(), {QStringLiteral("UPDATE tSetting SET ") + kRecordingColumn + QStringLiteral(" = ?"), {settings.recording}}};
    const Settings d = defaults();
    auto put = [&statements](const QString& key, const std::optional<int>& value) {
        // A value at its default is no row: an older app reads the same.
        if (value)
            statements.append({QStringLiteral("INSERT OR REPLACE INTO tPreferences(Key, Value) VALUES(?, ?)"), {key, QString::number(*value)}});
        else
            statements.append({QStringLiteral("DELETE FROM tPreferences WHERE Key = ?"), {key}});
    };
    for (int i = 0; i < kAzans; ++i) {
        const auto k = static_cast<size_t>(i);
        put(kRecordingKey.arg(i), settings.azanRecording[k]);
        const int volume = std::clamp(settings.volume[k], 0, 100);
        put(kVolumeKey.arg(i), volume == d.volume[k] ? std::nullopt : std::optional<int>(volume));
    }
    put(kRisesKey, settings.rises ? std::optional<int>(1) : std::nullopt);
    return MyDB::initialize()->ExecuteTransaction(statements);
}

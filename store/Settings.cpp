#include "Settings.h"

#include "MyDB.h"

#include <QStringList>

namespace {

// The shipped row, if the table ever loses it.
QString ensureRow()
{
    const Settings d = Settings::defaults();
    QStringList values;
    for (int v : d.alarms)
        values.append(QString::number(v));
    values.append(QString::number(d.recording));
    values.append(MyDB::quote(d.eventsTime));
    return QStringLiteral("INSERT INTO tSetting(Item0, Item1, Item2, Item3, Item4, Item5, Item6, Item7) SELECT %1 "
                          "WHERE NOT EXISTS (SELECT 1 FROM tSetting)")
        .arg(values.join(QStringLiteral(", ")));
}

bool save(const QString& update)
{
    return MyDB::initialize()->ExecuteTransaction({ensureRow(), update});
}

int number(const QString& text, bool& ok)
{
    return text.trimmed().toInt(&ok);
}

} // namespace

Settings Settings::defaults()
{
    Settings s;
    s.alarms = {1, 1, 1, 0, 0, 0};
    s.recording = 0;
    s.eventsTime = QStringLiteral("0");
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
        bool ok = false;
        int v = number(row.value(QStringLiteral("Item%1").arg(i)), ok);
        // A value that is not a number is off. A reminder is at most an hour
        // ahead and never after its moment.
        if (!ok)
            v = 0;
        else if (i >= kAzans && (v < 0 || v > kLongestReminder))
            v = s.alarms[static_cast<size_t>(i)];
        s.alarms[static_cast<size_t>(i)] = v;
    }
    bool ok = false;
    const int recording = number(row.value(QStringLiteral("Item6")), ok);
    if (ok && recording >= 0 && recording <= kRandomRecording)
        s.recording = recording;
    s.eventsTime = row.value(QStringLiteral("Item7"));
    return s;
}

bool Settings::saveAlarms(const std::array<int, 6>& values)
{
    // "UPDATE tSetting SET  Item0 = 1, Item1 = 0, ..." with all six columns.
    QString text;
    for (int i = 0; i < kAlarms; ++i)
        text += QStringLiteral(", Item%1 = %2").arg(i).arg(values[static_cast<size_t>(i)]);
    text.remove(0, 1);
    return save(QStringLiteral("UPDATE tSetting SET %1").arg(text));
}

bool Settings::saveRecording(int recording)
{
    return save(QStringLiteral("UPDATE tSetting SET Item6=%1").arg(recording));
}

bool Settings::saveEventsTime(const QString& time)
{
    return save(QStringLiteral("UPDATE tSetting SET Item7=%1").arg(MyDB::quote(time)));
}

#include "IconsBuilder.h"


#include "astronomy/PrayerTimes.h"
#include "calendar/DateKey.h"
#include "calendar/EventRules.h"
#include "store/Alarms.h"
#include "calendar/PersianCalendar.h"
#include "calendar/Utility.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QList>
#include <QMap>
#include <QStringList>

#include <sqlite3.h>

#include <algorithm>
#include <array>

namespace {

constexpr int kProvinceCount = 31;

struct Province {
    QString name;
    QString centre;
    Place place;
};

struct Day {
    int key;
    QDate date;
};

// Every day of the data, then the day after the last (so that every day has
// a next day for its T7 and T8).
QList<Day> dataDays()
{
    QList<Day> days;
    const QDate last = PersianCalendar::toGregorian(PersianCalendar::lastDataDay()).addDays(1);
    for (QDate date = PersianCalendar::toGregorian(PersianCalendar::firstDataDay()); date <= last; date = date.addDays(1))
        days.append({DateKey::make(PersianCalendar::fromGregorian(date)), date});
    return days;
}

QList<QStringList> readTable(const QString& path, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = QStringLiteral("cannot read %1").arg(path);
        return {};
    }
    QList<QStringList> rows;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        rows.append(line.split(QLatin1Char('\t')));
    }
    return rows;
}

class Writer {
public:
    explicit Writer(sqlite3* db) : db_(db) {}

    bool exec(const QString& sql)
    {
        char* message = nullptr;
        if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
            error = QString::fromUtf8(message ? message : "sqlite error");
            sqlite3_free(message);
            return false;
        }
        return true;
    }

    // Runs `sql` once per row of `values`, binding texts, integers or NULLs.
    bool insert(const char* sql, const QList<QVariantList>& values)
    {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) != SQLITE_OK) {
            error = QString::fromUtf8(sqlite3_errmsg(db_));
            return false;
        }
        bool ok = true;
        for (const QVariantList& row : values) {
            sqlite3_reset(statement);
            for (int i = 0; i < row.size(); ++i) {
                const QVariant& v = row[i];
                if (v.isNull())
                    sqlite3_bind_null(statement, i + 1);
                else if (v.typeId() == QMetaType::Int)
                    sqlite3_bind_int(statement, i + 1, v.toInt());
                else if (v.typeId() == QMetaType::LongLong)
                    sqlite3_bind_int64(statement, i + 1, v.toLongLong());
                else if (v.typeId() == QMetaType::Double)
                    sqlite3_bind_double(statement, i + 1, v.toDouble());
                else
                    sqlite3_bind_text(statement, i + 1, v.toString().toUtf8().constData(), -1, SQLITE_TRANSIENT);
            }
            if (sqlite3_step(statement) != SQLITE_DONE) {
                error = QString::fromUtf8(sqlite3_errmsg(db_));
                ok = false;
                break;
            }
        }
        sqlite3_finalize(statement);
        return ok;
    }

    QString error;

private:
    sqlite3* db_;
};

QList<Province> readProvinces(const QString& dataDir, QString& error)
{
    QList<Province> provinces;
    for (const QStringList& r : readTable(dataDir + QStringLiteral("/provinces.tsv"), error)) {
        if (r.size() < 4) {
            error = QStringLiteral("provinces.tsv: short line");
            return {};
        }
        provinces.append({r[0], r[1], {r[2].toDouble(), r[3].toDouble()}});
    }
    if (error.isEmpty() && provinces.size() != kProvinceCount)
        error = QStringLiteral("provinces.tsv: %1 provinces, expected %2").arg(provinces.size()).arg(kProvinceCount);
    return provinces;
}

// The places of Iran, each in its province (StateIDs 1 to 31 in the order
// of provinces.tsv), the centres marked as they are in provinces.tsv.
QList<QVariantList> readPlaces(const QString& dataDir, const QList<Province>& provinces, QString& error)
{
    QHash<QString, int> provinceIds;
    for (int i = 0; i < provinces.size(); ++i)
        provinceIds.insert(provinces[i].name, i + 1);
    QList<QVariantList> places;
    int centres = 0;
    for (const QStringList& r : readTable(dataDir + QStringLiteral("/iran-places.tsv"), error)) {
        const int province = provinceIds.value(r.value(1));
        bool latOk = false;
        bool lonOk = false;
        const double lat = r.value(2).toDouble(&latOk);
        const double lon = r.value(3).toDouble(&lonOk);
        if (r.size() < 12 || province == 0 || !latOk || !lonOk) {
            error = QStringLiteral("iran-places.tsv: a bad line: %1").arg(r.join(QLatin1Char('\t')));
            return {};
        }
        const bool centre = r[4] == QLatin1String("1");
        if (centre) {
            ++centres;
            if (provinces[province - 1].centre != r[0]) {
                error = QStringLiteral("iran-places.tsv: %1 is not the centre of %2").arg(r[0], r[1]);
                return {};
            }
        }
        const QString latin = r.value(6).trimmed();
        const int population = r.value(7).toInt();
        places.append({static_cast<int>(places.size()) + 1, r[0], province, lat, lon, centre ? 1 : 0,
            latin.isEmpty() ? QVariant() : QVariant(latin), population > 0 ? QVariant(population) : QVariant(), Utility::searchKey(r[0]),
            Utility::searchKey(latin), Utility::searchKey(r[1]), r.value(11), r.value(8)});
    }
    if (error.isEmpty() && centres != kProvinceCount)
        error = QStringLiteral("iran-places.tsv: %1 centres, expected %2").arg(centres).arg(kProvinceCount);
    return places;
}

} // namespace

QString buildIcons(const QString& schemaPath, const QString& dataDir, const QString& outPath)
{
    QString error;
    QFile schemaFile(schemaPath);
    if (!schemaFile.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1").arg(schemaPath);
    const QString schema = QString::fromUtf8(schemaFile.readAll());

    const QList<Province> provinces = readProvinces(dataDir, error);
    const QList<QVariantList> places = error.isEmpty() ? readPlaces(dataDir, provinces, error) : QList<QVariantList>();
    EventRules events;
    if (error.isEmpty())
        error = events.load(dataDir);
    const QList<QStringList> settings = readTable(dataDir + QStringLiteral("/settings.tsv"), error);
    if (!error.isEmpty())
        return error;

    const QString temporary = outPath + QStringLiteral(".part");
    QFile::remove(temporary);
    sqlite3* db = nullptr;
    if (sqlite3_open(temporary.toUtf8().constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return QStringLiteral("cannot create %1").arg(temporary);
    }

    Writer w(db);
    bool ok = w.exec(schema) && w.exec(QStringLiteral("BEGIN"));

    // Provinces take StateIDs 1 to 31, their centres 32 to 62, in the same order.
    QList<QVariantList> states;
    for (int i = 0; i < provinces.size(); ++i)
        states.append({i + 1, provinces[i].name, QVariant(), 0});
    for (int i = 0; i < provinces.size(); ++i)
        states.append({kProvinceCount + i + 1, provinces[i].centre, i + 1, 1});
    ok = ok && w.insert("INSERT INTO tStates(StateID, Name, ParentID, IsCenter) VALUES(?, ?, ?, ?)", states);
    ok = ok
        && w.insert("INSERT INTO tPlaces(PlaceID, Name, ProvinceID, Latitude, Longitude, IsCenter, NameLatin, Population, NameKey, "
                    "LatinKey, ProvinceKey, Checked, Sources) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            places);

    const QList<Day> days = dataDays();
    QList<QVariantList> times;
    for (int i = 0; i < provinces.size(); ++i) {
        for (const Day& day : days) {
            const std::array<QString, 6> t = storedTimes(day.date, provinces[i].place);
            times.append({kProvinceCount + i + 1, day.key, t[0], t[1], t[2], t[3], t[4], t[5]});
        }
    }
    ok = ok && w.insert("INSERT INTO tTimes(StateID, Date, T1, T2, T3, T4, T5, T6) VALUES(?, ?, ?, ?, ?, ?, ?, ?)", times);

    // The sun as the centres' times read it, for every other place's.
    QList<QVariantList> sun;
    for (long k = sunSampleIndex(days.first().date) - kSunSamplesBefore; k <= sunSampleIndex(days.last().date) + kSunSamplesAfter; ++k) {
        const SunSample s = sunSample(k);
        sun.append({static_cast<qlonglong>(k), s.rightAscension, s.declination, s.siderealLead});
    }
    ok = ok && w.insert("INSERT INTO tSun(Sample, RightAscension, Declination, SiderealLead) VALUES(?, ?, ?, ?)", sun);

    // Each day of the data with the key of the day after it, for vTimes.
    QList<QVariantList> next;
    for (int i = 0; i + 1 < days.size(); ++i)
        next.append({days[i].key, days[i + 1].key});
    ok = ok && w.insert("INSERT INTO tDays(Date, NextDate) VALUES(?, ?)", next);

    // One row per day of the data, in date order.
    QList<QVariantList> ruleRows;
    for (const EventRules::Rule& r : events.rules())
        ruleRows.append({static_cast<int>(ruleRows.size()) + 1, static_cast<int>(r.calendar), r.month, r.day, r.holiday ? 1 : 0, r.firstYear,
            r.lastYear, r.text, EventRules::kindKey(r.kind), r.note.isEmpty() ? QVariant() : QVariant(r.note)});
    ok = ok
        && w.insert("INSERT INTO tEventRules(Ord, Calendar, Month, Day, IsHoliday, FirstYear, LastYear, Description, Kind, Note) "
                    "VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            ruleRows);

    QList<QVariantList> eventRows;
    const QMap<int, EventRules::Day> eventDays = events.days(PersianCalendar::firstDataDay(), PersianCalendar::lastDataDay());
    for (auto it = eventDays.cbegin(); it != eventDays.cend(); ++it)
        eventRows.append({it.key(), it->description, it->holiday ? 1 : 0});
    ok = ok && w.insert("INSERT INTO tEvents(Date, Description, IsHoliday) VALUES(?, ?, ?)", eventRows);

    // The alarms as their table ships them, then the recording and the
    // events time of settings.tsv.
    QStringList columns;
    QVariantList values;
    for (const Alarm& a : kAlarmTable) {
        columns.append(QString::fromLatin1(a.column));
        values.append(a.shipped);
    }
    for (const QStringList& r : settings) {
        columns.append(r.value(0));
        values.append(r.value(0) == QLatin1String("Item7") ? QVariant(r.value(1)) : QVariant(r.value(1).toInt()));
    }
    const QString settingSql = QStringLiteral("INSERT INTO tSetting(%1) VALUES(%2)")
                                   .arg(columns.join(QStringLiteral(", ")), QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
    ok = ok && w.insert(settingSql.toUtf8().constData(), {values});
    ok = ok && w.exec(QStringLiteral("COMMIT"));

    if (error.isEmpty() && !ok)
        error = w.error;
    sqlite3_close(db);
    if (!error.isEmpty()) {
        QFile::remove(temporary);
        return error;
    }
    QFile::remove(outPath);
    if (!QFile::rename(temporary, outPath))
        return QStringLiteral("cannot write %1").arg(outPath);
    return {};
}

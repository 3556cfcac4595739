#include "WorkingCopy.h"

#include "Alarms.h"
#include "Cities.h"
#include "MyDB.h"

#include "calendar/DateKey.h"
#include "platform/foundation/AtomicFile.h"
#include "platform/foundation/Digits.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/Log.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSet>
#include <QUrl>

#include <sys/stat.h>
#include <unistd.h>

#include <sqlite3.h>

#include <cmath>
#include <cstdio>

namespace {

// One connection for the checks and the repairs, closed with its scope.
class Connection {
public:
    Connection(const QString& path, int flags)
    {
        result_ = sqlite3_open_v2(path.toUtf8().constData(), &db_, flags, nullptr);
        if (db_)
            sqlite3_busy_timeout(db_, MyDB::kBusyTimeoutMs);
    }
    ~Connection() { sqlite3_close(db_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool ok() const { return result_ == SQLITE_OK; }
    int result() const { return result_; }
    // Whether a write failed for want of room.
    bool full() const { return full_; }
    sqlite3* db() const { return db_; }

    // Runs `sql` with `values` bound; the text values of its rows, or
    // nothing (with result() set).
    std::optional<QList<QStringList>> rows(const QString& sql, const Values& values = {})
    {
        sqlite3_stmt* statement = nullptr;
        result_ = sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &statement, nullptr);
        if (result_ != SQLITE_OK)
            return std::nullopt;
        for (int i = 0; i < values.size() && result_ == SQLITE_OK; ++i)
            result_ = MyDB::bind(statement, i + 1, values[i]);
        if (result_ != SQLITE_OK) {
            sqlite3_finalize(statement);
            return std::nullopt;
        }
        QList<QStringList> list;
        while ((result_ = sqlite3_step(statement)) == SQLITE_ROW) {
            QStringList row;
            for (int j = 0; j < sqlite3_column_count(statement); ++j)
                row.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, j))));
            list.append(row);
        }
        sqlite3_finalize(statement);
        if (result_ != SQLITE_DONE) {
            full_ = full_ || (result_ & 0xff) == SQLITE_FULL;
            return std::nullopt;
        }
        result_ = SQLITE_OK;
        return list;
    }
    bool exec(const QString& sql, const Values& values = {}) { return rows(sql, values).has_value(); }
    // The number of rows the last change touched.
    int changes() const { return sqlite3_changes(db_); }

private:
    sqlite3* db_ = nullptr;
    int result_ = SQLITE_OK;
    bool full_ = false;
};

// A copy that cannot be read now for a reason other than damage: held by
// another connection, or left by a crash with a change to roll back that a
// read-only folder does not allow.
bool busy(int result)
{
    const int primary = result & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED || primary == SQLITE_READONLY;
}

// Every table and view with its columns.
struct Shape {
    QString type;
    QSet<QString> columns;
};

std::optional<QMap<QString, Shape>> shapes(Connection& c)
{
    const auto objects = c.rows(QStringLiteral("SELECT type, name FROM sqlite_schema WHERE type IN ('table', 'view') AND name NOT LIKE 'sqlite_%'"));
    if (!objects)
        return std::nullopt;
    QMap<QString, Shape> map;
    for (const QStringList& o : *objects) {
        const auto columns = c.rows(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {o[1]});
        if (!columns)
            return std::nullopt;
        Shape shape{o[0], {}};
        for (const QStringList& column : *columns)
            shape.columns.insert(column.value(0));
        map.insert(o[1], shape);
    }
    return map;
}

QString checkedMark(const QString& path)
{
    const QFileInfo info(path);
    return info.dir().filePath(QStringLiteral(".") + info.fileName() + QStringLiteral("-checked"));
}

// What identifies the file as this process last left it: its place on the
// disk, its size and the times of its last change, to the nanosecond.
QByteArray signature(const QString& path)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return QByteArray::number(static_cast<qulonglong>(st.st_dev)) + ' ' + QByteArray::number(static_cast<qulonglong>(st.st_ino)) + ' '
        + QByteArray::number(static_cast<qlonglong>(st.st_size)) + ' ' + QByteArray::number(static_cast<qlonglong>(st.st_mtim.tv_sec)) + '.'
        + QByteArray::number(static_cast<qlonglong>(st.st_mtim.tv_nsec)) + ' ' + QByteArray::number(static_cast<qlonglong>(st.st_ctim.tv_sec))
        + '.' + QByteArray::number(static_cast<qlonglong>(st.st_ctim.tv_nsec));
}

// The mark of a copy checked against a shipped file: both signatures.
QByteArray markOf(const QString& path, const QString& shipped)
{
    const QByteArray mine = signature(path);
    return mine.isEmpty() ? QByteArray() : mine + '\n' + signature(shipped);
}

constexpr qint64 kMarkBytes = 4096;

bool marked(const QString& path, const QString& shipped)
{
    if (foundation::Files::kind(path) != foundation::Files::Kind::Regular)
        return false;
    const QByteArray expected = markOf(path, shipped);
    return !expected.isEmpty() && foundation::Files::read(checkedMark(path), kMarkBytes) == expected;
}

QString uriReadOnly(const QString& path)
{
    return QStringLiteral("file:") + QString::fromLatin1(QUrl::toPercentEncoding(QFileInfo(path).absoluteFilePath(), "/"))
        + QStringLiteral("?mode=ro");
}

// The tables that hold the user's own rows, in every data version.
const QStringList kUserTables = {QStringLiteral("tStates"), QStringLiteral("tSelectedStates"), QStringLiteral("tTimes"),
    QStringLiteral("tSetting")};

// What a new copy takes from the old one: the user's own rows. A kind
// whose table an older copy does not have yet is left out for it.
struct Carry {
    const char* what;
    QList<Statement> statements;
    const char* needs = nullptr;
};

// The settings row's columns: the alarms of the alarm table, the
// recording and the events time.
QStringList settingColumns()
{
    QStringList columns;
    for (const Alarm& a : kAlarmTable)
        columns.append(QString::fromLatin1(a.column));
    columns << QStringLiteral("Item6") << QStringLiteral("Item7");
    return columns;
}

// The old row's values over the shipped row's, for each column the old copy
// has: a column it does not have yet (an alarm added since) keeps the
// shipped value. The columns are the table's own names, never a value.
Statement carrySettings(const QStringList& oldColumns)
{
    QStringList sets;
    for (const QString& c : settingColumns())
        if (oldColumns.contains(c))
            sets.append(c + QStringLiteral(" = (SELECT ") + c + QStringLiteral(" FROM old.tSetting LIMIT 1)"));
    if (sets.isEmpty())
        return {QStringLiteral("UPDATE main.tSetting SET rowid = rowid WHERE 0"), {}};
    return {QStringLiteral("UPDATE main.tSetting SET ") + sets.join(QStringLiteral(", ")) + QStringLiteral(" WHERE EXISTS (SELECT 1 FROM old.tSetting)"), {}};
}

QList<Carry> carries(const QStringList& oldSettingColumns)
{
    const int lastShipped = cities::kLastShippedStateId;
    return {
        {"cities",
            {{QStringLiteral("INSERT INTO main.tStates(StateID, Name, ParentID, IsCenter) SELECT StateID, Name, ParentID, IsCenter "
                             "FROM old.tStates WHERE StateID > ? AND ParentID IN (SELECT StateID FROM main.tStates WHERE ParentID IS NULL)"),
                 {lastShipped}},
                {QStringLiteral("INSERT OR IGNORE INTO main.tTimes(StateID, Date, T1, T2, T3, T4, T5, T6) "
                                "SELECT StateID, Date, T1, T2, T3, T4, T5, T6 FROM old.tTimes "
                                "WHERE StateID > ? AND Date = ? AND StateID IN (SELECT StateID FROM main.tStates)"),
                    {lastShipped, DateKey::kOffsetsSentinel}},
                // Ids of deleted cities are not handed out again.
                {QStringLiteral("UPDATE main.sqlite_sequence SET seq = MAX(seq, COALESCE((SELECT seq FROM old.sqlite_sequence "
                                "WHERE name = 'tStates'), 0)) WHERE name = 'tStates'"),
                    {}}}},
        {"places",
            {{QStringLiteral("INSERT OR IGNORE INTO main.tCoordinates(StateID, Latitude, Longitude) SELECT StateID, Latitude, Longitude "
                             "FROM old.tCoordinates WHERE StateID > ? AND StateID IN (SELECT StateID FROM main.tStates)"),
                {lastShipped}}},
            "tCoordinates"},
        {"preferences",
            {{QStringLiteral("INSERT OR REPLACE INTO main.tPreferences(Key, Value) SELECT Key, Value FROM old.tPreferences"), {}}},
            "tPreferences"},
        {"chosen",
            {{QStringLiteral("INSERT OR IGNORE INTO main.tSelectedStates(StateID, Ordering) SELECT StateID, Ordering "
                             "FROM old.tSelectedStates WHERE StateID IN (SELECT StateID FROM main.tStates)"),
                {}}}},
        {"settings", {carrySettings(oldSettingColumns)}},
    };
}

// What was kept, by kind.
struct Kept {
    int cities = -1;
    int chosen = -1;
    bool settings = false;
};

// A new copy of `shipped` at `path` + ".new", with the user's rows of
// `source` carried into it in one transaction. With `tolerant`, a kind of
// rows that cannot be read is left behind and the rest still carried.
std::optional<Kept> build(const QString& temporary, const QString& shipped, const QString& source, bool tolerant, bool& noRoom)
{
    QFile::remove(temporary);
    noRoom = false;
    if (!WorkingCopy::copy(shipped, temporary, &noRoom))
        return std::nullopt;
    // Nothing of a source that is not a file can be read; a fresh copy.
    if (source.isEmpty())
        return Kept{};
    Kept kept;
    bool ok = true;
    {
        Connection c(temporary, SQLITE_OPEN_READWRITE | SQLITE_OPEN_URI);
        ok = c.ok() && c.exec(QStringLiteral("ATTACH DATABASE ? AS old"), {uriReadOnly(source)});
        if (!ok && tolerant)
            ok = true;  // nothing of the old copy can be read: a fresh copy
        else if (ok) {
            ok = c.exec(QStringLiteral("BEGIN"));
            QStringList oldSettingColumns;
            for (const QStringList& row : c.rows(QStringLiteral("SELECT name FROM pragma_table_info('tSetting', 'old')")).value_or(QList<QStringList>()))
                oldSettingColumns.append(row.value(0));
            for (const Carry& carry : carries(oldSettingColumns)) {
                if (!ok)
                    break;
                if (carry.needs) {
                    const auto has = c.rows(QStringLiteral("SELECT 1 FROM old.sqlite_schema WHERE type = 'table' AND name = ?"),
                        {QString::fromLatin1(carry.needs)});
                    if (has && has->isEmpty())
                        continue;
                }
                c.exec(QStringLiteral("SAVEPOINT carry"));
                bool done = true;
                int rows = 0;
                // A kind counts the rows of its first insert: one per city,
                // not one per table the city has rows in.
                bool counted = false;
                for (const Statement& statement : carry.statements) {
                    done = done && c.exec(statement.sql, statement.values);
                    if (done && !counted && (statement.sql.startsWith(QLatin1String("INSERT")) || statement.sql.startsWith(QLatin1String("UPDATE")))) {
                        rows = c.changes();
                        counted = true;
                    }
                }
                if (done) {
                    c.exec(QStringLiteral("RELEASE carry"));
                    if (qstrcmp(carry.what, "cities") == 0)
                        kept.cities = rows;
                    else if (qstrcmp(carry.what, "chosen") == 0)
                        kept.chosen = rows;
                    else if (qstrcmp(carry.what, "settings") == 0)
                        kept.settings = rows > 0;
                } else {
                    c.exec(QStringLiteral("ROLLBACK TO carry"));
                    c.exec(QStringLiteral("RELEASE carry"));
                    ok = tolerant;
                }
            }
            // The cities the user made, not the places chosen from the list.
            if (ok && kept.cities > 0) {
                const auto made = c.rows(QStringLiteral(
                    "SELECT COUNT(*) FROM main.tStates s WHERE s.StateID > ? AND NOT EXISTS (SELECT 1 FROM main.tCoordinates k "
                    "INNER JOIN main.tPlaces p ON p.Latitude = k.Latitude AND p.Longitude = k.Longitude WHERE k.StateID = s.StateID)"),
                    {cities::kLastShippedStateId});
                if (made)
                    kept.cities = made->value(0).value(0).toInt();
            }
            ok = ok && c.exec(QStringLiteral("COMMIT"));
        }
        noRoom = c.full();
    }
    if (!ok) {
        QFile::remove(temporary);
        return std::nullopt;
    }
    return kept;
}

// Replaces `to` with `from` in one step.
bool replace(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

QString asideName(const QString& path)
{
    const QString base = path + QStringLiteral(".damaged-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = base;
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = base + QStringLiteral("-%1").arg(n);
    return name;
}

WorkingCopy::Notice notice(const Kept& kept, const QString& aside)
{
    QStringList parts;
    if (kept.chosen > 0)
        parts.append(QStringLiteral("%1 شهر انتخاب‌شده و ترتیب آن‌ها").arg(kept.chosen));
    if (kept.cities > 0)
        parts.append(QStringLiteral("%1 شهری که خودتان ساخته بودید").arg(kept.cities));
    if (kept.settings)
        parts.append(QStringLiteral("تنظیمات"));
    const QString what = parts.isEmpty() ? QStringLiteral("چیزی از داده‌های شما خوانا نبود.")
                                         : QStringLiteral("این‌ها نگه داشته شد: %1.").arg(parts.join(QStringLiteral("، ")));
    return {QStringLiteral("بازسازی داده‌ها"),
        QStringLiteral("پایگاه دادهٔ برنامه آسیب دیده بود و از نو ساخته شد. %1 نسخهٔ آسیب‌دیده با نام «%2» در پوشهٔ اسناد کنار گذاشته شد.")
            .arg(what, QFileInfo(aside).fileName())};
}

// The room the copy needs, in whole megabytes, as a phone's settings count them.
int megabytesFor(const QString& shipped)
{
    constexpr double kMegabyte = 1000.0 * 1000.0;
    return static_cast<int>(std::ceil(static_cast<double>(QFileInfo(shipped).size()) / kMegabyte));
}

WorkingCopy::Notice noRoom(const QString& shipped)
{
    return {QStringLiteral("حافظهٔ گوشی پر است"),
        QStringLiteral("برنامه نتوانست داده‌هایش را در گوشی بگذارد: حافظهٔ گوشی پر است و برنامه حدود %1 مگابایت جا لازم دارد. "
                       "کمی جا باز کنید؛ برنامه دفعهٔ بعد که باز شود دوباره تلاش می‌کند.")
            .arg(foundation::Digits::arabicIndic(megabytesFor(shipped)))};
}

// The mark that the user was told an update waits for room, for the
// shipped file it waits to bring in.
QString waitingMark(const QString& path)
{
    const QFileInfo info(path);
    return info.dir().filePath(QStringLiteral(".") + info.fileName() + QStringLiteral("-update-waits"));
}

std::optional<WorkingCopy::Notice> updateWaits(const QString& path, const QString& shipped)
{
    const QByteArray mine = signature(shipped);
    if (foundation::Files::read(waitingMark(path), kMarkBytes) == mine)
        return std::nullopt;
    foundation::AtomicFile::replace(waitingMark(path), mine);
    return WorkingCopy::Notice{QStringLiteral("به‌روزرسانی داده‌ها"),
        QStringLiteral("داده‌های تازهٔ برنامه آماده است، اما حافظهٔ گوشی برای آن جا ندارد (حدود %1 مگابایت). "
                       "تا آن وقت برنامه با داده‌های پیشین کار می‌کند و هر بار که باز شود دوباره تلاش می‌کند.")
            .arg(foundation::Digits::arabicIndic(megabytesFor(shipped)))};
}

// Puts `path`'s entry aside under `aside` without reading it: the same file
// under a second name, or a link to the same target, or (for a pipe, a
// folder, a device) the entry itself moved.
bool keepAside(const QString& path, const QString& aside, foundation::Files::Kind kind)
{
    const QByteArray from = QFile::encodeName(path);
    const QByteArray to = QFile::encodeName(aside);
    if (kind == foundation::Files::Kind::Regular)
        return ::link(from.constData(), to.constData()) == 0 || QFile::copy(path, aside);
    if (kind == foundation::Files::Kind::Link) {
        const QByteArray target = QFile::encodeName(QFile::symLinkTarget(path));
        return ::symlink(target.constData(), to.constData()) == 0;
    }
    return std::rename(from.constData(), to.constData()) == 0;
}

// An empty settings table gets the shipped row back.
void ensureSettingsRow(const QString& path, const QString& shipped)
{
    Connection c(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_URI);
    const auto count = c.rows(QStringLiteral("SELECT COUNT(*) FROM tSetting"));
    if (!c.ok() || !count || count->value(0).value(0) != QLatin1String("0"))
        return;
    const bool ok = c.exec(QStringLiteral("ATTACH DATABASE ? AS shipped"), {uriReadOnly(shipped)})
        && c.exec(QStringLiteral("INSERT INTO main.tSetting SELECT * FROM shipped.tSetting LIMIT 1"));
    foundation::Log::write(ok ? QStringLiteral("the settings row was missing: the shipped one is back")
                              : QStringLiteral("the settings row is missing and cannot be put back: ") + QString::fromUtf8(sqlite3_errmsg(c.db())));
}

} // namespace

int WorkingCopy::dataVersion(const QString& path)
{
    if (!QFileInfo::exists(path))
        return -1;
    Connection c(path, SQLITE_OPEN_READONLY);
    const auto version = c.rows(QStringLiteral("PRAGMA user_version"));
    return version ? version->value(0).value(0).toInt() : -1;
}

WorkingCopy::State WorkingCopy::check(const QString& path, const QString& shipped)
{
    const foundation::Files::Kind kind = foundation::Files::kind(path);
    if (kind == foundation::Files::Kind::Missing)
        return State::Missing;
    // A link, a pipe, a folder: not a copy the app may use or even open.
    if (kind != foundation::Files::Kind::Regular)
        return State::Damaged;
    // Read-write where it may be, so that a change a crash left half done is
    // rolled back before anything is read.
    std::optional<Connection> opened;
    opened.emplace(path, SQLITE_OPEN_READWRITE);
    if (!opened->ok())
        opened.emplace(path, SQLITE_OPEN_READONLY);
    Connection& c = *opened;
    if (!c.ok())
        return busy(c.result()) ? State::Unknown : State::Damaged;
    // Reading the schema reads the file's header: a file that is not a
    // database (empty, overwritten) fails here.
    const auto mine = shapes(c);
    if (!mine)
        return busy(c.result()) ? State::Unknown : State::Damaged;

    // Every table and view of the shipped file, with all its columns, in a
    // copy of the same data version; an older one has an older schema, but
    // still the tables of the user's rows.
    Connection s(shipped, SQLITE_OPEN_READONLY);
    const auto expected = s.ok() ? shapes(s) : std::nullopt;
    const auto version = c.rows(QStringLiteral("PRAGMA user_version"));
    const int mineVersion = version ? version->value(0).value(0).toInt() : -1;
    const int shippedVersion = expected ? dataVersion(shipped) : -1;
    const bool outdated = version && shippedVersion > mineVersion;
    if (expected) {
        for (auto it = expected->cbegin(); it != expected->cend(); ++it) {
            if (outdated && !kUserTables.contains(it.key()))
                continue;
            const auto found = mine->constFind(it.key());
            if (found == mine->cend() || found->type != it->type || !found->columns.contains(it->columns))
                return State::Damaged;
        }
    }

    // The whole file, unless it is as this process last left it.
    if (!marked(path, shipped)) {
        const auto result = c.rows(QStringLiteral("PRAGMA quick_check"));
        if (!result)
            return busy(c.result()) ? State::Unknown : State::Damaged;
        if (result->value(0).value(0) != QLatin1String("ok"))
            return State::Damaged;
    }

    return outdated ? State::Outdated : State::Whole;
}

WorkingCopy::Prepared WorkingCopy::prepare(const QString& path, const QString& shipped)
{
    // A copy as this app left it, beside the same shipped file, was checked
    // whole then and has not changed since: nothing to open at all.
    if (marked(path, shipped))
        return {};
    const QString temporary = path + QStringLiteral(".new");
    const foundation::Files::Kind kind = foundation::Files::kind(path);
    bool full = false;
    switch (check(path, shipped)) {
    case State::Missing:
        if (copy(shipped, path, &full)) {
            remember(path, shipped);
            return {};
        }
        return {full ? std::optional<Notice>(noRoom(shipped)) : std::nullopt, true};
    case State::Unknown:
        foundation::Log::write(QStringLiteral("the database is locked by another program: it is used without a check"));
        return {};
    case State::Whole:
        ensureSettingsRow(path, shipped);
        remember(path, shipped);
        QFile::remove(waitingMark(path));
        return {};
    case State::Outdated:
        // Newer shipped data: a new copy with the user's rows, all of them or
        // none, put in place in one step.
        if (build(temporary, shipped, path, false, full) && replace(temporary, path)) {
            foundation::Log::write(QStringLiteral("the database was updated to data version %1").arg(dataVersion(path)));
            remember(path, shipped);
            QFile::remove(waitingMark(path));
            return {};
        }
        QFile::remove(temporary);
        // No room for the new copy: the old one is whole and stays in use
        // until there is.
        if (full) {
            foundation::Log::write(QStringLiteral("no room on the disk to update the database: the old copy stays, the update waits"));
            return {updateWaits(path, shipped), true};
        }
        // Rows that cannot be carried whole: the old copy is kept aside and
        // what can be read goes over, as for a damaged one.
        foundation::Log::write(QStringLiteral("the database could not be updated with all the user's rows"));
        [[fallthrough]];
    case State::Damaged: {
        // Kept aside under a dated name, never deleted; what can still be
        // read of the user's rows goes into a fresh copy. Only a file is read
        // (through a link to one too); a pipe would never answer.
        if (kind != foundation::Files::Kind::Regular)
            foundation::Log::write(QStringLiteral("the database is not a file but %1").arg(foundation::Files::describe(kind)));
        const bool readable = foundation::Files::openRegular(path).ok();
        const QString aside = asideName(path);
        const std::optional<Kept> kept = build(temporary, shipped, readable ? path : QString(), true, full);
        if (!kept || !keepAside(path, aside, kind) || !replace(temporary, path)) {
            QFile::remove(temporary);
            if (full) {
                foundation::Log::write(QStringLiteral("the database is damaged and there is no room on the disk to repair it"));
                return {noRoom(shipped), true};
            }
            foundation::Log::write(QStringLiteral("the database is damaged and cannot be replaced"));
            return {};
        }
        foundation::Log::write(QStringLiteral("the database was damaged: a fresh copy replaces it, the old one is kept as ") + QFileInfo(aside).fileName());
        remember(path, shipped);
        return {notice(*kept, aside), false};
    }
    }
    return {};
}

bool WorkingCopy::copy(const QString& from, const QString& to, bool* noRoom)
{
    // Written to a temporary file beside the target and renamed into place
    // only when complete and on the disk: an interrupted copy never leaves a
    // truncated database that later starts would take for the real one.
    QString error;
    if (foundation::AtomicFile::copy(from, to, &error, noRoom))
        return true;
    foundation::Log::write(QStringLiteral("cannot copy the database into place (%1)").arg(error));
    return false;
}

void WorkingCopy::remember(const QString& path, const QString& shipped)
{
    const QByteArray now = markOf(path, shipped);
    if (now.isEmpty())
        return;
    if (foundation::Files::read(checkedMark(path), kMarkBytes) == now)
        return;
    // Only spares the next start a check: no need to wait for the disk.
    foundation::AtomicFile::replace(checkedMark(path), now, nullptr, false);
}

void WorkingCopy::forget(const QString& path)
{
    QFile::remove(checkedMark(path));
}

#include "MyDB.h"

#include "platform/foundation/Directories.h"
#include "platform/foundation/Log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sqlite3.h>

namespace {

std::unique_ptr<MyDB>& shared()
{
    static std::unique_ptr<MyDB> instance;
    return instance;
}

QString columnText(sqlite3_stmt* statement, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    if (!text)
        return QStringLiteral("");
    // Bytes that are not UTF-8 come out as replacement characters.
    return QString::fromUtf8(text, sqlite3_column_bytes(statement, column));
}

QString rowValue(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return QString::number(sqlite3_column_int(statement, column));
    case SQLITE_NULL:
        return QStringLiteral("");
    default:
        return columnText(statement, column);
    }
}

constexpr qint64 kCopyChunk = 1 << 16;

} // namespace

MyDB* MyDB::initialize()
{
    if (!shared())
        shared() = std::make_unique<MyDB>(QStringLiteral("Icons"));
    return shared().get();
}

void MyDB::resetShared()
{
    shared().reset();
}

MyDB::MyDB(const QString& name)
    : fileName(name)
{
    dbPath = getDBPath();
    if (!isExist())
        copyDB();
}

QString MyDB::getDBPath() const
{
    return QDir(foundation::Directories::documentsDirectory()).filePath(fileName);
}

bool MyDB::isExist() const
{
    return QFileInfo::exists(dbPath);
}

bool MyDB::copyDB()
{
    // Written to a temporary file beside the target and renamed into place
    // only when complete: an interrupted copy never leaves a truncated
    // database that later starts would take for the real one.
    QFile source(QDir(foundation::Directories::resourcePath()).filePath(fileName));
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QSaveFile target(dbPath);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(kCopyChunk);
        if (chunk.isEmpty() && source.error() != QFileDevice::NoError) {
            target.cancelWriting();
            break;
        }
        if (target.write(chunk) != chunk.size()) {
            target.cancelWriting();
            break;
        }
    }
    return target.commit();
}

int MyDB::loadDB()
{
    // Read-write, never create: a missing working copy stays missing, so the
    // next start can still copy the shipped one into place.
    database = nullptr;
    const int result = sqlite3_open_v2(dbPath.toUtf8().constData(), &database, SQLITE_OPEN_READWRITE, nullptr);
    if (result != SQLITE_OK)
        close();
    return result;
}

void MyDB::close()
{
    if (database)
        sqlite3_close(database);
    database = nullptr;
}

RowSet MyDB::run(const QString& sql)
{
    if (loadDB() != SQLITE_OK)
        return {};

    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(database, sql.toUtf8().constData(), -1, &statement, nullptr);

    const int count = statement ? sqlite3_column_count(statement) : 0;
    columnList.clear();
    for (int j = 0; j < count; ++j)
        columnList.append(QString::fromUtf8(sqlite3_column_name(statement, j)));

    RowSet rows;
    while (statement && sqlite3_step(statement) == SQLITE_ROW) {
        Row row;
        for (int j = 0; j < count; ++j)
            row.insert(columnList[j], rowValue(statement, j));
        rows.append(row);
    }

    sqlite3_finalize(statement);
    close();
    return rows;
}

RowSet MyDB::Execute(const QString& sql)
{
    return run(sql);
}

bool MyDB::ExecuteNonQuery(const QString& sql)
{
    if (loadDB() != SQLITE_OK)
        return false;

    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(database, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
        foundation::Log::write(QString::fromUtf8(sqlite3_errmsg(database)));

    const bool done = statement && sqlite3_step(statement) == SQLITE_DONE;

    sqlite3_finalize(statement);
    close();
    return done;
}

std::optional<QString> MyDB::ExecuteScaler(const QString& sql)
{
    const RowSet rows = run(sql);
    if (rows.isEmpty() || columnList.isEmpty())
        return std::nullopt;
    return rows.first().value(columnList.first());
}

bool MyDB::ExecuteTransaction(const QStringList& statements)
{
    if (loadDB() != SQLITE_OK)
        return false;

    auto exec = [this](const QByteArray& sql) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(database, sql.constData(), -1, &statement, nullptr) != SQLITE_OK) {
            foundation::Log::write(QString::fromUtf8(sqlite3_errmsg(database)));
            return false;
        }
        const bool done = statement && sqlite3_step(statement) == SQLITE_DONE;
        sqlite3_finalize(statement);
        return done;
    };

    bool ok = exec("BEGIN IMMEDIATE");
    for (const QString& sql : statements) {
        if (!ok)
            break;
        ok = exec(sql.toUtf8());
    }
    ok = ok && exec("COMMIT");
    if (!ok)
        exec("ROLLBACK");
    close();
    return ok;
}

std::optional<QString> MyDB::getValue(const RowSet& rows, int rowNumber, const QString& coulumnName)
{
    const Row& row = rows.at(rowNumber);
    const auto it = row.constFind(coulumnName);
    if (it == row.constEnd())
        return std::nullopt;
    return *it;
}

QString MyDB::quote(const QString& text)
{
    QString body = text;
    // SQLite reads a statement only up to a NUL character.
    body.remove(QChar(0));
    body.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + body + QLatin1Char('\'');
}

QString MyDB::likeContains(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('%'), QStringLiteral("\\%"));
    escaped.replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return quote(QLatin1Char('%') + escaped + QLatin1Char('%')) + QStringLiteral(" ESCAPE '\\'");
}

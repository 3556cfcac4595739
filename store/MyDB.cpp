#include "MyDB.h"

#include "HijriMonths.h"
#include "WorkingCopy.h"

#include "platform/foundation/Directories.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/Log.h"

#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>

#include <memory>

namespace {

std::unique_ptr<MyDB>& shared()
{
    static std::unique_ptr<MyDB> instance;
    return instance;
}

// Statements kept prepared. Values are bound, never formatted into the
// texts, so the app's texts are few; this only bounds a caller gone wrong.
constexpr int kCachedStatements = 256;

} // namespace

int MyDB::bind(sqlite3_stmt* statement, int index, const QVariant& value)
{
    if (value.isNull())
        return sqlite3_bind_null(statement, index);
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        return sqlite3_bind_int64(statement, index, value.toLongLong());
    case QMetaType::Double:
        return sqlite3_bind_double(statement, index, value.toDouble());
    default: {
        const QByteArray text = value.toString().toUtf8();
        return sqlite3_bind_text(statement, index, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    }
}

MyDB* MyDB::initialize()
{
    if (!shared()) {
        const QString name = QStringLiteral("Icons");
        const WorkingCopy::Prepared prepared = WorkingCopy::prepare(QDir(foundation::Directories::documentsDirectory()).filePath(name),
            QDir(foundation::Directories::resourcePath()).filePath(name));
        shared() = std::make_unique<MyDB>(name);
        shared()->notice_ = prepared.notice;
        shared()->again_ = prepared.again;
        // The lunar months as the user has them.
        hijri::apply();
    }
    return shared().get();
}

void MyDB::tryAgain()
{
    if (!again_)
        return;
    close();
    const WorkingCopy::Prepared prepared = WorkingCopy::prepare(dbPath, QDir(foundation::Directories::resourcePath()).filePath(fileName));
    notice_ = prepared.notice;
    again_ = prepared.again;
}

void MyDB::resetShared()
{
    shared().reset();
}

MyDB::MyDB(const QString& name)
    : fileName(name)
{
    dbPath = getDBPath();
    // Only a copy that is missing, not one that stands there as a link
    // (QFileInfo follows links, and one to nothing would read as missing).
    if (!isExist() && foundation::Files::kind(dbPath) == foundation::Files::Kind::Missing)
        copyDB();
}

MyDB::~MyDB()
{
    close();
    // The copy as this process leaves it needs no full check at the next
    // start; after a crash it gets one. A copy still waiting for its update
    // is not marked: the next start must find it outdated.
    if (changed_ && !again_)
        WorkingCopy::remember(dbPath, QDir(foundation::Directories::resourcePath()).filePath(fileName));
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
    return WorkingCopy::copy(QDir(foundation::Directories::resourcePath()).filePath(fileName), dbPath);
}

int MyDB::loadDB()
{
    if (database)
        return SQLITE_OK;
    // Read-write, never create: a missing working copy stays missing, so the
    // next start can still copy the shipped one into place.
    const int result = sqlite3_open_v2(dbPath.toUtf8().constData(), &database, SQLITE_OPEN_READWRITE, nullptr);
    if (result != SQLITE_OK) {
        sqlite3_close(database);
        database = nullptr;
        return result;
    }
    // Another connection's lock is waited for, not taken for an empty result.
    sqlite3_busy_timeout(database, kBusyTimeoutMs);
    sqlite3_set_authorizer(database, &MyDB::noteWrites, this);
    ++opens_;
    return result;
}

void MyDB::forgetStatements()
{
    for (sqlite3_stmt* statement : std::as_const(statements_))
        sqlite3_finalize(statement);
    statements_.clear();
    writes_.clear();
}

void MyDB::close()
{
    forgetStatements();
    if (database)
        sqlite3_close(database);
    database = nullptr;
}

sqlite3_stmt* MyDB::prepare(const QByteArray& sql, const Values& values)
{
    if (reprepared_) {
        reprepared_ = false;
        forgetStatements();
    }
    sqlite3_stmt* statement = statements_.value(sql);
    if (!statement) {
        if (statements_.size() >= kCachedStatements)
            forgetStatements();
        QList<QByteArray> written;
        preparing_ = &written;
        // Only the first statement of the text; the rest is ignored.
        sqlite3_prepare_v3(database, sql.constData(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
        preparing_ = nullptr;
        if (!statement)
            return nullptr;
        statements_.insert(sql, statement);
        if (!written.isEmpty())
            writes_.insert(statement, written);
    }
    // Counted as it is about to run: a write that then fails or is rolled
    // back only makes a stamp change that did not need to.
    for (const QByteArray& table : writes_.value(statement)) {
        if (table == "*")
            ++schemaWrites_;
        else
            ++tableWrites_[table];
    }
    sqlite3_clear_bindings(statement);
    // A statement is given exactly the values it asks for.
    if (sqlite3_bind_parameter_count(statement) != values.size()) {
        foundation::Log::write(QStringLiteral("a statement wants %1 values and was given %2: %3")
                                   .arg(sqlite3_bind_parameter_count(statement))
                                   .arg(values.size())
                                   .arg(QString::fromUtf8(sql)));
        return nullptr;
    }
    for (int i = 0; i < values.size(); ++i) {
        if (bind(statement, i + 1, values[i]) != SQLITE_OK)
            return nullptr;
    }
    return statement;
}

void MyDB::release(sqlite3_stmt* statement)
{
    // A statement left unreset would hold its read transaction open, and
    // with it the view of the file as it was.
    if (statement)
        sqlite3_reset(statement);
}

void MyDB::changed()
{
    changed_ = true;
}

void MyDB::failed(int result)
{
    lastResult_ = result;
    const int primary = result & 0xff;
    if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB)
        WorkingCopy::forget(dbPath);
}

std::optional<RowSet> MyDB::query(const QString& sql, const Values& values)
{
    lastResult_ = SQLITE_OK;
    const int opened = loadDB();
    if (opened != SQLITE_OK) {
        failed(opened);
        return std::nullopt;
    }
    sqlite3_stmt* statement = prepare(sql.toUtf8(), values);

    const int count = statement ? sqlite3_column_count(statement) : 0;
    columnList.clear();
    for (int j = 0; j < count; ++j)
        columnList.append(QString::fromUtf8(sqlite3_column_name(statement, j)));
    if (!statement) {
        failed(sqlite3_extended_errcode(database) == SQLITE_OK ? SQLITE_RANGE : sqlite3_extended_errcode(database));
        return std::nullopt;
    }

    RowSet rows;
    int result = SQLITE_ROW;
    while ((result = sqlite3_step(statement)) == SQLITE_ROW) {
        Row row;
        for (int j = 0; j < count; ++j)
            row.insert(columnList[j], rowValue(statement, j));
        rows.append(row);
    }
    release(statement);
    if (result != SQLITE_DONE) {
        failed(result);
        // The rows read before the failure are what the query gave.
        lastRows_ = rows;
        return std::nullopt;
    }
    return rows;
}

std::optional<QString> MyDB::contentStamp(const QByteArray& table)
{
    const std::optional<QList<QVariantList>> version = numbers(QStringLiteral("PRAGMA data_version"));
    if (!version || version->isEmpty() || version->first().isEmpty())
        return std::nullopt;
    return QStringLiteral("%1/%2/%3/%4")
        .arg(opens_)
        .arg(version->first().first().toLongLong())
        .arg(schemaWrites_)
        .arg(tableWrites_.value(table.toLower()));
}

int MyDB::noteWrites(void* self, int action, const char* first, const char*, const char*, const char*)
{
    auto* db = static_cast<MyDB*>(self);
    QByteArray written;
    switch (action) {
    case SQLITE_INSERT:
    case SQLITE_UPDATE:
    case SQLITE_DELETE:
        if (first)
            written = QByteArray(first).toLower();
        break;
    case SQLITE_CREATE_TABLE:
    case SQLITE_CREATE_TEMP_TABLE:
    case SQLITE_DROP_TABLE:
    case SQLITE_DROP_TEMP_TABLE:
    case SQLITE_ALTER_TABLE:
    case SQLITE_CREATE_TRIGGER:
    case SQLITE_CREATE_TEMP_TRIGGER:
    case SQLITE_DROP_TRIGGER:
    case SQLITE_DROP_TEMP_TRIGGER:
    case SQLITE_CREATE_VIEW:
    case SQLITE_CREATE_TEMP_VIEW:
    case SQLITE_DROP_VIEW:
    case SQLITE_DROP_TEMP_VIEW:
    case SQLITE_CREATE_VTABLE:
    case SQLITE_DROP_VTABLE:
    case SQLITE_ATTACH:
    case SQLITE_DETACH:
        written = QByteArrayLiteral("*");
        break;
    default:
        break;
    }
    if (written.isEmpty())
        return SQLITE_OK;
    if (db->preparing_) {
        db->preparing_->append(written);
    } else {
        // The engine prepares a kept statement anew, after a change of the
        // schema, as it runs: it may now write more than was noted (a new
        // trigger's tables). This run moves every stamp, and the kept
        // statements are prepared again, with what they write, before the
        // next one runs.
        ++db->schemaWrites_;
        db->reprepared_ = true;
    }
    return SQLITE_OK;
}

std::optional<QList<QVariantList>> MyDB::numbers(const QString& sql, const Values& values)
{
    lastResult_ = SQLITE_OK;
    const int opened = loadDB();
    if (opened != SQLITE_OK) {
        failed(opened);
        return std::nullopt;
    }
    sqlite3_stmt* statement = prepare(sql.toUtf8(), values);
    if (!statement) {
        failed(sqlite3_extended_errcode(database) == SQLITE_OK ? SQLITE_RANGE : sqlite3_extended_errcode(database));
        return std::nullopt;
    }
    QList<QVariantList> rows;
    const int count = sqlite3_column_count(statement);
    int result = SQLITE_ROW;
    while ((result = sqlite3_step(statement)) == SQLITE_ROW) {
        QVariantList row;
        for (int j = 0; j < count; ++j) {
            switch (sqlite3_column_type(statement, j)) {
            case SQLITE_INTEGER:
                row.append(static_cast<qlonglong>(sqlite3_column_int64(statement, j)));
                break;
            case SQLITE_FLOAT:
                row.append(sqlite3_column_double(statement, j));
                break;
            case SQLITE_NULL:
                row.append(QVariant());
                break;
            default:
                row.append(rowValue(statement, j));
                break;
            }
        }
        rows.append(row);
    }
    release(statement);
    if (result != SQLITE_DONE) {
        failed(result);
        return std::nullopt;
    }
    return rows;
}

RowSet MyDB::run(const QString& sql, const Values& values)
{
    lastRows_.clear();
    std::optional<RowSet> rows = query(sql, values);
    return rows ? *rows : std::exchange(lastRows_, RowSet());
}

RowSet MyDB::Execute(const QString& sql, const Values& values)
{
    return run(sql, values);
}

bool MyDB::ExecuteNonQuery(const QString& sql, const Values& values)
{
    lastResult_ = SQLITE_OK;
    const int opened = loadDB();
    if (opened != SQLITE_OK) {
        failed(opened);
        return false;
    }
    sqlite3_stmt* statement = prepare(sql.toUtf8(), values);
    if (!statement) {
        foundation::Log::write(QString::fromUtf8(sqlite3_errmsg(database)));
        failed(sqlite3_extended_errcode(database) == SQLITE_OK ? SQLITE_RANGE : sqlite3_extended_errcode(database));
        return false;
    }
    const int result = sqlite3_step(statement);
    if (result == SQLITE_DONE) {
        release(statement);
        changed();
        return true;
    }
    // A statement that returns rows did not fail; anything else did.
    if (result != SQLITE_ROW)
        foundation::Log::write(QString::fromUtf8(sqlite3_errmsg(database)));
    release(statement);
    failed(result);
    return false;
}

std::optional<QString> MyDB::ExecuteScaler(const QString& sql, const Values& values)
{
    const RowSet rows = run(sql, values);
    if (rows.isEmpty() || columnList.isEmpty())
        return std::nullopt;
    return rows.first().value(columnList.first());
}

bool MyDB::ExecuteTransaction(const QList<Statement>& statements)
{
    lastResult_ = SQLITE_OK;
    const int opened = loadDB();
    if (opened != SQLITE_OK) {
        failed(opened);
        return false;
    }

    int result = SQLITE_OK;
    auto exec = [this, &result](const QByteArray& sql, const Values& values = {}, bool mustChange = false) {
        sqlite3_stmt* statement = prepare(sql, values);
        if (!statement) {
            foundation::Log::write(QString::fromUtf8(sqlite3_errmsg(database)));
            result = sqlite3_extended_errcode(database) == SQLITE_OK ? SQLITE_RANGE : sqlite3_extended_errcode(database);
            return false;
        }
        const int step = sqlite3_step(statement);
        if (step != SQLITE_DONE) {
            foundation::Log::write(QString::fromUtf8(sqlite3_errmsg(database)));
            result = step == SQLITE_ROW ? SQLITE_MISUSE : step;
        } else if (mustChange && sqlite3_changes(database) == 0) {
            foundation::Log::write(QStringLiteral("a change found nothing to change: ") + QString::fromUtf8(sql));
            result = SQLITE_NOTFOUND;
            release(statement);
            return false;
        }
        release(statement);
        return step == SQLITE_DONE;
    };

    bool ok = exec("BEGIN IMMEDIATE");
    for (const Statement& statement : statements) {
        if (!ok)
            break;
        ok = exec(statement.sql.toUtf8(), statement.values, statement.mustChange);
    }
    ok = ok && exec("COMMIT");
    if (!ok) {
        const int cause = result;
        if (!sqlite3_get_autocommit(database))
            exec("ROLLBACK");
        failed(cause);
        return false;
    }
    changed();
    return true;
}

std::optional<WorkingCopy::Notice> MyDB::takeNotice()
{
    return std::exchange(notice_, std::nullopt);
}

QString MyDB::rowValue(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return QString::number(sqlite3_column_int(statement, column));
    case SQLITE_NULL:
        return QStringLiteral("");
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        if (!text)
            return QStringLiteral("");
        // Bytes that are not UTF-8 come out as replacement characters.
        return QString::fromUtf8(text, sqlite3_column_bytes(statement, column));
    }
    }
}

std::optional<QString> MyDB::getValue(const RowSet& rows, int rowNumber, const QString& coulumnName)
{
    const Row& row = rows.at(rowNumber);
    const auto it = row.constFind(coulumnName);
    if (it == row.constEnd())
        return std::nullopt;
    return *it;
}

namespace {

QString likeLiteral(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('%'), QStringLiteral("\\%"));
    escaped.replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return escaped;
}

} // namespace

QString MyDB::likeContains(const QString& text)
{
    return QLatin1Char('%') + likeLiteral(text) + QLatin1Char('%');
}

QString MyDB::likeStarts(const QString& text)
{
    return likeLiteral(text) + QLatin1Char('%');
}

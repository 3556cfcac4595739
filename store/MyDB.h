#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "WorkingCopy.h"

#include <optional>

struct sqlite3;
struct sqlite3_stmt;

// A result row: column name (or alias) to its value as text.
using Row = QHash<QString, QString>;
// The rows of one query, in the order the statement produced them.
using RowSet = QList<Row>;
// The values bound to a statement's "?" placeholders, in order: a text, a
// whole or a real number, or a null QVariant for NULL. Values never become
// part of the statement's text, so no text a user types can change what a
// statement does, and each text is prepared once.
using Values = QVariantList;
// One statement of a transaction, with its values. A statement that must
// change a row fails the transaction when it changes none.
struct Statement {
    QString sql;
    Values values;
    bool mustChange = false;
};

// The one gateway to the database. One connection stays open for the whole
// process, with its statements prepared once per text, and every call runs
// in its own transaction: it sees every change committed before it, by this
// process or another, and a change is committed when its call returns.
// Failures never reach a caller as errors: a failed query is an empty row
// set, a missing value is nothing, a failed change is false. Callers that
// must tell a failed read from an empty one use query().
class MyDB {
public:
    // The shared instance over "Icons", made on the first call. The first
    // call also makes sure the user's copy is there and whole (WorkingCopy).
    static MyDB* initialize();
    // Drops the shared instance, so the next initialize() starts afresh
    // (a new sandbox in tests or on the device).
    static void resetShared();

    explicit MyDB(const QString& fileName); // init:
    ~MyDB();
    MyDB(const MyDB&) = delete;
    MyDB& operator=(const MyDB&) = delete;

    QString getDBPath() const;
    bool isExist() const;
    bool copyDB();
    int loadDB();

    RowSet run(const QString& sql, const Values& values = {});
    RowSet Execute(const QString& sql, const Values& values = {});
    bool ExecuteNonQuery(const QString& sql, const Values& values = {});
    std::optional<QString> ExecuteScaler(const QString& sql, const Values& values = {});

    // The rows of a query, or nothing when it could not run to its end (a
    // lock held too long, a damaged file, a statement that cannot prepare).
    std::optional<RowSet> query(const QString& sql, const Values& values = {});

    // The rows of a query as the engine holds their values: whole numbers
    // (64 bits), real numbers to the last bit, texts, nulls. For the data
    // that is numbers, where a text would round them.
    std::optional<QList<QVariantList>> numbers(const QString& sql, const Values& values = {});
    // A mark that differs whenever what `table` holds may have changed
    // since it was taken: a statement of this connection that writes the
    // table (directly or by a trigger) or changes the schema, a commit of
    // another connection, a file opened anew. What is built from rows that
    // seldom change (the shipped occasions) is kept while the mark holds;
    // the settings written beside them leave it as it is. Nothing when the
    // database cannot be read.
    std::optional<QString> contentStamp(const QByteArray& table);

    // Runs every statement in one transaction: all of them take effect, or
    // (when one cannot be prepared or does not run to completion) none.
    bool ExecuteTransaction(const QList<Statement>& statements);

    // The engine's result code for the last call (0 when it succeeded).
    int lastResult() const { return lastResult_; }

    // A message for the user, in Persian, about the copy: repaired at this
    // start, or no room for it or for an update. Given once.
    std::optional<WorkingCopy::Notice> takeNotice();
    // When the copy could not be made, or an update waits for room, tries
    // again (the app is back in front: the user may have made room).
    void tryAgain();

    static std::optional<QString> getValue(const RowSet& rows, int rowNumber, const QString& coulumnName);
    // A result column as a row holds it: integers in decimal, NULL as the
    // empty text, text and anything else as SQLite renders it in UTF-8.
    static QString rowValue(sqlite3_stmt* statement, int column);

    // The value for "LIKE ? ESCAPE '\'" that matches any text containing
    // `text` literally ('%', '_' and '\' included).
    static QString likeContains(const QString& text);
    // The start of a text, literally, for the same kind of LIKE.
    static QString likeStarts(const QString& text);

    // How long a connection waits for another connection's lock.
    static constexpr int kBusyTimeoutMs = 3000;
    // Binds `value` to a statement's parameter `index` (1-based), by its
    // type: the one binder of every statement of the store.
    static int bind(sqlite3_stmt* statement, int index, const QVariant& value);

    QString fileName;
    QString dbPath;
    // Connections opened in this process, by any instance: part of the
    // content stamp, since a new connection counts its versions anew.
    static inline quint64 opens_ = 0;
    sqlite3* database = nullptr;
    QStringList columnList;

private:
    // The statement of `sql`, prepared once and kept, with `values` bound;
    // nothing when it cannot be prepared or a value cannot be bound.
    sqlite3_stmt* prepare(const QByteArray& sql, const Values& values);
    void release(sqlite3_stmt* statement);
    // Finalizes the kept statements: each is prepared again when next run.
    void forgetStatements();
    void close();
    // After a change: once this process is done with the copy, it needs no
    // new check.
    void changed();
    void failed(int result);

    // Told by the engine of every action a statement takes as it is
    // prepared: notes the tables it writes. When the engine prepares a kept
    // statement anew by itself, every table counts as written.
    static int noteWrites(void* self, int action, const char* first, const char* second, const char* schema, const char* trigger);

    QHash<QByteArray, sqlite3_stmt*> statements_;
    // The tables each kept statement writes ("*" for a change of schema),
    // and how often statements that write each table were run.
    QHash<sqlite3_stmt*, QList<QByteArray>> writes_;
    QHash<QByteArray, quint64> tableWrites_;
    quint64 schemaWrites_ = 0;
    QList<QByteArray>* preparing_ = nullptr;
    bool reprepared_ = false;
    // The rows a failed query read before it failed, for run().
    RowSet lastRows_;
    int lastResult_ = 0;
    bool changed_ = false;
    std::optional<WorkingCopy::Notice> notice_;
    bool again_ = false;
};

#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

struct sqlite3;

// A result row: column name (or alias) to its value as text.
using Row = QHash<QString, QString>;
// The rows of one query, in the order the statement produced them.
using RowSet = QList<Row>;

// The one gateway to the database. Every call opens the working copy, runs
// one statement and closes it again, so every caller sees the current file.
// Failures never reach a caller as errors: a failed query is an empty row
// set, a missing value is nothing, a failed change is false.
class MyDB {
public:
    // The shared instance over "Icons", made on the first call.
    static MyDB* initialize();
    // Drops the shared instance, so the next initialize() starts afresh
    // (a new sandbox in tests or on the device).
    static void resetShared();

    explicit MyDB(const QString& fileName); // init:

    QString getDBPath() const;
    bool isExist() const;
    bool copyDB();
    int loadDB();

    RowSet run(const QString& sql);
    RowSet Execute(const QString& sql);
    bool ExecuteNonQuery(const QString& sql);
    std::optional<QString> ExecuteScaler(const QString& sql);

    // Runs every statement in one transaction: all of them take effect, or
    // (when one cannot be prepared or does not run to completion) none.
    bool ExecuteTransaction(const QStringList& statements);

    static std::optional<QString> getValue(const RowSet& rows, int rowNumber, const QString& coulumnName);

    // `text` as an SQL string literal, quotes included.
    static QString quote(const QString& text);
    // A LIKE operand that matches any text containing `text` literally
    // ('%' and '_' included), with its ESCAPE clause.
    static QString likeContains(const QString& text);

    QString fileName;
    QString dbPath;
    sqlite3* database = nullptr;
    QStringList columnList;

private:
    void close();
};

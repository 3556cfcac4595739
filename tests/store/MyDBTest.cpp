#include "store/MyDB.h"

#include "platform/foundation/Directories.h"
#include "platform/foundation/Log.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

void writeDatabase(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    char* message = nullptr;
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &message), SQLITE_OK) << message;
    sqlite3_close(db);
}

const char* kSample = R"(
CREATE TABLE t (id INTEGER PRIMARY KEY, name TEXT, flag INTEGER, ratio REAL, empty TEXT, blob BLOB);
INSERT INTO t VALUES (1, 'تهران', 1, 2.5, NULL, x'4142');
INSERT INTO t VALUES (2, '1', -7, NULL, '', NULL);
CREATE TABLE d (Date INTEGER PRIMARY KEY);
INSERT INTO d VALUES (910101), (911230), (14000101), (920101);
)";

// Each test gets its own resource folder and documents folder.
class MyDBTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(resources.isValid());
        ASSERT_TRUE(documents.isValid());
        foundation::Directories::setResourcePath(resources.path());
        foundation::Directories::setDocumentsDirectory(documents.path());
        writeDatabase(resources.filePath(QStringLiteral("Icons")), kSample);
        MyDB::resetShared();
        foundation::Log::setSink([this](const QString& line) { log.append(line); });
    }

    void TearDown() override
    {
        foundation::Log::setSink({});
        MyDB::resetShared();
    }

    QString working() const { return documents.filePath(QStringLiteral("Icons")); }

    QTemporaryDir resources;
    QTemporaryDir documents;
    QStringList log;
};

TEST_F(MyDBTest, FirstStartCopiesTheShippedFileAndLaterStartsKeepTheUsersCopy)
{
    MyDB* db = MyDB::initialize();
    EXPECT_EQ(db, MyDB::initialize());
    EXPECT_EQ(db->dbPath, working());
    ASSERT_TRUE(QFile::exists(working()));
    ASSERT_TRUE(db->ExecuteNonQuery(QStringLiteral("UPDATE t SET name = 'mine' WHERE id = 1")));

    // A shipped file that differs, but carries no newer data version, does
    // not replace the user's copy.
    writeDatabase(resources.filePath(QStringLiteral("Icons")), "UPDATE t SET name = 'shipped' WHERE id = 1;");
    MyDB::resetShared();
    EXPECT_EQ(MyDB::initialize()->ExecuteScaler(QStringLiteral("SELECT name FROM t WHERE id = 1")), QStringLiteral("mine"));
}

TEST_F(MyDBTest, MissingResourceLeavesNoFileSoTheNextStartCopies)
{
    QFile::remove(resources.filePath(QStringLiteral("Icons")));
    MyDB* db = MyDB::initialize();
    EXPECT_FALSE(db->isExist());
    EXPECT_TRUE(db->run(QStringLiteral("SELECT 1")).isEmpty());
    EXPECT_FALSE(db->ExecuteNonQuery(QStringLiteral("CREATE TABLE x (a)")));
    // Opening must not have created an empty database in its place.
    EXPECT_FALSE(QFile::exists(working()));

    writeDatabase(resources.filePath(QStringLiteral("Icons")), kSample);
    MyDB::resetShared();
    EXPECT_EQ(MyDB::initialize()->ExecuteScaler(QStringLiteral("SELECT COUNT(*) FROM t")), QStringLiteral("2"));
}

TEST_F(MyDBTest, AFailedCopyLeavesNeitherTheTargetNorATemporaryFile)
{
    // A resource that cannot be read as a file (here a folder) fails mid-way.
    QFile::remove(resources.filePath(QStringLiteral("Icons")));
    QDir(resources.path()).mkdir(QStringLiteral("Icons"));
    MyDB db(QStringLiteral("Icons"));
    EXPECT_FALSE(db.copyDB());
    EXPECT_TRUE(QDir(documents.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(MyDBTest, RowValuesFollowTheConversionTable)
{
    MyDB* db = MyDB::initialize();
    const RowSet rows = db->Execute(QStringLiteral("SELECT * FROM t ORDER BY id"));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].value(QStringLiteral("name")), QStringLiteral("تهران"));
    EXPECT_EQ(rows[0].value(QStringLiteral("flag")), QStringLiteral("1"));
    EXPECT_EQ(rows[0].value(QStringLiteral("ratio")), QStringLiteral("2.5"));
    EXPECT_EQ(rows[0].value(QStringLiteral("blob")), QStringLiteral("AB"));
    // NULL is the empty text, present as a key.
    ASSERT_TRUE(rows[0].contains(QStringLiteral("empty")));
    EXPECT_EQ(rows[0].value(QStringLiteral("empty")), QStringLiteral(""));
    EXPECT_EQ(rows[1].value(QStringLiteral("ratio")), QStringLiteral(""));
    EXPECT_EQ(rows[1].value(QStringLiteral("flag")), QStringLiteral("-7"));
    // A text "1" and an integer 1 read the same.
    EXPECT_EQ(rows[1].value(QStringLiteral("name")), rows[0].value(QStringLiteral("flag")));
    EXPECT_EQ(db->columnList, (QStringList{"id", "name", "flag", "ratio", "empty", "blob"}));
}

TEST_F(MyDBTest, AliasesAndDuplicateColumnNames)
{
    MyDB* db = MyDB::initialize();
    const RowSet both = db->Execute(QStringLiteral("SELECT flag AS '1', flag AS '7' FROM t WHERE id = 1"));
    ASSERT_EQ(both.size(), 1);
    EXPECT_EQ(both[0].value(QStringLiteral("1")), QStringLiteral("1"));
    EXPECT_EQ(both[0].value(QStringLiteral("7")), QStringLiteral("1"));

    const RowSet same = db->Execute(QStringLiteral("SELECT name AS x, flag AS x FROM t WHERE id = 1"));
    ASSERT_EQ(same.size(), 1);
    EXPECT_EQ(same[0].size(), 1);
    EXPECT_EQ(same[0].value(QStringLiteral("x")), QStringLiteral("1"));
}

TEST_F(MyDBTest, EmptyResultsAndScalars)
{
    MyDB* db = MyDB::initialize();
    EXPECT_TRUE(db->Execute(QStringLiteral("SELECT * FROM t WHERE id = 99")).isEmpty());
    EXPECT_FALSE(db->ExecuteScaler(QStringLiteral("SELECT name FROM t WHERE id = 99")).has_value());
    // The scalar is the first column of the query just run.
    EXPECT_EQ(db->ExecuteScaler(QStringLiteral("SELECT name, id FROM t WHERE id = 2")), QStringLiteral("1"));
    EXPECT_EQ(db->ExecuteScaler(QStringLiteral("SELECT id, name FROM t WHERE id = 2")), QStringLiteral("2"));
    // A query that cannot be prepared is an empty row set, without a log line.
    EXPECT_TRUE(db->run(QStringLiteral("SELECT nothing FROM nowhere")).isEmpty());
    EXPECT_TRUE(log.isEmpty());

    const RowSet rows = db->Execute(QStringLiteral("SELECT id FROM t"));
    EXPECT_EQ(MyDB::getValue(rows, 0, QStringLiteral("id")), QStringLiteral("1"));
    EXPECT_FALSE(MyDB::getValue(rows, 0, QStringLiteral("nope")).has_value());
}

TEST_F(MyDBTest, ChangesReportCompletionOnlyAndFailuresSayWhy)
{
    MyDB* db = MyDB::initialize();
    EXPECT_FALSE(db->ExecuteNonQuery(QStringLiteral("SELECT * FROM t")));
    EXPECT_TRUE(db->ExecuteNonQuery(QStringLiteral("UPDATE t SET flag = 0 WHERE id = 99")));
    EXPECT_TRUE(log.isEmpty());

    // A change that fails while it runs says why, as one that cannot prepare does.
    EXPECT_FALSE(db->ExecuteNonQuery(QStringLiteral("INSERT INTO t(id) VALUES (1)")));
    EXPECT_NE(db->lastResult(), SQLITE_OK);
    EXPECT_FALSE(db->ExecuteNonQuery(QStringLiteral("UPDATE nowhere SET a = 1")));
    EXPECT_EQ(log, (QStringList{"UNIQUE constraint failed: t.id", "no such table: nowhere"}));
    EXPECT_TRUE(db->ExecuteNonQuery(QStringLiteral("UPDATE t SET flag = 0 WHERE id = 1")));
    EXPECT_EQ(db->lastResult(), SQLITE_OK);
}

TEST_F(MyDBTest, EveryCallSeesWhatAnotherConnectionCommitted)
{
    MyDB* db = MyDB::initialize();
    EXPECT_EQ(db->ExecuteScaler(QStringLiteral("SELECT name FROM t WHERE id = 1")), QStringLiteral("تهران"));
    writeDatabase(working(), "UPDATE t SET name = 'elsewhere' WHERE id = 1; CREATE TABLE added (x); INSERT INTO added VALUES (7);");
    EXPECT_EQ(db->ExecuteScaler(QStringLiteral("SELECT name FROM t WHERE id = 1")), QStringLiteral("elsewhere"));
    EXPECT_EQ(db->ExecuteScaler(QStringLiteral("SELECT x FROM added")), QStringLiteral("7"));
    // And a change is committed when its call returns: another connection sees it.
    ASSERT_TRUE(db->ExecuteNonQuery(QStringLiteral("UPDATE added SET x = 8")));
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(working().toUtf8().constData(), &other), SQLITE_OK);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(other, "SELECT x FROM added", -1, &statement, nullptr);
    ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(statement, 0), 8);
    sqlite3_finalize(statement);
    sqlite3_close(other);
}

TEST_F(MyDBTest, ATablesStampMovesWithEveryWayItsRowsChangeAndOnlyThen)
{
    MyDB* db = MyDB::initialize();
    std::optional<QString> stamp = db->contentStamp("t");
    ASSERT_TRUE(stamp.has_value());
    // Asked again, the same stamp is still the right one.
    auto moved = [&] {
        const std::optional<QString> now = db->contentStamp("t");
        const bool changed = now != stamp;
        stamp = now;
        return changed;
    };
    // Reading it, or writing another table, leaves it.
    db->ExecuteScaler(QStringLiteral("SELECT count(*) FROM t"));
    const QString intoD = QStringLiteral("INSERT INTO d VALUES (?)");
    ASSERT_TRUE(db->ExecuteNonQuery(intoD, {930101}));
    EXPECT_FALSE(moved());

    // The same kept statement, run a second time, is a second write.
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(db->ExecuteNonQuery(QStringLiteral("UPDATE t SET flag = flag + 1 WHERE id = 2")));
        EXPECT_TRUE(moved()) << i;
    }
    // Every row at once, which the engine does without visiting the rows.
    ASSERT_TRUE(db->ExecuteNonQuery(QStringLiteral("DELETE FROM T")));
    EXPECT_TRUE(moved());
    ASSERT_TRUE(db->ExecuteTransaction({{QStringLiteral("INSERT INTO t(id, name) VALUES (?, ?)"), {5, QStringLiteral("یزد")}}}));
    EXPECT_TRUE(moved());

    // Through a trigger on another table: making it changes the schema, and
    // each write it makes moves the stamp.
    ASSERT_TRUE(db->ExecuteNonQuery(QStringLiteral("CREATE TRIGGER copied AFTER INSERT ON d BEGIN INSERT INTO t(name) VALUES ('trigger'); END")));
    EXPECT_TRUE(moved());
    // The statement kept from before the trigger, run again, now writes
    // through it; and so on every later run.
    for (int day : {940101, 940102}) {
        ASSERT_TRUE(db->ExecuteNonQuery(intoD, {day}));
        EXPECT_TRUE(moved()) << day;
    }
    EXPECT_EQ(db->ExecuteScaler(QStringLiteral("SELECT count(*) FROM t WHERE name = 'trigger'")), QStringLiteral("2"));

    // Another connection's commit, to any table.
    writeDatabase(working(), "INSERT INTO d VALUES (950101);");
    EXPECT_TRUE(moved());
    EXPECT_FALSE(moved());
}

TEST_F(MyDBTest, AReadHeldUpByALockWaitsThenSaysItFailed)
{
    MyDB* db = MyDB::initialize();
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(working().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    // A failed read is not an empty result to a caller that asks.
    EXPECT_FALSE(db->query(QStringLiteral("SELECT COUNT(*) FROM t")).has_value());
    EXPECT_EQ(db->lastResult() & 0xff, SQLITE_BUSY);
    EXPECT_FALSE(db->ExecuteNonQuery(QStringLiteral("UPDATE t SET flag = 3")));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(db->query(QStringLiteral("SELECT COUNT(*) AS n FROM t")).value_or(RowSet()).value(0).value("n"), QStringLiteral("2"));
    EXPECT_TRUE(db->ExecuteNonQuery(QStringLiteral("UPDATE t SET flag = 3")));
}

TEST_F(MyDBTest, OnlyTheFirstStatementRuns)
{
    MyDB* db = MyDB::initialize();
    EXPECT_TRUE(db->ExecuteNonQuery(QStringLiteral("UPDATE t SET flag = 5 WHERE id = 1; UPDATE t SET flag = 6 WHERE id = 2")));
    EXPECT_EQ(db->ExecuteScaler(QStringLiteral("SELECT flag FROM t WHERE id = 2")), QStringLiteral("-7"));
    const RowSet rows = db->run(QStringLiteral("SELECT flag FROM t WHERE id = 1; SELECT 42"));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].value(QStringLiteral("flag")), QStringLiteral("5"));
}

TEST_F(MyDBTest, DateKeysCompareAsNumbersEvenWhenQuoted)
{
    MyDB* db = MyDB::initialize();
    const RowSet later = db->Execute(QStringLiteral("SELECT Date FROM d WHERE Date >= '911230' ORDER BY Date"));
    ASSERT_EQ(later.size(), 3);
    EXPECT_EQ(later[0].value(QStringLiteral("Date")), QStringLiteral("911230"));
    EXPECT_EQ(later[1].value(QStringLiteral("Date")), QStringLiteral("920101"));
    EXPECT_EQ(later[2].value(QStringLiteral("Date")), QStringLiteral("14000101"));
    EXPECT_EQ(db->Execute(QStringLiteral("SELECT Date FROM d WHERE Date LIKE '9101__'")).size(), 1);
}

TEST_F(MyDBTest, BoundValuesAndLikePatternsAreTakenLiterally)
{
    MyDB* db = MyDB::initialize();
    // Texts that would change a statement formatted with them, or a format
    // applied twice, come back as they went in.
    const QStringList tricky = {QStringLiteral("O'Hara; DROP TABLE t; --"), QStringLiteral("x%2"), QStringLiteral("a%1b"),
        QStringLiteral("50%_off'"), QStringLiteral("\"; DROP TABLE tStates; --"), QStringLiteral("\u200Fشهر\u200E (ری)"),
        QString::fromUtf8("ده\xF0\x9F\x8C\x99"), QString()};
    for (const QString& text : tricky) {
        EXPECT_TRUE(db->ExecuteNonQuery(QStringLiteral("UPDATE t SET name = ? WHERE id = ?"), {text, 2}));
        EXPECT_EQ(db->ExecuteScaler(QStringLiteral("SELECT name FROM t WHERE id = ?"), {2}), text);
    }
    // A NULL, a whole and a real number keep their kinds.
    EXPECT_TRUE(db->ExecuteNonQuery(QStringLiteral("UPDATE t SET empty = ?, flag = ? WHERE id = 2"), {QVariant(), 12}));
    EXPECT_EQ(db->ExecuteScaler(QStringLiteral("SELECT typeof(empty) || typeof(flag) FROM t WHERE id = 2")), QStringLiteral("nullinteger"));
    EXPECT_EQ(db->ExecuteScaler(QStringLiteral("SELECT typeof(?)"), {2.5}), QStringLiteral("real"));
    // A statement given the wrong number of values does not run.
    EXPECT_FALSE(db->ExecuteNonQuery(QStringLiteral("UPDATE t SET flag = ? WHERE id = ?"), {1}));
    EXPECT_FALSE(db->query(QStringLiteral("SELECT ?")).has_value());

    EXPECT_TRUE(db->ExecuteNonQuery(QStringLiteral("UPDATE t SET empty = '50%_off' WHERE id = 1")));
    auto count = [db](const QString& text) {
        return db->ExecuteScaler(QStringLiteral("SELECT COUNT(*) FROM t WHERE empty LIKE ? ESCAPE '\\'"), {MyDB::likeContains(text)});
    };
    EXPECT_EQ(count(QStringLiteral("%_")), QStringLiteral("1"));
    EXPECT_EQ(count(QStringLiteral("_o")), QStringLiteral("1"));
    EXPECT_EQ(count(QStringLiteral("0_o")), QStringLiteral("0"));
    EXPECT_EQ(count(QStringLiteral("")), QStringLiteral("1"));
    EXPECT_TRUE(db->ExecuteNonQuery(QStringLiteral("UPDATE t SET name = ? WHERE id = 2"), {tricky[0]}));
    EXPECT_EQ(db->ExecuteScaler(QStringLiteral("SELECT COUNT(*) FROM t WHERE name LIKE ? ESCAPE '\\'"), {MyDB::likeContains(QStringLiteral("'H"))}),
        QStringLiteral("1"));
    EXPECT_EQ(db->ExecuteScaler(QStringLiteral("SELECT COUNT(*) FROM t WHERE name LIKE ? ESCAPE '\\'"), {MyDB::likeStarts(QStringLiteral("O'"))}),
        QStringLiteral("1"));
    EXPECT_EQ(db->ExecuteScaler(QStringLiteral("SELECT COUNT(*) FROM t WHERE name LIKE ? ESCAPE '\\'"), {MyDB::likeStarts(QStringLiteral("'H"))}),
        QStringLiteral("0"));
}

TEST_F(MyDBTest, TransactionsAreAllOrNothing)
{
    MyDB* db = MyDB::initialize();
    EXPECT_TRUE(db->ExecuteTransaction({{QStringLiteral("INSERT INTO t(id, name) VALUES (?, ?)"), {3, QStringLiteral("a")}},
        {QStringLiteral("INSERT INTO d VALUES ((SELECT MAX(id) FROM t))"), {}}}));
    EXPECT_EQ(db->ExecuteScaler(QStringLiteral("SELECT COUNT(*) FROM d WHERE Date = 3")), QStringLiteral("1"));

    // The second statement violates the primary key: the first is undone too.
    EXPECT_FALSE(db->ExecuteTransaction({{QStringLiteral("INSERT INTO t(id, name) VALUES (4, 'b')"), {}},
        {QStringLiteral("INSERT INTO d VALUES (?)"), {3}}}));
    EXPECT_EQ(db->ExecuteScaler(QStringLiteral("SELECT COUNT(*) FROM t")), QStringLiteral("3"));

    EXPECT_FALSE(db->ExecuteTransaction({{QStringLiteral("INSERT INTO t(id) VALUES (5)"), {}}, {QStringLiteral("bogus"), {}}}));
    EXPECT_EQ(db->ExecuteScaler(QStringLiteral("SELECT COUNT(*) FROM t")), QStringLiteral("3"));
    // The connection is usable afterwards: nothing was left open.
    EXPECT_TRUE(db->ExecuteNonQuery(QStringLiteral("DELETE FROM t WHERE id = 3")));
}

} // namespace

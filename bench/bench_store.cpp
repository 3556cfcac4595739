// The cost of the store's open-per-call rule: each query through MyDB beside
// the same statement on one connection kept open; and the first start, which
// copies the shipped database.
#include "store/MyDB.h"

#include "platform/foundation/Directories.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

const char* kDayQuery =
    "SELECT Name, vTimes.*, Description FROM vTimes INNER JOIN tStates ON vTimes.StateID = tStates.StateID "
    "INNER JOIN tSelectedStates ON tSelectedStates.StateID = vTimes.StateID INNER JOIN tEvents ON tEvents.Date = vTimes.Date "
    "WHERE vTimes.Date='1050916' AND tStates.StateID = 39 ORDER BY Ordering DESC";
const char* kListQuery =
    "SELECT t1.StateID, t1.Name || ' (' || t2.Name || ')' AS StateName FROM tStates AS t1 INNER JOIN tStates AS t2 "
    "ON t1.ParentID = t2.StateID LEFT JOIN tSelectedStates ON t1.StateID = tSelectedStates.StateID "
    "WHERE tSelectedStates.StateID IS NOT NULL ORDER BY Ordering";
const char* kCentreQuery =
    "SELECT a.StateID FROM tStates a INNER JOIN tStates b ON a.ParentID = b.ParentID WHERE a.IsCenter = 1 AND b.StateID = 39";
const char* kUpdate = "UPDATE tSetting SET Item6=3";

struct Sandbox {
    Sandbox()
    {
        foundation::Directories::setResourcePath(QStringLiteral(KELVARO_RESOURCES));
        foundation::Directories::setDocumentsDirectory(dir.path());
        MyDB::resetShared();
        MyDB* db = MyDB::initialize();
        db->ExecuteNonQuery("INSERT INTO tSelectedStates(StateID, Ordering) VALUES(39, 1)");
        db->ExecuteNonQuery("INSERT INTO tSelectedStates(StateID, Ordering) VALUES(42, 2)");
        db->ExecuteNonQuery("INSERT INTO tSelectedStates(StateID, Ordering) VALUES(47, 3)");
    }
    QTemporaryDir dir;
};

Sandbox& sandbox()
{
    static Sandbox s;
    return s;
}

// The same statement on a connection that stays open.
int stepAll(sqlite3* db, const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    int rows = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int j = 0; j < sqlite3_column_count(statement); ++j)
            benchmark::DoNotOptimize(sqlite3_column_text(statement, j));
        ++rows;
    }
    sqlite3_finalize(statement);
    return rows;
}

void BM_MyDB_DayQuery(benchmark::State& state)
{
    sandbox();
    for (auto _ : state)
        benchmark::DoNotOptimize(MyDB::initialize()->Execute(kDayQuery));
}
void BM_MyDB_ListQuery(benchmark::State& state)
{
    sandbox();
    for (auto _ : state)
        benchmark::DoNotOptimize(MyDB::initialize()->Execute(kListQuery));
}
void BM_MyDB_Scaler(benchmark::State& state)
{
    sandbox();
    for (auto _ : state)
        benchmark::DoNotOptimize(MyDB::initialize()->ExecuteScaler(kCentreQuery));
}
void BM_MyDB_Update(benchmark::State& state)
{
    sandbox();
    for (auto _ : state)
        benchmark::DoNotOptimize(MyDB::initialize()->ExecuteNonQuery(kUpdate));
}

template <const char** Sql>
void BM_OpenConnection(benchmark::State& state)
{
    sandbox();
    sqlite3* db = nullptr;
    sqlite3_open(MyDB::initialize()->dbPath.toUtf8().constData(), &db);
    for (auto _ : state)
        benchmark::DoNotOptimize(stepAll(db, *Sql));
    sqlite3_close(db);
}

// The first start: the shipped database copied into an empty documents
// folder and opened. Reports the size of the shipped file.
void BM_FirstStart(benchmark::State& state)
{
    foundation::Directories::setResourcePath(QStringLiteral(KELVARO_RESOURCES));
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir documents;
        foundation::Directories::setDocumentsDirectory(documents.path());
        MyDB::resetShared();
        state.ResumeTiming();
        benchmark::DoNotOptimize(MyDB::initialize()->ExecuteScaler("SELECT COUNT(*) FROM tSelectedStates"));
        state.PauseTiming();
        MyDB::resetShared();
        state.ResumeTiming();
    }
    state.counters["IconsMiB"] = static_cast<double>(QFileInfo(QStringLiteral(KELVARO_RESOURCES "/Icons")).size()) / (1024.0 * 1024.0);
}

BENCHMARK(BM_FirstStart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MyDB_DayQuery);
BENCHMARK(BM_OpenConnection<&kDayQuery>)->Name("BM_OpenConnection_DayQuery");
BENCHMARK(BM_MyDB_ListQuery);
BENCHMARK(BM_OpenConnection<&kListQuery>)->Name("BM_OpenConnection_ListQuery");
BENCHMARK(BM_MyDB_Scaler);
BENCHMARK(BM_OpenConnection<&kCentreQuery>)->Name("BM_OpenConnection_Scaler");
BENCHMARK(BM_MyDB_Update);
BENCHMARK(BM_OpenConnection<&kUpdate>)->Name("BM_OpenConnection_Update");

} // namespace

BENCHMARK_MAIN();

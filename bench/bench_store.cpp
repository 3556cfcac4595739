// The store's cost: each call through MyDB beside the same statement on one
// connection kept open (interleaved, call by call), and the first start,
// which copies the shipped database.
#include "store/MyDB.h"

#include "platform/foundation/Directories.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <vector>

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

// The same statement on a connection that stays open, prepared for the
// call as the text comes: what any caller of SQL text pays at the least.
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

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

template <const char** Sql>
void BM_StoreCall(benchmark::State& state)
{
    sandbox();
    MyDB* store = MyDB::initialize();
    sqlite3* db = nullptr;
    sqlite3_open(store->dbPath.toUtf8().constData(), &db);
    const QString text = QString::fromUtf8(*Sql);
    const bool change = QByteArray(*Sql).startsWith("UPDATE");
    std::vector<double> mine;
    std::vector<double> open;
    QElapsedTimer clock;
    for (auto _ : state) {
        clock.start();
        if (change)
            benchmark::DoNotOptimize(store->ExecuteNonQuery(text));
        else
            benchmark::DoNotOptimize(store->Execute(text));
        mine.push_back(static_cast<double>(clock.nsecsElapsed()) / 1000.0);
        clock.start();
        benchmark::DoNotOptimize(stepAll(db, *Sql));
        open.push_back(static_cast<double>(clock.nsecsElapsed()) / 1000.0);
    }
    sqlite3_close(db);
    state.counters["store_us"] = median(mine);
    state.counters["open_connection_us"] = median(open);
    state.counters["ratio"] = median(mine) / median(open);
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
BENCHMARK(BM_StoreCall<&kDayQuery>)->Name("BM_StoreCall/day query")->Iterations(2000);
BENCHMARK(BM_StoreCall<&kListQuery>)->Name("BM_StoreCall/city list")->Iterations(2000);
BENCHMARK(BM_StoreCall<&kCentreQuery>)->Name("BM_StoreCall/single value")->Iterations(2000);
BENCHMARK(BM_StoreCall<&kUpdate>)->Name("BM_StoreCall/change")->Iterations(2000);

} // namespace

BENCHMARK_MAIN();

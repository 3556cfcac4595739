// The prayer-times engine's cost for one day of one place, the first time
// its days are asked for (the sun's place is computed) and once it is known;
// and what choosing a place costs the store end to end: the rows written,
// and its first page and five days of notifications computed.
#include "astronomy/PrayerTimes.h"

#include "store/Cities.h"
#include "store/Days.h"
#include "store/MyDB.h"

#include "platform/foundation/Directories.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A day of each year, moving on so that the sun's place is new each time.
void BM_OneDayFirstTime(benchmark::State& state)
{
    QDate day(2030, 1, 1);
    const Place kashan{33.9824, 51.4277};
    for (auto _ : state) {
        benchmark::DoNotOptimize(storedTimes(day, kashan));
        day = day.addDays(3);
    }
}
BENCHMARK(BM_OneDayFirstTime)->Iterations(2000);

// The same days again, at another place: the sun's place is known.
void BM_OneDayKnownSun(benchmark::State& state)
{
    const Place maku{39.2899, 44.4603};
    const QDate first(2026, 1, 1);
    for (int i = 0; i < 400; ++i)
        storedTimes(first.addDays(i), {33.0, 51.0});
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(storedTimes(first.addDays(i), maku));
        i = (i + 1) % 400;
    }
}
BENCHMARK(BM_OneDayKnownSun);

struct Sandbox {
    Sandbox()
    {
        foundation::Directories::setResourcePath(QStringLiteral(KELVARO_RESOURCES));
        foundation::Directories::setDocumentsDirectory(dir.path());
        MyDB::resetShared();
        MyDB::initialize()->ExecuteNonQuery("INSERT INTO tSelectedStates(StateID, Ordering) VALUES(39, 1)");
    }
    QTemporaryDir dir;
};

// Chosen, shown and planned: the rows of the place written in one
// transaction, then its page for today and its days for the notifications.
void BM_ChoosePlace(benchmark::State& state)
{
    static Sandbox sandbox;
    const int kashan = MyDB::initialize()->ExecuteScaler("SELECT PlaceID FROM tPlaces WHERE Name = 'کاشان'").value_or("0").toInt();
    int key = 1050917;
    for (auto _ : state) {
        cities::choosePlace(kashan);
        benchmark::DoNotOptimize(days::pages(key));
        benchmark::DoNotOptimize(days::firstWithTimes(key, 5));
        state.PauseTiming();
        const int id = MyDB::initialize()->ExecuteScaler("SELECT MAX(StateID) FROM tStates").value_or("0").toInt();
        cities::remove(id);
        // Another day each time, as a user choosing it today would find it.
        key = key % 100 < 28 ? key + 1 : key + 100 - 27;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ChoosePlace)->Iterations(200)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

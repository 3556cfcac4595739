// Start-up of the real app to its first painted main screen (three chosen
// cities, today's date; or a place of Iran first among them, whose times are
// computed), against a bare window that paints one Persian label, built in
// the same tree: the pairs run interleaved and the medians and their ratios
// are reported, in wall-clock and in CPU time, with the peak memory of each.
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Run {
    double ms;
    double cpuMs;
    double mib;
};

double msOf(const timeval& t)
{
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
}

// Starts `argv`, waits for it, and tells how long it took and its peak memory.
Run measure(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    QElapsedTimer clock;
    clock.start();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {-1, 0, 0};
    return {ms, msOf(usage.ru_utime) + msOf(usage.ru_stime), static_cast<double>(usage.ru_maxrss) / 1024.0};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void startAgainstABareWindow(benchmark::State& state, const char* chosen)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir home;
    const std::string app = KELVARO_APP;
    const std::string sandbox = home.path().toStdString();
    const std::vector<std::string> appRun = {app, "--home", sandbox, "--now", "2026-12-07T10:00", "--quit-when-painted"};
    // The first start copies the database; the ones timed are later starts.
    measure(appRun);
    sqlite3* db = nullptr;
    sqlite3_open((sandbox + "/Documents/Icons").c_str(), &db);
    sqlite3_exec(db, chosen, nullptr, nullptr, nullptr);
    sqlite3_close(db);
    measure(appRun);

    std::vector<double> appMs, bareMs, appCpu, bareCpu, appMiB, bareMiB;
    for (auto _ : state) {
        const Run a = measure(appRun);
        const Run b = measure({KELVARO_BARE_WINDOW});
        if (a.ms < 0 || b.ms < 0) {
            state.SkipWithError("a start failed");
            return;
        }
        appMs.push_back(a.ms);
        bareMs.push_back(b.ms);
        appCpu.push_back(a.cpuMs);
        bareCpu.push_back(b.cpuMs);
        appMiB.push_back(a.mib);
        bareMiB.push_back(b.mib);
    }
    state.counters["app_ms"] = median(appMs);
    state.counters["bare_ms"] = median(bareMs);
    state.counters["time_ratio"] = median(appMs) / median(bareMs);
    state.counters["app_cpu_ms"] = median(appCpu);
    state.counters["bare_cpu_ms"] = median(bareCpu);
    state.counters["cpu_ratio"] = median(appCpu) / median(bareCpu);
    state.counters["app_MiB"] = median(appMiB);
    state.counters["bare_MiB"] = median(bareMiB);
    state.counters["memory_ratio"] = median(appMiB) / median(bareMiB);
}
void BM_StartAgainstABareWindow(benchmark::State& state)
{
    startAgainstABareWindow(state, "INSERT INTO tSelectedStates VALUES(39, 1), (42, 2), (32, 3)");
}
BENCHMARK(BM_StartAgainstABareWindow)->Iterations(21)->Unit(benchmark::kMillisecond);

// Kashan first: its page and its five days of notifications computed at the
// start, as a place of the user's own is.
void BM_StartWithAPlace(benchmark::State& state)
{
    startAgainstABareWindow(state,
        "INSERT INTO tStates(Name, ParentID, IsCenter) SELECT Name, ProvinceID, 0 FROM tPlaces WHERE NameLatin = 'Kashan';"
        "INSERT INTO tCoordinates SELECT MAX(StateID), 33.9824, 51.4277 FROM tStates;"
        "INSERT INTO tSelectedStates SELECT MAX(StateID), 0 FROM tStates;"
        "INSERT INTO tSelectedStates VALUES(39, 1), (42, 2)");
}
BENCHMARK(BM_StartWithAPlace)->Iterations(21)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

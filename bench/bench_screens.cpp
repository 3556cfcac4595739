// The screens and the scheduler at work, as the app runs them: each
// iteration lets the event loop run (deferred deletions, posted events) and
// paints what changed, so that what is measured is the app, not a backlog.
//   rebuild       the scheduler's full rebuild, five days, every alarm on
//   refresh       the main screen for 1, 31 and 62 chosen cities (31 of them
//                 made by the user), for the same day and for a new day
//   foreground    a return to the foreground with 31 cities
//   keystroke     one letter typed into the city search
//   occasions     one search of the occasions over the data's twenty years,
//                 for a name (Tasua) and for a word in hundreds ("روز")
//   year          the year at a glance turned: its holidays read, painted
#include "app/AppDelegate.h"
#include "notifications/MyNotification.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/Directories.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/Application.h"
#include "platform/ui/SearchBar.h"
#include "platform/ui/Style.h"
#include "platform/ui/Touch.h"
#include "platform/ui/Window.h"
#include "screens/calendar/OccasionSearchController.h"
#include "screens/calendar/YearViewController.h"
#include "screens/cities/SearchController.h"
#include "screens/main/MainViewController.h"
#include "store/Cities.h"
#include "store/MyDB.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const QDateTime kToday = foundation::Clock::at(QDate(2026, 12, 7), QTime(10, 0));

// A sandbox with `centres` province centres chosen, and `ownCities` cities
// of the user's own, every alarm on and the events notice at 08:00.
struct Phone {
    explicit Phone(int centres, int ownCities = 0)
    {
        foundation::Directories::setResourcePath(QStringLiteral(KELVARO_RESOURCES));
        foundation::Directories::setModulePath(QStringLiteral(KELVARO_MODULES));
        foundation::Directories::setDocumentsDirectory(dir.filePath("Documents"));
        notifications::NotificationCenter::shared()->setStorePath(dir.filePath("Library/notifications.json"));
        foundation::Clock::freeze(kToday);
        MyDB::resetShared();
        MyDB* db = MyDB::initialize();
        for (int i = 0; i < centres; ++i)
            cities::choose(cities::kLastShippedStateId - 30 + i);
        for (int i = 0; i < ownCities; ++i)
            cities::create(QStringLiteral("شهرک %1").arg(i), 1 + i % 31, {1, -1, 2, -2, 3, -3});
        db->ExecuteNonQuery("UPDATE tSetting SET Item0=1, Item1=1, Item2=1, Item3=10, Item4=10, Item5=10, Item7='08:00'");
    }
    ~Phone()
    {
        notifications::NotificationCenter::shared()->setStorePath(QString());
        MyDB::resetShared();
    }
    QTemporaryDir dir;
};

void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The main screen in a shown window.
struct MainScreen {
    MainScreen()
    {
        window.setRootViewController(screen);
        window.makeKeyAndVisible();
        settle();
    }
    void paint()
    {
        window.repaint();
        settle();
    }
    ui::Window window;
    MainViewController* screen = new MainViewController;
};

void BM_Rebuild(benchmark::State& state)
{
    Phone phone(1);
    const bool changing = state.range(0) == 1;
    MyNotification::initialize()->update();
    int round = 0;
    for (auto _ : state) {
        if (changing) {
            // Another recording each time: every notification changes.
            state.PauseTiming();
            MyDB::initialize()->ExecuteNonQuery(QStringLiteral("UPDATE tSetting SET Item6=%1").arg(round++ % 7));
            state.ResumeTiming();
        }
        MyNotification::initialize()->update();
    }
    state.SetLabel(changing ? "the list changed" : "nothing changed");
}
BENCHMARK(BM_Rebuild)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_Refresh(benchmark::State& state)
{
    const int all = static_cast<int>(state.range(0));
    const bool newDay = state.range(1) == 1;
    Phone phone(std::min(all, 31), std::max(0, all - 31));
    MainScreen main;
    int day = 0;
    for (auto _ : state) {
        if (newDay) {
            state.PauseTiming();
            foundation::Clock::freeze(kToday.addDays(++day % 2));
            state.ResumeTiming();
        }
        main.screen->refresh();
        main.paint();
    }
    foundation::Clock::freeze(kToday);
    state.SetLabel(QStringLiteral("%1 cities, %2").arg(all).arg(newDay ? "a new day" : "the same day").toStdString());
}
BENCHMARK(BM_Refresh)->Args({1, 0})->Args({31, 0})->Args({62, 0})->Args({1, 1})->Args({31, 1})->Args({62, 1})->Unit(benchmark::kMillisecond);

void BM_ReturnToForeground(benchmark::State& state)
{
    Phone phone(31);
    AppDelegate delegate;
    ui::Application* app = ui::Application::shared();
    app->setDelegate(&delegate);
    app->launch();
    settle();
    for (auto _ : state) {
        state.PauseTiming();
        app->enterBackground();
        state.ResumeTiming();
        app->enterForeground();
        delegate.window()->repaint();
        settle();
    }
    app->terminate();
    app->setDelegate(nullptr);
}
BENCHMARK(BM_ReturnToForeground)->Unit(benchmark::kMillisecond);

void BM_SearchKeystroke(benchmark::State& state)
{
    Phone phone(0);
    ui::Window window;
    auto* search = new SearchController;
    window.setRootViewController(search);
    window.makeKeyAndVisible();
    settle();
    bool typed = false;
    for (auto _ : state) {
        // One letter in, then out again, each a keystroke with its paint.
        if (typed)
            ui::touch::key(&window, Qt::Key_Backspace);
        else
            ui::touch::type(&window, QStringLiteral("ت"));
        typed = !typed;
        window.repaint();
        settle();
    }
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMillisecond);

void BM_OccasionSearch(benchmark::State& state)
{
    Phone phone(1);
    ui::Window window;
    auto* search = new OccasionSearchController;
    window.setRootViewController(search);
    window.makeKeyAndVisible();
    settle();
    const QString query = state.range(0) == 0 ? QStringLiteral("تاسوعا") : QStringLiteral("روز");
    for (auto _ : state) {
        search->search(query);
        window.repaint();
        settle();
    }
    state.counters["found"] = static_cast<double>(search->found().size());
}
BENCHMARK(BM_OccasionSearch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_YearAtAGlance(benchmark::State& state)
{
    Phone phone(1);
    ui::Window window;
    auto* year = new YearViewController(1405);
    window.setRootViewController(year);
    window.makeKeyAndVisible();
    settle();
    int by = 1;
    for (auto _ : state) {
        year->changeYear(by);
        by = -by;
        window.repaint();
        settle();
    }
}
BENCHMARK(BM_YearAtAGlance)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::setAnimationsEnabled(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The screens and the scheduler at work: start-up to a painted main screen
// beside a bare window of the same size, a refresh, a rebuild of the
// notifications, a search keystroke, a month of the calendar.
#include "notifications/MyNotification.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/Directories.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/Button.h"
#include "platform/ui/Style.h"
#include "platform/ui/Window.h"
#include "screens/calendar/CalendarViewController.h"
#include "screens/cities/SearchController.h"
#include "screens/main/MainViewController.h"
#include "store/MyDB.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A sandbox with `cities` province centres chosen.
struct Phone {
    explicit Phone(int cities)
    {
        foundation::Directories::setResourcePath(QStringLiteral(KELVARO_RESOURCES));
        foundation::Directories::setDocumentsDirectory(dir.path());
        notifications::NotificationCenter::shared()->setStorePath(dir.filePath("notifications.json"));
        foundation::Clock::freeze(QDateTime(QDate(2012, 7, 21), QTime(0, 0)));
        MyDB::resetShared();
        for (int i = 0; i < cities; ++i)
            MyDB::initialize()->ExecuteNonQuery(QStringLiteral("INSERT INTO tSelectedStates VALUES(%1, %2)").arg(32 + i).arg(i + 1));
        MyDB::initialize()->ExecuteNonQuery("UPDATE tSetting SET Item0=1, Item1=1, Item2=1, Item3=10, Item4=10, Item5=10, Item7='08:00'");
    }
    ~Phone() { MyDB::resetShared(); }
    QTemporaryDir dir;
};

void BM_StartToPaintedMainScreen(benchmark::State& state)
{
    Phone phone(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ui::Window window;
        window.setRootViewController(new MainViewController);
        window.makeKeyAndVisible();
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(BM_StartToPaintedMainScreen)->Arg(3)->Arg(31)->Unit(benchmark::kMillisecond);

void BM_BareWindowPainted(benchmark::State& state)
{
    for (auto _ : state) {
        QWidget window;
        window.setFixedSize(320, 460);
        window.show();
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(BM_BareWindowPainted)->Unit(benchmark::kMillisecond);

void BM_Refresh31Cities(benchmark::State& state)
{
    Phone phone(31);
    ui::Window window;
    auto* screen = new MainViewController;
    window.setRootViewController(screen);
    window.makeKeyAndVisible();
    for (auto _ : state) {
        screen->refresh();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
BENCHMARK(BM_Refresh31Cities)->Unit(benchmark::kMillisecond);

void BM_UpdateNotifications(benchmark::State& state)
{
    Phone phone(0);
    MyDB* db = MyDB::initialize();
    if (state.range(0) == 0) {
        db->ExecuteNonQuery("INSERT INTO tSelectedStates VALUES(39, 1)");
    } else {
        db->ExecuteNonQuery("INSERT INTO tStates(Name, ParentID, IsCenter) VALUES('x', 8, 0)");
        db->ExecuteNonQuery("INSERT INTO tTimes VALUES(63, 14000101, 3, 0, -2, 1, 3, -2)");
        db->ExecuteNonQuery("INSERT INTO tSelectedStates VALUES(63, 1)");
    }
    for (auto _ : state)
        MyNotification::initialize()->update();
    state.SetLabel(state.range(0) == 0 ? "centre" : "user-made city");
}
BENCHMARK(BM_UpdateNotifications)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SearchKeystroke(benchmark::State& state)
{
    Phone phone(0);
    SearchController search;
    search.view();
    const QString text = state.range(0) == 0 ? QString() : QStringLiteral("ت");
    for (auto _ : state) {
        search.updateDataSource(text);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    state.SetLabel(state.range(0) == 0 ? "empty text" : "one letter");
}
BENCHMARK(BM_SearchKeystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_BuildMonth(benchmark::State& state)
{
    Phone phone(1);
    for (auto _ : state) {
        CalendarViewController calendar{DateTimePersian()};
        benchmark::DoNotOptimize(calendar.view());
    }
}
BENCHMARK(BM_BuildMonth)->Unit(benchmark::kMillisecond);

void BM_ChangeMonth(benchmark::State& state)
{
    Phone phone(1);
    CalendarViewController calendar{DateTimePersian()};
    calendar.view();
    int direction = 1;
    for (auto _ : state) {
        if (calendar.month() == 11 || calendar.month() == 0)
            direction = -direction;
        ui::Button* button = direction > 0 ? calendar.nextButton() : calendar.previousButton();
        calendar.changeMonth(button);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
BENCHMARK(BM_ChangeMonth)->Unit(benchmark::kMillisecond);

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

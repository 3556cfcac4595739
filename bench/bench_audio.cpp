// How soon a playing azan stops. Each iteration starts the recording on
// the machine's output and stops it, and the time from the action to the
// player's silence is what is measured:
//   key         Escape pressed in the window, through the app's own handling
//               (the alert's key filter, the sound, the player)
//   reference   the player's own stop called directly, with nothing of the
//               app between: the least any stop can cost here
// Run with an audio output (a sound server, or its null sink): without one,
// the player has nothing to stop and the figures say nothing of it.
#include "platform/audio/AlertSound.h"
#include "platform/audio/SoundModule.h"
#include "platform/device/Notifier.h"
#include "platform/foundation/Directories.h"
#include "platform/ui/Window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

namespace {

const QString kRecording = QStringLiteral("3.wav");

void settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

bool hasOutput(benchmark::State& state)
{
    audio::SoundModule* module = audio::SoundModule::shared();
    if (module && module->hasOutput())
        return true;
    state.SkipWithError("no audio output");
    return false;
}

void BM_StopFromTheKeyboard(benchmark::State& state)
{
    if (!hasOutput(state))
        return;
    device::Notifier notifier;
    ui::Window window;
    window.makeKeyAndVisible();
    settle(50);
    for (auto _ : state) {
        state.PauseTiming();
        notifier.sound().play(kRecording);
        settle(150);
        state.ResumeTiming();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &press);
        if (notifier.sound().isPlaying())
            state.SkipWithError("the key did not stop the sound");
    }
}
BENCHMARK(BM_StopFromTheKeyboard)->Unit(benchmark::kMicrosecond)->Iterations(40);

void BM_StopThePlayerItself(benchmark::State& state)
{
    if (!hasOutput(state))
        return;
    const std::unique_ptr<audio::SoundEffect> effect
        = audio::SoundModule::shared()->effect(foundation::Directories::resourcePath() + QStringLiteral("/") + kRecording);
    for (auto _ : state) {
        state.PauseTiming();
        effect->play();
        settle(150);
        state.ResumeTiming();
        effect->stop();
        if (effect->isPlaying())
            state.SkipWithError("the player did not stop");
    }
}
BENCHMARK(BM_StopThePlayerItself)->Unit(benchmark::kMicrosecond)->Iterations(40);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    foundation::Directories::setResourcePath(QStringLiteral(KELVARO_RESOURCES));
    foundation::Directories::setModulePath(QStringLiteral(KELVARO_MODULES));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

#include "Device.h"

#include "Lifecycle.h"
#include "Options.h"
#include "Script.h"
#include "SingleInstance.h"
#include "Stillness.h"
#include "System.h"

#include "platform/foundation/Clock.h"
#include "platform/foundation/Directories.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/UrlOpener.h"
#include "platform/location/Locator.h"
#include "platform/ui/SaveDialog.h"
#include "platform/ui/Style.h"
#include "platform/ui/TextDrawing.h"
#include "platform/ui/Window.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <variant>

namespace device {

namespace {

// Room the desktop's window frame and panels take, beside the window.
constexpr int kFrameAllowance = 48;
const char* kScaleChosen = "KELVARO_SCALE_CHOSEN";

void fail(const QString& message)
{
    std::fprintf(stderr, "kelvaro: %s\n", message.toUtf8().constData());
}

// The largest whole scale whose window fits the screen's available height.
int fittingScale()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 1;
    return std::max(1, (screen->availableGeometry().height() - kFrameAllowance) / ui::Window::kHeight);
}

// Quits once the window has painted its first frame.
class FirstFrame : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, [] { QApplication::exit(0); });
        }
        return false;
    }

private:
    bool seen_ = false;
};

// The options, or the exit status when there is nothing more to do.
std::variant<Options, int> readOptions(int argc, char** argv, const QString& version)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QString error;
    const std::optional<Options> options = Options::parse(arguments, &error);
    if (!options) {
        fail(error);
        return 2;
    }
    if (options->help || options->version) {
        const QByteArray text = (options->help ? Options::helpText() : QStringLiteral("Kelvaro %1\n").arg(version)).toUtf8();
        std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
        return 0;
    }
    return *options;
}

// Qt's application: a plain one to list the pending notifications, else one
// with a screen at the chosen scale. Nothing when the device starts again at
// the scale that fits (and failed to).
std::unique_ptr<QCoreApplication> makeQt(const Options& options, int& argc, char** argv)
{
    if (options.scale > 0)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(options.scale));
    std::unique_ptr<QCoreApplication> qt;
    if (options.pending)
        qt = std::make_unique<QCoreApplication>(argc, argv);
    else
        qt = std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kelvaro"));
    // The desktop entry of the window (its app id on Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral(KELVARO_APP_ID));

    // Without --scale, the window takes the largest scale that fits the
    // screen: Qt sets a scale only before it starts, so the device starts
    // again with it, once.
    if (!options.pending && options.scale == 0 && qEnvironmentVariableIsEmpty(kScaleChosen)
        && qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) {
        const int scale = fittingScale();
        if (scale > 1) {
            qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
            qputenv(kScaleChosen, "1");
            qt.reset();
            execv("/proc/self/exe", argv);
            fail(QStringLiteral("cannot start again at scale %1").arg(scale));
            return nullptr;
        }
    }
    return qt;
}

bool setClock(const Options& options)
{
    if (!options.zone.isEmpty()) {
        const QTimeZone zone(options.zone.toLatin1());
        if (!zone.isValid()) {
            fail(QStringLiteral("--tz wants a zone of the tz database, such as Asia/Tehran"));
            return false;
        }
        foundation::Clock::setZone(zone);
    }
    if (!options.now.isEmpty()) {
        const QDateTime start = QDateTime::fromString(options.now, Qt::ISODate);
        if (!start.isValid()) {
            fail(QStringLiteral("--now wants a moment of the device's clock such as 2012-07-21T04:30"));
            return false;
        }
        foundation::Clock::setNow(start);
    }
    return true;
}

// Where "where am I" looks: the desktop's service, or the device's
// stand-in (a recorded log, no service, a refusal).
void setPositionSource(const QString& source)
{
    const bool standIn = source == QLatin1String(location::Locator::kNoService) || source == QLatin1String(location::Locator::kRefused);
    location::Locator::shared()->setSource(source.isEmpty() || standIn ? source : QFileInfo(source).absoluteFilePath());
}

// The sandbox's folders, and the pending list read from it; the sandbox.
QString setSandbox(const Options& options)
{
    const QString home = options.home.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Kelvaro")
        : QDir(options.home).absolutePath();
    // The app's own files, found from the executable's place before any
    // thread reads them.
    const foundation::Directories::OwnFiles own = foundation::Directories::ownFiles(QCoreApplication::applicationDirPath());
    foundation::Directories::setResourcePath(own.resources);
    foundation::Directories::setModulePath(own.modules);
    foundation::Directories::setDocumentsDirectory(home + QStringLiteral("/Documents"));
    notifications::NotificationCenter::shared()->setStorePath(home + QStringLiteral("/Library/notifications.json"));
    if (!options.exportTo.isEmpty())
        ui::SaveDialog::setAnswerFolder(QDir(options.exportTo).absolutePath());
    setPositionSource(options.position);
    return home;
}

void printPending()
{
    const QByteArray text
        = notifications::NotificationCenter::describe(notifications::NotificationCenter::shared()->scheduledLocalNotifications()).toUtf8();
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
}

// The script's lines; nothing without one; false when it cannot be read.
bool readScript(const Options& options, std::optional<QStringList>& script)
{
    if (options.script.isEmpty())
        return true;
    QFile file(options.script);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        fail(QStringLiteral("cannot read the script %1").arg(options.script));
        return false;
    }
    script = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    return true;
}

// What runs beside the app: notifications with their sounds, the tray and
// the clock's events; the tray's tooltip follows the app's status.
void startSystem(System& system, ui::Application* app, const Options& options, const QString& home)
{
    foundation::UrlOpener::setHandler([](const QString& url) {
        foundation::Log::write(QStringLiteral("open: ") + url);
        return QDesktopServices::openUrl(QUrl(url));
    });
    QApplication::setWindowIcon(ui::icon(QStringLiteral("appIcon.png")));

    system.notifier = std::make_unique<Notifier>();
    // The window closes out of sight, with a tray or without; only Quit
    // ends the app, and the app may ask first.
    QApplication::setQuitOnLastWindowClosed(false);
    app->setQuitHandler([] { System::quit(0); });
    app->setFrontHandler(System::bringToFront);
    // At login the app starts out of sight, in this sandbox.
    QStringList login{QCoreApplication::applicationFilePath(), QStringLiteral("--background")};
    if (!options.home.isEmpty())
        login << QStringLiteral("--home") << home;
    system.portal = std::make_unique<BackgroundPortal>(login);
    if (Tray::isAvailable()) {
        Notifier* notifier = system.notifier.get();
        Tray::Actions actions{System::bringToFront, [notifier] { notifier->sound().stop(); }, [app] { app->requestQuit(); }};
        actions.appEntries = [app] { return app->delegate() ? app->delegate()->statusMenu(app) : QList<ui::StatusMenuItem>(); };
        actions.chooseAppEntry = [app, &system](const QString& id) {
            foundation::Log::write(QStringLiteral("tray: ") + id);
            if (ui::ApplicationDelegate* delegate = app->delegate()) {
                const QList<ui::StatusMenuItem> entries = delegate->statusMenu(app);
                if (std::any_of(entries.begin(), entries.end(), [&id](const ui::StatusMenuItem& e) { return e.id == id && e.opensWindow; }))
                    System::bringToFront();
                delegate->statusMenuChosen(app, id);
            }
            system.showStatus();
        };
        system.tray = std::make_unique<Tray>(std::move(actions));
        system.notifier->setTray(system.tray.get());
    }
    system.clock = std::make_unique<TimeEvents>([app](const QStringList&) { app->significantTimeChange(); });
    auto showStatus = [&system, app] {
        if (!system.tray)
            return;
        const QString text = app->delegate() ? app->delegate()->statusText(app) : QString();
        // Digits in their Persian shapes, as on the app's own screens.
        system.tray->setToolTip(text.isEmpty() ? QStringLiteral("Kelvaro") : QStringLiteral("Kelvaro\n") + ui::shownText(text));
        system.tray->setSoundPlaying(system.notifier->sound().isPlaying());
    };
    system.notifier->sound().setChangeHandler(showStatus);
    system.center->setChangeHandler(showStatus);
    system.center->setDeliveryHandler([&system](const notifications::LocalNotification& n) { system.notifier->deliver(n); });
    system.center->setMissedHandler([app](const QList<notifications::LocalNotification>& missed) { app->missed(missed); });
    system.showStatus = showStatus;
    // The tooltip's countdown moves on each minute.
    system.statusTimer = std::make_unique<QTimer>();
    system.statusTimer->setInterval(60 * 1000);
    system.statusTimer->callOnTimeout(showStatus);
    system.statusTimer->start();
}

void stopSystem(System& system)
{
    location::Locator::shared()->cancel();
    system.statusTimer.reset();
    system.clock->stop();
    system.center->stop();
    system.center->setDeliveryHandler({});
    system.center->setChangeHandler({});
    system.center->setMissedHandler({});
    ui::Application::shared()->setQuitHandler({});
    ui::Application::shared()->setFrontHandler({});
    system.portal.reset();
    system.tray.reset();
    system.notifier.reset();
}

} // namespace

int ApplicationMain(int argc, char** argv, const std::function<std::unique_ptr<ui::ApplicationDelegate>()>& makeDelegate,
    const QStringList& launchImages, const QString& version)
{
    const std::variant<Options, int> read = readOptions(argc, argv, version);
    if (const int* status = std::get_if<int>(&read))
        return *status;
    const Options& options = std::get<Options>(read);

    const std::unique_ptr<QCoreApplication> qt = makeQt(options, argc, argv);
    if (!qt || !setClock(options))
        return 2;
    const QString home = setSandbox(options);
    if (options.pending) {
        printPending();
        return 0;
    }
    std::optional<QStringList> script;
    if (!readScript(options, script))
        return 2;

    // One running app per sandbox: a second start shows the first's window
    // and leaves before anything is scheduled or fired.
    SingleInstance instance(home);
    if (!instance.acquire()) {
        foundation::Log::write(QStringLiteral("already running on this sandbox: showing its window"));
        if (!instance.askToShow())
            fail(QStringLiteral("the running app did not answer"));
        return 0;
    }
    // The first frame's pictures are decoded while the rest starts.
    ui::preload(launchImages);

    ui::Application* app = ui::Application::shared();
    System system;
    startSystem(system, app, options, home);
    std::unique_ptr<ui::ApplicationDelegate> delegate = makeDelegate();
    app->setDelegate(delegate.get());
    system.launch(app);
    system.clock->start();
    instance.setShowHandler([] {
        foundation::Log::write(QStringLiteral("shown for a second start"));
        System::bringToFront();
    });

    Lifecycle lifecycle(system);
    FirstFrame firstFrame;
    if (ui::Window* window = app->keyWindow()) {
        window->installEventFilter(&lifecycle);
        if (options.quitWhenPainted)
            window->installEventFilter(&firstFrame);
    }
    if (options.background) {
        foundation::Log::write(QStringLiteral("started in the background"));
        system.sendToBackground();
        system.portal->request();
    }
    system.showStatus();

    Script runner(script.value_or(QStringList()), system);
    Stillness still;
    if (script)
        runner.start();
    else if (!options.screenshot.isEmpty())
        still.whenStill([&options] { QApplication::exit(Script::saveShot(options.screenshot) ? 0 : 1); });

    int status = QApplication::exec();
    if (script && !options.screenshot.isEmpty() && status == 0)
        status = Script::saveShot(options.screenshot) ? 0 : 1;
    stopSystem(system);
    app->terminate();
    app->setDelegate(nullptr);
    delegate.reset();
    return status;
}

} // namespace device

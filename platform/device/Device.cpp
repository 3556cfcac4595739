#include "Device.h"

#include "Notifier.h"
#include "SingleInstance.h"
#include "TimeEvents.h"
#include "Tray.h"

#include "platform/foundation/Clock.h"
#include "platform/foundation/Directories.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/UrlOpener.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/Touch.h"
#include "platform/ui/Window.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTextStream>
#include <QTimer>
#include <QUrl>

#include <cstdio>

namespace device {

namespace {

constexpr int kSettleMs = 700;       // start-up and its first transitions
constexpr int kStepMs = 40;          // between two script actions
constexpr int kMaxSteps = 100000;    // moments one `advance` may pass through

struct Options {
    QString now;
    QString home;
    QString screenshot;
    QString script;
    QString scale;
    QString zone;
    bool pending = false;
    bool background = false;
};

void fail(const QString& message)
{
    std::fprintf(stderr, "kelvaro: %s\n", message.toUtf8().constData());
}

std::optional<Options> parse(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        auto value = [&](QString& into) {
            if (i + 1 >= argc)
                return false;
            into = QString::fromLocal8Bit(argv[++i]);
            return true;
        };
        bool ok = true;
        if (arg == QLatin1String("--now"))
            ok = value(o.now);
        else if (arg == QLatin1String("--home"))
            ok = value(o.home);
        else if (arg == QLatin1String("--screenshot"))
            ok = value(o.screenshot);
        else if (arg == QLatin1String("--script"))
            ok = value(o.script);
        else if (arg == QLatin1String("--scale"))
            ok = value(o.scale);
        else if (arg == QLatin1String("--tz"))
            ok = value(o.zone);
        else if (arg == QLatin1String("--pending"))
            o.pending = true;
        else if (arg == QLatin1String("--background"))
            o.background = true;
        else
            ok = false;
        if (!ok) {
            fail(QStringLiteral("unknown or incomplete option: %1").arg(arg));
            return std::nullopt;
        }
    }
    return o;
}

// What the phone's system runs beside the app.
struct System {
    notifications::NotificationCenter* center = notifications::NotificationCenter::shared();
    std::unique_ptr<Notifier> notifier;
    std::unique_ptr<Tray> tray;
    std::unique_ptr<TimeEvents> clock;
};

void bringToFront()
{
    ui::Application* app = ui::Application::shared();
    if (ui::Window* window = app->keyWindow()) {
        window->showNormal();
        window->raise();
        window->activateWindow();
    }
    app->enterForeground();
}

// Out of sight: into the tray where there is one, else minimised.
void sendToBackground(const System& system)
{
    ui::Application* app = ui::Application::shared();
    if (ui::Window* window = app->keyWindow()) {
        if (system.tray)
            window->hide();
        else
            window->showMinimized();
    }
    app->enterBackground();
}

void quit(int status)
{
    ui::Application::shared()->terminate();
    QApplication::exit(status);
}

// Lets device time pass: each notification and each new day on the way
// comes at its own moment, as if the time had passed; a step back is the
// clock being set.
void letTimePass(const System& system, qint64 minutes)
{
    auto moveTo = [&system](const QDateTime& moment) {
        const qint64 ms = foundation::Clock::now().msecsTo(moment);
        if (ms > 0)
            foundation::Clock::advance((ms + 999) / 1000);
        system.clock->timePassed();
        system.center->check();
        system.clock->poll();
    };
    const QDateTime target = foundation::Clock::now().addSecs(minutes * 60);
    if (minutes < 0) {
        foundation::Clock::advance(minutes * 60);
        system.center->check();
        system.clock->poll();
        return;
    }
    for (int step = 0; step < kMaxSteps; ++step) {
        const QDateTime now = foundation::Clock::now();
        QDateTime next = foundation::Clock::at(now.date().addDays(1), QTime(0, 0));
        const QList<notifications::LocalNotification> pending = system.center->scheduledLocalNotifications();
        if (!pending.isEmpty() && pending.first().fireDate < next)
            next = pending.first().fireDate;
        if (next > target)
            break;
        moveTo(next);
    }
    moveTo(target);
}

// Minimising is going to the background; restoring, coming back; closing
// the window, the end, unless the tray keeps the phone running.
class Lifecycle : public QObject {
public:
    explicit Lifecycle(const System& system) : system_(system) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<QWidget*>(watched);
        if (window && event->type() == QEvent::WindowStateChange) {
            if (window->isMinimized())
                ui::Application::shared()->enterBackground();
            else if (window->isVisible())
                ui::Application::shared()->enterForeground();
        } else if (event->type() == QEvent::Hide && window && window->isMinimized()) {
            ui::Application::shared()->enterBackground();
        } else if (event->type() == QEvent::Close) {
            if (system_.tray) {
                event->ignore();
                foundation::Log::write(QStringLiteral("closed into the tray"));
                sendToBackground(system_);
                return true;
            }
            ui::Application::shared()->terminate();
            QApplication::quit();
        }
        return false;
    }

private:
    const System& system_;
};

bool saveShot(const QString& file)
{
    ui::Window* window = ui::Application::shared()->keyWindow();
    if (!window)
        return false;
    if (!window->grab().save(file)) {
        fail(QStringLiteral("cannot write %1").arg(file));
        return false;
    }
    return true;
}

// Runs a script of device actions, one line each, with time for the screen
// to follow between them.
class Script : public QObject {
public:
    Script(QStringList lines, const System& system) : lines_(std::move(lines)), system_(system) {}

    void start() { QTimer::singleShot(kSettleMs, this, [this] { next(); }); }
    int status() const { return status_; }

private:
    void next()
    {
        while (index_ < lines_.size()) {
            const QString line = lines_[index_++].trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            int delay = kStepMs;
            if (!run(line, delay)) {
                fail(QStringLiteral("script line %1: cannot run \"%2\"").arg(index_).arg(line));
                status_ = 2;
                QApplication::exit(status_);
                return;
            }
            if (done_)
                return;
            QTimer::singleShot(delay, this, [this] { next(); });
            return;
        }
        QApplication::exit(status_);
    }

    bool run(const QString& line, int& delay)
    {
        ui::Window* window = ui::Application::shared()->keyWindow();
        const QString command = line.section(QLatin1Char(' '), 0, 0);
        const QString rest = line.section(QLatin1Char(' '), 1);
        const QStringList args = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        auto numbers = [&args](int count, QList<int>& out) {
            if (args.size() != count)
                return false;
            for (const QString& a : args) {
                bool ok = false;
                out.append(a.toInt(&ok));
                if (!ok)
                    return false;
            }
            return true;
        };
        QList<int> n;
        if (command == QLatin1String("tap") && numbers(2, n) && window) {
            ui::touch::tap(window, QPoint(n[0], n[1]));
        } else if (command == QLatin1String("drag") && numbers(4, n) && window) {
            ui::touch::drag(window, QPoint(n[0], n[1]), QPoint(n[2], n[3]));
        } else if (command == QLatin1String("type") && window) {
            ui::touch::type(window, rest);
        } else if (command == QLatin1String("key") && rest == QLatin1String("Return") && window) {
            ui::touch::key(window, Qt::Key_Return);
        } else if (command == QLatin1String("wait") && numbers(1, n)) {
            delay = n[0];
        } else if (command == QLatin1String("shot") && !rest.isEmpty()) {
            return saveShot(rest);
        } else if (command == QLatin1String("home") && args.isEmpty() && window) {
            window->showMinimized();
            ui::Application::shared()->enterBackground();
        } else if (command == QLatin1String("open") && args.isEmpty() && window) {
            bringToFront();
        } else if (command == QLatin1String("close") && args.isEmpty() && window) {
            window->close();
        } else if (command == QLatin1String("tray") && args.size() == 1 && system_.tray) {
            if (args[0] == QLatin1String("quit"))
                done_ = true;
            return system_.tray->choose(args[0]);
        } else if (command == QLatin1String("advance") && numbers(1, n)) {
            letTimePass(system_, n[0]);
        } else if (command == QLatin1String("quit") && args.isEmpty()) {
            done_ = true;
            quit(status_);
        } else {
            return false;
        }
        return true;
    }

    QStringList lines_;
    const System& system_;
    int index_ = 0;
    int status_ = 0;
    bool done_ = false;
};

} // namespace

int ApplicationMain(int argc, char** argv, const std::function<std::unique_ptr<ui::ApplicationDelegate>()>& makeDelegate)
{
    const std::optional<Options> options = parse(argc, argv);
    if (!options)
        return 2;
    if (!options->scale.isEmpty())
        qputenv("QT_SCALE_FACTOR", options->scale.toLatin1());

    // Listing the pending notifications needs no screen.
    std::unique_ptr<QCoreApplication> qt;
    if (options->pending)
        qt = std::make_unique<QCoreApplication>(argc, argv);
    else
        qt = std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kelvaro"));

    if (!options->zone.isEmpty()) {
        const QTimeZone zone(options->zone.toLatin1());
        if (!zone.isValid()) {
            fail(QStringLiteral("--tz wants a zone of the tz database, such as Asia/Tehran"));
            return 2;
        }
        foundation::Clock::setZone(zone);
    }
    if (!options->now.isEmpty()) {
        const QDateTime start = QDateTime::fromString(options->now, Qt::ISODate);
        if (!start.isValid()) {
            fail(QStringLiteral("--now wants a moment of the device's clock such as 2012-07-21T04:30"));
            return 2;
        }
        foundation::Clock::setNow(start);
    }

    const QString home = options->home.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Kelvaro")
        : QDir(options->home).absolutePath();
    foundation::Directories::setResourcePath(QApplication::applicationDirPath() + QStringLiteral("/resources"));
    foundation::Directories::setDocumentsDirectory(home + QStringLiteral("/Documents"));
    notifications::NotificationCenter* center = notifications::NotificationCenter::shared();
    center->setStorePath(home + QStringLiteral("/Library/notifications.json"));

    if (options->pending) {
        const QByteArray text = notifications::NotificationCenter::describe(center->scheduledLocalNotifications()).toUtf8();
        std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
        return 0;
    }

    std::optional<QStringList> script;
    if (!options->script.isEmpty()) {
        QFile file(options->script);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            fail(QStringLiteral("cannot read the script %1").arg(options->script));
            return 2;
        }
        script = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    }

    // One running app per sandbox: a second start shows the first's window
    // and leaves before anything is scheduled or fired.
    SingleInstance instance(home);
    if (!instance.acquire()) {
        foundation::Log::write(QStringLiteral("already running on this sandbox: showing its window"));
        if (!instance.askToShow())
            fail(QStringLiteral("the running app did not answer"));
        return 0;
    }

    foundation::UrlOpener::setHandler([](const QString& url) {
        foundation::Log::write(QStringLiteral("open: ") + url);
        return QDesktopServices::openUrl(QUrl(url));
    });
    const QDir resources(foundation::Directories::resourcePath());
    QIcon appIcon(resources.filePath(QStringLiteral("appIcon.png")));
    appIcon.addFile(resources.filePath(QStringLiteral("appIcon@2x.png")));
    QApplication::setWindowIcon(appIcon);

    ui::Application* app = ui::Application::shared();
    System system;
    system.notifier = std::make_unique<Notifier>();
    if (Tray::isAvailable()) {
        Notifier* notifier = system.notifier.get();
        system.tray = std::make_unique<Tray>(Tray::Actions{
            bringToFront, [notifier] { notifier->sound().stop(); }, [] { quit(0); }});
        // The window closes into the tray; only Quit ends the app.
        QApplication::setQuitOnLastWindowClosed(false);
        system.notifier->setTray(system.tray.get());
    }
    system.clock = std::make_unique<TimeEvents>([app](const QStringList&) { app->significantTimeChange(); });
    auto showStatus = [&system, app] {
        if (!system.tray)
            return;
        const QString text = app->delegate() ? app->delegate()->statusText(app) : QString();
        system.tray->setToolTip(text.isEmpty() ? QStringLiteral("Kelvaro") : QStringLiteral("Kelvaro\n") + text);
        system.tray->setSoundPlaying(system.notifier->sound().isPlaying());
    };
    system.notifier->sound().setChangeHandler(showStatus);
    center->setChangeHandler(showStatus);

    // Notifications that came due while the app was not running fire now
    // (or are dropped as missed), before the app reschedules.
    center->setDeliveryHandler([&system](const notifications::LocalNotification& n) { system.notifier->deliver(n); });
    center->start();

    std::unique_ptr<ui::ApplicationDelegate> delegate = makeDelegate();
    app->setDelegate(delegate.get());
    app->launch();
    system.clock->start();
    instance.setShowHandler([] {
        foundation::Log::write(QStringLiteral("shown for a second start"));
        bringToFront();
    });

    Lifecycle lifecycle(system);
    if (ui::Window* window = app->keyWindow())
        window->installEventFilter(&lifecycle);
    if (options->background) {
        foundation::Log::write(QStringLiteral("started in the background"));
        sendToBackground(system);
    }
    showStatus();

    Script runner(script.value_or(QStringList()), system);
    if (script)
        runner.start();
    else if (!options->screenshot.isEmpty()) {
        QTimer::singleShot(kSettleMs, qt.get(), [&options] { QApplication::exit(saveShot(options->screenshot) ? 0 : 1); });
    }

    int status = QApplication::exec();
    if (script && !options->screenshot.isEmpty() && status == 0)
        status = saveShot(options->screenshot) ? 0 : 1;
    system.clock->stop();
    center->stop();
    center->setDeliveryHandler({});
    center->setChangeHandler({});
    system.tray.reset();
    system.notifier.reset();
    app->terminate();
    app->setDelegate(nullptr);
    delegate.reset();
    return status;
}

} // namespace device

#include "Device.h"

#include "Banner.h"

#include "platform/audio/AudioPlayer.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/Directories.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/UrlOpener.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/AlertView.h"
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

struct Options {
    QString now;
    QString home;
    QString screenshot;
    QString script;
    QString scale;
    QString zone;
    bool pending = false;
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
        else
            ok = false;
        if (!ok) {
            fail(QStringLiteral("unknown or incomplete option: %1").arg(arg));
            return std::nullopt;
        }
    }
    return o;
}

// Minimising is going to the background; restoring, coming back; closing
// the window, the end.
class Lifecycle : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<QWidget*>(watched);
        if (window && event->type() == QEvent::WindowStateChange) {
            if (window->isMinimized())
                ui::Application::shared()->enterBackground();
            else
                ui::Application::shared()->enterForeground();
        } else if (event->type() == QEvent::Hide && window && window->isMinimized()) {
            ui::Application::shared()->enterBackground();
        } else if (event->type() == QEvent::Close) {
            ui::Application::shared()->terminate();
            QApplication::quit();
        }
        return false;
    }
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
    explicit Script(QStringList lines) : lines_(std::move(lines)) {}

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
            window->showNormal();
            ui::Application::shared()->enterForeground();
        } else if (command == QLatin1String("advance") && numbers(1, n)) {
            foundation::Clock::advance(static_cast<qint64>(n[0]) * 60);
            notifications::NotificationCenter::shared()->check();
        } else if (command == QLatin1String("quit") && args.isEmpty()) {
            done_ = true;
            ui::Application::shared()->terminate();
            QApplication::exit(status_);
        } else {
            return false;
        }
        return true;
    }

    QStringList lines_;
    int index_ = 0;
    int status_ = 0;
    bool done_ = false;
};

void deliver(const notifications::LocalNotification& n)
{
    ui::Application* app = ui::Application::shared();
    if (app->state() == ui::Application::State::Active) {
        foundation::Log::write(QStringLiteral("alert: ") + QString(n.alertBody).replace(QLatin1Char('\n'), QLatin1Char(' ')));
        app->deliver(n);
        return;
    }
    showBanner(app->keyWindow(), n.alertBody);
    if (!n.soundName.isEmpty())
        foundation::Log::write(QStringLiteral("sound: ") + n.soundName);
    audio::AudioPlayer::playSound(n.soundName);
}

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

    foundation::UrlOpener::setHandler([](const QString& url) {
        foundation::Log::write(QStringLiteral("open: ") + url);
        return QDesktopServices::openUrl(QUrl(url));
    });

    // Notifications that came due while the app was not running fire now,
    // before the app reschedules.
    center->setDeliveryHandler(deliver);
    center->start();

    std::unique_ptr<ui::ApplicationDelegate> delegate = makeDelegate();
    ui::Application* app = ui::Application::shared();
    app->setDelegate(delegate.get());
    app->launch();

    Lifecycle lifecycle;
    if (ui::Window* window = app->keyWindow())
        window->installEventFilter(&lifecycle);

    Script runner(script.value_or(QStringList()));
    if (script)
        runner.start();
    else if (!options->screenshot.isEmpty()) {
        QTimer::singleShot(kSettleMs, qt.get(), [&options] { QApplication::exit(saveShot(options->screenshot) ? 0 : 1); });
    }

    int status = QApplication::exec();
    if (script && !options->screenshot.isEmpty() && status == 0)
        status = saveShot(options->screenshot) ? 0 : 1;
    center->stop();
    app->terminate();
    app->setDelegate(nullptr);
    delegate.reset();
    return status;
}

} // namespace device

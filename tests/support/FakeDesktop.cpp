// A stand-in desktop on a private session bus, for the end-to-end tests: a
// freedesktop notification service, a system tray host (unless --no-tray)
// and, with --portal, the Background portal, which says yes. It prints every
// call it gets, one line each, fields split by tabs, and on request (its own
// interface, org.kelvaro.FakeDesktop at /FakeDesktop) acts as the user on a
// notification: invokes an action or closes it.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QTimer>

#include <cstdio>

namespace {

void say(const QStringList& fields)
{
    QString line = fields.join(QLatin1Char('\t'));
    line.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    std::fputs(line.toUtf8().append('\n').constData(), stdout);
    std::fflush(stdout);
}

} // namespace

class Notifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    void close(uint id, uint reason) { emit NotificationClosed(id, reason); }
    void invoke(uint id, const QString& action) { emit ActionInvoked(id, action); }

public slots:
    uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary, const QString& body,
        const QStringList& actions, const QVariantMap& hints, int timeout)
    {
        const uint id = replaces != 0 ? replaces : ++last_;
        QStringList h;
        for (auto it = hints.begin(); it != hints.end(); ++it)
            h.append(it.key() + QLatin1Char('=')
                + (it.value().typeId() == QMetaType::UChar ? QString::number(it.value().toUInt()) : it.value().toString()));
        h.sort();
        say({QStringLiteral("Notify"), QStringLiteral("id=%1").arg(id), QStringLiteral("app=") + app, QStringLiteral("icon=") + icon,
            QStringLiteral("summary=") + summary, QStringLiteral("body=") + body, QStringLiteral("actions=") + actions.join(QLatin1Char(',')),
            QStringLiteral("hints=") + h.join(QLatin1Char(',')), QStringLiteral("timeout=%1").arg(timeout)});
        return id;
    }
    void CloseNotification(uint id)
    {
        say({QStringLiteral("CloseNotification"), QString::number(id)});
        emit NotificationClosed(id, 3);
    }
    QStringList GetCapabilities() { return {QStringLiteral("body"), QStringLiteral("actions"), QStringLiteral("icon-static")}; }
    QString GetServerInformation(QString& vendor, QString& version, QString& protocol)
    {
        vendor = QStringLiteral("Kelvaro tests");
        version = QStringLiteral("1");
        protocol = QStringLiteral("1.2");
        return QStringLiteral("fake");
    }

signals:
    void ActionInvoked(uint id, const QString& action);
    void NotificationClosed(uint id, uint reason);

private:
    uint last_ = 0;
};

class Watcher : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)

public:
    bool isHostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList items() const { return items_; }

public slots:
    void RegisterStatusNotifierItem(const QString& item)
    {
        // The item answers on its own connection, under that name or the sender's.
        say({QStringLiteral("RegisterStatusNotifierItem"), item, message().service()});
        items_.append(item);
        emit StatusNotifierItemRegistered(item);
    }
    void RegisterStatusNotifierHost(const QString&) {}

signals:
    void StatusNotifierItemRegistered(const QString& item);
    void StatusNotifierHostRegistered();

private:
    QStringList items_;
};

// The Background portal as a desktop that lets every app run in the
// background and start at login: it answers on the request's path.
class Portal : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Background")

public slots:
    QDBusObjectPath RequestBackground(const QString& parent, const QVariantMap& options)
    {
        const QString token = options.value(QStringLiteral("handle_token")).toString();
        say({QStringLiteral("RequestBackground"), QStringLiteral("parent=") + parent,
            QStringLiteral("reason=") + options.value(QStringLiteral("reason")).toString(),
            QStringLiteral("autostart=") + options.value(QStringLiteral("autostart")).toString(),
            QStringLiteral("commandline=") + options.value(QStringLiteral("commandline")).toStringList().join(QLatin1Char(' '))});
        QString sender = message().service();
        sender.remove(0, 1).replace(QLatin1Char('.'), QLatin1Char('_'));
        const QString path = QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
        QDBusMessage response = QDBusMessage::createSignal(path, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        response << 0u << QVariantMap{{QStringLiteral("background"), true}, {QStringLiteral("autostart"), true}};
        // After the call's reply, as a desktop that asked the user would.
        QTimer::singleShot(100, this, [response] { QDBusConnection::sessionBus().send(response); });
        return QDBusObjectPath(path);
    }
};

class Control : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kelvaro.FakeDesktop")

public:
    explicit Control(Notifications* notifications) : notifications_(notifications) {}

public slots:
    // As a click on the action's button: the service then closes the notification.
    void InvokeAction(uint id, const QString& action)
    {
        say({QStringLiteral("InvokeAction"), QString::number(id), action});
        notifications_->invoke(id, action);
        notifications_->close(id, 2);
    }
    // As the user's closing it.
    void Dismiss(uint id)
    {
        say({QStringLiteral("Dismiss"), QString::number(id)});
        notifications_->close(id, 2);
    }

private:
    Notifications* notifications_;
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        std::fprintf(stderr, "fake_desktop: no session bus\n");
        return 1;
    }
    Notifications notifications;
    Watcher watcher;
    Control control(&notifications);
    const auto all = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals | QDBusConnection::ExportAllProperties;
    bool ok = bus.registerObject(QStringLiteral("/FakeDesktop"), &control, all)
        && bus.registerService(QStringLiteral("org.kelvaro.FakeDesktop"));
    if (!args.contains(QStringLiteral("--no-notifications")))
        ok = ok && bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &notifications, all)
            && bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
    if (!args.contains(QStringLiteral("--no-tray")))
        ok = ok && bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher, all)
            && bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"));
    Portal portal;
    if (args.contains(QStringLiteral("--portal")))
        ok = ok && bus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), &portal, all)
            && bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"));
    if (!ok) {
        std::fprintf(stderr, "fake_desktop: %s\n", bus.lastError().message().toUtf8().constData());
        return 1;
    }
    say({QStringLiteral("ready")});
    return app.exec();
}

#include "FakeDesktop.moc"

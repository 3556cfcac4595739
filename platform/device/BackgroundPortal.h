#pragma once

#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace device {

// The desktop's Background portal (org.freedesktop.portal.Background on the
// session bus), where there is one: asked, the first time the app goes out
// of sight, to let it run with its window closed and to start it at login
// out of sight. Where there is none, or it says no, the XDG autostart entry
// of the install starts the app at login; the log says which.
class BackgroundPortal : public QObject {
    Q_OBJECT

public:
    // `commandLine` starts the app at login.
    explicit BackgroundPortal(QStringList commandLine);

    // Asks once; later calls do nothing. The answer comes later, on the bus.
    void request();

    static constexpr const char* kService = "org.freedesktop.portal.Desktop";
    static constexpr const char* kPath = "/org/freedesktop/portal/desktop";
    static constexpr const char* kInterface = "org.freedesktop.portal.Background";

private slots:
    void response(uint code, const QVariantMap& results);

private:
    QStringList commandLine_;
    bool asked_ = false;
};

} // namespace device

#pragma once

#include "Position.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>

namespace location {

class PositionRequest;

// Where the user is, as the desktop's location service says, asked once at
// a time. What the screens see of positions: the service, the module that
// speaks to it, and the device's stand-ins stay behind it.
class Locator {
public:
    static Locator* shared();

    // Where positions come from, as the device was told: the desktop's
    // location service (empty), no service at all (kNoService), a service
    // that refuses this app (kRefused), or a recorded NMEA log (its path).
    void setSource(const QString& source);
    QString source() const { return source_; }
    static constexpr const char* kNoService = "none";
    static constexpr const char* kRefused = "denied";

    // How long a request waits for a position before it gives up.
    void setTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }
    std::chrono::milliseconds timeout() const { return timeout_; }
    static constexpr std::chrono::milliseconds kTimeout{15000};

    // Asks for the position. `answer` comes once, from the event loop; not
    // when `context` is gone by then, nor when another request has taken
    // this one's place.
    void locate(QObject* context, std::function<void(const Answer&)> answer);
    bool isLocating() const { return static_cast<bool>(answer_); }
    // Drops the request under way, without an answer.
    void cancel();

    Locator(const Locator&) = delete;
    Locator& operator=(const Locator&) = delete;
    ~Locator();

private:
    Locator();
    void deliver(quint64 request, const Answer& answer);

    QString source_;
    std::chrono::milliseconds timeout_ = kTimeout;
    QTimer timer_;
    std::unique_ptr<PositionRequest> request_;
    std::function<void(const Answer&)> answer_;
    QPointer<QObject> context_;
    bool hasContext_ = false;
    quint64 generation_ = 0;
};

} // namespace location

// The location module: Qt Positioning behind LocationModule.
#include "LocationModule.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QGeoPositionInfoSource>
#include <QUrl>
#include <QVariantMap>

namespace {

using location::Answer;
using location::Failure;

// GeoClue, the desktop's location service, on the system bus; as the
// installed desktop entry names the app, for the service's permissions.
const char* kGeoClue = "org.freedesktop.GeoClue2";
const char* kDesktopId = "kelvaro";

// Whether the service is there or can be started. Without it the plugin
// would wait for its timeout and say no more than that.
bool geoClueThere()
{
    const QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    const QString name = QString::fromLatin1(kGeoClue);
    return bus.interface()->isServiceRegistered(name).value() || bus.interface()->activatableServiceNames().value().contains(name);
}

Failure failureOf(QGeoPositionInfoSource::Error error)
{
    switch (error) {
    case QGeoPositionInfoSource::AccessError:
        return Failure::NoPermission;
    case QGeoPositionInfoSource::UpdateTimeoutError:
        return Failure::NoFix;
    case QGeoPositionInfoSource::ClosedError:
    case QGeoPositionInfoSource::UnknownSourceError:
        return Failure::NoService;
    case QGeoPositionInfoSource::NoError:
        break;
    }
    return Failure::None;
}

class QtPositionRequest final : public location::PositionRequest {
public:
    QtPositionRequest(std::unique_ptr<QGeoPositionInfoSource> source, int timeoutMs, std::function<void(const Answer&)> answer)
        : source_(std::move(source)), answer_(std::move(answer))
    {
        QGeoPositionInfoSource* s = source_.get();
        QObject::connect(s, &QGeoPositionInfoSource::positionUpdated, s, [this](const QGeoPositionInfo& info) {
            const QGeoCoordinate c = info.coordinate();
            if (info.isValid() && c.isValid())
                finish({location::Fix{c.latitude(), c.longitude()}, Failure::None});
        });
        QObject::connect(s, &QGeoPositionInfoSource::errorOccurred, s, [this](QGeoPositionInfoSource::Error error) {
            const Failure failure = failureOf(error);
            if (failure != Failure::None)
                finish({std::nullopt, failure});
        });
        s->requestUpdate(timeoutMs);
        // A source may know at once that it cannot work.
        if (const Failure failure = failureOf(s->error()); failure != Failure::None)
            finish({std::nullopt, failure});
    }

private:
    void finish(const Answer& answer)
    {
        if (!answer_)
            return;
        const std::function<void(const Answer&)> told = std::move(answer_);
        answer_ = nullptr;
        told(answer);
    }

    std::unique_ptr<QGeoPositionInfoSource> source_;
    std::function<void(const Answer&)> answer_;
};

// Reports that there is no source at all, from the event loop as a source
// would.
class NoSource final : public location::PositionRequest {
public:
    explicit NoSource(std::function<void(const Answer&)> answer)
    {
        QMetaObject::invokeMethod(&context_, [answer = std::move(answer)] { answer({std::nullopt, Failure::NoService}); }, Qt::QueuedConnection);
    }

private:
    QObject context_;
};

class QtLocationModule final : public location::LocationModule {
public:
    std::unique_ptr<location::PositionRequest> request(const QString& nmeaLog, int timeoutMs, std::function<void(const Answer&)> answer) override
    {
        std::unique_ptr<QGeoPositionInfoSource> source;
        if (nmeaLog.isEmpty()) {
            if (!geoClueThere())
                return std::make_unique<NoSource>(std::move(answer));
            const QVariantMap parameters{{QStringLiteral("desktopId"), QString::fromLatin1(kDesktopId)}};
            source.reset(QGeoPositionInfoSource::createSource(QStringLiteral("geoclue2"), parameters, nullptr));
        } else {
            // The plugin reads a log at the pace of its own time stamps.
            const QVariantMap parameters{{QStringLiteral("nmea.source"), QUrl::fromLocalFile(nmeaLog).toString()}};
            source.reset(QGeoPositionInfoSource::createSource(QStringLiteral("nmea"), parameters, nullptr));
        }
        if (!source)
            return std::make_unique<NoSource>(std::move(answer));
        return std::make_unique<QtPositionRequest>(std::move(source), timeoutMs, std::move(answer));
    }
};

} // namespace

extern "C" Q_DECL_EXPORT location::LocationModule* kelvaroLocationModule()
{
    static QtLocationModule module;
    return &module;
}

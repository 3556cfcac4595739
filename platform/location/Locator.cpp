#include "Locator.h"

#include "LocationModule.h"

#include "platform/foundation/Log.h"

namespace location {

namespace {

QString said(Failure failure)
{
    switch (failure) {
    case Failure::None:
        break;
    case Failure::NoService:
        return QStringLiteral("no location service");
    case Failure::NoPermission:
        return QStringLiteral("the location service refused");
    case Failure::NoFix:
        return QStringLiteral("no position in time");
    }
    return QStringLiteral("a position");
}

} // namespace

Locator* Locator::shared()
{
    static Locator locator;
    return &locator;
}

Locator::Locator()
{
    timer_.setSingleShot(true);
}

Locator::~Locator() = default;

void Locator::setSource(const QString& source)
{
    cancel();
    source_ = source;
}

void Locator::cancel()
{
    ++generation_;
    timer_.stop();
    timer_.disconnect();
    request_.reset();
    answer_ = nullptr;
    context_.clear();
    hasContext_ = false;
}

void Locator::locate(QObject* context, std::function<void(const Answer&)> answer)
{
    cancel();
    const quint64 id = generation_;
    answer_ = std::move(answer);
    context_ = context;
    hasContext_ = context != nullptr;
    // Every answer comes from the event loop, never inside the call that
    // asked, nor inside the source's own signal.
    auto later = [this, id](const Answer& a) { QTimer::singleShot(0, &timer_, [this, id, a] { deliver(id, a); }); };
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this, id] { deliver(id, {std::nullopt, Failure::NoFix}); });
    timer_.start(timeout_);
    if (source_ == QLatin1String(kNoService))
        return later({std::nullopt, Failure::NoService});
    if (source_ == QLatin1String(kRefused))
        return later({std::nullopt, Failure::NoPermission});
    LocationModule* module = LocationModule::shared();
    if (!module)
        return later({std::nullopt, Failure::NoService});
    request_ = module->request(source_, static_cast<int>(timeout_.count()), later);
}

void Locator::deliver(quint64 request, const Answer& answer)
{
    if (request != generation_ || !answer_)
        return;
    const std::function<void(const Answer&)> told = std::move(answer_);
    const bool gone = hasContext_ && !context_;
    cancel();
    foundation::Log::write(QStringLiteral("location: ") + said(answer.failure));
    if (!gone)
        told(answer);
}

} // namespace location

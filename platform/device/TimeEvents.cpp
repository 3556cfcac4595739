#include "TimeEvents.h"

#include "platform/foundation/Clock.h"
#include "platform/foundation/Log.h"

namespace device {

TimeEvents::TimeEvents(std::function<void(const QStringList&)> handler)
    : handler_(std::move(handler))
{
    tick_.setInterval(kPollMs);
    tick_.callOnTimeout([this] { poll(); });
    remember(foundation::Clock::now());
}

void TimeEvents::start()
{
    remember(foundation::Clock::now());
    tick_.start();
}

void TimeEvents::stop()
{
    tick_.stop();
}

void TimeEvents::remember(const QDateTime& now)
{
    last_ = now;
    zone_ = foundation::Clock::zone().id();
    offset_ = now.offsetFromUtc();
    monotonic_.start();
    passed_ = false;
}

void TimeEvents::poll()
{
    const QDateTime now = foundation::Clock::now();
    const QDateTime expected = last_.addMSecs(monotonic_.elapsed());
    QStringList reasons;
    if (!passed_ && qAbs(expected.msecsTo(now)) > kJumpMs)
        reasons.append(QStringLiteral("clock set"));
    if (foundation::Clock::zone().id() != zone_ || now.offsetFromUtc() != offset_)
        reasons.append(QStringLiteral("zone"));
    if (now.date() != last_.date())
        reasons.append(QStringLiteral("new day"));
    remember(now);
    if (reasons.isEmpty())
        return;
    foundation::Log::write(QStringLiteral("time change: ") + reasons.join(QStringLiteral(", ")));
    if (handler_)
        handler_(reasons);
}

} // namespace device

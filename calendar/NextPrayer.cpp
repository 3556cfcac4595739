#include "NextPrayer.h"

#include <cmath>

namespace {

// The times waited for: the day's up to the evening azan, then the next
// day's dawn.
constexpr DayTime kWaited[] = {DayTime::Dawn, DayTime::Sunrise, DayTime::Noon, DayTime::Sunset, DayTime::Evening, DayTime::NextDawn};

} // namespace

std::optional<NextPrayer> NextPrayer::after(const DayTimes& day, const QDateTime& now)
{
    for (DayTime t : kWaited) {
        const QDateTime moment = day.moment(t);
        if (moment.isValid() && moment > now)
            return NextPrayer{t, moment};
    }
    return std::nullopt;
}

QString NextPrayer::name() const
{
    // The next day's dawn is "the dawn azan" to someone waiting for it.
    return dayTimeName(ofTheDay(time));
}

QString NextPrayer::countdown(const QDateTime& now) const
{
    // Whole minutes, rounded up: "1 minute" until the moment itself.
    const qint64 minutes = std::max<qint64>(1, static_cast<qint64>(std::ceil(static_cast<double>(now.secsTo(moment)) / 60.0)));
    const qint64 hours = minutes / 60;
    const qint64 rest = minutes % 60;
    QString left;
    if (hours > 0 && rest > 0)
        left = QStringLiteral("%1 ساعت و %2 دقیقه").arg(hours).arg(rest);
    else if (hours > 0)
        left = QStringLiteral("%1 ساعت").arg(hours);
    else
        left = QStringLiteral("%1 دقیقه").arg(rest);
    return left + QStringLiteral(" تا ") + name();
}

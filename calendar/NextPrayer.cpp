#include "NextPrayer.h"

#include "ClockTime.h"
#include "IranClock.h"

#include <cmath>

namespace {

// The times waited for: T1 to T5, then the next day's dawn.
constexpr int kWaited[] = {0, 1, 2, 3, 4, 6};
const char* kNames[8] = {"اذان صبح", "طلوع آفتاب", "اذان ظهر", "غروب آفتاب", "اذان مغرب", "نیمه شب شرعی", "اذان صبح", "طلوع آفتاب"};

} // namespace

std::optional<NextPrayer> NextPrayer::after(const QDate& day, const std::array<QString, 8>& stored, const QDateTime& now)
{
    for (int k : kWaited) {
        if (stored[static_cast<size_t>(k)].isEmpty())
            continue;
        const QDateTime moment = IranClock::moment(k >= 6 ? day.addDays(1) : day, ClockTime::read(stored[static_cast<size_t>(k)]));
        if (moment > now)
            return NextPrayer{k, moment};
    }
    return std::nullopt;
}

QString NextPrayer::name() const
{
    return QString::fromUtf8(kNames[index]);
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

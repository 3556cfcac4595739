#include "QiblaFacts.h"

#include "calendar/DateTimePersian.h"
#include "calendar/IranClock.h"
#include "calendar/PersianCalendar.h"
#include "calendar/Utility.h"
#include "store/Cities.h"

#include <QStringList>

#include <cmath>
#include <utility>

namespace {

constexpr double kRightAngle = 90.0;
constexpr double kStraightAngle = 180.0;
constexpr double kThreeRightAngles = 270.0;
constexpr double kFullTurn = 360.0;
constexpr double kWind = 45.0;
constexpr int kWinds = 8;
// Half a minute: a moment is shown at its nearest minute.
constexpr int kHalfMinute = 30;
// An angle this near south or north is told as that, not as a deviation.
constexpr double kStraight = 0.05;

const char* kWinds8[kWinds] = {"شمال", "شمال شرقی", "شرق", "جنوب شرقی", "جنوب", "جنوب غربی", "غرب", "شمال غربی"};

// The Persian decimal and thousands separators in place of the Latin ones,
// and Arabic-Indic digits.
QString persianNumber(QString text)
{
    text.replace(QLatin1Char('.'), QChar(0x066B));
    text.replace(QLatin1Char(','), QChar(0x066C));
    return Utility::ConvertToPersian(text);
}

QString clocksOf(const QList<astronomy::CompassMoment>& all, bool behind)
{
    QStringList clocks;
    for (const astronomy::CompassMoment& m : all)
        if (m.behind == behind)
            clocks.append(QiblaFacts::clock(m.moment));
    return clocks.join(QStringLiteral(" و "));
}

} // namespace

std::optional<QiblaFacts> QiblaFacts::ofCity(int cityId, const QString& name, const QDate& day)
{
    const std::optional<cities::Location> where = cities::location(cityId);
    if (!where)
        return std::nullopt;
    return at(name, {where->latitude, where->longitude}, where->ofCentre, day);
}

QiblaFacts QiblaFacts::at(const QString& name, const Place& place, bool ofCentre, const QDate& day)
{
    QiblaFacts f;
    f.cityName = name;
    f.ofCentre = ofCentre;
    f.place = place;
    f.day = day;
    f.bearing = geodesy::qibla({place.latitude, place.longitude});
    f.moments = astronomy::sunOnAzimuth(day, place, f.bearing.azimuth);
    for (const astronomy::CompassMoment& m : std::as_const(f.moments))
        f.atMoments.append(astronomy::sunDirection(m.moment, place));
    f.path = astronomy::sunPath(day, place, kPathStepMinutes);
    // The Persian year's: its summer lies in the Gregorian year of its
    // first day.
    const SolarDate solar = PersianCalendar::fromGregorian(day);
    const QDate nowruz = PersianCalendar::toGregorian({solar.year, 1, 1});
    if (nowruz.isValid())
        f.overKaaba = astronomy::overheadTransits(nowruz.year(), {geodesy::kKaaba.latitude, geodesy::kKaaba.longitude});
    return f;
}

QString QiblaFacts::clock(const QDateTime& moment)
{
    if (!moment.isValid())
        return QString();
    return Utility::ConvertToPersian(moment.toTimeZone(IranClock::official()).addSecs(kHalfMinute).toString(QStringLiteral("HH:mm")));
}

QString QiblaFacts::degrees(double value)
{
    return persianNumber(QString::number(value, 'f', 1));
}

QString QiblaFacts::kilometres(double value)
{
    constexpr int kGroup = 3;
    QString digits = QString::number(std::llround(std::abs(value)));
    for (qsizetype i = digits.size() - kGroup; i > 0; i -= kGroup)
        digits.insert(i, QLatin1Char(','));
    return persianNumber(digits);
}

QString QiblaFacts::windName(double azimuth)
{
    const int i = static_cast<int>(std::lround(geodesy::normalizedAzimuth(azimuth) / kWind)) % kWinds;
    return QString::fromUtf8(kWinds8[i]);
}

QString QiblaFacts::bearingText() const
{
    return QStringLiteral("%1 درجه از شمال، %2 کیلومتر تا کعبه").arg(degrees(bearing.azimuth), kilometres(bearing.distanceKm));
}

QString QiblaFacts::deviationText() const
{
    const double a = bearing.azimuth;
    const bool southward = a > kRightAngle && a < kThreeRightAngles;
    // From south (180) or north (0 or 360), toward west or east.
    const double from = southward ? a - kStraightAngle : (a > kStraightAngle ? a - kFullTurn : a);
    const QString base = southward ? QStringLiteral("جنوب") : QStringLiteral("شمال");
    if (std::abs(from) < kStraight)
        return QStringLiteral("رو به ") + base;
    const bool west = southward ? from > 0 : from < 0;
    return QStringLiteral("%1 درجه از %2 به سوی %3").arg(degrees(std::abs(from)), base, west ? QStringLiteral("غرب") : QStringLiteral("شرق"));
}

QString QiblaFacts::sunText() const
{
    const QString at = clocksOf(moments, false);
    return at.isEmpty() ? QStringLiteral("خورشید در این روز به راستای قبله نمی‌رسد") : QStringLiteral("خورشید در راستای قبله: ساعت ") + at;
}

QString QiblaFacts::shadowText() const
{
    const QString at = clocksOf(moments, true);
    return at.isEmpty() ? QStringLiteral("سایه در این روز در راستای قبله نمی‌افتد") : QStringLiteral("سایه در راستای قبله: ساعت ") + at;
}

QString QiblaFacts::overKaabaText() const
{
    QStringList days;
    for (const astronomy::Overhead& o : overKaaba) {
        const SolarDate d = PersianCalendar::fromGregorian(o.moment.toTimeZone(IranClock::official()).date());
        days.append(Utility::ConvertToPersian(QStringLiteral("%1 %2").arg(d.day).arg(DateTimePersian::getMonthName(d.month - 1)))
            + QStringLiteral(" ساعت ") + clock(o.moment));
    }
    if (days.isEmpty())
        return QString();
    return QStringLiteral("خورشید بالای کعبه: %1\nآنگاه همهٔ سایه‌ها پشت به قبله‌اند").arg(days.join(QStringLiteral(" و ")));
}

QString QiblaFacts::pictureName(const std::optional<astronomy::SunDirection>& sunNow) const
{
    QStringList parts{QStringLiteral("قبلهٔ %1: %2 درجه از شمال، %3، %4").arg(cityName, degrees(bearing.azimuth), windName(bearing.azimuth), deviationText())};
    if (sunNow) {
        parts.append(astronomy::isUp(*sunNow)
                ? QStringLiteral("خورشید اکنون در %1 درجه از شمال و %2 درجه بالای افق").arg(degrees(sunNow->azimuth), degrees(sunNow->altitude))
                : QStringLiteral("خورشید اکنون زیر افق است"));
    }
    parts.append(sunText());
    parts.append(shadowText());
    return parts.join(QStringLiteral(". "));
}

#include "astronomy/PrayerTimes.h"

#include <QFile>
#include <QHash>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

// The non-comment lines of a tab-separated file of the source tree.
QList<QStringList> readTsv(const QString& relativePath)
{
    QFile file(QStringLiteral(KELVARO_SOURCE_DIR "/") + relativePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        ADD_FAILURE() << "cannot read " << relativePath.toStdString();
        return {};
    }
    QList<QStringList> rows;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        rows.append(line.split(QLatin1Char('\t')));
    }
    return rows;
}

QHash<QString, Place> centres()
{
    QHash<QString, Place> byName;
    for (const QStringList& r : readTsv(QStringLiteral("resources/data/provinces.tsv"))) {
        if (r.size() == 4)
            byName.insert(r[1], {r[2].toDouble(), r[3].toDouble()});
    }
    return byName;
}

// Minutes of the day of "HH:MM", or -1.
int clockMinutes(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    bool hoursOk = false, minutesOk = false;
    const int h = parts.value(0).toInt(&hoursOk);
    const int m = parts.value(1).toInt(&minutesOk);
    return parts.size() == 2 && hoursOk && minutesOk ? h * 60 + m : -1;
}

QString withSeconds(double hours)
{
    const long seconds = std::lround(hours * 3600.0);
    const long clock = ((seconds % 86400) + 86400) % 86400;
    return QString::asprintf("%02ld:%02ld:%02ld", clock / 3600, clock / 60 % 60, clock % 60);
}

TEST(PrayerTimes, ReproduceThePublishedValues)
{
    const QHash<QString, Place> places = centres();
    ASSERT_EQ(places.size(), 31);
    const QList<QStringList> published = readTsv(QStringLiteral("tests/data/published-prayer-times.tsv"));
    // A truncated or emptied file must not pass for a reproduced one.
    ASSERT_EQ(published.size(), 75);

    int exact = 0;
    for (const QStringList& r : published) {
        ASSERT_EQ(r.size(), 6) << r.join(QLatin1Char(' ')).toStdString();
        const QDate date = QDate::fromString(r[0], Qt::ISODate);
        const QString& centre = r[1];
        const int which = r[2].mid(1).toInt();
        const int expected = clockMinutes(r[3]);
        bool toleranceOk = false;
        const int tolerance = r[4].toInt(&toleranceOk);
        const std::string what = (r[0] + QLatin1Char(' ') + centre + QLatin1Char(' ') + r[2]).toStdString();
        ASSERT_TRUE(date.isValid() && places.contains(centre) && r[2].startsWith(QLatin1Char('T')) && which >= 1
            && which <= 6 && expected >= 0 && toleranceOk)
            << "bad line: " << what;

        const PrayerTimes t = computePrayerTimes(date, places.value(centre), kIranStandardZone);
        const double computed[] = {t.dawn, t.sunrise, t.noon, t.sunset, t.evening, t.midnight};
        const double hours = computed[which - 1];
        const int minutes = clockMinutes(formatClock(hours));
        // Around the clock, so a midnight past 24:00 compares with its printed value.
        const int difference = ((minutes - expected) % 1440 + 1440 + 720) % 1440 - 720;
        EXPECT_LE(std::abs(difference), tolerance)
            << what << ": published " << r[3].toStdString() << ", computed " << withSeconds(hours).toStdString()
            << " (source: " << r[5].toStdString() << ")";
        exact += difference == 0 ? 1 : 0;
    }
    // All but the one doubtful midnight to the minute.
    EXPECT_GE(exact, 74);
}

TEST(PrayerTimes, ClockTextsAreRoundedAndWrapped)
{
    EXPECT_EQ(formatClock(4 + 29.5 / 60), QStringLiteral("4:30"));
    EXPECT_EQ(formatClock(4 + 29.49 / 60), QStringLiteral("4:29"));
    EXPECT_EQ(formatClock(23 + 59.6 / 60), QStringLiteral("0:00"));
    EXPECT_EQ(formatClock(24 + 5.0 / 60), QStringLiteral("0:05"));
}

} // namespace

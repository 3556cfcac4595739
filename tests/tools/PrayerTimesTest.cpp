#include "tools/icons/PrayerTimes.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

struct Published {
    const char* place;
    Place at;
    QDate date;
    const char* times;  // T1 to T6, "-" where the source gave none
};

const Place kTehran{35.694, 51.421};

// Values of the official tables, in standard time.
const Published kTables[] = {
    {"Tehran", kTehran, {2023, 3, 7}, "05:04 06:27 12:15 18:04 18:23 23:34"},
    {"Tehran", kTehran, {2022, 8, 30}, "04:07 05:35 12:05 18:35 18:53 23:21"},
    {"Tehran", kTehran, {2024, 6, 20}, "03:02 04:49 12:06 19:23 19:45 23:13"},
    {"Tehran", kTehran, {2025, 3, 2}, "05:10 06:33 12:16 - 18:19 23:34"},
    {"Tehran", kTehran, {2013, 7, 22}, "03:24 - - - 19:37 -"},
    {"Tabriz", {38.080, 46.292}, {2013, 7, 22}, "03:33 - - - 20:04 -"},
    {"Bojnurd", {37.475, 57.333}, {2013, 7, 22}, "02:52 - - - 19:18 -"},
    {"Zahedan", {29.496, 60.863}, {2013, 7, 22}, "03:11 - - - 18:44 -"},
    {"Tehran", kTehran, {2012, 3, 20}, "04:44 06:08 12:12 18:16 18:34 23:29"},
};

QString padded(double hours)
{
    const QStringList parts = formatClock(hours).split(QLatin1Char(':'));
    return QStringLiteral("%1:%2").arg(parts[0].toInt(), 2, 10, QLatin1Char('0')).arg(parts[1]);
}

TEST(PrayerTimes, ReproduceThePublishedTablesToTheMinute)
{
    for (const Published& p : kTables) {
        const PrayerTimes t = computePrayerTimes(p.date, p.at);
        const double computed[] = {t.dawn, t.sunrise, t.noon, t.sunset, t.evening, t.midnight};
        const QStringList expected = QString::fromLatin1(p.times).split(QLatin1Char(' '));
        for (int k = 0; k < 6; ++k) {
            if (expected[k] == QLatin1String("-"))
                continue;
            EXPECT_EQ(padded(computed[k]), expected[k])
                << p.place << " " << p.date.toString(Qt::ISODate).toStdString() << " T" << (k + 1);
        }
    }
}

TEST(PrayerTimes, ClockTextsAreRoundedAndWrapped)
{
    EXPECT_EQ(formatClock(4 + 29.5 / 60), QStringLiteral("4:30"));
    EXPECT_EQ(formatClock(4 + 29.49 / 60), QStringLiteral("4:29"));
    EXPECT_EQ(formatClock(23 + 59.6 / 60), QStringLiteral("0:00"));
    EXPECT_EQ(formatClock(24 + 5.0 / 60), QStringLiteral("0:05"));
}

} // namespace

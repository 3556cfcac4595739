// The lunar months from the sky:
//   lunar_months predict OBSERVED.tsv FIRST_YEAR LAST_YEAR
//       prints the predicted first day of every month of the Hijri years
//       after the observed table (and the evening its crescent is seen)
//   lunar_months check OBSERVED.tsv
//       the criterion against the observed table: every month it misses
//   lunar_months evening OBSERVED.tsv YYYY-MM-DD [DAYS]
//       the crescent's figures at Tehran on that evening and the next ones
#include "LunarPrediction.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

namespace {

const char* kPredictedHeader =
    "# The lunar months after the table of those observed in Iran (lunar-months.tsv), predicted from the\n"
    "# sky: the evening on which each month's crescent is first seen at Tehran by Odeh's criterion (2004,\n"
    "# zones A and B: found with optical aid, may be seen by the naked eye), and the month's first day,\n"
    "# the day after, within 29 or 30 days of the month before. The app chains its months from the\n"
    "# crescent_seen column, so that a month the user corrects carries the next ones with it.\n"
    "# Made by tools/lunar: build/lunar_months predict resources/data/lunar-months.tsv 1448 1460\n"
    "# (a test checks that this file is what the tool makes of the table).\n"
    "# hijri_year\tmonth\tfirst_day\tcrescent_seen\n";
const char* kMissedHeader =
    "# The months of the observed table (lunar-months.tsv) whose first day the criterion does not give:\n"
    "# for each month, its first day predicted from the observed first day of the month before (Odeh's\n"
    "# criterion, zones A and B, at Tehran's sunset on the 29th day), with Odeh's V and the moon's age\n"
    "# then. Made by tools/lunar: build/lunar_months check resources/data/lunar-months.tsv\n"
    "# hijri_year\tmonth\tobserved\tpredicted\tobserved_minus_predicted\todeh_v_on_29th\tmoon_age_hours\n";

QString line(const lunar::Check& c)
{
    return QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\t%7")
        .arg(c.observed.year)
        .arg(c.observed.month)
        .arg(c.observed.first.toString(Qt::ISODate), c.predicted.toString(Qt::ISODate))
        .arg(c.predicted.daysTo(c.observed.first))
        .arg(c.on29th.v, 0, 'f', 2)
        .arg(c.on29th.ageHours, 0, 'f', 1);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream out(stdout);
    QString error;
    const QList<lunar::Month> observed = lunar::readObserved(args.value(2), &error);
    if (observed.isEmpty()) {
        std::fprintf(stderr, "lunar_months: %s\n", error.isEmpty() ? "no months" : error.toUtf8().constData());
        return 2;
    }
    const QString what = args.value(1);
    if (what == QLatin1String("predict") && args.size() == 5) {
        out << kPredictedHeader;
        for (const lunar::Sighting& s : lunar::predictAfter(observed, args[4].toInt(), lunar::tehran()))
            if (s.month.year >= args[3].toInt())
                out << s.month.year << '\t' << s.month.month << '\t' << s.month.first.toString(Qt::ISODate) << '\t'
                    << s.seen.toString(Qt::ISODate) << '\n';
        return 0;
    }
    if (what == QLatin1String("check") && args.size() == 3) {
        int matched = 0;
        const QList<lunar::Check> checks = lunar::checkAgainst(observed, lunar::tehran());
        out << kMissedHeader;
        for (const lunar::Check& c : checks) {
            if (c.predicted == c.observed.first)
                ++matched;
            else
                out << line(c) << '\n';
        }
        out << "# " << matched << " of " << checks.size() << " months as observed\n";
        return 0;
    }
    if (what == QLatin1String("evening") && args.size() >= 4) {
        const QDate first = QDate::fromString(args[3], Qt::ISODate);
        out << "# evening\tsunset\tmoonset\tage_hours\tarcv\tarcl\twidth\tv\tseen\n";
        for (int i = 0; i < (args.size() > 4 ? args[4].toInt() : 1); ++i) {
            const Crescent c = crescentOn(first.addDays(i), lunar::tehran());
            out << first.addDays(i).toString(Qt::ISODate) << '\t' << QString::number(c.sunsetHours, 'f', 2) << '\t'
                << QString::number(c.moonsetHours, 'f', 2) << '\t' << QString::number(c.ageHours, 'f', 1) << '\t'
                << QString::number(c.arcOfVision, 'f', 2) << '\t' << QString::number(c.elongation, 'f', 2) << '\t'
                << QString::number(c.width, 'f', 3) << '\t' << QString::number(c.v, 'f', 2) << '\t' << (c.seen() ? "yes" : "no") << '\n';
        }
        return 0;
    }
    std::fprintf(stderr, "usage: lunar_months predict OBSERVED FIRST LAST | check OBSERVED | evening OBSERVED DATE [DAYS]\n");
    return 2;
}

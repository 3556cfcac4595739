// The lunar months from the sky:
//   lunar_months predict OBSERVED.tsv FIRST_YEAR LAST_YEAR
//       prints the predicted first day of every month of the Hijri years
//       after the observed table (and the evening its crescent is seen)
//   lunar_months check OBSERVED.tsv
//       the criterion chosen with one Hijri year left out at a time against
//       that year's months: every month it misses, and the share
//   lunar_months evening OBSERVED.tsv YYYY-MM-DD [DAYS]
//       the crescent's figures at Tehran on that evening and the next ones
#include "LunarPrediction.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace {

const char* kPredictedHeader =
    "# The lunar months after the table of those of Iran (lunar-months.tsv: observed, then the official\n"
    "# calendar), predicted from the sky: the evening on which each month's crescent is first seen by the\n"
    "# criterion chosen on the table (%1; Odeh 2004, V at the best time after sunset), and the\n"
    "# month's first day, the day after, within 29 or 30 days of the month before. The app chains its\n"
    "# months from the crescent_seen column, so that a month the user corrects carries the next ones.\n"
    "# Made by tools/lunar: build/lunar_months predict resources/data/lunar-months.tsv 1448 1460\n"
    "# (a test checks that this file is what the tool makes of the table).\n"
    "# hijri_year\tmonth\tfirst_day\tcrescent_seen\n";
const char* kMissedHeader =
    "# The months of the table (lunar-months.tsv) whose first day the prediction misses, with one Hijri\n"
    "# year left out at a time: the criterion is chosen on the other years (from tools/lunar's family:\n"
    "# Tehran, then with Ahvaz, Bandar Abbas and Zahedan, by V thresholds from -0.96 to 5.65) and each\n"
    "# month of the year left out predicted from the first day of the month before. best_v_on_29th is\n"
    "# the highest V of the criterion's places on the evening of the 29th, the moon's age at Tehran.\n"
    "# Made by tools/lunar: build/lunar_months check resources/data/lunar-months.tsv\n"
    "# hijri_year\tmonth\tobserved\tpredicted\tobserved_minus_predicted\tbest_v_on_29th\tmoon_age_hours\n";

QString line(const lunar::Check& c)
{
    return QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\t%7")
        .arg(c.observed.year)
        .arg(c.observed.month)
        .arg(c.observed.first.toString(Qt::ISODate), c.predicted.toString(Qt::ISODate))
        .arg(c.predicted.daysTo(c.observed.first))
        .arg(c.bestV, 0, 'f', 2)
        .arg(c.ageHours, 0, 'f', 1);
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
        out << QString::fromUtf8(kPredictedHeader).arg(lunar::chosen().name());
        for (const lunar::Sighting& s : lunar::predictAfter(observed, args[4].toInt(), lunar::chosen()))
            if (s.month.year >= args[3].toInt())
                out << s.month.year << '\t' << s.month.month << '\t' << s.month.first.toString(Qt::ISODate) << '\t'
                    << s.seen.toString(Qt::ISODate) << '\n';
        return 0;
    }
    if (what == QLatin1String("check") && args.size() == 3) {
        const lunar::CrossValidation cv = lunar::crossValidate(observed, lunar::candidates());
        out << kMissedHeader;
        for (const lunar::Check& c : cv.misses)
            out << line(c) << '\n';
        out << "# " << cv.matched << " of " << cv.months << " months as in the table, one year left out at a time ("
            << QString::number(100.0 * cv.matched / std::max(cv.months, 1), 'f', 1) << "%)\n";
        const lunar::Criterion all = lunar::best(observed, lunar::candidates());
        int matched = 0;
        const QList<lunar::Check> checks = lunar::checkAgainst(observed, all);
        for (const lunar::Check& c : checks)
            matched += c.predicted == c.observed.first ? 1 : 0;
        out << "# chosen on the whole table: " << all.name() << ", " << matched << " of " << checks.size() << " months\n";
        return 0;
    }
    if (what == QLatin1String("evening") && args.size() >= 4) {
        const QDate first = QDate::fromString(args[3], Qt::ISODate);
        out << "# evening\tsunset\tmoonset\tage_hours\tarcv\tarcl\twidth\tv\tseen\n";
        for (int i = 0; i < (args.size() > 4 ? args[4].toInt() : 1); ++i) {
            const Crescent c = crescentOn(first.addDays(i), lunar::tehran().place);
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

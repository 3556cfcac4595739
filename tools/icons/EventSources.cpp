#include "EventSources.h"

#include "calendar/DateKey.h"
#include "calendar/LunarCalendar.h"
#include "calendar/PersianCalendar.h"

#include "platform/foundation/Digits.h"

#include <QFile>
#include <QStringList>

#include <algorithm>
#include <limits>

namespace {

const QString kHolidayJoin = QStringLiteral("؛ ");
const QString kEventJoin = QStringLiteral("@");
const QString kLastDay = QStringLiteral("last");
const QString kLastFriday = QStringLiteral("last-friday");
constexpr int kFriday = 5;  // Qt's day of the week

// "-", "1396-", "-1400", "1391-1395" or "1391".
bool readYears(const QString& text, int& first, int& last)
{
    first = std::numeric_limits<int>::min();
    last = std::numeric_limits<int>::max();
    const QString t = text.trimmed();
    if (t == QLatin1String("-"))
        return true;
    const qsizetype dash = t.indexOf(QLatin1Char('-'));
    bool ok = true;
    if (dash < 0) {
        first = last = t.toInt(&ok);
        return ok;
    }
    const QString from = t.left(dash);
    const QString to = t.mid(dash + 1);
    bool okFrom = true;
    bool okTo = true;
    if (!from.isEmpty())
        first = from.toInt(&okFrom);
    if (!to.isEmpty())
        last = to.toInt(&okTo);
    return okFrom && okTo;
}


} // namespace

QString EventSources::load(const QString& dataDir)
{
    lines_.clear();
    QString error = read(dataDir + QStringLiteral("/events-solar.tsv"), Calendar::Solar);
    if (error.isEmpty())
        error = read(dataDir + QStringLiteral("/events-lunar.tsv"), Calendar::Lunar);
    if (error.isEmpty())
        error = read(dataDir + QStringLiteral("/events-gregorian.tsv"), Calendar::Gregorian);
    return error;
}

QString EventSources::read(const QString& path, Calendar calendar)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("cannot read %1").arg(path);
    const QStringList rows = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    int number = 0;
    for (const QString& row : rows) {
        ++number;
        if (row.trimmed().isEmpty() || row.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cells = row.split(QLatin1Char('\t'));
        Line line;
        line.calendar = calendar;
        bool okMonth = false;
        line.month = cells.value(0).toInt(&okMonth);
        line.day = cells.value(1).trimmed();
        line.holiday = cells.value(2).trimmed() == QLatin1String("1");
        line.text = cells.value(4).trimmed();
        bool okDay = false;
        const int day = line.day.toInt(&okDay);
        const bool dayOk = (okDay && day >= 1 && day <= 31) || (calendar == Calendar::Lunar && (line.day == kLastDay || line.day == kLastFriday));
        if (cells.size() != 5 || !okMonth || line.month < 1 || line.month > 12 || !dayOk || line.text.isEmpty()
            || !readYears(cells.value(3), line.firstYear, line.lastYear))
            return QStringLiteral("%1, line %2: expected month, day, holiday, years and event").arg(path).arg(number);
        lines_.append(line);
    }
    return {};
}

void EventSources::add(QMap<int, QList<Occurrence>>& on, const QDate& day, int order, const Line& line, const QString& text) const
{
    const SolarDate date = PersianCalendar::fromGregorian(day);
    if (!line.appliesTo(date.year))
        return;
    on[DateKey::make(date)].append({order, line.holiday, text});
}

QMap<int, EventSources::Day> EventSources::days(const SolarDate& first, const SolarDate& last) const
{
    const QDate from = PersianCalendar::toGregorian(first);
    const QDate to = PersianCalendar::toGregorian(last);
    QMap<int, QList<Occurrence>> on;

    for (int i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        const int order = static_cast<int>(line.calendar) * 10000 + i;
        switch (line.calendar) {
        case Calendar::Solar:
            for (int year = first.year; year <= last.year; ++year) {
                const SolarDate date{year, line.month, line.day.toInt()};
                if (PersianCalendar::isValid(date))
                    add(on, PersianCalendar::toGregorian(date), order, line, line.text);
            }
            break;
        case Calendar::Gregorian:
            for (int year = from.year(); year <= to.year(); ++year) {
                const QDate date(year, line.month, line.day.toInt());
                if (date.isValid())
                    add(on, date, order, line, line.text);
            }
            break;
        case Calendar::Lunar: {
            const int firstYear = LunarCalendar::fromGregorian(from).year;
            const int lastYear = LunarCalendar::fromGregorian(to).year;
            for (int year = firstYear; year <= lastYear; ++year) {
                const QDate start = LunarCalendar::firstDay(year, line.month);
                const int length = LunarCalendar::monthLength(year, line.month);
                if (!start.isValid() || length == 0)
                    continue;
                QDate date;
                if (line.day == kLastDay) {
                    date = start.addDays(length - 1);
                } else if (line.day == kLastFriday) {
                    date = start.addDays(length - 1);
                    while (date.dayOfWeek() != kFriday)
                        date = date.addDays(-1);
                } else if (line.day.toInt() <= length) {
                    date = start.addDays(line.day.toInt() - 1);
                }
                if (date.isValid())
                    add(on, date, order, line, QString(line.text).replace(QStringLiteral("{year}"), foundation::Digits::persian(year)));
            }
            break;
        }
        }
    }

    QMap<int, Day> result;
    for (QDate d = from; d <= to; d = d.addDays(1)) {
        const int key = DateKey::make(PersianCalendar::fromGregorian(d));
        QList<Occurrence> list = on.value(key);
        std::stable_sort(list.begin(), list.end(), [](const Occurrence& a, const Occurrence& b) { return a.order < b.order; });
        QStringList holidays;
        QStringList others;
        for (const Occurrence& o : list)
            (o.holiday ? holidays : others).append(o.text);
        QStringList pieces;
        if (!holidays.isEmpty())
            pieces.append(holidays.join(kHolidayJoin));
        pieces.append(others);
        result.insert(key, {pieces.join(kEventJoin), !holidays.isEmpty()});
    }
    return result;
}

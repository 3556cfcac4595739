#include "HijriDates.h"

#include <QCalendar>

#include <algorithm>
#include <optional>

namespace {

using Source = LunarCalendar::Source;

// Months counted from 1 Muharram of year 0, so that month 0 of the first
// Hijri year has the index 12.
int indexOf(int year, int month)
{
    return year * LunarCalendar::kMonths + month - 1;
}

HijriDate monthAt(int index, int day)
{
    return {index / LunarCalendar::kMonths, index % LunarCalendar::kMonths + 1, day};
}

constexpr int kFirstIndex = LunarCalendar::kMonths; // 1 Muharram 1

QDate tabularFirst(int index)
{
    static const QCalendar civil(QCalendar::System::IslamicCivil);
    const HijriDate m = monthAt(index, 1);
    return civil.dateFromParts(m.year, m.month, 1);
}

// A month whose first day LunarCalendar gives and whose length it knows.
bool known(int index)
{
    const HijriDate m = monthAt(index, 1);
    return LunarCalendar::monthLength(m.year, m.month) > 0;
}

// The first and the last month LunarCalendar knows whole, found from the
// last observed one (its tables can be replaced, so they are not kept).
struct Span {
    int first = 0;
    int last = -1;
};

Span knownSpan()
{
    const HijriDate anchor = LunarCalendar::lastObservedMonth();
    Span s;
    if (anchor.year <= 0 || !known(indexOf(anchor.year, anchor.month)))
        return s;
    s.first = s.last = indexOf(anchor.year, anchor.month);
    while (known(s.first - 1))
        --s.first;
    while (known(s.last + 1))
        ++s.last;
    return s;
}

QDate knownFirst(int index)
{
    const HijriDate m = monthAt(index, 1);
    return LunarCalendar::firstDay(m.year, m.month);
}

// A month's first day next to its neighbour's: where the tabular calendar
// has it, kept 29 or 30 days from the neighbour.
QDate after(const QDate& previous, int index)
{
    return std::clamp(tabularFirst(index), previous.addDays(LunarCalendar::kShortestMonth), previous.addDays(LunarCalendar::kLongestMonth));
}

QDate before(const QDate& next, int index)
{
    return std::clamp(tabularFirst(index), next.addDays(-LunarCalendar::kLongestMonth), next.addDays(-LunarCalendar::kShortestMonth));
}

// The first day of a month, by the chain that leaves the known months;
// invalid before the first Hijri year.
QDate firstOf(int index, const Span& span)
{
    if (index < kFirstIndex)
        return {};
    if (span.last < span.first)
        return tabularFirst(index);
    if (index >= span.first && index <= span.last + 1)
        return knownFirst(index);
    if (index < span.first) {
        QDate first = knownFirst(span.first);
        for (int i = span.first - 1; i >= index; --i)
            first = before(first, i);
        return first;
    }
    QDate first = knownFirst(span.last + 1);
    for (int i = span.last + 2; i <= index; ++i)
        first = after(first, i);
    return first;
}

} // namespace

HijriDates::Dated HijriDates::of(const QDate& day)
{
    const HijriDate table = LunarCalendar::fromGregorian(day);
    if (table.day > 0 && LunarCalendar::monthLength(table.year, table.month) > 0)
        return {table, LunarCalendar::sourceOf(table.year, table.month)};
    const Span span = knownSpan();
    if (span.last < span.first) {
        static const QCalendar civil(QCalendar::System::IslamicCivil);
        const QCalendar::YearMonthDay parts = civil.partsFromDate(day);
        if (!parts.isValid() || parts.year < 1)
            return {};
        return {{parts.year, parts.month, parts.day}, Source::Tabular};
    }
    if (day < knownFirst(span.first)) {
        QDate first = knownFirst(span.first);
        for (int i = span.first - 1; i >= kFirstIndex; --i) {
            first = before(first, i);
            if (day >= first)
                return {monthAt(i, static_cast<int>(first.daysTo(day)) + 1), Source::Tabular};
        }
        return {};
    }
    int i = span.last + 1;
    QDate first = knownFirst(i);
    for (QDate next = after(first, i + 1); day >= next; next = after(first, i + 1)) {
        first = next;
        ++i;
    }
    return {monthAt(i, static_cast<int>(first.daysTo(day)) + 1), Source::Tabular};
}

int HijriDates::monthLength(int year, int month)
{
    if (month < 1 || month > LunarCalendar::kMonths)
        return 0;
    const int known = LunarCalendar::monthLength(year, month);
    if (known > 0)
        return known;
    const Span span = knownSpan();
    const int index = indexOf(year, month);
    const QDate first = firstOf(index, span);
    return first.isValid() ? static_cast<int>(first.daysTo(firstOf(index + 1, span))) : 0;
}

QDate HijriDates::toGregorian(const HijriDate& date)
{
    const int length = monthLength(date.year, date.month);
    if (length == 0 || date.day < 1 || date.day > length)
        return {};
    const QDate known = LunarCalendar::firstDay(date.year, date.month);
    if (known.isValid() && LunarCalendar::monthLength(date.year, date.month) > 0)
        return known.addDays(date.day - 1);
    return firstOf(indexOf(date.year, date.month), knownSpan()).addDays(date.day - 1);
}

QString HijriDates::sourceName(Source source)
{
    switch (source) {
    case Source::Observed:
        return QStringLiteral("رؤیت هلال");
    case Source::Official:
        return QStringLiteral("تقویم رسمی");
    case Source::Announced:
        return QStringLiteral("اعلام‌شده");
    case Source::Predicted:
        return QStringLiteral("پیش‌بینی");
    case Source::Tabular:
        return QStringLiteral("تقویم قمری محاسباتی");
    }
    return {};
}

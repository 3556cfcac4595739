#include "DateSpan.h"

#include <QStringList>

#include <cstdlib>

namespace {

QString joined(const QStringList& parts)
{
    return parts.isEmpty() ? QStringLiteral("0 روز") : parts.join(QStringLiteral(" و "));
}

} // namespace

DateSpan DateSpan::between(const QDate& from, const QDate& to, CalendarSystem::Kind kind)
{
    DateSpan span;
    if (!from.isValid() || !to.isValid())
        return span;
    span.days = static_cast<int>(from.daysTo(to));
    const QDate early = std::min(from, to);
    const QDate late = std::max(from, to);
    const CalendarSystem::Parts a = CalendarSystem::partsOf(early, kind);
    const CalendarSystem::Parts b = CalendarSystem::partsOf(late, kind);
    if (a.day <= 0 || b.day <= 0) {
        span.monthDays = std::abs(span.days);
        return span;
    }
    // The most whole months from the earlier day that do not pass the later.
    int months = (b.year - a.year) * CalendarSystem::kMonths + b.month - a.month;
    QDate reached = CalendarSystem::toGregorian(kind, CalendarSystem::addMonths(kind, a, months));
    if (reached > late) {
        --months;
        reached = CalendarSystem::toGregorian(kind, CalendarSystem::addMonths(kind, a, months));
    }
    span.years = months / CalendarSystem::kMonths;
    span.months = months % CalendarSystem::kMonths;
    span.monthDays = static_cast<int>(reached.daysTo(late));
    return span;
}

QString DateSpan::yearsMonthsDays() const
{
    QStringList parts;
    if (years > 0)
        parts.append(QStringLiteral("%1 سال").arg(years));
    if (months > 0)
        parts.append(QStringLiteral("%1 ماه").arg(months));
    if (monthDays > 0)
        parts.append(QStringLiteral("%1 روز").arg(monthDays));
    return joined(parts);
}

QString DateSpan::weeksAndDays() const
{
    QStringList parts;
    if (weeks() > 0)
        parts.append(QStringLiteral("%1 هفته").arg(weeks()));
    if (weekDays() > 0)
        parts.append(QStringLiteral("%1 روز").arg(weekDays()));
    return joined(parts);
}

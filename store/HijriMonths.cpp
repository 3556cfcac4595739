#include "HijriMonths.h"

#include "MyDB.h"

#include <QStringList>

namespace hijri {

namespace {

const QString kPrefix = QStringLiteral("HijriMonth:");

QString keyOf(int year, int month)
{
    return kPrefix + QString::number(year) + QLatin1Char('-') + QString::number(month);
}

} // namespace

void apply()
{
    const std::optional<RowSet> rows
        = MyDB::initialize()->query(QStringLiteral("SELECT Key, Value FROM tPreferences WHERE Key LIKE ? ESCAPE '\\'"), {MyDB::likeStarts(kPrefix)});
    QList<HijriMonthStart> months;
    for (const Row& row : rows.value_or(RowSet())) {
        const QStringList parts = row.value(QStringLiteral("Key")).mid(kPrefix.size()).split(QLatin1Char('-'));
        const QDate first = QDate::fromString(row.value(QStringLiteral("Value")), Qt::ISODate);
        if (parts.size() == 2 && first.isValid())
            months.append({parts[0].toInt(), parts[1].toInt(), first});
    }
    std::sort(months.begin(), months.end(), [](const HijriMonthStart& a, const HijriMonthStart& b) { return a.first < b.first; });
    LunarCalendar::setAnnounced(months);
}

HijriDate monthOf(const QDate& today)
{
    const HijriDate h = LunarCalendar::fromGregorian(today);
    return {h.year, h.month, 1};
}

int correction(int year, int month)
{
    const QDate first = LunarCalendar::firstDay(year, month);
    const QDate predicted = LunarCalendar::predictedFirstDay(year, month);
    return first.isValid() && predicted.isValid() ? static_cast<int>(first.daysTo(predicted)) : 0;
}

bool allows(int year, int month, int c)
{
    if (c == 0)
        return true;
    if (LunarCalendar::lastObservedMonth().year * 12 + LunarCalendar::lastObservedMonth().month >= year * 12 + month)
        return false;
    const QDate predicted = LunarCalendar::predictedFirstDay(year, month);
    const QDate before = month == 1 ? LunarCalendar::firstDay(year - 1, 12) : LunarCalendar::firstDay(year, month - 1);
    if (!predicted.isValid() || !before.isValid())
        return false;
    const qint64 length = before.daysTo(predicted.addDays(-c));
    return length >= LunarCalendar::kShortestMonth && length <= LunarCalendar::kLongestMonth;
}

bool setCorrection(int year, int month, int c)
{
    if (!allows(year, month, c))
        return false;
    const QString key = keyOf(year, month);
    const bool stored = c == 0
        ? MyDB::initialize()->ExecuteTransaction({{QStringLiteral("DELETE FROM tPreferences WHERE Key = ?"), {key}}})
        : MyDB::initialize()->ExecuteTransaction({{QStringLiteral("INSERT OR REPLACE INTO tPreferences(Key, Value) VALUES(?, ?)"),
              {key, LunarCalendar::predictedFirstDay(year, month).addDays(-c).toString(Qt::ISODate)}}});
    if (stored)
        apply();
    return stored;
}

HijriDate preview(const QDate& day, int year, int month, int c)
{
    const QList<HijriMonthStart> kept = LunarCalendar::announced();
    QList<HijriMonthStart> tried;
    for (const HijriMonthStart& m : kept)
        if (m.year != year || m.month != month)
            tried.append(m);
    if (c != 0 && allows(year, month, c))
        tried.append({year, month, LunarCalendar::predictedFirstDay(year, month).addDays(-c)});
    LunarCalendar::setAnnounced(tried);
    const HijriDate h = LunarCalendar::fromGregorian(day);
    LunarCalendar::setAnnounced(kept);
    return h;
}

QString observedUpTo()
{
    const HijriDate last = LunarCalendar::lastObservedMonth();
    return QStringLiteral("رویدادهای قمری تا %1 %2 بر پایهٔ رؤیت هلال؛ پس از آن پیش‌بینی")
        .arg(LunarCalendar::monthName(last.month))
        .arg(last.year);
}

} // namespace hijri

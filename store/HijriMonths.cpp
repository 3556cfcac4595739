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

QList<HijriDate> correctable(const QDate& today)
{
    QList<HijriDate> list;
    const HijriDate now = LunarCalendar::fromGregorian(today.addDays(1));
    if (now.day <= 0)
        return list;
    for (int year = now.year; year >= now.year - 1; --year)
        for (int month = year == now.year ? now.month : LunarCalendar::kMonths; month >= 1; --month)
            if (LunarCalendar::firstDay(year, month).isValid())
                list.append({year, month, 1});
    return list;
}

bool allows(int year, int month, int c, const QDate& today)
{
    if (!correctable(today).contains(HijriDate{year, month, 1}))
        return false;
    if (c == 0)
        return true;
    const QDate predicted = LunarCalendar::predictedFirstDay(year, month);
    const QDate before = month == 1 ? LunarCalendar::firstDay(year - 1, LunarCalendar::kMonths) : LunarCalendar::firstDay(year, month - 1);
    if (!predicted.isValid() || !before.isValid())
        return false;
    const qint64 length = before.daysTo(predicted.addDays(-c));
    return length >= LunarCalendar::kShortestMonth && length <= LunarCalendar::kLongestMonth;
}

bool setCorrection(int year, int month, int c, const QDate& today)
{
    if (!allows(year, month, c, today))
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
    if (c != 0)
        tried.append({year, month, LunarCalendar::predictedFirstDay(year, month).addDays(-c)});
    LunarCalendar::setAnnounced(tried);
    const HijriDate h = LunarCalendar::fromGregorian(day);
    LunarCalendar::setAnnounced(kept);
    return h;
}

QString observedUpTo()
{
    const HijriDate observed = LunarCalendar::lastObservedMonth();
    const HijriDate official = LunarCalendar::lastOfficialMonth();
    const auto name = [](const HijriDate& h) { return LunarCalendar::monthName(h.month) + QLatin1Char(' ') + QString::number(h.year); };
    if (official == observed)
        return QStringLiteral("ماه‌های قمری: رؤیت هلال تا %1، سپس پیش‌بینی").arg(name(observed));
    return QStringLiteral("ماه‌های قمری: رؤیت هلال تا %1، تقویم رسمی تا %2، سپس پیش‌بینی").arg(name(observed), name(official));
}

} // namespace hijri

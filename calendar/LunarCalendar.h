#pragma once

#include <QDate>
#include <QList>
#include <QString>

// A day of the Islamic lunar calendar.
struct HijriDate {
    int year = 0;
    int month = 0;  // 1 Muharram ... 12 Dhu al-Hijja
    int day = 0;

    bool operator==(const HijriDate&) const = default;
};

// The first day of a lunar month, as announced.
struct HijriMonthStart {
    int year = 0;
    int month = 0;
    QDate first;

    bool operator==(const HijriMonthStart&) const = default;
};

// The lunar months as Iran keeps them: the table of the months observed,
// then those of the printed official calendar (resources/data/
// lunar-months.tsv, built into the app); after it, months predicted from
// the sky (lunar-months-predicted.tsv: the evening each crescent is first
// seen, by the criterion tools/lunar chose on the table), each 29 or 30
// days after the one before; past the predictions, the tabular Islamic
// calendar. A month the user says was announced otherwise begins as
// announced, and the months after it follow it, 29 or 30 days each, until
// they meet their own days again.
class LunarCalendar {
public:
    // Where a month's first day comes from.
    enum class Source { Observed, Official, Announced, Predicted, Tabular };

    // The lunar date of a day; day 0 before the table's first month.
    static HijriDate fromGregorian(const QDate& date);
    // The first day of a lunar month; invalid outside the months known.
    static QDate firstDay(int year, int month);
    static int monthLength(int year, int month);
    // 1 to 29 or 30 on the days of Ramadan, else 0.
    static int ramadanDay(const QDate& date);

    // The last day that the table covers, the last month observed, and the
    // last month of the table (the official calendar's).
    static QDate lastObservedDay();
    static HijriDate lastObservedMonth();
    static HijriDate lastOfficialMonth();
    static Source sourceOf(int year, int month);
    // Whether a month's first day comes from the sky, not from the table
    // or an announcement.
    static bool isPredicted(int year, int month);
    // Where a month would begin without the user's word for it: predicted
    // from the month before as that one stands.
    static QDate predictedFirstDay(int year, int month);

    // The months the user says were announced otherwise (from the user's
    // copy of the data), any month of the table or after it. One that the
    // month before does not allow (fewer than 29 or more than 30 days) is
    // left out.
    static void setAnnounced(const QList<HijriMonthStart>& months);
    static QList<HijriMonthStart> announced();

    // "رمضان" for 9; empty outside 1 to 12.
    static QString monthName(int month);
    // "28 جمادی‌الثانی 1448" (Western digits: the screens turn them).
    static QString text(const HijriDate& date);

    // Replaces the tables (tests); empty texts bring back the built-in ones.
    static void setTable(const QString& tsv, const QString& predictedTsv = QString());

    static constexpr int kRamadan = 9;
    static constexpr int kMonths = 12;
    static constexpr int kShortestMonth = 29;
    static constexpr int kLongestMonth = 30;
};

#pragma once

#include "SolarDate.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The events and holidays of every day, from rules that say which calendar
// each follows: a Solar Hijri date, a lunar date on the months as Iran
// keeps them (LunarCalendar, announcements included), or a Gregorian date.
// The builder reads the rules (resources/data: the events of 1391 in
// events-*.tsv, Iran's official calendar from 1392 on in
// official-events.json with official-events-changes.tsv) and stores them;
// the app places them on the days as the months stand, so that a lunar
// holiday moves with its month.
class EventRules {
public:
    enum class Calendar { Solar = 0, Lunar = 1, Gregorian = 2 };
    // Whose occasion it is: Iran's official calendar, the festivals of
    // ancient Iran, the international days, Afghanistan's calendar. Only
    // Iran's holidays make a day a holiday.
    enum class Kind { Iran = 0, AncientIran = 1, International = 2, Afghanistan = 3 };
    static constexpr int kKinds = 4;
    using Kinds = std::array<bool, kKinds>;
    // Shown and announced unless the user chooses otherwise.
    static constexpr Kinds kDefaultKinds = {true, false, false, false};
    // "Iran", "AncientIran", ...: as the data and the user's copy name them.
    static QString kindKey(Kind kind);
    static std::optional<Kind> kindOf(const QString& key);
    // "مناسبت‌های رسمی ایران", ...
    static QString kindTitle(Kind kind);

    struct Rule {
        Calendar calendar = Calendar::Solar;
        // 1 to 12; 0: every month.
        int month = 0;
        // The day of the month; "last", its last day; "last-friday", its
        // last Friday ("-1" after it: the day before); "2-friday", its
        // second Friday; "yearday-256", that day of the year.
        QString day;
        bool holiday = false;
        // The Solar Hijri years the rule applies to.
        int firstYear = 0;
        int lastYear = 0;
        // "{year}" in it stands for the Hijri year, in Persian digits. Short
        // enough for the day page; `note` is the whole text where it is
        // longer (the years and places of the occasion), for the lists.
        QString text;
        QString note;
        Kind kind = Kind::Iran;
        // The user's own: marked as such, and a day the month lacks (30
        // Esfand, the 30th of a 29-day lunar month) moves to its last day.
        bool own = false;
        // The user's reminder it is, by its id.
        int reminderId = 0;
    };

    struct Event {
        QString text;
        bool holiday = false;
        Calendar calendar = Calendar::Solar;
        // On a lunar month that is predicted, not observed or announced.
        bool predicted = false;
        bool own = false;
        Kind kind = Kind::Iran;
        // The whole text, where `text` is shortened; else empty.
        QString note;
        // The user's reminder it is (0 for none): two of the same text on a
        // day are still two.
        int reminderId = 0;
        bool operator==(const Event&) const = default;
        // The text for a list with room: the whole of it.
        QString fullText() const { return note.isEmpty() ? text : note; }
    };
    struct Day {
        // The day's holidays first, as the rules give them, then the rest.
        QList<Event> events;
        // Several events joined with "@"; the holidays first, as one event
        // whose occasions are joined with "؛ ".
        QString description;
        bool holiday = false;
    };

    // Empty on success, else what is wrong with the sources.
    QString load(const QString& dataDir);
    // The rules of one file's text.
    QString read(const QString& tsv, Calendar calendar, const QString& name = QString());
    // The occasions of the official calendar (official-events.json) from
    // `firstYear` on, with the changes of `changesTsv`: a line with an
    // occasion's calendar, month, day and text takes its place in the years
    // it gives; any other line adds an occasion.
    QString readOfficial(const QByteArray& json, const QString& changesTsv, int firstYear);
    void add(const Rule& rule) { rules_.append(rule); }
    const QList<Rule>& rules() const { return rules_; }

    // The kinds whose occasions are placed on the days; a holiday and the
    // user's own are placed whatever the kind.
    void setShown(const Kinds& kinds) { shown_ = kinds; }
    const Kinds& shown() const { return shown_; }

    // The text of an occasion short enough for a day page: without the
    // notes in brackets that give its years or how its day is found.
    static QString shortText(const QString& text);
    // The first Solar Hijri year of the official calendar's occasions:
    // 1391 keeps its own events.
    static constexpr int kFirstOfficialYear = 1392;

    // One day's events.
    Day day(const QDate& date) const;
    // A day's events as its lines read: the holidays as one, their
    // occasions joined with "؛ ", then each of the rest.
    static QStringList lines(const QList<Event>& events);
    // The joiner of a day's lines in the stored text (tEvents).
    static constexpr QChar kEventJoin = u'@';
    // Every day from `first` to `last`, keyed by its date key.
    QMap<int, Day> days(const SolarDate& first, const SolarDate& last) const;

    static const QString kLastDay;

private:
    QList<Rule> rules_;
    Kinds shown_ = kDefaultKinds;
};

#include "ICalendar.h"

#include "calendar/DateKey.h"
#include "calendar/IranClock.h"
#include "calendar/PersianCalendar.h"
#include "calendar/LunarCalendar.h"
#include "platform/foundation/Digits.h"
#include "store/Reminders.h"

#include <QCryptographicHash>
#include <QHash>
#include <QTimeZone>

namespace ical {

namespace {

constexpr int kLineOctets = 75;
const QByteArray kZone = "Asia/Tehran";

class Writer {
public:
    explicit Writer(const QString& name)
    {
        line("BEGIN:VCALENDAR");
        line("VERSION:2.0");
        line("PRODID:-//Kelvaro//Kelvaro//FA");
        line("CALSCALE:GREGORIAN");
        line("METHOD:PUBLISH");
        line("X-WR-CALNAME:" + escaped(foundation::Digits::shapes(foundation::Digits::arabicIndic(name))));
    }
    void line(const QString& text) { out_ += folded(text.toUtf8()) + "\r\n"; }
    QByteArray finish()
    {
        line("END:VCALENDAR");
        return out_;
    }

private:
    QByteArray out_;
};

QString utc(const QDateTime& moment)
{
    return moment.toUTC().toString(QStringLiteral("yyyyMMddTHHmmssZ"));
}

// What stays the same from one export to the next.
QString uidOf(const QString& what)
{
    return QString::fromLatin1(QCryptographicHash::hash(what.toUtf8(), QCryptographicHash::Sha1).toHex().left(20))
        + QStringLiteral("@kelvaro");
}

// The zone's observances over the days exported: each change of its offset
// once, and the offset in force at the start.
void timeZone(Writer& w, const QDate& first, const QDate& last)
{
    const QTimeZone zone(kZone);
    auto offset = [](int seconds) {
        const int m = std::abs(seconds) / 60;
        return QStringLiteral("%1%2%3").arg(seconds < 0 ? QLatin1Char('-') : QLatin1Char('+')).arg(m / 60, 2, 10, QLatin1Char('0')).arg(m % 60, 2, 10, QLatin1Char('0'));
    };
    const QDateTime from(first.addDays(-1), QTime(0, 0), zone);
    const QDateTime to(last.addDays(1), QTime(0, 0), zone);
    w.line("BEGIN:VTIMEZONE");
    w.line("TZID:" + QString::fromLatin1(kZone));
    const QTimeZone::OffsetData start = zone.offsetData(from);
    const QList<QTimeZone::OffsetData> changes = zone.transitions(from, to);
    int before = start.offsetFromUtc;
    auto observance = [&](const QDateTime& at, int fromOffset, int toOffset, bool daylight) {
        const QString kind = daylight ? QStringLiteral("DAYLIGHT") : QStringLiteral("STANDARD");
        w.line("BEGIN:" + kind);
        // The onset in the local time that was in force before it.
        w.line("DTSTART:" + at.toOffsetFromUtc(fromOffset).toString(QStringLiteral("yyyyMMddTHHmmss")));
        w.line("TZOFFSETFROM:" + offset(fromOffset));
        w.line("TZOFFSETTO:" + offset(toOffset));
        w.line("END:" + kind);
    };
    observance(QDateTime(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC).addSecs(-start.offsetFromUtc), start.offsetFromUtc, start.offsetFromUtc,
        start.daylightTimeOffset != 0);
    for (const QTimeZone::OffsetData& change : changes) {
        observance(change.atUtc, before, change.offsetFromUtc, change.daylightTimeOffset != 0);
        before = change.offsetFromUtc;
    }
    w.line("END:VTIMEZONE");
}

struct Occurrence {
    reminders::DateReminder reminder;
    QDate day;
};

// What an occurrence of a reminder stands for, the same from one export to
// the next and through a change of its time or day: the reminder, and the
// year (Persian or lunar) or the month it comes in. A calendar that takes
// the file again puts a changed reminder in the place of the old one.
QString occurrenceKey(const Occurrence& o)
{
    using Repeat = reminders::DateReminder::Repeat;
    const QString id = QStringLiteral("reminder/%1").arg(o.reminder.id);
    const SolarDate solar = PersianCalendar::fromGregorian(o.day);
    switch (o.reminder.repeat) {
    case Repeat::Once:
        return id;
    case Repeat::YearlyPersian:
        return id + QStringLiteral("/%1").arg(solar.year);
    case Repeat::MonthlyPersian:
        return id + QStringLiteral("/%1-%2").arg(solar.year).arg(solar.month);
    case Repeat::YearlyHijri:
        return id + QStringLiteral("/h%1").arg(LunarCalendar::fromGregorian(o.day).year);
    }
    return id;
}

// A reminder at its time on Tehran's clock, with an alarm at that moment.
// None of the repetitions is an RRULE: a Persian date (yearly or monthly)
// and a lunar one fall on other Gregorian dates from year to year, which
// no Gregorian rule can follow; so each occurrence of the year is an entry.
void reminder(Writer& w, const Occurrence& o, const QDateTime& stamp)
{
    // The clock's time as written, whatever the zone makes of it that day.
    const QString at = o.day.toString(QStringLiteral("yyyyMMdd")) + QLatin1Char('T')
        + QTime(o.reminder.time.hour, o.reminder.time.minute).toString(QStringLiteral("HHmmss"));
    const QString text = escaped(o.reminder.text);
    w.line("BEGIN:VEVENT");
    w.line("UID:" + uidOf(occurrenceKey(o)));
    w.line("DTSTAMP:" + utc(stamp));
    w.line("DTSTART;TZID=" + QString::fromLatin1(kZone) + ":" + at);
    w.line("SUMMARY:" + text);
    w.line("DESCRIPTION:" + escaped(foundation::Digits::shapes(o.reminder.summary())));
    w.line(QStringLiteral("CATEGORIES:یادآوری"));
    w.line("TRANSP:TRANSPARENT");
    w.line("BEGIN:VALARM");
    w.line("ACTION:DISPLAY");
    w.line("DESCRIPTION:" + text);
    w.line("TRIGGER:PT0S");
    w.line("END:VALARM");
    w.line("END:VEVENT");
}

} // namespace

QString escaped(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char(';') || c == QLatin1Char(','))
            out += QLatin1Char('\\') + c;
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c != QLatin1Char('\r'))
            out += c;
    }
    return out;
}

QByteArray folded(const QByteArray& line)
{
    // Folded between characters, never inside one's UTF-8 bytes; each
    // continuation begins with a space, which counts in its 75.
    QByteArray out;
    int used = 0;
    for (qsizetype i = 0; i < line.size();) {
        qsizetype n = 1;
        while (i + n < line.size() && (static_cast<unsigned char>(line[i + n]) & 0xC0) == 0x80)
            ++n;
        if (used + n > kLineOctets) {
            out += "\r\n ";
            used = 1;
        }
        out += line.mid(i, n);
        used += static_cast<int>(n);
        i += n;
    }
    return out;
}

std::optional<QByteArray> yearEvents(int year, const QDateTime& stamp)
{
    const SolarDate first{year, 1, 1};
    const SolarDate last{year, 12, PersianCalendar::daysInMonth(year, 12)};
    const std::optional<QList<days::DayEvents>> all = days::events(DateKey::make(first), DateKey::make(last));
    const std::optional<QList<reminders::DateReminder>> mine = reminders::dateReminders();
    if (!all || !mine)
        return std::nullopt;
    const QDate firstDay = PersianCalendar::toGregorian(first);
    const QDate lastDay = PersianCalendar::toGregorian(last);
    QList<Occurrence> timed;
    for (const reminders::DateReminder& r : *mine)
        for (const QDate& day : r.days(firstDay, lastDay))
            timed.append({r, day});
    Writer w(QStringLiteral("رویدادهای سال %1").arg(year));
    if (!timed.isEmpty())
        timeZone(w, firstDay, lastDay);
    for (const days::DayEvents& day : *all) {
        const QDate date = PersianCalendar::toGregorian(DateKey::read(day.key));
        // The same text twice on a day is two entries, each with a UID of
        // its own.
        QHash<QString, int> seen;
        for (const EventRules::Event& e : day.events) {
            // The user's reminders come with their time, below.
            if (e.own)
                continue;
            const int n = seen[e.text]++;
            w.line("BEGIN:VEVENT");
            w.line("UID:" + uidOf(QStringLiteral("event/%1/%2/%3").arg(day.key).arg(e.own ? 1 : 0).arg(e.text) + (n > 0 ? QStringLiteral("/%1").arg(n) : QString())));
            w.line("DTSTAMP:" + utc(stamp));
            w.line("DTSTART;VALUE=DATE:" + date.toString(QStringLiteral("yyyyMMdd")));
            w.line("DTEND;VALUE=DATE:" + date.addDays(1).toString(QStringLiteral("yyyyMMdd")));
            w.line("SUMMARY:" + escaped(e.text));
            if (!e.note.isEmpty())
                w.line("DESCRIPTION:" + escaped(e.note));
            if (e.holiday)
                w.line(QStringLiteral("CATEGORIES:تعطیل"));
            w.line("TRANSP:TRANSPARENT");
            w.line("END:VEVENT");
        }
    }
    for (const Occurrence& o : timed)
        reminder(w, o, stamp);
    return w.finish();
}

QByteArray monthTimes(int cityId, const QString& cityName, const QList<days::Times>& days, const QList<DayTime>& times, const QDateTime& stamp)
{
    const QTimeZone zone(kZone);
    Writer w(QStringLiteral("اوقات شرعی %1").arg(cityName));
    if (!days.isEmpty())
        timeZone(w, PersianCalendar::toGregorian(DateKey::read(days.first().key)), PersianCalendar::toGregorian(DateKey::read(days.last().key)));
    for (const days::Times& day : days) {
        for (DayTime k : times) {
            const QDateTime at = day.moment(k).toTimeZone(zone);
            if (!at.isValid())
                continue;
            w.line("BEGIN:VEVENT");
            w.line("UID:" + uidOf(QStringLiteral("time/%1/%2/%3").arg(cityId).arg(day.key).arg(static_cast<int>(k))));
            w.line("DTSTAMP:" + utc(stamp));
            w.line("DTSTART;TZID=" + QString::fromLatin1(kZone) + ":" + at.toString(QStringLiteral("yyyyMMddTHHmmss")));
            w.line("SUMMARY:" + escaped(QStringLiteral("%1 به افق %2").arg(dayTimeName(k), cityName)));
            w.line("TRANSP:TRANSPARENT");
            w.line("END:VEVENT");
        }
    }
    return w.finish();
}

} // namespace ical

// The iCalendar text itself: what RFC 5545 asks of every line, whatever the
// language of the text.
#include "exports/ICalendar.h"

#include "calendar/LunarCalendar.h"
#include "store/Reminders.h"

#include "tests/support/Sandbox.h"

#include <QFile>

#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

TEST(ICalendar, LongPersianLinesAreFoldedBetweenCharactersAndUnfoldBack)
{
    const QString text = QStringLiteral("SUMMARY:") + QString(60, QChar(0x0627)) + QStringLiteral("۱۲۳ abc ") + QString(50, QChar(0x06CC));
    const QByteArray folded = ical::folded(text.toUtf8());
    const QList<QByteArray> lines = folded.split('\n');
    ASSERT_GT(lines.size(), 2);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].endsWith('\r') ? lines[i].chopped(1) : lines[i];
        EXPECT_LE(line.size(), 75) << i;
        EXPECT_TRUE(QString::fromUtf8(line).toUtf8() == line) << "a character split at line " << i;
        if (i > 0) {
            EXPECT_TRUE(line.startsWith(' '));
        }
    }
    QByteArray unfolded = folded;
    unfolded.replace("\r\n ", "");
    EXPECT_EQ(QString::fromUtf8(unfolded), text);
    EXPECT_EQ(ical::folded("SHORT"), "SHORT");
}

TEST(ICalendar, TextIsEscapedAsTheFormatAsks)
{
    EXPECT_EQ(ical::escaped(QStringLiteral("a,b;c\\d\ne\r")), "a\\,b\\;c\\\\d\\ne");
    EXPECT_EQ(ical::escaped(QStringLiteral("ولادت حضرت علی (ع)؛ روز پدر")), "ولادت حضرت علی (ع)؛ روز پدر") << "the Arabic semicolon stays";
}

TEST(ICalendar, TheSameTimesAreTheSameEntriesOnASecondExportAndEveryTimeIsAnInstant)
{
    Sandbox box;
    const QList<days::Times> days = *days::cityTimes(Sandbox::kTehran, 1050917, 2);
    const QDateTime now(QDate(2026, 12, 8), QTime(10, 0), QTimeZone("Asia/Tehran"));
    const QByteArray a = ical::monthTimes(Sandbox::kTehran, QStringLiteral("تهران"), days, {DayTime::Dawn, DayTime::Noon, DayTime::Evening}, now);
    const QByteArray b = ical::monthTimes(Sandbox::kTehran, QStringLiteral("تهران"), days, {DayTime::Dawn, DayTime::Noon, DayTime::Evening}, now.addDays(3));
    auto uids = [](const QByteArray& ics) {
        QList<QByteArray> list;
        for (const QByteArray& line : ics.split('\n'))
            if (line.startsWith("UID:"))
                list.append(line.trimmed());
        return list;
    };
    EXPECT_EQ(uids(a).size(), 6);
    EXPECT_EQ(uids(a), uids(b));
    const QList<QByteArray> ids = uids(a);
    EXPECT_EQ(QSet<QByteArray>(ids.begin(), ids.end()).size(), 6);
    // Iran keeps no summer time now: one observance, +0330.
    EXPECT_TRUE(a.contains("BEGIN:VTIMEZONE\r\nTZID:Asia/Tehran\r\nBEGIN:STANDARD\r\n"));
    EXPECT_FALSE(a.contains("DAYLIGHT"));
    EXPECT_TRUE(a.contains("DTSTART;TZID=Asia/Tehran:20261208T053200\r\n")) << a.left(900).toStdString();
    EXPECT_TRUE(a.contains("SUMMARY:اذان صبح به افق تهران\r\n"));
}

// The entries of a file, unfolded, each as its lines.
QList<QStringList> entries(const QByteArray& ics)
{
    QByteArray unfolded = ics;
    unfolded.replace("\r\n ", "");
    QList<QStringList> list;
    QStringList current;
    bool in = false;
    for (const QString& line : QString::fromUtf8(unfolded).split(QStringLiteral("\r\n"))) {
        if (line == QStringLiteral("BEGIN:VEVENT")) {
            in = true;
            current.clear();
        } else if (line == QStringLiteral("END:VEVENT")) {
            in = false;
            list.append(current);
        } else if (in) {
            current.append(line);
        }
    }
    return list;
}

QList<QStringList> withSummary(const QList<QStringList>& all, const QString& text)
{
    QList<QStringList> found;
    for (const QStringList& e : all)
        if (e.contains(QStringLiteral("SUMMARY:") + text))
            found.append(e);
    return found;
}

QString field(const QStringList& entry, const QString& name)
{
    for (const QString& line : entry)
        if (line.startsWith(name))
            return line.mid(name.size());
    return {};
}

TEST(ICalendar, RemindersComeAtTheirTimeInTehranOncePerOccurrenceWithUidsThatStay)
{
    Sandbox box(QDateTime(QDate(2026, 12, 8), QTime(10, 0)));
    using Repeat = reminders::DateReminder::Repeat;
    reminders::DateReminder yearly{0, Repeat::YearlyPersian, 1405, 10, 5, QStringLiteral("سالگرد"), {7, 30}};
    reminders::DateReminder monthly{0, Repeat::MonthlyPersian, 1405, 1, 31, QStringLiteral("قسط"), {21, 0}};
    reminders::DateReminder once{0, Repeat::Once, 1405, 11, 2, QStringLiteral("دیدار"), {9, 5}};
    reminders::DateReminder before{0, Repeat::Once, 1404, 11, 2, QStringLiteral("گذشته"), {9, 5}};
    reminders::DateReminder lunar{0, Repeat::YearlyHijri, 1448, 1, 9, QStringLiteral("نذری"), {18, 0}};
    for (reminders::DateReminder* r : {&yearly, &monthly, &once, &before, &lunar})
        ASSERT_TRUE(reminders::save(*r));
    const QDateTime stamp(QDate(2026, 12, 8), QTime(10, 0), QTimeZone("Asia/Tehran"));
    const QByteArray first = *ical::yearEvents(1405, stamp);
    const QList<QStringList> all = entries(first);

    // 5 Dey 1405 is 26 December 2026, at 07:30 on Tehran's clock, with the
    // zone it names and an alarm; no repetition a Gregorian rule would
    // carry to the wrong day next year.
    EXPECT_TRUE(first.contains("BEGIN:VTIMEZONE\r\nTZID:Asia/Tehran\r\n"));
    EXPECT_FALSE(first.contains("RRULE"));
    const QList<QStringList> y = withSummary(all, QStringLiteral("سالگرد"));
    ASSERT_EQ(y.size(), 1);
    EXPECT_EQ(field(y[0], QStringLiteral("DTSTART;TZID=Asia/Tehran:")), "20261226T073000");
    EXPECT_TRUE(y[0].contains(QStringLiteral("BEGIN:VALARM")));
    EXPECT_TRUE(y[0].contains(QStringLiteral("CATEGORIES:یادآوری")));
    EXPECT_EQ(field(y[0], QStringLiteral("DESCRIPTION:")), "هر سال ۵ دی، ساعت ۰۷:۳۰");
    // Every month on the 31st: the months of 30 days and Esfand on their last.
    const QList<QStringList> m = withSummary(all, QStringLiteral("قسط"));
    ASSERT_EQ(m.size(), 12);
    EXPECT_EQ(field(m[6], QStringLiteral("DTSTART;TZID=Asia/Tehran:")), "20261022T210000") << "30 Mehr 1405";
    EXPECT_EQ(field(m[11], QStringLiteral("DTSTART;TZID=Asia/Tehran:")), "20270320T210000") << "29 Esfand 1405";
    EXPECT_EQ(withSummary(all, QStringLiteral("دیدار")).size(), 1);
    EXPECT_TRUE(withSummary(all, QStringLiteral("گذشته")).isEmpty()) << "once, in another year";
    // 9 Muharram falls once in 1405, on the day the calendar has it.
    const QList<QStringList> l = withSummary(all, QStringLiteral("نذری"));
    ASSERT_EQ(l.size(), 1);
    EXPECT_EQ(field(l[0], QStringLiteral("DTSTART;TZID=Asia/Tehran:")),
        LunarCalendar::firstDay(1448, 1).addDays(8).toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("T180000"));
    // None of them also as a day without its time.
    for (const QStringList& e : all) {
        if (e.contains(QStringLiteral("CATEGORIES:یادآوری"))) {
            EXPECT_TRUE(field(e, QStringLiteral("DTSTART;VALUE=DATE:")).isEmpty()) << e.join(' ').toStdString();
        }
    }

    // Exported again, later, after its time changed: the same UIDs, so a
    // calendar that takes it again puts the new time in the old one's place.
    QSet<QString> uids;
    for (const QStringList& e : all)
        uids.insert(field(e, QStringLiteral("UID:")));
    EXPECT_EQ(uids.size(), all.size());
    yearly.time = {6, 45};
    ASSERT_TRUE(reminders::save(yearly));
    const QList<QStringList> again = entries(*ical::yearEvents(1405, stamp.addDays(3)));
    QSet<QString> uidsAgain;
    for (const QStringList& e : again)
        uidsAgain.insert(field(e, QStringLiteral("UID:")));
    EXPECT_EQ(uids, uidsAgain);
    const QList<QStringList> moved = withSummary(again, QStringLiteral("سالگرد"));
    ASSERT_EQ(moved.size(), 1);
    EXPECT_EQ(field(moved[0], QStringLiteral("UID:")), field(y[0], QStringLiteral("UID:")));
    EXPECT_EQ(field(moved[0], QStringLiteral("DTSTART;TZID=Asia/Tehran:")), "20261226T064500");
    // The next year's is another entry of its own, on its own Gregorian day.
    const QList<QStringList> next = withSummary(entries(*ical::yearEvents(1407, stamp)), QStringLiteral("سالگرد"));
    ASSERT_EQ(next.size(), 1);
    EXPECT_EQ(field(next[0], QStringLiteral("DTSTART;TZID=Asia/Tehran:")), "20281225T064500");
    EXPECT_NE(field(next[0], QStringLiteral("UID:")), field(y[0], QStringLiteral("UID:")));
}

} // namespace

namespace {

// What a calendar program takes: the files as they are written, but the
// moment each was made (DTSTAMP), which differs from export to export.
QByteArray withoutStamps(QByteArray ics)
{
    QList<QByteArray> lines = ics.split('\n');
    lines.removeIf([](const QByteArray& line) { return line.startsWith("DTSTAMP:"); });
    return lines.join('\n');
}

// Compares an export with its golden file in tests/data/golden; with
// KELVARO_UPDATE_GOLDEN set, writes the file instead (then look at the diff).
void expectGolden(const QByteArray& ics, const char* name)
{
    const QString path = QStringLiteral(KELVARO_SOURCE_DIR "/tests/data/golden/") + QLatin1String(name);
    if (qEnvironmentVariableIsSet("KELVARO_UPDATE_GOLDEN")) {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(ics);
        return;
    }
    QFile golden(path);
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly)) << name;
    const QByteArray expected = golden.readAll();
    EXPECT_TRUE(withoutStamps(ics) == withoutStamps(expected)) << name << ": the export differs from its golden file";
}

TEST(ICalendarGolden, TheYearWithAReminderAndTheMonthsTimesAreWhatTheyWere)
{
    Sandbox box(QDateTime(QDate(2026, 12, 8), QTime(10, 0)));
    reminders::DateReminder dey;
    dey.repeat = reminders::DateReminder::Repeat::YearlyPersian;
    dey.month = 10;
    dey.day = 5;
    dey.text = QStringLiteral("سالگرد");
    dey.time = {7, 30};
    ASSERT_TRUE(reminders::save(dey));
    const QDateTime stamp(QDate(2026, 12, 8), QTime(10, 0), QTimeZone("Asia/Tehran"));
    const std::optional<QByteArray> year = ical::yearEvents(1405, stamp);
    ASSERT_TRUE(year.has_value());
    expectGolden(*year, "year-1405.ics");
    const QList<days::Times> azar = *days::cityTimes(Sandbox::kTehran, 1050901, 30);
    expectGolden(ical::monthTimes(Sandbox::kTehran, QStringLiteral("تهران"), azar,
                     {DayTime::Dawn, DayTime::Sunrise, DayTime::Noon, DayTime::Sunset, DayTime::Evening, DayTime::Midnight}, stamp),
        "times-tehran-1405-09.ics");
}

} // namespace

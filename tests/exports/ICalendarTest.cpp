// The iCalendar text itself: what RFC 5545 asks of every line, whatever the
// language of the text.
#include "exports/ICalendar.h"

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

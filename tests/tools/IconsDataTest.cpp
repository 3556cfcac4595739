// Checks the built database "Icons" against the rules of the shipped data.
#include "store/MyDB.h"
#include "tools/icons/IconsBuilder.h"

#include "calendar/DateKey.h"
#include "calendar/PersianCalendar.h"
#include "platform/foundation/Directories.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

int minutes(const QString& time)
{
    const QStringList parts = time.split(QLatin1Char(':'));
    return parts.value(0).toInt() * 60 + parts.value(1).toInt();
}

class IconsData : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        documents = new QTemporaryDir;
        foundation::Directories::setResourcePath(QStringLiteral(KELVARO_RESOURCES));
        foundation::Directories::setDocumentsDirectory(documents->path());
        MyDB::resetShared();
    }
    static void TearDownTestSuite()
    {
        MyDB::resetShared();
        delete documents;
        documents = nullptr;
    }
    static QString scalar(const QString& sql) { return MyDB::initialize()->ExecuteScaler(sql).value_or(QStringLiteral("<none>")); }
    static RowSet rows(const QString& sql) { return MyDB::initialize()->Execute(sql); }

    static QTemporaryDir* documents;
};
QTemporaryDir* IconsData::documents = nullptr;

TEST_F(IconsData, ProvincesAndCentres)
{
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM tStates WHERE ParentID IS NULL"), "31");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM tStates WHERE IsCenter = 1"), "31");
    EXPECT_EQ(scalar("SELECT MAX(StateID) FROM tStates"), "62");
    // Every province has exactly one centre.
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM tStates p WHERE ParentID IS NULL AND "
                     "(SELECT COUNT(*) FROM tStates c WHERE c.ParentID = p.StateID AND c.IsCenter = 1) = 1"),
        "31");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM tStates WHERE Name LIKE '%ي%' OR Name LIKE '%ك%'"), "0");
    EXPECT_EQ(scalar("SELECT c.Name || '/' || p.Name FROM tStates c JOIN tStates p ON c.ParentID = p.StateID "
                     "WHERE c.Name = 'تهران'"),
        "تهران/تهران");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM tSelectedStates"), "0");
}

TEST_F(IconsData, SettingsRow)
{
    const RowSet s = rows("SELECT * FROM tSetting");
    ASSERT_EQ(s.size(), 1);
    const char* expected[] = {"1", "1", "1", "0", "0", "0", "0", "0"};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(s[0].value(QStringLiteral("Item%1").arg(i)), expected[i]) << i;
}

// The rows of a test data file, split at tabs, without its comment lines.
QList<QStringList> readData(const QString& name)
{
    QFile file(QStringLiteral(KELVARO_SOURCE_DIR "/tests/data/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    QList<QStringList> rows;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            rows.append(line.split(QLatin1Char('\t')));
    return rows;
}

TEST_F(IconsData, EventsCoverEveryDayOfEveryYearInOrder)
{
    const RowSet all = rows("SELECT Date, Description, IsHoliday FROM tEvents");
    int i = 0;
    for (SolarDate d = PersianCalendar::firstDataDay(); d <= PersianCalendar::lastDataDay(); d = PersianCalendar::addDays(d, 1), ++i)
        ASSERT_EQ(all.value(i).value("Date"), DateKey::text(d));
    EXPECT_EQ(all.size(), i);
    // The calendar's month query finds every day of every month.
    for (int year : {1391, 1399, 1400, 1403, 1407, 1410})
        for (int month = 1; month <= 12; ++month)
            EXPECT_EQ(rows(QStringLiteral("SELECT Description FROM tEvents WHERE Date LIKE '%1__'").arg(DateKey::make({year, month, 1}) / 100)).size(),
                PersianCalendar::daysInMonth(year, month))
                << year << "/" << month;
}

TEST_F(IconsData, The1391EventsAreKeptButForTheMendedDays)
{
    // Days tied to a Gregorian date fall a day later in 1391 (1 Farvardin was
    // 20 March), and Women's Day and Quds Day were missing.
    const QMap<QString, QString> mended = {
        {"910103", "عید نوروز"},
        {"910104", "عید نوروز@روز جهانی هواشناسی"},
        {"910118", ""},
        {"910119", "روز جهانی بهداشت"},
        {"910211", ""},
        {"910212", "روز معلم@روز جهانی کار و کارگر"},
        {"910223", "ولادت حضرت فاطمه زهرا (س)؛ روز زن و روز مادر"},
        {"910527", "روز جهانی قدس"},
        {"910716", ""},
        {"910717", "روز جهانی کودک"},
    };
    const QList<QStringList> before = readData("events-1391-before.tsv");
    ASSERT_EQ(before.size(), 366);
    for (const QStringList& day : before) {
        const RowSet now = rows("SELECT IsHoliday, Description FROM tEvents WHERE Date = " + day[0]);
        ASSERT_EQ(now.size(), 1) << day[0].toStdString();
        EXPECT_EQ(now[0]["IsHoliday"], day[1]) << day[0].toStdString();
        EXPECT_EQ(now[0]["Description"], mended.value(day[0], day.value(2))) << day[0].toStdString();
    }
}

TEST_F(IconsData, HolidaysFollowEachYearsCalendar)
{
    auto holiday = [](const QString& key) { return scalar("SELECT IsHoliday FROM tEvents WHERE Date = " + key); };
    auto events = [](const QString& key) { return scalar("SELECT Description FROM tEvents WHERE Date = " + key); };
    // The official calendar of 1405: its 26 holiday days, no more, no fewer.
    const QStringList official1405 = {"1050101", "1050102", "1050103", "1050104", "1050112", "1050113", "1050125", "1050306", "1050314",
        "1050315", "1050403", "1050404", "1050513", "1050521", "1050522", "1050530", "1050608", "1050822", "1051002", "1051016", "1051104",
        "1051122", "1051209", "1051219", "1051220", "1051229"};
    EXPECT_EQ(rows("SELECT Date FROM tEvents WHERE IsHoliday = 1 AND Date BETWEEN 1050101 AND 1051229").size(), official1405.size());
    for (const QString& key : official1405)
        EXPECT_EQ(holiday(key), "1") << key.toStdString();
    // 14 Khordad 1405 was also 18 Dhu al-Hijja: one holiday, both occasions.
    EXPECT_TRUE(events("1050314").startsWith("رحلت حضرت امام خمینی (ره) رهبر کبیر انقلاب و بنیان‌گذار جمهوری اسلامی ایران؛ عید سعید غدیر خم@"));
    // Eid al-Fitr 1447 on 1 Farvardin 1405, and 1448 on 19 Esfand.
    EXPECT_EQ(events("1050101"), "آغاز نوروز؛ عید سعید فطر");
    EXPECT_TRUE(events("1051219").startsWith("عید سعید فطر"));
    // The official calendar's occasions, not only its holidays.
    EXPECT_TRUE(events("1050916").contains("روز دانشجو"));
    EXPECT_GE(rows("SELECT Date FROM tEvents WHERE Description <> '' AND Date BETWEEN 1050101 AND 1051229").size(), 230);

    // 30 Esfand of the leap years.
    for (const char* key : {"911230", "951230", "991230", "1031230", "1081230"})
        EXPECT_EQ(holiday(key), "1") << key;
    // 8 Rabi I, a holiday from 1396 on (6 Azar 1396), an occasion before.
    EXPECT_TRUE(events("960906").startsWith("شهادت حضرت امام حسن عسکری (ع)"));
    EXPECT_EQ(holiday("960906"), "1");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM tEvents WHERE Date < 960101 AND IsHoliday = 1 AND Description LIKE '%عسکری%'"), "0");
    EXPECT_GT(scalar("SELECT COUNT(*) FROM tEvents WHERE Date BETWEEN 920101 AND 951230 AND Description LIKE '%عسکری%'").toInt(), 0);
    // Ramadan 1447 began on 30 Bahman 1404; its last Friday was 29 Esfand.
    EXPECT_TRUE(events("1041130").contains("آغاز ماه مبارک رمضان"));
    EXPECT_TRUE(events("1041229").contains("روز جهانی قدس"));
    // An occasion the file dates only in some years: 1396 to 1402.
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM tEvents WHERE Description LIKE '%گفت‌وگو و تعامل سازنده%'"), "7");
    // The Gregorian days keep their date: 1 Farvardin 1392 was 21 March.
    EXPECT_TRUE(events("920103").contains("روز جهانی هواشناسی"));
    EXPECT_TRUE(events("1030104").contains("روز جهانی هواشناسی"));
    // Texts short enough for the day page; the whole text kept beside.
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM tEventRules WHERE Description LIKE '%ه‍.ش)%' OR Description LIKE '%ه‍.ق)%'"), "0");
    EXPECT_EQ(scalar("SELECT Note FROM tEventRules WHERE Description = 'قیام خونین ۱۵ خرداد'"), "قیام خونین ۱۵ خرداد (۱۳۴۲ ه‍.ش)");
    for (int year = PersianCalendar::kFirstYear; year <= PersianCalendar::kLastYear; ++year) {
        const int count = scalar(QStringLiteral("SELECT COUNT(*) FROM tEvents WHERE IsHoliday = 1 AND Date / 10000 = %1").arg(year - 1300)).toInt();
        EXPECT_GE(count, 24) << year;
        EXPECT_LE(count, 29) << year;
    }
}

TEST_F(IconsData, TimesOfEveryCentreAndDayAreInOrder)
{
    const int days = static_cast<int>(PersianCalendar::toGregorian(PersianCalendar::firstDataDay())
                                          .daysTo(PersianCalendar::toGregorian(PersianCalendar::lastDataDay())))
        + 2;
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM tTimes"), QString::number(31 * days));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM tTimes t JOIN tStates s ON s.StateID = t.StateID WHERE s.IsCenter <> 1"), "0");
    const RowSet all = rows("SELECT StateID, Date, T1, T2, T3, T4, T5, T6 FROM tTimes");
    for (const Row& r : all) {
        const int t1 = minutes(r["T1"]), t2 = minutes(r["T2"]), t3 = minutes(r["T3"]);
        const int t4 = minutes(r["T4"]), t5 = minutes(r["T5"]), t6 = minutes(r["T6"]);
        ASSERT_TRUE(t1 < t2 && t2 < t3 && t3 < t4 && t4 < t5) << r["StateID"].toStdString() << " " << r["Date"].toStdString();
        // Midnight comes after the evening azan, past 24:00 or not.
        ASSERT_GT((t6 - t5 + 1440) % 1440, 0);
        ASSERT_LT((t6 - t5 + 1440) % 1440, 8 * 60);
        ASSERT_TRUE(r["T1"].contains(QRegularExpression("^\\d{1,2}:\\d\\d$")));
    }
    // Tehran, 1 Farvardin 1391: the method's values in standard time.
    EXPECT_EQ(rows("SELECT T1 || ' ' || T2 || ' ' || T3 || ' ' || T4 || ' ' || T5 || ' ' || T6 AS x FROM tTimes t "
                   "JOIN tStates s ON s.StateID = t.StateID WHERE s.Name = 'تهران' AND s.IsCenter = 1 AND Date = 910101")
                  .value(0)
                  .value("x"),
        "4:44 6:08 12:12 18:16 18:34 23:29");
}

TEST_F(IconsData, The1391TimesMoveOnlyByTheMinuteThatTheShiftMadeLate)
{
    // The old model ran 4.4 s late; a time that now rounds differently is
    // a minute earlier, never later, and nothing else changed.
    const QList<QStringList> before = readData("times-1391-before.tsv");
    ASSERT_EQ(before.size(), 31 * 367);
    const RowSet now = rows("SELECT StateID, Date, T1, T2, T3, T4, T5, T6 FROM tTimes WHERE Date <= 920101 ORDER BY StateID, Date");
    ASSERT_EQ(now.size(), before.size());
    int earlier = 0;
    for (int i = 0; i < before.size(); ++i) {
        ASSERT_EQ(now[i]["StateID"], before[i][0]);
        ASSERT_EQ(now[i]["Date"], before[i][1]);
        for (int k = 1; k <= 6; ++k) {
            const int change = (minutes(now[i][QStringLiteral("T%1").arg(k)]) - minutes(before[i][k + 1]) + 1440) % 1440;
            ASSERT_TRUE(change == 0 || change == 1439) << before[i][0].toStdString() << " " << before[i][1].toStdString() << " T" << k;
            earlier += change == 1439;
        }
    }
    // About one value in twelve sat within 4.4 s above a half minute.
    EXPECT_GT(earlier, 4000);
    EXPECT_LT(earlier, 7000);
}

TEST_F(IconsData, ViewCarriesTheNextDaysDawnAndSunrise)
{
    const int days = static_cast<int>(PersianCalendar::toGregorian(PersianCalendar::firstDataDay())
                                          .daysTo(PersianCalendar::toGregorian(PersianCalendar::lastDataDay())))
        + 1;
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM vTimes"), QString::number(31 * days));
    // Across the ends of years, common and leap, and the last day of the data.
    const QList<QPair<QString, QString>> pairs = {{"911230", "920101"}, {"991230", "1000101"}, {"1031230", "1040101"},
        {"1041229", "1050101"}, {"1070630", "1070631"}, {"1071229", "1080101"}, {"1101229", "1110101"}};
    for (const auto& [day, next] : pairs) {
        const RowSet r = rows("SELECT v.T7, v.T8, n.T1, n.T2 FROM vTimes v JOIN tTimes n ON n.StateID = v.StateID AND n.Date = " + next
            + " WHERE v.Date = " + day + " AND v.StateID = 39");
        ASSERT_EQ(r.size(), 1) << day.toStdString();
        EXPECT_EQ(r[0]["T7"], r[0]["T1"]) << day.toStdString();
        EXPECT_EQ(r[0]["T8"], r[0]["T2"]) << day.toStdString();
    }
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM vTimes WHERE Date = 1031231 OR Date = 1071230"), "0");
    // The day query finds no page for the day after the data.
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM vTimes INNER JOIN tEvents ON tEvents.Date = vTimes.Date WHERE vTimes.Date = '1110101'"), "0");
}

TEST_F(IconsData, UserMadeCitiesGetNewStateIdsAndTheirOffsetsRowSortsLast)
{
    QTemporaryDir scratch;
    foundation::Directories::setDocumentsDirectory(scratch.path());
    MyDB db(QStringLiteral("Icons"));
    ASSERT_TRUE(db.ExecuteNonQuery("INSERT INTO tStates(Name, ParentID, IsCenter) VALUES('x', 8, 0)"));
    EXPECT_EQ(db.ExecuteScaler("SELECT StateID FROM tStates ORDER BY StateID DESC"), "63");
    ASSERT_TRUE(db.ExecuteNonQuery("INSERT INTO tTimes(StateID, Date, T1, T2, T3, T4, T5, T6)VALUES(63, 14000101, 3, 0, -2, 1, 3, -2)"));
    const RowSet r = db.Execute("SELECT StateID, Date, T1 AS '0' FROM tTimes WHERE Date >= '1101228' AND (StateID = 63 OR StateID = 39) "
                                "ORDER by StateID DESC, Date LIMIT 5");
    ASSERT_EQ(r.size(), 4);
    EXPECT_EQ(r[0]["Date"], "14000101");
    EXPECT_EQ(r[0]["0"], "3");
    EXPECT_EQ(r[1]["Date"], "1101228");
    EXPECT_EQ(r[3]["Date"], "1110101");
    // Deleted ids are not handed out again.
    ASSERT_TRUE(db.ExecuteNonQuery("DELETE FROM tStates WHERE StateID = 63"));
    ASSERT_TRUE(db.ExecuteNonQuery("INSERT INTO tStates(Name, ParentID, IsCenter) VALUES('y', 8, 0)"));
    EXPECT_EQ(db.ExecuteScaler("SELECT StateID FROM tStates ORDER BY StateID DESC"), "64");
    foundation::Directories::setDocumentsDirectory(documents->path());
}

TEST(IconsBuild, TheShippedFileStaysSmall)
{
    EXPECT_LE(QFileInfo(QStringLiteral(KELVARO_RESOURCES "/Icons")).size(), 16 * 1024 * 1024);
}

TEST(IconsBuild, IsDeterministic)
{
    QTemporaryDir out;
    const QString a = out.filePath("a"), b = out.filePath("b");
    const QString schema = QStringLiteral(KELVARO_SOURCE_DIR "/store/schema.sql");
    const QString data = QStringLiteral(KELVARO_SOURCE_DIR "/resources/data");
    ASSERT_EQ(buildIcons(schema, data, a), QString());
    ASSERT_EQ(buildIcons(schema, data, b), QString());
    auto digest = [](const QString& path) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    };
    EXPECT_EQ(digest(a), digest(b));
    EXPECT_FALSE(QFile::exists(a + ".part"));
    EXPECT_NE(buildIcons(schema, out.filePath("missing"), out.filePath("c")), QString());
    EXPECT_FALSE(QFile::exists(out.filePath("c")));
}

} // namespace

// Checks the built database "Icons" against the rules of the shipped data.
#include "store/MyDB.h"
#include "tools/icons/IconsBuilder.h"

#include "platform/foundation/Directories.h"

#include <QCryptographicHash>
#include <QFile>
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

TEST_F(IconsData, EventsCoverEveryDayOfTheYearInOrder)
{
    const RowSet all = rows("SELECT Date, Description, IsHoliday FROM tEvents");
    ASSERT_EQ(all.size(), 366);
    const int monthDays[] = {31, 31, 31, 31, 31, 31, 30, 30, 30, 30, 30, 30};
    int i = 0;
    for (int m = 1; m <= 12; ++m) {
        const RowSet month = rows(QString::asprintf("SELECT Description FROM tEvents WHERE Date LIKE '91%02i__'", m));
        EXPECT_EQ(month.size(), monthDays[m - 1]) << m;
        for (int d = 1; d <= monthDays[m - 1]; ++d, ++i)
            ASSERT_EQ(all[i].value("Date"), QString::asprintf("91%02d%02d", m, d));
    }
    EXPECT_EQ(scalar("SELECT IsHoliday FROM tEvents WHERE Date = 910101"), "1");
    EXPECT_EQ(scalar("SELECT IsHoliday FROM tEvents WHERE Date = 911122"), "1");
    EXPECT_EQ(scalar("SELECT IsHoliday FROM tEvents WHERE Date = 910105"), "0");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM tEvents WHERE IsHoliday = 1"), "26");
    EXPECT_EQ(scalar("SELECT Description FROM tEvents WHERE Date = 910905"), "عاشورای حسینی@روز بسیج مستضعفین");
    EXPECT_EQ(scalar("SELECT Description FROM tEvents WHERE Date = 910431"), "آغاز ماه مبارک رمضان");
    EXPECT_EQ(scalar("SELECT Description FROM tEvents WHERE Date = 910104"), "عید نوروز");
}

TEST_F(IconsData, TimesOfEveryCentreAndDayAreInOrder)
{
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM tTimes"), QString::number(31 * 367));
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

TEST_F(IconsData, ViewCarriesTheNextDaysDawnAndSunrise)
{
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM vTimes"), QString::number(31 * 366));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM vTimes v JOIN tTimes n ON n.StateID = v.StateID "
                     "AND n.Date = (SELECT MIN(Date) FROM tTimes x WHERE x.StateID = v.StateID AND x.Date > v.Date) "
                     "WHERE n.T1 = v.T7 AND n.T2 = v.T8"),
        QString::number(31 * 366));
    // The last day of the year shows 1 Farvardin 1392.
    const RowSet last = rows("SELECT v.T7, v.T8, n.T1, n.T2 FROM vTimes v JOIN tTimes n ON n.StateID = v.StateID "
                             "AND n.Date = 920101 WHERE v.Date = 911230 AND v.StateID = 39");
    ASSERT_EQ(last.size(), 1);
    EXPECT_EQ(last[0]["T7"], last[0]["T1"]);
    EXPECT_EQ(last[0]["T8"], last[0]["T2"]);
    // The day query finds no page for the extra day.
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM vTimes INNER JOIN tEvents ON tEvents.Date = vTimes.Date WHERE vTimes.Date = '920101'"), "0");
}

TEST_F(IconsData, UserMadeCitiesGetNewStateIdsAndTheirOffsetsRowSortsLast)
{
    QTemporaryDir scratch;
    foundation::Directories::setDocumentsDirectory(scratch.path());
    MyDB db(QStringLiteral("Icons"));
    ASSERT_TRUE(db.ExecuteNonQuery("INSERT INTO tStates(Name, ParentID, IsCenter) VALUES('x', 8, 0)"));
    EXPECT_EQ(db.ExecuteScaler("SELECT StateID FROM tStates ORDER BY StateID DESC"), "63");
    ASSERT_TRUE(db.ExecuteNonQuery("INSERT INTO tTimes(StateID, Date, T1, T2, T3, T4, T5, T6)VALUES(63, 14000101, 3, 0, -2, 1, 3, -2)"));
    const RowSet r = db.Execute("SELECT StateID, Date, T1 AS '0' FROM tTimes WHERE Date >= '911230' AND (StateID = 63 OR StateID = 39) "
                                "ORDER by StateID DESC, Date LIMIT 5");
    ASSERT_EQ(r.size(), 3);
    EXPECT_EQ(r[0]["Date"], "14000101");
    EXPECT_EQ(r[0]["0"], "3");
    EXPECT_EQ(r[1]["Date"], "911230");
    EXPECT_EQ(r[2]["Date"], "920101");
    // Deleted ids are not handed out again.
    ASSERT_TRUE(db.ExecuteNonQuery("DELETE FROM tStates WHERE StateID = 63"));
    ASSERT_TRUE(db.ExecuteNonQuery("INSERT INTO tStates(Name, ParentID, IsCenter) VALUES('y', 8, 0)"));
    EXPECT_EQ(db.ExecuteScaler("SELECT StateID FROM tStates ORDER BY StateID DESC"), "64");
    foundation::Directories::setDocumentsDirectory(documents->path());
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

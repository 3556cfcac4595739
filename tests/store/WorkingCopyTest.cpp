// The user's copy of the database: made, checked, repaired and brought up
// to date, with the user's own rows carried over every time.
#include "store/WorkingCopy.h"

#include "platform/foundation/Directories.h"
#include "store/Cities.h"
#include "store/MyDB.h"
#include "store/Settings.h"
#include "store/Reminders.h"
#include "store/Silence.h"
#include "store/Days.h"
#include "calendar/DateKey.h"
#include "tests/support/Sandbox.h"

#include <QDir>
#include <QTimeZone>
#include <QFile>

#include <algorithm>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

const QString kShipped = QStringLiteral(KELVARO_RESOURCES "/Icons");

QByteArray read(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// One statement on its own connection: what another program would do.
QString sql(const QString& path, const QString& statement)
{
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_stmt* s = nullptr;
    QString value;
    if (sqlite3_prepare_v2(db, statement.toUtf8().constData(), -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW)
        value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
    sqlite3_finalize(s);
    sqlite3_close(db);
    return value;
}

class WorkingCopyTest : public ::testing::Test {
protected:

    // A copy with the user's own rows: three chosen cities (one made by the
    // user), and settings of their own.
    void useTheApp()
    {
        MyDB::initialize();
        ASSERT_TRUE(cities::choose(39));
        ASSERT_TRUE(cities::choose(42));
        ASSERT_TRUE(cities::create(QStringLiteral("شهرک من"), 8, {3, 0, -2, 1, 3, -2}));
        ASSERT_TRUE(cities::reorder({42, 63, 39}));
        ASSERT_TRUE(Settings::saveRecording(5));
        MyDB::resetShared();
    }
    QString chosen() const { return sql(copy(), "SELECT group_concat(StateID || ':' || Ordering, ' ') FROM (SELECT * FROM tSelectedStates ORDER BY Ordering)"); }
    QStringList asideFiles() const { return documents.entryList({"Icons.damaged-*"}, QDir::Files); }
    QString copy() const { return documents.filePath("Icons"); }

    Sandbox box;
    QDir documents{foundation::Directories::documentsDirectory()};
};

TEST_F(WorkingCopyTest, TheFirstStartCopiesTheShippedFileWhole)
{
    EXPECT_EQ(WorkingCopy::check(copy(), kShipped), WorkingCopy::State::Missing);
    EXPECT_FALSE(WorkingCopy::prepare(copy(), kShipped).notice);
    EXPECT_EQ(read(copy()), read(kShipped));
    EXPECT_EQ(WorkingCopy::check(copy(), kShipped), WorkingCopy::State::Whole);
    EXPECT_EQ(WorkingCopy::dataVersion(copy()), WorkingCopy::dataVersion(kShipped));
    EXPECT_GE(WorkingCopy::dataVersion(kShipped), 1);
}

struct Damage {
    const char* name;
    std::function<void(const QString& path)> apply;
    bool rowsSurvive;
};

class DamagedCopy : public WorkingCopyTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedCopy, IsKeptAsideAndTheReadableRowsGoIntoAFreshCopy)
{
    useTheApp();
    GetParam().apply(copy());
    const QByteArray damaged = read(copy());
    EXPECT_EQ(WorkingCopy::check(copy(), kShipped), WorkingCopy::State::Damaged);

    const QString notice = MyDB::initialize()->takeNotice().value_or(WorkingCopy::Notice{}).text;
    EXPECT_FALSE(notice.isEmpty());
    EXPECT_FALSE(MyDB::initialize()->takeNotice()) << "told once";
    // Nothing is deleted: the damaged file lies beside the new copy.
    ASSERT_EQ(asideFiles().size(), 1);
    EXPECT_EQ(read(documents.filePath(asideFiles()[0])), damaged);
    EXPECT_TRUE(notice.contains(asideFiles()[0]));
    EXPECT_EQ(WorkingCopy::check(copy(), kShipped), WorkingCopy::State::Whole);
    EXPECT_EQ(MyDB::initialize()->ExecuteScaler("SELECT COUNT(*) FROM tEvents"), sql(kShipped, "SELECT COUNT(*) FROM tEvents"));
    if (GetParam().rowsSurvive) {
        EXPECT_EQ(chosen(), "42:0 63:1 39:2");
        EXPECT_EQ(sql(copy(), "SELECT Name || ' ' || T1 || ' ' || T5 FROM tStates JOIN tTimes USING (StateID) WHERE StateID = 63"), "شهرک من 3 3");
        EXPECT_EQ(Settings::load()->recording, 5);
        EXPECT_TRUE(notice.contains("3 شهر انتخاب‌شده")) << notice.toStdString();
        // The user's own city, once.
        EXPECT_TRUE(notice.contains("1 شهری که خودتان ساخته بودید")) << notice.toStdString();
    }
    // The repaired copy is used as any other.
    EXPECT_TRUE(cities::choose(32));
    MyDB::resetShared();
    EXPECT_FALSE(MyDB::initialize()->takeNotice());
    EXPECT_EQ(asideFiles().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DamagedCopy,
    ::testing::Values(
        Damage{"empty", [](const QString& p) { write(p, {}); }, false},
        Damage{"truncated", [](const QString& p) { write(p, read(p).left(3 * 4096)); }, false},
        Damage{"overwritten", [](const QString& p) { write(p, QByteArray(64 * 1024, 'x')); }, false},
        // A page of the times in the middle of the file, overwritten.
        Damage{"random bytes in the middle",
            [](const QString& p) {
                QByteArray bytes = read(p);
                const qsizetype page = (bytes.size() / 2) / 4096 * 4096;
                for (qsizetype i = 0; i < 4096; ++i)
                    bytes[page + i] = static_cast<char>((i * 7919 + 13) % 251);
                write(p, bytes);
            },
            true},
        Damage{"a table missing", [](const QString& p) { sql(p, "DROP TABLE tEvents"); }, true},
        Damage{"a column missing", [](const QString& p) { sql(p, "ALTER TABLE tEvents DROP COLUMN IsHoliday"); }, true}),
    [](const ::testing::TestParamInfo<Damage>& param) {
        QString name = QString::fromLatin1(param.param.name);
        name.replace(' ', '_');
        return name.toStdString();
    });

TEST_F(WorkingCopyTest, TheCopyOfTheLastReleaseIsBroughtUpToDateWithTheUsersRows)
{
    // A copy as the release before this one leaves it: 1391 only, data
    // version 0, three chosen cities, a city of the user's own (and one
    // deleted), settings of their own.
    const QByteArray release = qUncompress(read(QStringLiteral(KELVARO_SOURCE_DIR "/tests/data/icons-release-1.5.qz")));
    ASSERT_FALSE(release.isEmpty());
    write(copy(), release);
    ASSERT_EQ(WorkingCopy::dataVersion(copy()), 0);
    EXPECT_EQ(WorkingCopy::check(copy(), kShipped), WorkingCopy::State::Outdated);

    EXPECT_FALSE(MyDB::initialize()->takeNotice());
    EXPECT_EQ(WorkingCopy::dataVersion(copy()), WorkingCopy::dataVersion(kShipped));
    EXPECT_EQ(chosen(), "39:0 64:1 42:2");
    EXPECT_EQ(sql(copy(), "SELECT Name || '/' || ParentID || '/' || IsCenter FROM tStates WHERE StateID = 64"), "شهرک من/8/0");
    EXPECT_EQ(sql(copy(), "SELECT group_concat(T1 || T2 || T3 || T4 || T5 || T6) FROM tTimes WHERE StateID = 64"), "30-213-2");
    EXPECT_EQ(sql(copy(), "SELECT Item0 || Item1 || Item2 || ' ' || Item3 || ' ' || Item4 || ' ' || Item5 || ' ' || Item6 || ' ' || Item7 FROM tSetting"),
        "101 15 0 30 4 21:05");
    // The new data is there, and a new city does not reuse a deleted one's id.
    EXPECT_EQ(sql(copy(), "SELECT COUNT(*) FROM vTimes WHERE Date = 1050916"), "31");
    ASSERT_TRUE(cities::create(QStringLiteral("تازه"), 8, {0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(sql(copy(), "SELECT MAX(StateID) FROM tStates"), "65");
    EXPECT_TRUE(asideFiles().isEmpty());
    EXPECT_FALSE(QFile::exists(copy() + ".new"));
    // What that release did not know is as a new user has it.
    const Settings s = *Settings::load();
    EXPECT_EQ(s.azanRecording, (std::array<std::optional<int>, 3>{}));
    EXPECT_EQ(s.volume, (std::array<int, 3>{100, 100, 100}));
    EXPECT_FALSE(s.rises);
    EXPECT_EQ(Silence::load(), Silence{});
}

TEST_F(WorkingCopyTest, TheAzansOwnSoundsAndTheirSilenceAreKeptThroughARepair)
{
    useTheApp();
    MyDB::initialize();
    Settings s = *Settings::load();
    s.azanRecording = {3, std::nullopt, 7};
    s.volume = {30, 100, 55};
    s.rises = true;
    ASSERT_TRUE(Settings::saveAzanSound(s));
    const QTimeZone tehran("Asia/Tehran");
    Silence silence{QDateTime(QDate(2026, 12, 8), QTime(12, 1), tehran), QDateTime(QDate(2026, 12, 9), QTime(5, 20), tehran)};
    ASSERT_TRUE(Silence::save(silence));
    // The one for all left as it was; the defaults are stored as no row.
    EXPECT_EQ(sql(copy(), "SELECT group_concat(Key || '=' || Value, ' ') FROM (SELECT * FROM tPreferences WHERE Key LIKE 'Azan%' ORDER BY Key)"),
        "AzanRecording:0=3 AzanRecording:2=7 AzanRises=1 AzanVolume:0=30 AzanVolume:2=55");
    MyDB::resetShared();

    // Damaged and repaired: the user's rows go into the fresh copy.
    sql(copy(), "DROP TABLE tEvents");
    EXPECT_TRUE(MyDB::initialize()->takeNotice());
    EXPECT_EQ(*Settings::load(), s);
    EXPECT_EQ(Silence::load(), silence);

    // Values no screen could write read as the defaults, said in the log.
    sql(copy(), "UPDATE tPreferences SET Value = '250' WHERE Key = 'AzanVolume:0'");
    sql(copy(), "UPDATE tPreferences SET Value = 'x' WHERE Key = 'AzanRecording:2'");
    sql(copy(), "UPDATE tPreferences SET Value = 'tomorrow' WHERE Key = 'Silence:Until'");
    const Settings damaged = *Settings::load();
    EXPECT_EQ(damaged.volume[0], 100);
    EXPECT_EQ(damaged.azanRecording[2], std::nullopt);
    EXPECT_EQ(damaged.azanRecording[0], 3);
    EXPECT_EQ(Silence::load().until, std::nullopt);
    EXPECT_EQ(Silence::load().skip, silence.skip);
}

TEST_F(WorkingCopyTest, ACopyLeftAsItWasIsNotReadAgainButAnyChangeToItIs)
{
    useTheApp();
    EXPECT_FALSE(WorkingCopy::prepare(copy(), kShipped).notice);
    // Bytes changed in place, the size kept and the time of the last change
    // set back, as a program that meant to hide it would.
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(copy()).constData(), &before), 0);
    QByteArray bytes = read(copy());
    const qsizetype page = (bytes.size() / 2) / 4096 * 4096;
    for (qsizetype i = 0; i < 4096; ++i)
        bytes[page + i] = 'x';
    write(copy(), bytes);
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(copy()).constData(), times, 0), 0);
    EXPECT_TRUE(WorkingCopy::prepare(copy(), kShipped).notice) << "the damage is found and told";
    EXPECT_EQ(asideFiles().size(), 1);
    EXPECT_EQ(chosen(), "42:0 63:1 39:2");
}

TEST_F(WorkingCopyTest, AnEmptySettingsTableGetsTheShippedRowBack)
{
    MyDB::initialize();
    MyDB::resetShared();
    sql(copy(), "DELETE FROM tSetting");
    MyDB::initialize();
    EXPECT_EQ(sql(copy(), "SELECT COUNT(*) FROM tSetting"), "1");
    EXPECT_EQ(*Settings::load(), Settings::defaults());
    // And the shipped row is the one the app calls its defaults.
    EXPECT_EQ(sql(kShipped, "SELECT Item0 || Item1 || Item2 || Item3 || Item4 || Item5 || Item6 || '/' || Item7 FROM tSetting"), "1110000/0");

    // Emptied while the app runs: a save puts the row back rather than
    // changing no row and calling it saved.
    sql(copy(), "DELETE FROM tSetting");
    EXPECT_TRUE(Settings::saveRecording(3));
    EXPECT_EQ(sql(copy(), "SELECT COUNT(*) || ' ' || Item6 || ' ' || Item0 FROM tSetting"), "1 3 1");
}

TEST_F(WorkingCopyTest, ALockedCopyIsNotTakenForADamagedOne)
{
    MyDB::initialize();
    MyDB::resetShared();
    WorkingCopy::forget(copy());
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(copy().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE; UPDATE tSetting SET Item6 = 2", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_FALSE(WorkingCopy::prepare(copy(), kShipped).notice);
    EXPECT_TRUE(asideFiles().isEmpty());
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(WorkingCopy::check(copy(), kShipped), WorkingCopy::State::Whole);
}

TEST_F(WorkingCopyTest, ValuesNoScreenCouldWriteReadAsTheDefaults)
{
    MyDB::initialize();
    sql(copy(), "UPDATE tSetting SET Item0 = 'x', Item2 = 7, Item3 = -30, Item4 = 61, Item5 = 7, Item6 = 42, Item7 = 'soon'");
    Settings s = *Settings::load();
    // Not a number, or out of range: the shipped value, said in the log.
    EXPECT_EQ(s.alarms, (std::array<int, 6>{1, 1, 7, 0, 0, 7}));
    EXPECT_EQ(s.recording, 0);
    EXPECT_FALSE(s.eventsTime.has_value());
    for (const char* column : {"Item0", "Item3", "Item4", "Item6", "Item7"})
        EXPECT_TRUE(std::any_of(box.log.begin(), box.log.end(), [column](const QString& line) {
            return line.startsWith(QStringLiteral("the setting %1 holds").arg(QLatin1String(column)));
        })) << column;
    // A damaged flag of an azan is on, as the shipped row has it: a text,
    // an empty one, NULL.
    for (const char* value : {"'yes'", "''", "NULL"}) {
        sql(copy(), (QByteArray("UPDATE tSetting SET Item0 = ") + value).constData());
        EXPECT_EQ(Settings::load()->alarms[0], 1) << value;
    }
    // A time with leading zeros missing is still the time.
    sql(copy(), "UPDATE tSetting SET Item6 = 7, Item7 = '8:0'");
    s = *Settings::load();
    EXPECT_EQ(s.recording, 7);
    EXPECT_EQ(s.eventsTime, (ClockTime{8, 0}));
}

TEST_F(WorkingCopyTest, TheUsersRemindersAreKeptThroughARepairAndABadOneIsLeftOut)
{
    useTheApp();
    MyDB::initialize();
    reminders::TimeReminder before{0, reminders::DayTime::Noon, -20, {Qt::Friday}, false};
    reminders::TimeReminder after{0, reminders::DayTime::Evening, 15, {}, true};
    reminders::DateReminder birthday;
    birthday.repeat = reminders::DateReminder::Repeat::YearlyPersian;
    birthday.month = 7;
    birthday.day = 14;
    birthday.text = QStringLiteral("تولد \"مریم\" %1 \u200f🎂");
    birthday.time = {9, 5};
    ASSERT_TRUE(reminders::save(before));
    ASSERT_TRUE(reminders::save(after));
    ASSERT_TRUE(reminders::save(birthday));
    EXPECT_EQ(before.id, 1);
    EXPECT_EQ(after.id, 2);
    EXPECT_EQ(birthday.id, 1);
    MyDB::resetShared();

    sql(copy(), "DROP TABLE tEvents");
    EXPECT_TRUE(MyDB::initialize()->takeNotice());
    EXPECT_EQ(*reminders::timeReminders(), (QList<reminders::TimeReminder>{before, after}));
    EXPECT_EQ(*reminders::dateReminders(), QList<reminders::DateReminder>{birthday});
    // On the calendar as the user's own, with the day's other events.
    const QList<days::DayEvents> month = days::events(DateKey::make({1405, 7, 1}), DateKey::make({1405, 7, 30})).value();
    ASSERT_EQ(month.size(), 30);
    const auto own = [](const days::DayEvents& d) { return std::any_of(d.events.begin(), d.events.end(), [](const auto& e) { return e.own; }); };
    EXPECT_TRUE(own(month[13]));
    EXPECT_EQ(month[13].events.last().reminderId, birthday.id);
    EXPECT_TRUE(month[13].description.contains(birthday.text));
    EXPECT_FALSE(own(month[12]));

    // Changed, removed, and one no screen could write.
    after.minutes = -120;
    ASSERT_TRUE(reminders::save(after));
    ASSERT_TRUE(reminders::removeTimeReminder(before.id));
    sql(copy(), "INSERT INTO tPreferences VALUES('Reminder:9', '{\"time\":2,\"minutes\":500,\"weekdays\":[]}'), ('DateReminder:x', '{}')");
    EXPECT_EQ(*reminders::timeReminders(), QList<reminders::TimeReminder>{after});
    EXPECT_EQ(reminders::dateReminders()->size(), 1);
    EXPECT_TRUE(std::any_of(box.log.begin(), box.log.end(), [](const QString& l) { return l.startsWith("the reminder Reminder:9 cannot be read"); }));
    // A new one after the bad one's number.
    reminders::TimeReminder next;
    ASSERT_TRUE(reminders::save(next));
    EXPECT_EQ(next.id, 10);
}

} // namespace

// What a crash, a full disk or a read-only sandbox does to the user's data:
// the app is killed at many points of its first start, of a save and of an
// update, and runs with its files read-only and its disk full.
#include "store/Cities.h"
#include "store/Days.h"
#include "store/MyDB.h"
#include "store/Settings.h"
#include "store/WorkingCopy.h"

#include "platform/foundation/Directories.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/Log.h"
#include "platform/notifications/NotificationCenter.h"
#include "tests/support/Sandbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString kShipped = QStringLiteral(KELVARO_RESOURCES "/Icons");
constexpr uid_t kNobody = 65534;

QByteArray read(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

QString sql(const QString& path, const char* statement)
{
    sqlite3* db = nullptr;
    // Read-write, as the app opens it: a change a crash left half done is
    // rolled back first.
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* s = nullptr;
    QString value;
    if (sqlite3_prepare_v2(db, statement, -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW)
        value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
    sqlite3_finalize(s);
    sqlite3_close(db);
    return value;
}

struct Child {
    // Kill it with SIGKILL this many microseconds after it starts (or, with
    // `afterReady`, after it calls ready()).
    int killAfterUs = -1;
    bool afterReady = false;
    // Run it as a user who owns none of the files (when the tests run as root).
    bool unprivileged = false;
    // No file may grow past this many bytes.
    qint64 fileLimit = -1;
};

// The child's way to say that it has come to the part worth killing.
int readyPipe[2] = {-1, -1};
void ready()
{
    const char byte = 1;
    if (::write(readyPipe[1], &byte, 1) != 1)
        _exit(91);
}

// Runs `body` in a child process; its exit status, or 128 + the signal that
// ended it.
int run(const Child& how, const std::function<int()>& body)
{
    // No connection may cross the fork.
    MyDB::resetShared();
    if (pipe(readyPipe) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        foundation::Log::setSink({});
        if (how.unprivileged && geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0))
            _exit(90);
        if (how.fileLimit >= 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{static_cast<rlim_t>(how.fileLimit), static_cast<rlim_t>(how.fileLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        const int status = body();
        MyDB::resetShared();
        _exit(status);
    }
    if (how.afterReady) {
        char byte = 0;
        if (::read(readyPipe[0], &byte, 1) != 1)
            return -1;
    }
    ::close(readyPipe[0]);
    ::close(readyPipe[1]);
    if (how.killAfterUs >= 0) {
        usleep(static_cast<useconds_t>(how.killAfterUs));
        kill(pid, SIGKILL);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

const int kKillPoints[] = {0, 300, 1000, 2500, 5000, 10000, 20000, 40000};

class FaultTest : public ::testing::Test {
protected:
    void TearDown() override { QFile::setPermissions(documents.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); }
    QString copy() const { return documents.filePath("Icons"); }
    // Each user-made city is there with all its rows, or not at all.
    void expectCitiesWhole() const
    {
        EXPECT_EQ(sql(copy(), "PRAGMA quick_check"), "ok");
        // Offsets or coordinates, and a place in the list.
        EXPECT_EQ(sql(copy(), "SELECT COUNT(*) FROM tStates s WHERE StateID > 62 AND ((NOT EXISTS (SELECT 1 FROM tTimes t "
                              "WHERE t.StateID = s.StateID AND Date = 14000101) AND NOT EXISTS (SELECT 1 FROM tCoordinates k WHERE k.StateID = s.StateID)) "
                              "OR NOT EXISTS (SELECT 1 FROM tSelectedStates c WHERE c.StateID = s.StateID))"),
            "0");
        EXPECT_EQ(sql(copy(), "SELECT COUNT(*) FROM tTimes t WHERE StateID > 62 AND NOT EXISTS (SELECT 1 FROM tStates s WHERE s.StateID = t.StateID)"), "0");
        EXPECT_EQ(sql(copy(), "SELECT COUNT(*) FROM tCoordinates k WHERE NOT EXISTS (SELECT 1 FROM tStates s WHERE s.StateID = k.StateID)"), "0");
    }
    void letEveryoneIn() const
    {
        const auto all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        QFile::setPermissions(box.home(), all);
        QFile::setPermissions(documents.path(), all);
    }

    Sandbox box;
    QDir documents{foundation::Directories::documentsDirectory()};
};

TEST_F(FaultTest, KilledDuringTheFirstStartTheCopyIsMissingOrWhole)
{
    for (int us : kKillPoints) {
        QFile::remove(copy());
        run({us}, [] {
            MyDB::initialize();
            return 0;
        });
        if (QFile::exists(copy())) {
            ASSERT_EQ(read(copy()), read(kShipped)) << "killed after " << us << " us";
        }
        // The next start finds a whole copy either way.
        MyDB::resetShared();
        ASSERT_EQ(MyDB::initialize()->ExecuteScaler("SELECT COUNT(*) FROM tSetting"), "1");
        ASSERT_EQ(WorkingCopy::check(copy(), kShipped), WorkingCopy::State::Whole);
    }
}

TEST_F(FaultTest, KilledDuringSavesEachCityIsWholeOrAbsent)
{
    MyDB::initialize();
    for (int us : kKillPoints) {
        run({.killAfterUs = us, .afterReady = true}, [] {
            for (int i = 0; i < 400; ++i) {
                cities::create(QStringLiteral("شهر %1").arg(i), 8, {1, 2, 3, 4, 5, 6});
                if (i == 0)
                    ready();
            }
            return 0;
        });
        expectCitiesWhole();
        MyDB::resetShared();
        ASSERT_EQ(WorkingCopy::check(copy(), kShipped), WorkingCopy::State::Whole) << "killed after " << us << " us";
    }
    EXPECT_NE(sql(copy(), "SELECT COUNT(*) FROM tStates WHERE StateID > 62"), "0");
}

TEST_F(FaultTest, KilledWhileChoosingPlacesEachIsWholeOrAbsent)
{
    MyDB::initialize();
    for (int us : kKillPoints) {
        run({.killAfterUs = us, .afterReady = true}, [] {
            for (int place = 2; place < 400; ++place) {
                cities::choosePlace(place);
                if (place == 2)
                    ready();
            }
            return 0;
        });
        expectCitiesWhole();
        MyDB::resetShared();
        ASSERT_EQ(WorkingCopy::check(copy(), kShipped), WorkingCopy::State::Whole) << "killed after " << us << " us";
    }
    EXPECT_NE(sql(copy(), "SELECT COUNT(*) FROM tCoordinates"), "0");
}

TEST_F(FaultTest, AChosenPlaceComesThroughAnUpdateAndARepair)
{
    MyDB::initialize();
    ASSERT_TRUE(cities::choose(39));
    ASSERT_TRUE(cities::choosePlace(sql(copy(), "SELECT PlaceID FROM tPlaces WHERE Name = 'کاشان'").toInt()));
    ASSERT_TRUE(cities::createAt(QStringLiteral("نقطه"), 27, 25.31, 60.62));
    const std::optional<QList<days::Times>> before = days::cityTimes(64, 1050917, 5);
    ASSERT_EQ(before.value().size(), 5);
    MyDB::resetShared();
    const QString places = "SELECT group_concat(s.StateID || ' ' || s.Name || ' ' || k.Latitude || ' ' || k.Longitude || ' ' || c.Ordering, '; ') "
                           "FROM tStates s JOIN tCoordinates k USING (StateID) JOIN tSelectedStates c USING (StateID) ORDER BY s.StateID";
    const QString kept = sql(copy(), places.toUtf8().constData());
    ASSERT_FALSE(kept.isEmpty());
    // An older data version: the copy is rebuilt with the user's rows.
    sql(copy(), "PRAGMA user_version = 1");
    MyDB::initialize();
    EXPECT_EQ(WorkingCopy::dataVersion(copy()), WorkingCopy::dataVersion(kShipped));
    EXPECT_EQ(sql(copy(), places.toUtf8().constData()), kept);
    EXPECT_EQ(days::cityTimes(64, 1050917, 5), before);
    MyDB::resetShared();
    // Damaged: kept aside, and the places are in the fresh copy.
    sql(copy(), "DROP TABLE tEvents");
    const std::optional<WorkingCopy::Notice> notice = MyDB::initialize()->takeNotice();
    ASSERT_TRUE(notice.has_value());
    EXPECT_EQ(sql(copy(), places.toUtf8().constData()), kept);
    // One city made by the user (the point), one place chosen from the list.
    EXPECT_TRUE(notice->text.contains("1 شهری که خودتان ساخته بودید")) << notice->text.toStdString();
    EXPECT_EQ(days::cityTimes(64, 1050917, 5), before);
}

TEST_F(FaultTest, AChangeACrashLeftHalfWrittenIsRolledBackNotTakenForDamage)
{
    MyDB::initialize();
    ASSERT_TRUE(cities::choose(39));
    const QString before = sql(copy(), "SELECT COUNT(*) FROM tTimes");
    // A change large enough to reach the file before it commits, then the end.
    run({}, [this] {
        sqlite3* db = nullptr;
        sqlite3_open(copy().toUtf8().constData(), &db);
        sqlite3_exec(db, "PRAGMA cache_size = 10; BEGIN; UPDATE tTimes SET T6 = T6 || ' '; DELETE FROM tSelectedStates;", nullptr, nullptr, nullptr);
        kill(getpid(), SIGKILL);
        return 1;
    });
    ASSERT_TRUE(QFile::exists(copy() + "-journal"));
    EXPECT_EQ(WorkingCopy::check(copy(), kShipped), WorkingCopy::State::Whole);
    MyDB::initialize();
    EXPECT_TRUE(documents.entryList({"Icons.damaged-*"}, QDir::Files).isEmpty());
    EXPECT_EQ(sql(copy(), "SELECT COUNT(*) FROM tTimes WHERE T6 LIKE '% '"), "0");
    EXPECT_EQ(sql(copy(), "SELECT group_concat(StateID) FROM tSelectedStates"), "39");
    EXPECT_EQ(sql(copy(), "SELECT COUNT(*) FROM tTimes"), before);
}

TEST_F(FaultTest, KilledDuringAnUpdateTheOldCopyOrTheNewOneIsThere)
{
    const QByteArray release = qUncompress(read(QStringLiteral(KELVARO_SOURCE_DIR "/tests/data/icons-release-1.5.qz")));
    int sawOld = 0;
    int sawNew = 0;
    for (int us : {0, 2000, 5000, 10000, 15000, 20000, 30000, 45000, 70000, 100000}) {
        QFile f(copy());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(release);
        f.close();
        run({us}, [] {
            MyDB::initialize();
            return 0;
        });
        const int version = WorkingCopy::dataVersion(copy());
        if (version == 0) {
            ++sawOld;
            ASSERT_EQ(read(copy()), release) << "killed after " << us << " us";
        } else {
            ++sawNew;
            ASSERT_EQ(version, WorkingCopy::dataVersion(kShipped));
            ASSERT_EQ(sql(copy(), "PRAGMA quick_check"), "ok");
            ASSERT_EQ(sql(copy(), "SELECT group_concat(StateID) FROM (SELECT StateID FROM tSelectedStates ORDER BY Ordering)"), "39,64,42");
        }
        // Whatever is left, the next start ends up with the new copy and the rows.
        MyDB::resetShared();
        MyDB::initialize();
        ASSERT_EQ(sql(copy(), "SELECT group_concat(StateID) FROM (SELECT StateID FROM tSelectedStates ORDER BY Ordering)"), "39,64,42");
        ASSERT_EQ(sql(copy(), "SELECT Item6 FROM tSetting"), "4");
    }
    EXPECT_GT(sawOld, 0);
    EXPECT_GT(sawNew, 0);
}

TEST_F(FaultTest, AReadOnlyCopyOrFolderRefusesSavesAndSaysSo)
{
    MyDB::initialize();
    MyDB::resetShared();
    letEveryoneIn();
    const QByteArray before = read(copy());
    auto everySaveFails = [] {
        MyDB::initialize();
        const bool any = Settings::saveRecording(3) || cities::choose(39) || cities::create(QStringLiteral("x"), 8, {})
            || Settings::saveAlarms({0, 0, 0, 0, 0, 0});
        return any ? 1 : 0;
    };
    // The file read-only.
    QFile::setPermissions(copy(), QFile::ReadOwner | QFile::ReadOther);
    EXPECT_EQ(run({.unprivileged = true}, everySaveFails), 0);
    EXPECT_EQ(read(copy()), before);
    // The folder read-only: no journal can be made beside the copy.
    QFile::setPermissions(copy(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther);
    QFile::setPermissions(documents.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    EXPECT_EQ(run({.unprivileged = true}, everySaveFails), 0);
    EXPECT_EQ(read(copy()), before);
}

TEST_F(FaultTest, AFullDiskRefusesTheSaveThatNeedsRoomAndKeepsTheCopyWhole)
{
    MyDB::initialize();
    MyDB::resetShared();
    const qint64 size = QFileInfo(copy()).size();
    // The copy may not grow: sooner or later a new city needs a new page.
    const int status = run({.fileLimit = size}, [] {
        for (int i = 0; i < 2000; ++i)
            if (!cities::create(QStringLiteral("شهری با نامی بلند برای پر کردن صفحه %1").arg(i), 8, {1, 2, 3, 4, 5, 6}))
                return 0;
        return 1;
    });
    EXPECT_EQ(status, 0) << "every save claimed to have been stored";
    EXPECT_EQ(QFileInfo(copy()).size(), size);
    expectCitiesWhole();
}

// Runs `body` in a child that may not take more than `seconds` (a start
// that waits on a pipe never ends); its status, 128 + SIGALRM when it hung.
int within(int seconds, const std::function<int()>& body)
{
    return run({}, [seconds, &body] {
        alarm(static_cast<unsigned>(seconds));
        return body();
    });
}

TEST_F(FaultTest, APipeWhereTheDatabaseBelongsIsKeptAsideNotWaitedOn)
{
    ASSERT_EQ(mkfifo(QFile::encodeName(copy()).constData(), 0600), 0);
    EXPECT_EQ(within(20, [] {
        MyDB::initialize();
        return MyDB::initialize()->ExecuteScaler("SELECT COUNT(*) FROM tSetting") == QStringLiteral("1") ? 0 : 1;
    }),
        0);
    EXPECT_EQ(foundation::Files::kind(copy()), foundation::Files::Kind::Regular);
    EXPECT_EQ(WorkingCopy::check(copy(), kShipped), WorkingCopy::State::Whole);
    const QStringList aside = documents.entryList({"Icons.damaged-*"}, QDir::AllEntries | QDir::System);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(foundation::Files::kind(documents.filePath(aside[0])), foundation::Files::Kind::Pipe);
    // The check itself never opens one either.
    QFile::remove(copy());
    ASSERT_EQ(mkfifo(QFile::encodeName(copy()).constData(), 0600), 0);
    EXPECT_EQ(within(20, [this] { return WorkingCopy::check(copy(), kShipped) == WorkingCopy::State::Damaged ? 0 : 1; }), 0);
}

TEST_F(FaultTest, APipeWhereThePendingListBelongsReadsAsNoneAndBecomesAFile)
{
    const QString list = QDir(box.home()).filePath("Library/pending.json");
    QDir().mkpath(QFileInfo(list).absolutePath());
    ASSERT_EQ(mkfifo(QFile::encodeName(list).constData(), 0600), 0);
    EXPECT_EQ(within(20, [&list] {
        notifications::NotificationCenter center;
        center.setStorePath(list);
        if (!center.scheduledLocalNotifications().isEmpty())
            return 1;
        center.scheduleLocalNotification({QDateTime(QDate(2030, 1, 1), QTime(5, 0)), QStringLiteral("x"), {}, {}, {}});
        return 0;
    }),
        0);
    EXPECT_EQ(foundation::Files::kind(list), foundation::Files::Kind::Regular);
    EXPECT_TRUE(read(list).contains("2030-01-01"));
}

TEST_F(FaultTest, ALinkWhereTheDatabaseBelongsIsReplacedByAFileAndItsTargetLeftAlone)
{
    // The user's copy, moved elsewhere and linked to from the documents.
    MyDB::initialize();
    ASSERT_TRUE(cities::choose(42));
    MyDB::resetShared();
    const QString elsewhere = QDir(box.home()).filePath("elsewhere.db");
    ASSERT_TRUE(QFile::rename(copy(), elsewhere));
    ASSERT_TRUE(QFile::link(elsewhere, copy()));
    const QByteArray target = read(elsewhere);

    MyDB* db = MyDB::initialize();
    ASSERT_TRUE(db->takeNotice().has_value());
    EXPECT_TRUE(cities::choose(39));
    MyDB::resetShared();
    EXPECT_EQ(read(elsewhere), target) << "written through the link";
    EXPECT_EQ(foundation::Files::kind(copy()), foundation::Files::Kind::Regular);
    // What could be read through it came along.
    EXPECT_EQ(sql(copy(), "SELECT group_concat(StateID) FROM (SELECT StateID FROM tSelectedStates ORDER BY Ordering)"), "42,39");
    const QStringList aside = documents.entryList({"Icons.damaged-*"}, QDir::AllEntries | QDir::System);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(QFileInfo(documents.filePath(aside[0])).symLinkTarget(), elsewhere);
}

TEST_F(FaultTest, AFirstStartWithoutRoomSaysSoAndTriesAgain)
{
    const int status = run({}, [this] {
        // A disk with 6 MiB free: no file may grow past it, until room is made.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{6 * 1024 * 1024, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &small);
        MyDB* db = MyDB::initialize();
        const std::optional<WorkingCopy::Notice> notice = db->takeNotice();
        if (!notice || notice->title != QStringLiteral("حافظهٔ گوشی پر است") || !notice->text.contains(QStringLiteral("مگابایت")))
            return 1;
        if (QFile::exists(copy()) || !documents.entryList({"Icons.*"}, QDir::Files | QDir::Hidden).isEmpty())
            return 2;
        // Asked again while there is still no room: told again.
        db->tryAgain();
        if (!db->takeNotice())
            return 3;
        // Room made: the next try puts the copy in place.
        const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &unlimited);
        db->tryAgain();
        if (db->takeNotice() || db->ExecuteScaler("SELECT COUNT(*) FROM tSetting") != QStringLiteral("1"))
            return 4;
        return 0;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(read(copy()), read(kShipped));
}

TEST_F(FaultTest, AnUpdateWithoutRoomKeepsTheOldCopyAndWaits)
{
    const QByteArray release = qUncompress(read(QStringLiteral(KELVARO_SOURCE_DIR "/tests/data/icons-release-1.5.qz")));
    QFile f(copy());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(release);
    f.close();
    const qint64 room = release.size() + 1024 * 1024;
    // Twice without room: told the first time only, the old copy in use.
    for (int start = 0; start < 2; ++start) {
        box.log.clear();
        const int status = run({.fileLimit = room}, [start] {
            const std::optional<WorkingCopy::Notice> notice = MyDB::initialize()->takeNotice();
            if (start == 0 && (!notice || notice->title != QStringLiteral("به‌روزرسانی داده‌ها")))
                return 1;
            if (start == 1 && notice)
                return 2;
            return cities::choose(32 + start) ? 0 : 3;
        });
        EXPECT_EQ(status, 0) << start;
        EXPECT_EQ(WorkingCopy::dataVersion(copy()), 0);
        EXPECT_TRUE(documents.entryList({"Icons.damaged-*"}, QDir::Files).isEmpty());
    }
    // With room, the update goes through with the user's rows.
    MyDB::resetShared();
    EXPECT_FALSE(MyDB::initialize()->takeNotice());
    EXPECT_EQ(WorkingCopy::dataVersion(copy()), WorkingCopy::dataVersion(kShipped));
    EXPECT_EQ(sql(copy(), "SELECT COUNT(*) FROM tSelectedStates WHERE StateID IN (32, 33)"), "2");
    EXPECT_TRUE(documents.entryList({".Icons-update-waits"}, QDir::Hidden | QDir::Files).isEmpty());
}

} // namespace

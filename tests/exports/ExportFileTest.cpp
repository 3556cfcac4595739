// An exported file in place whole or not at all: what stands at its name
// and is not a file, a full disk and a kill in the middle each leave the
// earlier file as it was, and the user is told why; a name too long for
// the file system gives way before its date and extension.
#include "exports/ExportFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Runs `body` in a child process and gives its exit status (or the signal
// that ended it, negated).
template <typename F>
int inChild(F body, int killAfterMs = -1)
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(body());
    if (killAfterMs >= 0) {
        usleep(static_cast<useconds_t>(killAfterMs) * 1000);
        kill(pid, SIGKILL);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

TEST(ExportFile, ReplacesTheEarlierFileWholeOrLeavesIt)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("اوقات-تهران-1405-09.pdf");
    ASSERT_TRUE(exports::write(path, "earlier").ok);
    EXPECT_EQ(read(path), "earlier");
    EXPECT_TRUE(exports::write(path, "later").ok);
    EXPECT_EQ(read(path), "later");

    // A full disk: nothing past 4 KiB may be written.
    const QByteArray big(64 * 1024, 'x');
    const int full = inChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{4096, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &small);
        const exports::Written w = exports::write(path, big);
        return !w.ok && w.reason.contains(QStringLiteral("جا ندارد")) ? 0 : 1;
    });
    EXPECT_EQ(full, 0);
    EXPECT_EQ(read(path), "later");

    // Killed while writing a large file, again and again: the earlier file
    // or the whole new one, never a part; what the cut writes left beside
    // it goes with the next export.
    const QByteArray huge(48 * 1024 * 1024, 'y');
    for (int ms : {0, 5, 20, 60}) {
        inChild([&] { return exports::write(path, huge).ok ? 0 : 1; }, ms);
        const QByteArray now = read(path);
        EXPECT_TRUE(now == "later" || now == huge) << ms << " ms: " << now.size() << " bytes";
    }
    EXPECT_TRUE(exports::write(path, "last").ok);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QFileInfo(path).fileName()});
}

TEST(ExportFile, ANonFileAtItsNameIsNeitherOpenedNorReplaced)
{
    QTemporaryDir folder;
    const QString pipe = folder.filePath("رویدادهای-1405.ics");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    // Opening a pipe for writing would wait for a reader for ever.
    const exports::Written w = exports::write(pipe, "BEGIN:VCALENDAR");
    EXPECT_FALSE(w.ok);
    EXPECT_TRUE(w.reason.contains(QStringLiteral("چیزی جز پرونده"))) << w.reason.toStdString();
    struct stat st {};
    ASSERT_EQ(lstat(QFile::encodeName(pipe).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));

    const QString dir = folder.filePath("پوشه.ics");
    ASSERT_TRUE(QDir().mkdir(dir));
    EXPECT_FALSE(exports::write(dir, "x").ok);
    EXPECT_TRUE(QFileInfo(dir).isDir());
}

TEST(ExportFile, AFolderThatTakesNoWritingIsSaid)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into any folder";
    QTemporaryDir folder;
    ASSERT_EQ(chmod(QFile::encodeName(folder.path()).constData(), 0500), 0);
    const exports::Written w = exports::write(folder.filePath("a.ics"), "x");
    chmod(QFile::encodeName(folder.path()).constData(), 0700);
    EXPECT_FALSE(w.ok);
    EXPECT_TRUE(w.reason.contains(QStringLiteral("اجازهٔ نوشتن"))) << w.reason.toStdString();
}

TEST(ExportFile, ALongNameGivesWayBeforeItsDateAndExtension)
{
    const QString city = QString(150, QChar(0x0628));  // 150 Persian letters, 300 bytes
    const QString tail = QStringLiteral("-1405-09.pdf");
    const QString name = exports::fittedName(QStringLiteral("اوقات-") + city, tail);
    EXPECT_TRUE(name.endsWith(tail));
    EXPECT_TRUE(name.startsWith(QStringLiteral("اوقات-ب")));
    EXPECT_LE(name.toUtf8().size() + 7, exports::kMaxNameBytes);
    // A letter outside the basic plane is kept whole or dropped whole.
    const QString emoji = QString(130, QChar(0x0628)) + QString::fromUtf8("😀😀😀😀😀😀😀😀😀😀");
    const QString fitted = exports::fittedName(emoji, tail);
    EXPECT_FALSE(fitted.chopped(tail.size()).back().isHighSurrogate());
    EXPECT_EQ(exports::fittedName(QStringLiteral("اوقات-تهران"), tail), QStringLiteral("اوقات-تهران") + tail);

    QTemporaryDir folder;
    const exports::Written w = exports::write(folder.filePath(name), "%PDF-");
    EXPECT_TRUE(w.ok) << w.reason.toStdString();
}

} // namespace

#include "AtomicFile.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace notifications {

namespace {

QString reason(const char* step)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(step), QString::fromLocal8Bit(std::strerror(errno)));
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* at = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, at, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        at += n;
        left -= n;
    }
    return true;
}

} // namespace

bool replaceFile(const QString& path, const QByteArray& bytes, QString* error)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        if (error)
            *error = QStringLiteral("cannot make the folder");
        return false;
    }
    QByteArray temp = QFile::encodeName(info.absoluteFilePath() + QStringLiteral(".XXXXXX"));
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error = reason("create");
        return false;
    }
    auto fail = [&](const char* step) {
        const int saved = errno;
        ::close(fd);
        ::unlink(temp.constData());
        errno = saved;
        if (error)
            *error = reason(step);
        return false;
    };
    if (!writeAll(fd, bytes))
        return fail("write");
    if (::fsync(fd) != 0)
        return fail("sync");
    if (::close(fd) != 0) {
        const int saved = errno;
        ::unlink(temp.constData());
        errno = saved;
        if (error)
            *error = reason("close");
        return false;
    }
    if (::rename(temp.constData(), QFile::encodeName(info.absoluteFilePath()).constData()) != 0) {
        const int saved = errno;
        ::unlink(temp.constData());
        errno = saved;
        if (error)
            *error = reason("rename");
        return false;
    }
    // The rename itself lasts only once the folder is synced too.
    const int dir = ::open(QFile::encodeName(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace notifications

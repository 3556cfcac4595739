#include "AtomicFile.h"

#include "Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace foundation {

namespace {

constexpr qsizetype kCopyChunk = 1 << 16;
std::atomic<int> syncCount{0};

int sync(int fd)
{
    ++syncCount;
    return ::fsync(fd);
}

} // namespace

AtomicFile::AtomicFile(const QString& path, bool durable)
    : path_(QFileInfo(path).absoluteFilePath()), durable_(durable)
{
}

AtomicFile::~AtomicFile()
{
    cancel();
}

bool AtomicFile::fail(const char* step)
{
    const int saved = errno;
    error_ = QStringLiteral("%1: %2").arg(QLatin1String(step), QString::fromLocal8Bit(std::strerror(saved)));
    noRoom_ = saved == ENOSPC || saved == EDQUOT || saved == EFBIG;
    errorNumber_ = saved;
    cancel();
    errno = saved;
    return false;
}

bool AtomicFile::open()
{
    cancel();
    error_.clear();
    noRoom_ = false;
    errorNumber_ = 0;
    if (!QDir().mkpath(QFileInfo(path_).absolutePath())) {
        error_ = QStringLiteral("cannot make the folder");
        return false;
    }
    temporary_ = QFile::encodeName(path_ + QStringLiteral(".XXXXXX"));
    fd_ = ::mkostemp(temporary_.data(), O_CLOEXEC);
    if (fd_ < 0) {
        temporary_.clear();
        return fail("create");
    }
    return true;
}

bool AtomicFile::write(const QByteArray& bytes)
{
    if (fd_ < 0)
        return false;
    const char* at = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, at, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return fail("write");
        }
        at += n;
        left -= n;
    }
    return true;
}

bool AtomicFile::commit()
{
    if (fd_ < 0)
        return false;
    if (durable_ && sync(fd_) != 0)
        return fail("sync");
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0)
        return fail("close");
    if (::rename(temporary_.constData(), QFile::encodeName(path_).constData()) != 0)
        return fail("rename");
    temporary_.clear();
    if (!durable_)
        return true;
    // The rename itself lasts only once the folder is synced too.
    const int dir = ::open(QFile::encodeName(QFileInfo(path_).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        sync(dir);
        ::close(dir);
    }
    return true;
}

void AtomicFile::cancel()
{
    if (fd_ >= 0)
        ::close(std::exchange(fd_, -1));
    if (!temporary_.isEmpty())
        ::unlink(temporary_.constData());
    temporary_.clear();
}

bool AtomicFile::replace(const QString& path, const QByteArray& bytes, QString* error, bool durable)
{
    AtomicFile file(path, durable);
    const bool ok = file.open() && file.write(bytes) && file.commit();
    if (!ok && error)
        *error = file.error();
    return ok;
}

bool AtomicFile::copy(const QString& from, const QString& to, QString* error, bool* noRoom)
{
    if (noRoom)
        *noRoom = false;
    const Files::Opened source = Files::openRegular(from);
    if (!source.ok()) {
        if (error)
            *error = source.error;
        return false;
    }
    AtomicFile target(to);
    bool ok = target.open();
    QByteArray chunk(kCopyChunk, Qt::Uninitialized);
    while (ok) {
        const ssize_t n = ::read(source.fd, chunk.data(), static_cast<size_t>(chunk.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ok = target.fail("read");
            break;
        }
        if (n == 0)
            break;
        ok = target.write(QByteArray::fromRawData(chunk.constData(), n));
    }
    ok = ok && target.commit();
    if (!ok && error)
        *error = target.error();
    if (!ok && noRoom)
        *noRoom = target.noRoom();
    return ok;
}

int AtomicFile::syncs()
{
    return syncCount;
}

} // namespace foundation

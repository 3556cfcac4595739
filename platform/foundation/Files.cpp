#include "Files.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace foundation {

namespace {

Files::Kind kindOf(mode_t mode)
{
    if (S_ISREG(mode))
        return Files::Kind::Regular;
    if (S_ISLNK(mode))
        return Files::Kind::Link;
    if (S_ISDIR(mode))
        return Files::Kind::Directory;
    if (S_ISFIFO(mode))
        return Files::Kind::Pipe;
    return Files::Kind::Other;
}

} // namespace

Files::Kind Files::kind(const QString& path)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return Kind::Missing;
    return kindOf(st.st_mode);
}

QString Files::describe(Kind kind)
{
    switch (kind) {
    case Kind::Missing:
        return QStringLiteral("nothing");
    case Kind::Regular:
        return QStringLiteral("a file");
    case Kind::Link:
        return QStringLiteral("a symbolic link");
    case Kind::Directory:
        return QStringLiteral("a folder");
    case Kind::Pipe:
        return QStringLiteral("a named pipe");
    case Kind::Other:
        break;
    }
    return QStringLiteral("a device or a socket");
}

Files::Opened::Opened(Opened&& other) noexcept
    : fd(std::exchange(other.fd, -1)), error(std::move(other.error))
{
}

Files::Opened& Files::Opened::operator=(Opened&& other) noexcept
{
    if (this != &other) {
        if (fd >= 0)
            ::close(fd);
        fd = std::exchange(other.fd, -1);
        error = std::move(other.error);
    }
    return *this;
}

Files::Opened::~Opened()
{
    if (fd >= 0)
        ::close(fd);
}

Files::Opened Files::openRegular(const QString& path)
{
    Opened opened;
    // Non-blocking, so that opening a named pipe returns at once.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        opened.error = QString::fromLocal8Bit(std::strerror(errno));
        return opened;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        opened.error = QStringLiteral("not a file but %1").arg(describe(kindOf(st.st_mode)));
        ::close(fd);
        return opened;
    }
    // A regular file never blocks; reads go on as usual.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    opened.fd = fd;
    return opened;
}

std::optional<QByteArray> Files::read(const QString& path, qint64 maxBytes, QString* error)
{
    const Opened file = openRegular(path);
    auto failed = [error](const QString& why) -> std::optional<QByteArray> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (!file.ok())
        return failed(file.error);
    struct stat st {};
    ::fstat(file.fd, &st);
    if (st.st_size > maxBytes)
        return failed(QStringLiteral("the file is %1 bytes").arg(st.st_size));
    QByteArray bytes;
    char buffer[1 << 14];
    for (;;) {
        const ssize_t n = ::read(file.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return failed(QString::fromLocal8Bit(std::strerror(errno)));
        if (n == 0)
            break;
        bytes.append(buffer, n);
        if (bytes.size() > maxBytes)
            return failed(QStringLiteral("the file grew past %1 bytes").arg(maxBytes));
    }
    return bytes;
}

} // namespace foundation

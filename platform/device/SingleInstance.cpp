#include "SingleInstance.h"

#include "platform/foundation/Log.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace device {

namespace {
const QByteArray kShow = QByteArrayLiteral("show\n");
constexpr int kAskForMs = 3000;   // the first start may still be starting
constexpr int kRetryMs = 100;

// The name in Linux's abstract socket space: no file to leave behind when a
// start is killed, and no path too long for a socket address.
socklen_t addressOf(const QString& name, sockaddr_un* address)
{
    std::memset(address, 0, sizeof *address);
    address->sun_family = AF_UNIX;
    const QByteArray bytes = name.toUtf8().left(static_cast<int>(sizeof address->sun_path) - 1);
    std::memcpy(address->sun_path + 1, bytes.constData(), static_cast<size_t>(bytes.size()));
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + static_cast<size_t>(bytes.size()));
}

QString lastError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}
} // namespace

SingleInstance::SingleInstance(const QString& home)
    : home_(QDir(home).absolutePath()), name_(serverName(home))
{
}

SingleInstance::~SingleInstance()
{
    for (auto& [fd, notifier] : clients_) {
        notifier.reset();
        ::close(fd);
    }
    clients_.clear();
    listener_.reset();
    if (server_ >= 0)
        ::close(server_);
    if (lock_ >= 0)
        ::close(lock_);
}

QString SingleInstance::serverName(const QString& home)
{
    QDir dir(home);
    const QString path = dir.exists() ? dir.canonicalPath() : dir.absolutePath();
    const QByteArray hash = QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1).toHex().left(20);
    return QStringLiteral("kelvaro-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

bool SingleInstance::acquire()
{
    const QString library = home_ + QStringLiteral("/Library");
    QDir().mkpath(library);
    name_ = serverName(home_);
    lock_ = ::open(QFile::encodeName(library + QStringLiteral("/instance.lock")).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock_ < 0) {
        // A sandbox that cannot be locked is still this start's to use.
        foundation::Log::write(QStringLiteral("cannot lock the sandbox: ") + lastError());
        return true;
    }
    if (::flock(lock_, LOCK_EX | LOCK_NB) != 0) {
        ::close(lock_);
        lock_ = -1;
        return false;
    }
    // Holding the lock, nobody else listens under the name.
    sockaddr_un address;
    const socklen_t length = addressOf(name_, &address);
    server_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (server_ < 0 || ::bind(server_, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(server_, 8) != 0) {
        foundation::Log::write(QStringLiteral("cannot listen for later starts: ") + lastError());
        if (server_ >= 0)
            ::close(server_);
        server_ = -1;
        return true;
    }
    listener_ = std::make_unique<QSocketNotifier>(server_, QSocketNotifier::Read);
    QObject::connect(listener_.get(), &QSocketNotifier::activated, listener_.get(), [this] { accept(); });
    return true;
}

void SingleInstance::accept()
{
    for (;;) {
        const int fd = ::accept4(server_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            return;
        // Only this user's starts are listened to.
        ucred peer {};
        socklen_t size = sizeof peer;
        if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || peer.uid != ::getuid()) {
            ::close(fd);
            continue;
        }
        auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(), [this, fd] { read(fd); });
        clients_[fd] = std::move(notifier);
    }
}

void SingleInstance::read(int fd)
{
    char buffer[64];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
        if (QByteArray(buffer, static_cast<int>(n)).contains(kShow.trimmed()) && show_)
            show_();
        return;
    }
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    // The asking start has gone: its notifier goes after this call.
    auto it = clients_.find(fd);
    if (it != clients_.end()) {
        it->second->setEnabled(false);
        it->second.release()->deleteLater();
        clients_.erase(it);
    }
    ::close(fd);
}

bool SingleInstance::askToShow() const
{
    sockaddr_un address;
    const socklen_t length = addressOf(name_, &address);
    const QDeadlineTimer deadline(kAskForMs);
    while (!deadline.hasExpired()) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return false;
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0) {
            const bool sent = ::send(fd, kShow.constData(), static_cast<size_t>(kShow.size()), MSG_NOSIGNAL) == kShow.size();
            ::close(fd);
            return sent;
        }
        ::close(fd);
        QThread::msleep(kRetryMs);
    }
    return false;
}

} // namespace device

#include "SingleInstance.h"

#include "platform/foundation/Log.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace device {

namespace {
const QByteArray kShow = QByteArrayLiteral("show\n");
constexpr int kAskForMs = 3000;   // the first start may still be starting
constexpr int kWaitMs = 500;
constexpr int kRetryMs = 100;
} // namespace

SingleInstance::SingleInstance(const QString& home)
    : home_(QDir(home).absolutePath()), name_(serverName(home))
{
}

SingleInstance::~SingleInstance()
{
    server_.reset();
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
        foundation::Log::write(QStringLiteral("cannot lock the sandbox: ") + QString::fromLocal8Bit(std::strerror(errno)));
        return true;
    }
    if (::flock(lock_, LOCK_EX | LOCK_NB) != 0) {
        ::close(lock_);
        lock_ = -1;
        return false;
    }
    // Holding the lock, any socket left under the name is a dead start's.
    QLocalServer::removeServer(name_);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_)) {
        foundation::Log::write(QStringLiteral("cannot listen for later starts: ") + server_->errorString());
        return true;
    }
    QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
                if (socket->readAll().contains(kShow.trimmed()) && show_)
                    show_();
            });
        }
    });
    return true;
}

bool SingleInstance::askToShow() const
{
    const QDeadlineTimer deadline(kAskForMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(name_);
        if (socket.waitForConnected(kWaitMs)) {
            socket.write(kShow);
            const bool sent = socket.waitForBytesWritten(kWaitMs);
            socket.disconnectFromServer();
            return sent;
        }
        QThread::msleep(kRetryMs);
    }
    return false;
}

} // namespace device

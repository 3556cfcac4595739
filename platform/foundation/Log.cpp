#include "Log.h"

#include <QDateTime>

#include <cstdio>
#include <unistd.h>

namespace foundation {

namespace {
std::function<void(const QString&)>& sinkRef()
{
    static std::function<void(const QString&)> sink;
    return sink;
}
} // namespace

void Log::write(const QString& line)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    const QByteArray text = QStringLiteral("%1 Kelvaro[%2] %3\n").arg(stamp).arg(getpid()).arg(line).toUtf8();
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stderr);
    if (sinkRef())
        sinkRef()(line);
}

void Log::setSink(std::function<void(const QString&)> sink)
{
    sinkRef() = std::move(sink);
}

} // namespace foundation

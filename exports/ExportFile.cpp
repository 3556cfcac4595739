#include "ExportFile.h"

#include "platform/foundation/AtomicFile.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/Log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace exports {

namespace {

// The temporary file beside the target adds ".XXXXXX" to its name.
constexpr int kTemporarySuffix = 7;

QString reasonFor(int error, bool noRoom)
{
    if (noRoom)
        return QStringLiteral("حافظه برای این پرونده جا ندارد.");
    if (error == EACCES || error == EPERM || error == EROFS)
        return QStringLiteral("این پوشه اجازهٔ نوشتن نمی‌دهد.");
    if (error == ENAMETOOLONG)
        return QStringLiteral("نام پرونده برای این پوشه بیش از اندازه بلند است.");
    if (error == ENOENT || error == ENOTDIR)
        return QStringLiteral("این پوشه پیدا نشد.");
    return QStringLiteral("نوشتن پرونده کامل نشد.");
}

// What an export of the same name left beside it when it was cut short
// (the app killed while writing): its temporary files go.
void dropLeftovers(const QString& path)
{
    const QFileInfo target(path);
    const QString prefix = target.fileName() + QLatin1Char('.');
    const QDir folder = target.dir();
    for (const QFileInfo& f : folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (f.isSymLink() || f.fileName().size() != prefix.size() + kTemporarySuffix - 1 || !f.fileName().startsWith(prefix))
            continue;
        QFile::remove(f.filePath());
    }
}

} // namespace

Written write(const QString& path, const QByteArray& bytes)
{
    using Kind = foundation::Files::Kind;
    const Kind kind = foundation::Files::kind(path);
    if (kind != Kind::Missing && kind != Kind::Regular) {
        foundation::Log::write(QStringLiteral("not exported: %1 is %2").arg(QFileInfo(path).fileName(), foundation::Files::describe(kind)));
        return {false, QStringLiteral("به این نام چیزی جز پرونده هست و دست نخورد.")};
    }
    dropLeftovers(path);
    foundation::AtomicFile file(path);
    if (file.open() && file.write(bytes) && file.commit())
        return {true, {}};
    foundation::Log::write(QStringLiteral("not exported: %1 (%2)").arg(QFileInfo(path).fileName(), file.error()));
    return {false, reasonFor(file.errorNumber(), file.noRoom())};
}

QString fittedName(const QString& stem, const QString& tail)
{
    const int room = kMaxNameBytes - kTemporarySuffix - static_cast<int>(tail.toUtf8().size());
    QString kept = stem;
    while (!kept.isEmpty() && kept.toUtf8().size() > room) {
        kept.chop(1);
        // Never half of a pair that makes one letter.
        if (!kept.isEmpty() && kept.back().isHighSurrogate())
            kept.chop(1);
    }
    return kept + tail;
}

} // namespace exports

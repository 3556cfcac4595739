#include "SoundFile.h"

#include "platform/foundation/Directories.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace audio {

namespace {

constexpr qint64 kChunkHeader = 8;
constexpr qint64 kByteRateAt = 8; // inside the "fmt " chunk

// `name` as a file right inside `folder`, or empty.
QString inside(const QString& folder, const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") || name.contains(QLatin1Char('/'))
        || name.contains(QLatin1Char('\\')) || name.contains(QChar(0)))
        return {};
    const QFileInfo file(QDir(folder).filePath(name));
    if (!file.isFile() || !file.isReadable())
        return {};
    // A link that leads out of the folder is not one of its sounds.
    const QString real = file.canonicalFilePath();
    if (QFileInfo(real).absolutePath() != QDir(folder).canonicalPath())
        return {};
    return file.absoluteFilePath();
}

} // namespace

QString SoundFile::resolve(const QString& name)
{
    if (name.isEmpty())
        return {};
    const QString folder = foundation::Directories::resourcePath();
    const QString own = inside(folder, name);
    return own.isEmpty() ? inside(folder, QString::fromLatin1(kDefault)) : own;
}

qint64 SoundFile::durationMs(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray riff = file.read(12);
    if (riff.size() != 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        return 0;
    quint32 byteRate = 0;
    while (!file.atEnd()) {
        const QByteArray header = file.read(kChunkHeader);
        if (header.size() != kChunkHeader)
            return 0;
        const quint32 size = qFromLittleEndian<quint32>(header.constData() + 4);
        const qint64 body = file.pos();
        if (header.startsWith("fmt ")) {
            const QByteArray fmt = file.read(qMin<qint64>(size, 16));
            if (fmt.size() < kByteRateAt + 4)
                return 0;
            byteRate = qFromLittleEndian<quint32>(fmt.constData() + kByteRateAt);
        } else if (header.startsWith("data")) {
            if (byteRate == 0)
                return 0;
            // A data chunk longer than the file (a stream's placeholder size) plays what is there.
            const qint64 bytes = qMin<qint64>(size, file.size() - body);
            return bytes * 1000 / byteRate;
        }
        // Chunks are padded to an even length.
        if (!file.seek(body + size + (size & 1)))
            return 0;
    }
    return 0;
}

} // namespace audio

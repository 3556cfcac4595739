#include "Style.h"

#include "platform/foundation/Directories.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QPainter>
#include <QPointer>

namespace ui {

namespace {
bool animations = true;

// The pictures loaded so far, kept by the application object: they go
// with it, never after it.
class Pictures : public QObject {
public:
    using QObject::QObject;
    QHash<QString, QPixmap> byPath;
};

QHash<QString, QPixmap>& pictures()
{
    static QPointer<Pictures> kept;
    if (!kept)
        kept = new Pictures(QCoreApplication::instance());
    return kept->byPath;
}
} // namespace

QFont font(const QString& name, double size)
{
    QFont f;
    f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Noto Sans Arabic"), QStringLiteral("Noto Sans")});
    f.setPixelSize(qMax(1, qRound(size)));
    f.setBold(name.endsWith(QLatin1String("-Bold")));
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QPixmap image(const QString& name)
{
    QHash<QString, QPixmap>& cache = pictures();
    const QString key = foundation::Directories::resourcePath() + QLatin1Char('/') + name;
    const auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;

    const QDir dir(foundation::Directories::resourcePath());
    const QFileInfo info(name);
    const QString dense = dir.filePath(info.completeBaseName() + QStringLiteral("@2x.") + info.suffix());
    QPixmap pixmap;
    if (QFileInfo::exists(dense) && pixmap.load(dense))
        pixmap.setDevicePixelRatio(2.0);
    else
        pixmap.load(dir.filePath(name));
    cache.insert(key, pixmap);
    return pixmap;
}

QPixmap tinted(const QPixmap& image, const QColor& color)
{
    QPixmap result = image;
    QPainter painter(&result);
    painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    painter.fillRect(QRectF(QPointF(0, 0), image.deviceIndependentSize()), color);
    return result;
}

QColor grayColor()
{
    return QColor::fromRgbF(0.5, 0.5, 0.5);
}

QColor blueColor()
{
    return QColor::fromRgbF(0, 0, 1);
}

int animationMs(int ms)
{
    return animations ? ms : 0;
}

void setAnimationsEnabled(bool enabled)
{
    animations = enabled;
}

bool animationsEnabled()
{
    return animations;
}

} // namespace ui

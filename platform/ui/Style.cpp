#include "Style.h"

#include "platform/foundation/Directories.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QFontDatabase>
#include <QHash>
#include <QSet>
#include <QImageReader>
#include <QPainter>
#include <QPointer>

#include <condition_variable>
#include <mutex>
#include <thread>

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

// Pictures decoded on a thread of their own while the start goes on. The
// thread only reads files and fills images; pixmaps are made on the main
// thread.
struct Preloaded {
    std::mutex mutex;
    std::condition_variable ready;
    QSet<QString> pending;
    QHash<QString, QImage> images;
    std::thread worker;
};

Preloaded* early = nullptr;

Preloaded& preloaded()
{
    if (!early) {
        early = new Preloaded;
        // The thread ends, and the images go, before the application does.
        qAddPostRoutine([] {
            if (early->worker.joinable())
                early->worker.join();
            early->images.clear();
        });
    }
    return *early;
}

// The decoded picture of `name` if it was preloaded, waiting for it if it
// is still being decoded; a null image otherwise.
QImage takePreloaded(const QString& name)
{
    Preloaded& p = preloaded();
    std::unique_lock lock(p.mutex);
    p.ready.wait(lock, [&] { return !p.pending.contains(name); });
    return p.images.take(name);
}

QImage readPng(const QString& path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// "MainView.png" → "MainView@2x.png": the picture at twice the pixels.
QString denseName(const QString& name)
{
    const QFileInfo info(name);
    return info.completeBaseName() + QStringLiteral("@2x.") + info.suffix();
}

bool denseScreen()
{
    return qGuiApp && qGuiApp->devicePixelRatio() > 1.0;
}

// The resource picture `name` for a screen of more than one pixel per point
// (`dense`) or not, with its pixel ratio: only a dense screen gets the dense
// picture, as decoding four times the pixels to draw a quarter of them is
// wasted; either falls back on the other when its own is missing. Safe on
// any thread.
QImage readPicture(const QString& name, bool dense)
{
    const QDir dir(foundation::Directories::resourcePath());
    const QString plain = dir.filePath(name);
    const QString twice = dir.filePath(denseName(name));
    for (const QString& path : dense ? QStringList{twice, plain} : QStringList{plain, twice}) {
        QImage image = readPng(path);
        if (!image.isNull()) {
            image.setDevicePixelRatio(path == twice ? 2.0 : 1.0);
            return image;
        }
    }
    return {};
}
} // namespace

QFont font(const QString& name, double size)
{
    QFont f;
    f.setFamilies({QStringLiteral("Noto Sans Arabic"), QStringLiteral("Liberation Sans"), QStringLiteral("Noto Sans")});
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
    QImage decoded = takePreloaded(name);
    if (decoded.isNull())
        decoded = readPicture(name, denseScreen());
    const qreal ratio = decoded.devicePixelRatio();
    QPixmap pixmap = QPixmap::fromImage(std::move(decoded));
    pixmap.setDevicePixelRatio(ratio);
    cache.insert(key, pixmap);
    return pixmap;
}

QPixmap pngFile(const QString& path)
{
    return QPixmap::fromImage(readPng(path));
}

void preload(const QStringList& names)
{
    Preloaded& p = preloaded();
    if (p.worker.joinable() || !qGuiApp)
        return;
    {
        std::lock_guard lock(p.mutex);
        for (const QString& name : names)
            p.pending.insert(name);
    }
    p.worker = std::thread([&p, names, dense = denseScreen()] {
        for (const QString& name : names) {
            QImage image = readPicture(name, dense);
            std::lock_guard lock(p.mutex);
            if (!image.isNull())
                p.images.insert(name, std::move(image));
            p.pending.remove(name);
            p.ready.notify_all();
        }
        // The font list, read while the main thread builds the screen: the
        // first text it measures would read it otherwise.
        QFontDatabase::families();
    });
}

QIcon icon(const QString& name)
{
    const QDir dir(foundation::Directories::resourcePath());
    QIcon result;
    for (const QString& file : {name, denseName(name)}) {
        const QPixmap pixmap = pngFile(dir.filePath(file));
        if (!pixmap.isNull())
            result.addPixmap(pixmap);
    }
    return result;
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

namespace ui {

namespace {
bool readsFromTheRight = true;
} // namespace

bool rightToLeft()
{
    return readsFromTheRight;
}

void setRightToLeft(bool rightToLeft)
{
    readsFromTheRight = rightToLeft;
}

QRect leading(const QRect& frame, int outer)
{
    if (!readsFromTheRight)
        return frame;
    return QRect(outer - frame.x() - frame.width(), frame.y(), frame.width(), frame.height());
}

} // namespace ui

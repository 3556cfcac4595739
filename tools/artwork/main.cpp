// Draws the app's pictures:
//   artwork OUT_DIR             every picture of the app, each at 1x and as @2x
//   artwork --icons NAME DIR    the app's icon for the desktop, in DIR as an
//                               icon theme lays it out: hicolor/<n>x<n>/apps/NAME.png
//                               at the usual sizes and hicolor/scalable/apps/NAME.svg
#include "Artwork.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

namespace {

int pictures(const QDir& out)
{
    QDir().mkpath(out.path());
    for (const Artwork& a : allArtwork()) {
        const QString base = a.name.chopped(4);
        if (!render(a, 1).save(out.filePath(a.name)) || !render(a, 2).save(out.filePath(base + QStringLiteral("@2x.png")))) {
            std::fprintf(stderr, "artwork: cannot write %s\n", a.name.toUtf8().constData());
            return 1;
        }
    }
    return 0;
}

int icons(const QString& name, const QDir& out)
{
    const Artwork icon = appIconArtwork();
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QString folder = out.filePath(QStringLiteral("hicolor/%1x%1/apps").arg(size));
        QDir().mkpath(folder);
        if (!renderAt(icon, size).save(QDir(folder).filePath(name + QStringLiteral(".png")))) {
            std::fprintf(stderr, "artwork: cannot write the %dx%d icon\n", size, size);
            return 1;
        }
    }
    const QString folder = out.filePath(QStringLiteral("hicolor/scalable/apps"));
    QDir().mkpath(folder);
    if (!writeSvg(icon, QDir(folder).filePath(name + QStringLiteral(".svg")))) {
        std::fprintf(stderr, "artwork: cannot write the scalable icon\n");
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 1 && !args[0].startsWith(QLatin1Char('-')))
        return pictures(QDir(args[0]));
    if (args.size() == 3 && args[0] == QLatin1String("--icons"))
        return icons(args[1], QDir(args[2]));
    std::fprintf(stderr, "usage: artwork OUT_DIR | artwork --icons NAME OUT_DIR\n");
    return 2;
}

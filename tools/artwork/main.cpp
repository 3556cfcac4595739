// Draws the app's pictures: artwork OUT_DIR (each at 1x and as @2x).
#include "Artwork.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: artwork OUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
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

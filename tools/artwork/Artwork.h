#pragma once

#include <QImage>
#include <QString>

#include <functional>

// One picture the app ships: its file name, its size in points and how it
// is drawn (in points; the painter is already scaled to the density).
struct Artwork {
    QString name;
    QSize size;
    std::function<void(class QPainter&)> draw;
};

QList<Artwork> allArtwork();
// The app's icon, as the desktop shows it.
Artwork appIconArtwork();
// The picture at `scale` device pixels per point.
QImage render(const Artwork& artwork, int scale);
// A square picture drawn to `pixels` × `pixels`.
QImage renderAt(const Artwork& artwork, int pixels);
// The picture as SVG, drawn by the same painting; false when it cannot be
// written.
bool writeSvg(const Artwork& artwork, const QString& path);

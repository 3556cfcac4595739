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
// The picture at `scale` device pixels per point.
QImage render(const Artwork& artwork, int scale);

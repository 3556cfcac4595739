#include "Artwork.h"

#include "calendar/DayTimes.h"

#include <QFileInfo>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QSvgGenerator>

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

QFont persian(double size, bool bold = false)
{
    QFont f;
    f.setFamilies({QStringLiteral("Noto Sans Arabic"), QStringLiteral("Liberation Sans")});
    f.setPixelSize(qRound(size));
    f.setBold(bold);
    return f;
}

// An eight-pointed star, the motif of the tiles.
QPainterPath star(QPointF c, double r)
{
    QPainterPath p;
    for (int i = 0; i < 16; ++i) {
        const double a = i * kPi / 8 - kPi / 2;
        const double rr = i % 2 == 0 ? r : r * 0.62;
        const QPointF pt(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
        if (i == 0)
            p.moveTo(pt);
        else
            p.lineTo(pt);
    }
    p.closeSubpath();
    return p;
}

void mainView(QPainter& p)
{
    const QRectF all(0, 0, 320, 460);
    QLinearGradient sky(0, 0, 0, 460);
    sky.setColorAt(0, QColor(8, 16, 42));
    sky.setColorAt(0.55, QColor(14, 40, 74));
    sky.setColorAt(1, QColor(10, 58, 72));
    p.fillRect(all, sky);

    // Stars, always the same.
    QRandomGenerator random(1391);
    for (int i = 0; i < 70; ++i) {
        const QPointF at(random.bounded(320.0), random.bounded(300.0));
        const double r = 0.4 + random.bounded(0.9);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 240, 60 + random.bounded(120)));
        p.drawEllipse(at, r, r);
    }
    // A crescent moon at the upper left.
    QPainterPath moon;
    moon.addEllipse(QPointF(40, 26), 12, 12);
    QPainterPath bite;
    bite.addEllipse(QPointF(46, 22), 11, 11);
    p.setBrush(QColor(250, 236, 180, 220));
    p.drawPath(moon.subtracted(bite));

    // A faint band of tiles behind the header.
    p.setPen(QPen(QColor(255, 255, 255, 16), 1));
    p.setBrush(Qt::NoBrush);
    for (int x = 0; x <= 320; x += 40)
        p.drawPath(star(QPointF(x, 76), 15));

    // The header: city, date and events.
    QPainterPath header;
    header.addRoundedRect(QRectF(12, 44, 296, 60), 12, 12);
    p.setPen(QPen(QColor(214, 182, 110, 150), 1));
    p.setBrush(QColor(255, 255, 255, 22));
    p.drawPath(header);

    // Eight rows of times, each with its caption at the right.
    for (int k = 0; k < kTimesOnPage; ++k) {
        const double y = 108 + 38 * k;
        QPainterPath row;
        row.addRoundedRect(QRectF(22, y + 5, 276, 30), 8, 8);
        const bool tomorrow = k >= 6;
        p.setPen(QPen(QColor(255, 255, 255, tomorrow ? 24 : 34), 1));
        p.setBrush(QColor(255, 255, 255, tomorrow ? 10 : 18));
        p.drawPath(row);
        p.setPen(tomorrow ? QColor(200, 210, 225) : QColor(236, 208, 140));
        p.setFont(persian(tomorrow ? 14 : 16));
        p.drawText(QRectF(140, y, 148, 40), Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter,
            dayTimeName(static_cast<DayTime>(k)));
        // A small star between time and caption.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(214, 182, 110, tomorrow ? 80 : 150));
        p.drawPath(star(QPointF(150, y + 20), 4));
    }
    // A thin line before tomorrow's two rows.
    p.setPen(QPen(QColor(214, 182, 110, 90), 1, Qt::DashLine));
    p.drawLine(QPointF(40, 108 + 38 * 6 + 2), QPointF(280, 108 + 38 * 6 + 2));

    // The skyline of domes and minarets along the bottom.
    QPainterPath city;
    city.moveTo(0, 460);
    city.lineTo(0, 432);
    city.lineTo(60, 432);
    city.lineTo(64, 400);
    city.lineTo(68, 432);
    city.lineTo(110, 432);
    city.cubicTo(112, 404, 150, 396, 160, 380);
    city.cubicTo(170, 396, 208, 404, 210, 432);
    city.lineTo(252, 432);
    city.lineTo(256, 396);
    city.lineTo(260, 432);
    city.lineTo(320, 432);
    city.lineTo(320, 460);
    city.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(3, 10, 22, 190));
    p.drawPath(city);
}

void calendarButton(QPainter& p)
{
    const QRectF body(3, 4, 28, 25);
    QPainterPath page;
    page.addRoundedRect(body, 4, 4);
    p.setPen(QPen(QColor(255, 255, 255, 220), 1));
    p.setBrush(QColor(250, 248, 240));
    p.drawPath(page);
    QPainterPath band;
    band.addRoundedRect(QRectF(3, 4, 28, 8), 4, 4);
    band.addRect(QRectF(3, 8, 28, 4));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(195, 56, 61));
    p.drawPath(band.simplified());
    p.setBrush(QColor(60, 60, 70));
    p.drawRoundedRect(QRectF(9, 1.5, 2.5, 6), 1, 1);
    p.drawRoundedRect(QRectF(22.5, 1.5, 2.5, 6), 1, 1);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 5; ++c) {
            p.setBrush(r == 1 && c == 2 ? QColor(195, 56, 61) : QColor(90, 95, 110));
            p.drawRect(QRectF(6.5 + c * 4.6, 15 + r * 4.4, 3, 2.6));
        }
    }
}

// The way to the Qibla from a day's page: the Kaaba, black with its golden
// band, seen a little from the side.
void qiblaButton(QPainter& p)
{
    const QColor gold(214, 178, 90);
    QPainterPath front;
    front.addRect(QRectF(5, 6, 11, 13));
    QPainterPath side;
    side.moveTo(16, 6);
    side.lineTo(21, 3.5);
    side.lineTo(21, 16.5);
    side.lineTo(16, 19);
    side.closeSubpath();
    QPainterPath top;
    top.moveTo(5, 6);
    top.lineTo(10, 3.5);
    top.lineTo(21, 3.5);
    top.lineTo(16, 6);
    top.closeSubpath();
    p.setPen(QPen(QColor(255, 255, 255, 200), 0.8));
    p.setBrush(QColor(12, 12, 14));
    p.drawPath(front);
    p.setBrush(QColor(34, 34, 38));
    p.drawPath(side);
    p.setBrush(QColor(50, 50, 56));
    p.drawPath(top);
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    p.drawRect(QRectF(5, 9, 11, 1.8));
    QPainterPath band;
    band.moveTo(16, 9);
    band.lineTo(21, 6.5);
    band.lineTo(21, 8.3);
    band.lineTo(16, 10.8);
    band.closeSubpath();
    p.drawPath(band);
    p.drawRect(QRectF(11.5, 14, 2.5, 5));
}

// Tab icons: white glyphs on transparent, 30 x 30.
void glyph(QPainter& p)
{
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
}

void tabCities(QPainter& p)
{
    // A map pin over a small dome.
    glyph(p);
    QPainterPath pin;
    pin.moveTo(15, 27);
    pin.cubicTo(8, 18, 6, 14, 6, 11);
    pin.arcTo(QRectF(6, 2, 18, 18), 180, -180);
    pin.cubicTo(24, 14, 22, 18, 15, 27);
    p.setBrush(Qt::white);
    p.drawPath(pin);
    p.setBrush(QColor(30, 30, 30));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(15, 11), 3.6, 3.6);
}

void tabAlarms(QPainter& p)
{
    // A bell.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    QPainterPath bell;
    bell.moveTo(6, 22);
    bell.cubicTo(9, 19, 8, 15, 9, 11);
    bell.cubicTo(10, 6, 20, 6, 21, 11);
    bell.cubicTo(22, 15, 21, 19, 24, 22);
    bell.closeSubpath();
    p.drawPath(bell);
    p.drawEllipse(QPointF(15, 25), 2.6, 2.6);
    p.drawEllipse(QPointF(15, 5.5), 1.8, 1.8);
}

void tabSound(QPainter& p)
{
    // A speaker with two waves.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(4, 11), QPointF(9, 11), QPointF(15, 5), QPointF(15, 25), QPointF(9, 19), QPointF(4, 19)}));
    glyph(p);
    p.drawArc(QRectF(12, 9, 8, 12), -60 * 16, 120 * 16);
    p.drawArc(QRectF(12, 5, 14, 20), -60 * 16, 120 * 16);
}

void tabEvents(QPainter& p)
{
    // A calendar page.
    glyph(p);
    p.drawRoundedRect(QRectF(5, 7, 20, 19), 3, 3);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5, 7, 20, 5));
    p.drawLine(QPointF(10, 4), QPointF(10, 9));
    p.drawLine(QPointF(20, 4), QPointF(20, 9));
    p.setPen(Qt::NoPen);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            p.drawRect(QRectF(8.5 + c * 5, 15 + r * 5, 3, 3));
}

void tabAbout(QPainter& p)
{
    glyph(p);
    p.drawEllipse(QPointF(15, 15), 11, 11);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(15, 9.5), 1.8, 1.8);
    p.drawRoundedRect(QRectF(13.4, 13, 3.2, 9), 1.2, 1.2);
}

// The bezel in front of the time picker: dark rounded edges, a clear middle.
void pickerRound(QPainter& p)
{
    const QRectF all(0, 0, 320, 216);
    QPainterPath outside;
    outside.addRect(all);
    QPainterPath window;
    window.addRoundedRect(QRectF(40, 10, 240, 196), 12, 12);
    QLinearGradient shade(0, 0, 0, 216);
    shade.setColorAt(0, QColor(52, 58, 72));
    shade.setColorAt(1, QColor(22, 26, 36));
    p.fillPath(outside.subtracted(window), shade);
    // Depth at the top and bottom of the wheels.
    QLinearGradient top(0, 10, 0, 70);
    top.setColorAt(0, QColor(0, 0, 0, 120));
    top.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(40, 10, 240, 60), top);
    QLinearGradient bottom(0, 146, 0, 206);
    bottom.setColorAt(0, QColor(0, 0, 0, 0));
    bottom.setColorAt(1, QColor(0, 0, 0, 120));
    p.fillRect(QRectF(40, 146, 240, 60), bottom);
    p.setPen(QPen(QColor(214, 182, 110), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(window);
}

// The month grid: 7 columns of 45 points with 1-point lines, 5 rows of 43.
void calendarBackground(QPainter& p)
{
    QLinearGradient paper(0, 0, 0, 221);
    paper.setColorAt(0, QColor(252, 250, 244));
    paper.setColorAt(1, QColor(240, 236, 226));
    p.fillRect(QRectF(0, 0, 320, 221), paper);
    // Friday, the leftmost column, in a rose tint.
    p.fillRect(QRectF(0, 0, 45, 221), QColor(195, 56, 61, 22));
    p.setPen(QPen(QColor(196, 188, 170), 1));
    for (int c = 1; c < 7; ++c)
        p.drawLine(QPointF(46 * c - 0.5, 0), QPointF(46 * c - 0.5, 221));
    for (int r = 0; r <= 5; ++r)
        p.drawLine(QPointF(0, 44 * r + 0.5), QPointF(320, 44 * r + 0.5));
}

void eventDot(QPainter& p, const QColor& color)
{
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(QPointF(22.5, 36.5), 3, 3);
}

void selectionDisc(QPainter& p)
{
    QRadialGradient disc(QPointF(20, 16), 26);
    disc.setColorAt(0, QColor(70, 140, 240));
    disc.setColorAt(1, QColor(20, 80, 200));
    p.setPen(QPen(QColor(10, 50, 140), 1));
    p.setBrush(disc);
    p.drawRoundedRect(QRectF(2.5, 2.5, 40, 38), 9, 9);
}

void hasEvent(QPainter& p)
{
    eventDot(p, QColor(20, 120, 110));
}

void selected(QPainter& p)
{
    selectionDisc(p);
}

void selectedWithEvent(QPainter& p)
{
    selectionDisc(p);
    eventDot(p, Qt::white);
}

void today(QPainter& p)
{
    p.setPen(QPen(QColor(230, 150, 30), 2.5));
    p.setBrush(QColor(230, 150, 30, 30));
    p.drawEllipse(QPointF(22.5, 21.5), 18, 18);
}

// A dome between two minarets, standing on y = `ground`, `w` wide.
QPainterPath mosque(double x, double ground, double w)
{
    const double u = w / 22;
    QPainterPath path;
    path.moveTo(x, ground);
    path.lineTo(x, ground - 12 * u);
    path.lineTo(x + 1 * u, ground - 15 * u);
    path.lineTo(x + 2 * u, ground - 12 * u);
    path.lineTo(x + 2 * u, ground - 6 * u);
    path.lineTo(x + 5 * u, ground - 6 * u);
    path.cubicTo(x + 5 * u, ground - 11 * u, x + 10 * u, ground - 11.5 * u, x + 11 * u, ground - 14 * u);
    path.cubicTo(x + 12 * u, ground - 11.5 * u, x + 17 * u, ground - 11 * u, x + 17 * u, ground - 6 * u);
    path.lineTo(x + 20 * u, ground - 6 * u);
    path.lineTo(x + 20 * u, ground - 12 * u);
    path.lineTo(x + 21 * u, ground - 15 * u);
    path.lineTo(x + 22 * u, ground - 12 * u);
    path.lineTo(x + 22 * u, ground);
    path.closeSubpath();
    return path;
}

QPainterPath crescent(QPointF c, double r)
{
    QPainterPath moon;
    moon.addEllipse(c, r, r);
    QPainterPath bite;
    bite.addEllipse(c + QPointF(r * 0.45, -r * 0.3), r * 0.88, r * 0.88);
    return moon.subtracted(bite);
}

// The app's own icon: the night sky of the main screen, its crescent and a
// mosque on the horizon.
void appIcon(QPainter& p)
{
    QPainterPath tile;
    tile.addRoundedRect(QRectF(2, 2, 60, 60), 13, 13);
    QLinearGradient sky(0, 2, 0, 62);
    sky.setColorAt(0, QColor(8, 16, 42));
    sky.setColorAt(0.6, QColor(14, 40, 74));
    sky.setColorAt(1, QColor(10, 58, 72));
    p.setPen(QPen(QColor(214, 182, 110, 170), 1.2));
    p.setBrush(sky);
    p.drawPath(tile);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 236, 180));
    p.drawPath(crescent(QPointF(41, 19), 9));
    p.setBrush(QColor(214, 182, 110, 200));
    p.drawPath(star(QPointF(20, 17), 3.5));
    p.setBrush(QColor(236, 208, 140));
    p.drawPath(mosque(10, 55, 44));
}

// The tray's icon: crescent over a mosque, to be read at 22 pixels on a
// light or a dark panel (a dark outline under the gold).
void trayIcon(QPainter& p)
{
    QPainterPath shape = crescent(QPointF(15.5, 5.5), 4.2).united(mosque(1, 21, 16));
    p.setPen(QPen(QColor(20, 30, 60, 200), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(236, 200, 110));
    p.drawPath(shape);
}

} // namespace

QList<Artwork> allArtwork()
{
    return {
        {QStringLiteral("MainView.png"), QSize(320, 460), mainView},
        {QStringLiteral("calendarBtn.png"), QSize(34, 32), calendarButton},
        {QStringLiteral("qiblaBtn.png"), QSize(26, 22), qiblaButton},
        {QStringLiteral("tabCities.png"), QSize(30, 30), tabCities},
        {QStringLiteral("tabAlarms.png"), QSize(30, 30), tabAlarms},
        {QStringLiteral("tabSound.png"), QSize(30, 30), tabSound},
        {QStringLiteral("tabEvents.png"), QSize(30, 30), tabEvents},
        {QStringLiteral("tabAbout.png"), QSize(30, 30), tabAbout},
        {QStringLiteral("pickerRound.png"), QSize(320, 216), pickerRound},
        {QStringLiteral("calendarBG.png"), QSize(320, 221), calendarBackground},
        {QStringLiteral("hasEvent.png"), QSize(45, 43), hasEvent},
        {QStringLiteral("selected.png"), QSize(45, 43), selected},
        {QStringLiteral("selectedWithEvent.png"), QSize(45, 43), selectedWithEvent},
        {QStringLiteral("today.png"), QSize(45, 43), today},
        appIconArtwork(),
        {QStringLiteral("trayIcon.png"), QSize(22, 22), trayIcon},
    };
}

Artwork appIconArtwork()
{
    return {QStringLiteral("appIcon.png"), QSize(64, 64), appIcon};
}

QImage render(const Artwork& artwork, int scale)
{
    QImage image(artwork.size * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    artwork.draw(painter);
    painter.end();
    return image;
}

QImage renderAt(const Artwork& artwork, int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(static_cast<double>(pixels) / artwork.size.width(), static_cast<double>(pixels) / artwork.size.height());
    artwork.draw(painter);
    painter.end();
    return image;
}

bool writeSvg(const Artwork& artwork, const QString& path)
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(artwork.size);
    svg.setViewBox(QRect(QPoint(0, 0), artwork.size));
    svg.setTitle(artwork.name.chopped(4));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    artwork.draw(painter);
    return painter.end() && QFileInfo(path).size() > 0;
}

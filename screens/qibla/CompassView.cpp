#include "CompassView.h"

#include "platform/ui/Style.h"
#include "platform/ui/TextDrawing.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180.0;
constexpr double kRightAngle = 90.0;
// Room around the rim for the names of the four directions.
constexpr double kMargin = 24;
constexpr int kTickStep = 10;
constexpr int kLongTickStep = 30;
constexpr int kAltitudeRing = 30;
constexpr double kSunRadius = 7;
constexpr double kMarkRadius = 5;
constexpr double kKaabaSide = 13;
// How far a moment's time stands from its mark, clear of the sun's way.
constexpr double kLabelOffset = 28;

const QColor kSky(20, 38, 70);
const QColor kRim(255, 255, 255, 150);
const QColor kFaint(255, 255, 255, 45);
const QColor kQibla(80, 205, 130);
const QColor kSunPath(255, 196, 80);
const QColor kSunColour(255, 222, 90);
const QColor kGold(214, 178, 90);
const QColor kLabel(220, 226, 240);

struct Direction {
    int azimuth;
    const char* name;
};
const Direction kDirections[] = {{0, "شمال"}, {90, "شرق"}, {180, "جنوب"}, {270, "غرب"}};

} // namespace

CompassView::CompassView(const QRect& frame)
    : ui::View(frame)
{
    setAccessibleRole(QAccessible::Graphic);
}

void CompassView::show(const QiblaFacts& facts, const std::optional<astronomy::SunDirection>& sunNow)
{
    facts_ = facts;
    sunNow_ = sunNow;
    setAccessibleName(facts.pictureName(sunNow));
    update();
}

double CompassView::radius() const
{
    return std::min(width(), height()) / 2.0 - kMargin;
}

QPointF CompassView::pointOf(double azimuth, double altitude) const
{
    // Below the horizon, on the rim.
    const double r = radius() * (kRightAngle - std::clamp(altitude, 0.0, kRightAngle)) / kRightAngle;
    const QPointF centre = QRectF(rect()).center();
    return {centre.x() + r * std::sin(azimuth * kDegree), centre.y() - r * std::cos(azimuth * kDegree)};
}

void CompassView::draw(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    drawRose(painter);
    if (!facts_)
        return;
    drawSun(painter);
    drawQibla(painter);
}

void CompassView::drawRose(QPainter& painter) const
{
    const QPointF centre = QRectF(rect()).center();
    const double r = radius();
    painter.setPen(QPen(kRim, 1.5));
    painter.setBrush(kSky);
    painter.drawEllipse(centre, r, r);
    // Altitudes of 30 and 60 degrees.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kFaint, 1, Qt::DashLine));
    for (int altitude = kAltitudeRing; altitude < kRightAngle; altitude += kAltitudeRing) {
        const double ring = r * (kRightAngle - altitude) / kRightAngle;
        painter.drawEllipse(centre, ring, ring);
    }
    for (int a = 0; a < 360; a += kTickStep) {
        const bool longTick = a % kLongTickStep == 0;
        painter.setPen(QPen(longTick ? kRim : kFaint, longTick ? 1.5 : 1));
        const QPointF outer = pointOf(a, 0);
        const QPointF inner = centre + (outer - centre) * (longTick ? 0.9 : 0.95);
        painter.drawLine(inner, outer);
    }
    const QFont font = ui::font(QStringLiteral("Helvetica-Bold"), 11);
    for (const Direction& d : kDirections) {
        const QPointF at = centre + (pointOf(d.azimuth, 0) - centre) * ((r + kMargin / 2) / r);
        const QRect box(static_cast<int>(at.x()) - 22, static_cast<int>(at.y()) - 9, 44, 18);
        ui::drawText(painter, box, QString::fromUtf8(d.name), font, d.azimuth == 0 ? kGold : kLabel, ui::TextAlignment::Center);
    }
    // Where one stands.
    painter.setPen(Qt::NoPen);
    painter.setBrush(kLabel);
    painter.drawEllipse(centre, 2.5, 2.5);
}

void CompassView::drawQibla(QPainter& painter) const
{
    const QPointF centre = QRectF(rect()).center();
    const double azimuth = facts_->bearing.azimuth;
    const QPointF end = pointOf(azimuth, 0);
    painter.setPen(QPen(kQibla, 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, end);
    // The Kaaba at the line's end: black, with its golden band, turned
    // with the line.
    painter.save();
    painter.translate(end);
    painter.rotate(azimuth);
    painter.setPen(QPen(kGold, 1));
    painter.setBrush(Qt::black);
    painter.drawRect(QRectF(-kKaabaSide / 2, -kKaabaSide / 2, kKaabaSide, kKaabaSide));
    painter.fillRect(QRectF(-kKaabaSide / 2, -kKaabaSide / 2 + 3, kKaabaSide, 2), kGold);
    painter.restore();

    // The moments the sun stands in line: on its way, with their times,
    // a filled mark facing it and an open one with it behind.
    const QFont font = ui::font(QStringLiteral("Helvetica-Bold"), 11);
    for (qsizetype i = 0; i < facts_->moments.size() && i < facts_->atMoments.size(); ++i) {
        const astronomy::SunDirection& sun = facts_->atMoments[i];
        const QPointF at = pointOf(sun.azimuth, sun.altitude);
        painter.setPen(QPen(Qt::white, 1.5));
        painter.setBrush(facts_->moments[i].behind ? QBrush(Qt::NoBrush) : QBrush(kQibla));
        painter.drawEllipse(at, kMarkRadius, kMarkRadius);
        // The time beside the mark, across the line from the sun's later way.
        const double across = (sun.azimuth + kRightAngle) * kDegree;
        const QPointF label = at + QPointF(std::sin(across), -std::cos(across)) * kLabelOffset;
        const QRect box(static_cast<int>(label.x()) - 22, static_cast<int>(label.y()) - 8, 44, 16);
        ui::drawText(painter, box, QiblaFacts::clock(facts_->moments[i].moment), font, Qt::white, ui::TextAlignment::Center);
    }
}

void CompassView::drawSun(QPainter& painter) const
{
    if (facts_->path.size() > 1) {
        QPainterPath way;
        way.moveTo(pointOf(facts_->path.first().azimuth, facts_->path.first().altitude));
        for (qsizetype i = 1; i < facts_->path.size(); ++i)
            way.lineTo(pointOf(facts_->path[i].azimuth, facts_->path[i].altitude));
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(kSunPath, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(way);
    }
    if (!sunNow_)
        return;
    const QPointF at = pointOf(sunNow_->azimuth, sunNow_->altitude);
    if (astronomy::isUp(*sunNow_)) {
        QRadialGradient glow(at, kSunRadius * 2.2);
        glow.setColorAt(0, QColor(255, 230, 120, 160));
        glow.setColorAt(1, QColor(255, 230, 120, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawEllipse(at, kSunRadius * 2.2, kSunRadius * 2.2);
        painter.setBrush(kSunColour);
        painter.drawEllipse(at, kSunRadius, kSunRadius);
    } else {
        // Below the horizon: a ring on the rim where it stands.
        painter.setPen(QPen(kSunColour, 1.5, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(at, kSunRadius, kSunRadius);
    }
}

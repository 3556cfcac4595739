#pragma once

#include "QiblaFacts.h"

#include "platform/ui/View.h"

#include <optional>

// The sky of a place seen from above, north up and east to the right as on
// a map (a compass is not mirrored for a reader from the right): the
// horizon is the rim and the zenith the centre. On it the Qibla's line
// with the Kaaba at its end, the sun's way over the day, the moments it
// stands in line with the Qibla, and where it stands now.
class CompassView : public ui::View {
public:
    explicit CompassView(const QRect& frame);

    // `sunNow` on the day that is today, else nothing.
    void show(const QiblaFacts& facts, const std::optional<astronomy::SunDirection>& sunNow);

    // Where the sky's point lies on the picture, in the view's points.
    QPointF pointOf(double azimuth, double altitude) const;
    double radius() const;

protected:
    void draw(QPainter& painter) override;

private:
    void drawRose(QPainter& painter) const;
    void drawQibla(QPainter& painter) const;
    void drawSun(QPainter& painter) const;

    std::optional<QiblaFacts> facts_;
    std::optional<astronomy::SunDirection> sunNow_;
};

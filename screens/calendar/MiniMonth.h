#pragma once

#include "calendar/SolarDate.h"
#include "platform/ui/Control.h"

#include <QPointF>
#include <QSet>

// One month of the year at a glance, small: its name, its days in weeks
// from Saturday at the right, Fridays in red, the official holidays on a
// red disc, today in a ring. A tap on it sends TouchUpInside; a screen
// reader hears its name and, as its value, its holidays.
class MiniMonth : public ui::Control {
public:
    // `holidays`: the days of the month that are official holidays;
    // `today`: the day of the month that is today, or 0.
    MiniMonth(const SolarDate& month, const QSet<int>& holidays, int today, const QRect& frame);

    SolarDate month() const { return month_; }
    const QSet<int>& holidays() const { return holidays_; }
    int today() const { return today_; }
    // Where day `day` is drawn, in the month's points.
    QRect dayFrame(int day) const;

    static constexpr int kWeeks = 6;

protected:
    void draw(QPainter& painter) override;
    // A finger that travels is turning the year, not tapping the month.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    static constexpr int kSlop = 10;
    QPointF pressAt_;
    bool travelled_ = false;
    SolarDate month_;
    QSet<int> holidays_;
    int today_ = 0;
};

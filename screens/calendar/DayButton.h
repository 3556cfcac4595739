#pragma once

#include "calendar/LunarCalendar.h"
#include "calendar/SolarDate.h"
#include "platform/ui/Button.h"

#include <QDate>

// A day of the month's grid: its Persian number large, its Gregorian and
// its lunar number small beneath it (the Gregorian at the left, the lunar
// at the right, as the day line under the grid has them), and a mark of
// its own when a reminder of the user's is on it. It knows its whole date,
// so a tap on it can only ever select that date.
class DayButton : public ui::Button {
public:
    DayButton(const SolarDate& date, const QRect& frame);

    SolarDate date() const { return date_; }
    QDate gregorian() const { return gregorian_; }
    // Day 0 where the lunar calendar has no day (never in the data's years).
    HijriDate hijri() const { return hijri_; }
    void setOwn(bool own);
    bool own() const { return own_; }

    // Where the small numbers stand, in the button's points.
    static QRect gregorianFrame();
    static QRect hijriFrame();

protected:
    void draw(QPainter& painter) override;

private:
    SolarDate date_;
    QDate gregorian_;
    HijriDate hijri_;
    bool own_ = false;
};

#pragma once

#include "Control.h"

#include <QTime>

namespace ui {

// A time picker of two wheels, hours (0 to 23) and minutes; a drag spins a
// wheel, a tap above or below its middle turns it by one. Every change
// sends ValueChanged.
class DatePicker : public Control {
public:
    explicit DatePicker(const QRect& frame = QRect(0, 0, 320, 216));

    void setTime(const QTime& time);
    QTime time() const { return QTime(hour_, minute_); }

    // Where a wheel is, in the picker's own points (hours at the left).
    QRect hourWheel() const;
    QRect minuteWheel() const;
    static constexpr int kRowHeight = 44;

protected:
    void draw(QPainter& painter) override;
    // Up and down turn the hours, left and right the minutes.
    bool stepped(int key) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void step(bool hours, int by);
    void drawWheel(QPainter& painter, const QRect& wheel, int value, int count);

    int hour_ = 0;
    int minute_ = 0;
    bool dragging_ = false;
    bool onHours_ = false;
    double pressY_ = 0;
    double lastY_ = 0;
};

} // namespace ui

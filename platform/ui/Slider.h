#pragma once

#include "Control.h"

namespace ui {

// A thumb on a track between a minimum and a maximum; it reports every
// change while it is dragged, and stays where it is left.
class Slider : public Control {
public:
    explicit Slider(const QRect& frame = QRect());

    void setMinimumValue(double value);
    void setMaximumValue(double value);
    double minimumValue() const { return min_; }
    double maximumValue() const { return max_; }
    // Held within the minimum and the maximum.
    void setValue(double value);
    double value() const { return value_; }
    void setContinuous(bool continuous) { continuous_ = continuous; }

    // Where the thumb stands for `value`, in the slider's own points.
    QPoint pointForValue(double value) const;

protected:
    void draw(QPainter& painter) override;
    bool stepped(int key) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    double valueAt(double x) const;
    double trackLeft() const;
    double trackRight() const;

    double min_ = 0;
    double max_ = 1;
    double value_ = 0;
    bool continuous_ = true;
    bool tracking_ = false;
    double grabOffset_ = 0;
};

} // namespace ui

#pragma once

#include "Control.h"

namespace ui {

// An on/off switch; a tap turns it over and sends ValueChanged.
class Switch : public Control {
public:
    explicit Switch(const QRect& frame = QRect());
    void setOn(bool on);
    bool isOn() const { return on_; }

protected:
    void draw(QPainter& painter) override;
    void tapped(const QPoint& at) override;

private:
    bool on_ = false;
};

} // namespace ui

#include "Control.h"

#include <QMouseEvent>
#include <QPointer>

namespace ui {

void Control::addAction(ControlEvent event, std::function<void()> action)
{
    actions_[event].push_back(std::move(action));
}

void Control::sendActions(ControlEvent event)
{
    // An action may close the screen that holds this control.
    QPointer<Control> alive(this);
    const auto it = actions_.find(event);
    if (it == actions_.end())
        return;
    const std::vector<std::function<void()>> copy = it->second;
    for (const auto& action : copy) {
        if (!alive)
            return;
        action();
    }
}

void Control::setEnabled(bool enabled)
{
    enabled_ = enabled;
    update();
}

void Control::setSelected(bool selected)
{
    selected_ = selected;
    update();
}

void Control::setHighlighted(bool highlighted)
{
    highlighted_ = highlighted;
    update();
}

void Control::mousePressEvent(QMouseEvent* event)
{
    if (!enabled_ || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    setHighlighted(true);
}

void Control::mouseMoveEvent(QMouseEvent* event)
{
    if (!enabled_)
        return;
    // A touch may wander a little outside before it stops counting.
    setHighlighted(rect().adjusted(-20, -20, 20, 20).contains(event->position().toPoint()));
}

void Control::mouseReleaseEvent(QMouseEvent* event)
{
    if (!enabled_ || !highlighted_)
        return;
    setHighlighted(false);
    if (rect().adjusted(-20, -20, 20, 20).contains(event->position().toPoint()))
        tapped(event->position().toPoint());
}

void Control::tapped(const QPoint&)
{
    sendActions(ControlEvent::TouchUpInside);
}

} // namespace ui

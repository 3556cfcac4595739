#include "Control.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace ui {

namespace {
const QColor kFocusRing(60, 140, 255);
}

Control::Control(const QRect& frame)
    : View(frame)
{
    // Only the keyboard's Tab brings the focus; a tap does not take it.
    setFocusPolicy(Qt::TabFocus);
}

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

void Control::setControlEnabled(bool enabled)
{
    enabled_ = enabled;
    // A disabled control is passed over by Tab.
    setFocusPolicy(enabled ? Qt::TabFocus : Qt::NoFocus);
    if (!enabled && hasFocus())
        clearFocus();
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

void Control::paintEvent(QPaintEvent* event)
{
    View::paintEvent(event);
    if (!hasFocus() || !keyboardFocus_)
        return;
    // Where the keyboard is.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kFocusRing, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 5, 5);
}

void Control::keyPressEvent(QKeyEvent* event)
{
    if (!enabled_ || event->modifiers() & ~Qt::KeypadModifier) {
        event->ignore();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        activate();
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (stepped(event->key()))
            return;
        break;
    default:
        break;
    }
    event->ignore();
}

void Control::focusInEvent(QFocusEvent* event)
{
    View::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) {
        keyboardFocus_ = true;
    } else if (reason == Qt::ActiveWindowFocusReason && !keyboardFocus_) {
        // The window, coming to the front, hands its focus to its first
        // control; only the keyboard's Tab puts it on a control.
        clearFocus();
        return;
    }
    update();
}

void Control::focusOutEvent(QFocusEvent* event)
{
    View::focusOutEvent(event);
    // The window going to the back keeps the focus where it was.
    if (event->reason() != Qt::ActiveWindowFocusReason)
        keyboardFocus_ = false;
    update();
}

void Control::activate()
{
    if (enabled_)
        tapped(rect().center());
}

bool Control::stepped(int)
{
    return false;
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

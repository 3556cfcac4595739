#include "Swipe.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include <cmath>

namespace ui {

Swipe::Swipe(QWidget* view, std::function<void(int)> sideways)
    : QObject(view), view_(view), sideways_(std::move(sideways))
{
    // The application's events: a press on a control of the view reaches
    // the control, and is heard here too.
    qApp->installEventFilter(this);
}

bool Swipe::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!view_ || !widget || !(widget == view_ || view_->isAncestorOf(widget)) || !view_->isVisible())
        return false;
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return false;
    const QPointF at = static_cast<QMouseEvent*>(event)->globalPosition();
    if (event->type() == QEvent::MouseButtonPress) {
        start_ = at;
        pressed_ = true;
        return false;
    }
    if (!pressed_)
        return false;
    pressed_ = false;
    const QPointF moved = at - start_;
    if (std::abs(moved.x()) >= kDistance && std::abs(moved.y()) < std::abs(moved.x()) / 2 && sideways_)
        sideways_(moved.x() > 0 ? 1 : -1);
    return false;
}

} // namespace ui

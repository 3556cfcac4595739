#pragma once

#include <QPoint>
#include <QString>

namespace ui {

class Window;

// Touches and keys as the window system delivers them, at points of the
// screen: the widget under the finger gets the press and keeps the touch
// until it is released.
namespace touch {
void press(Window* window, const QPoint& at);
void move(Window* window, const QPoint& to);
void release(Window* window, const QPoint& at);
void tap(Window* window, const QPoint& at);
// Press, move in steps, release.
void drag(Window* window, const QPoint& from, const QPoint& to, int steps = 8);
void type(Window* window, const QString& text);
void key(Window* window, int key);
} // namespace touch

} // namespace ui

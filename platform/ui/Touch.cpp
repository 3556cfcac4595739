#include "Touch.h"

#include "Window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

namespace ui::touch {

namespace {

Qt::MouseButtons held = Qt::NoButton;

void send(Window* window, QEvent::Type type, const QPoint& at, Qt::MouseButton button)
{
    QWindow* handle = window->windowHandle();
    if (!handle)
        return;
    const QPointF local(at);
    const QPointF global = window->mapToGlobal(local);
    if (type == QEvent::MouseButtonPress)
        held = Qt::LeftButton;
    QMouseEvent event(type, local, local, global, button, held, Qt::NoModifier);
    if (type == QEvent::MouseButtonRelease)
        held = Qt::NoButton;
    // Through the window, as real input: it finds the widget and grabs.
    QApplication::sendEvent(handle, &event);
}

// The widget with the keyboard focus in the window, active or not.
QWidget* focusTarget(Window* window)
{
    if (QWidget* focus = window->focusWidget())
        return focus;
    return QApplication::focusWidget() ? QApplication::focusWidget() : window;
}

} // namespace

void press(Window* window, const QPoint& at)
{
    send(window, QEvent::MouseButtonPress, at, Qt::LeftButton);
}

void move(Window* window, const QPoint& to)
{
    send(window, QEvent::MouseMove, to, Qt::NoButton);
}

void release(Window* window, const QPoint& at)
{
    send(window, QEvent::MouseButtonRelease, at, Qt::LeftButton);
}

void tap(Window* window, const QPoint& at)
{
    press(window, at);
    release(window, at);
}

void drag(Window* window, const QPoint& from, const QPoint& to, int steps)
{
    press(window, from);
    for (int i = 1; i <= steps; ++i)
        move(window, from + (to - from) * i / steps);
    release(window, to);
}

void type(Window* window, const QString& text)
{
    QWidget* target = focusTarget(window);
    // One key per character, a character outside the basic plane (an emoji)
    // included: its two halves go together.
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
        const QString character = text.mid(i, length);
        i += length;
        QKeyEvent down(QEvent::KeyPress, 0, Qt::NoModifier, character);
        QApplication::sendEvent(target, &down);
        QKeyEvent up(QEvent::KeyRelease, 0, Qt::NoModifier, character);
        QApplication::sendEvent(target, &up);
    }
}

void key(Window* window, int key)
{
    QWidget* target = focusTarget(window);
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &up);
}

} // namespace ui::touch

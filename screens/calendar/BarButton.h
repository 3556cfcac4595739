#pragma once

#include <QRect>
#include <QString>

namespace ui {
class Button;
class View;
} // namespace ui

// A button of the calendar's dark bars (and of the screens it opens), made
// in `parent`: white bold title on a faint white ground, rounded.
ui::Button* addBarButton(ui::View& parent, const QString& title, const QRect& frame);

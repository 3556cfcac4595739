#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <optional>

namespace ui {

class Window;

// Screen readers see the views through Qt's accessibility interface: every
// label, button, switch, slider, row, tab and page says what it is (its
// role) and what it is called (its name), in Persian. A view takes the name
// it is given (QWidget::setAccessibleName) or one from what it shows: a
// label its text, a button its title, a row its texts, a switch or slider
// the text of the row it stands in.
void installAccessibility();

// A number in Persian digits, for what a screen reader is told.
QString persianNumber(int n);

// One element of the window's accessibility tree as a screen reader gets
// it: its role ("Button", "StaticText", ...), name and value, where it is
// in the window's points, and how deep in the tree.
struct AccessibleElement {
    QString role;
    QString name;
    QString value;
    QRect frame;
    int depth = 0;
    bool enabled = true;
    bool checked = false;
};
// The elements the user can see now, in the tree's order: none that is
// hidden, empty or out of the window (a page scrolled away).
QList<AccessibleElement> accessibleTree(Window* window);
// The tree as JSON: {"elements": [{"role", "name", "value", "frame":
// [x, y, width, height], "depth", "enabled", "checked"}, ...]}.
QByteArray accessibleTreeJson(Window* window);
// The element a finger looking for `name` would touch: a control, else a
// row named so, else any element named so, else a row whose name begins with
// it and a comma ("تاریخ قمری، ٢٨ جمادی‌الثانی"); the `nth` (from 1) of
// them when several are. Digits match in any shape.
std::optional<AccessibleElement> findAccessible(Window* window, const QString& name, int nth = 1);

} // namespace ui

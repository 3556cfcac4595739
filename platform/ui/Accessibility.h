#pragma once

#include <QString>

namespace ui {

// Screen readers see the views through Qt's accessibility interface: every
// label, button, switch, slider, row, tab and page says what it is (its
// role) and what it is called (its name), in Persian. A view takes the name
// it is given (QWidget::setAccessibleName) or one from what it shows: a
// label its text, a button its title, a row its texts, a switch or slider
// the text of the row it stands in.
void installAccessibility();

// A number in Persian digits, for what a screen reader is told.
QString persianNumber(int n);

} // namespace ui

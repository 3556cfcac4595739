#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

namespace ui {

enum class TextAlignment { Left, Center, Right };

// What the screen shows for a text. The texts keep the Arabic-Indic digits
// (U+0660 to U+0669) that the rest of the app writes; a Persian reader
// expects the Persian shapes of four, five and six, so they are drawn with
// the Extended Arabic-Indic digits (U+06F0 to U+06F9).
QString shownText(const QString& text);

// The smallest size a shrinking text goes down to, for a font of `size`.
double minimumFontSize(double size);

// The font, at most `font`'s size and at least `minimumSize`, at which one
// line of `text` fits `box`: its width, and the height of its letters.
QFont fittingFont(const QString& text, const QFont& font, const QSize& box, double minimumSize);

// Draws `text` in `rect` the way labels and controls do: one line (cut with
// an ellipsis if it does not fit even at the minimum size) or, with `lines`
// other than 1, wrapped. A text that does not fit shrinks first, down to
// `minimumSize` (0: minimumFontSize of its font); shrinkToFit off never
// shrinks. Alignment is absolute: "left" is the left edge whatever the
// direction of the text.
void drawText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font, const QColor& color,
    TextAlignment alignment, int lines = 1, bool shrinkToFit = true, double minimumSize = 0);

// Whether drawText shows all of `text` in a frame of `size`, with nothing
// cut off.
bool showsWhole(const QString& text, const QFont& font, const QSize& size, int lines = 1, bool shrinkToFit = true,
    double minimumSize = 0);

} // namespace ui

#pragma once

#include "TextDrawing.h"
#include "View.h"

#include <QFont>

namespace ui {

// One or more lines of text with an optional shadow. A text too large for
// the frame shrinks, down to a minimum size, before it is cut.
class Label : public View {
public:
    explicit Label(const QRect& frame = QRect());

    void setText(const QString& text);
    QString text() const { return text_; }
    void setTextFont(const QFont& font);
    QFont textFont() const { return font_; }
    void setTextColor(const QColor& color);
    QColor textColor() const { return color_; }
    void setShadowColor(const QColor& color);
    void setShadowOffset(const QSize& offset);
    QSize shadowOffset() const { return shadowOffset_; }
    void setTextAlignment(TextAlignment alignment);
    TextAlignment textAlignment() const { return alignment_; }
    // 0: as many lines as fit.
    void setNumberOfLines(int lines);
    void setAdjustsFontSizeToFitWidth(bool adjusts);
    // 0: half the font's size.
    void setMinimumFontSize(double size);
    // Whether the frame shows the whole text, or only its beginning.
    bool isTruncated() const;

protected:
    void draw(QPainter& painter) override;

private:
    QString text_;
    QFont font_;
    QColor color_ = Qt::black;
    QColor shadow_ = Qt::transparent;
    QSize shadowOffset_{0, -1};
    TextAlignment alignment_ = TextAlignment::Left;
    int lines_ = 1;
    bool adjusts_ = true;
    double minimumSize_ = 0;
};

} // namespace ui

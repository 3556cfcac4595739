#include "Label.h"

#include "Style.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

namespace ui {

Label::Label(const QRect& frame)
    : View(frame), font_(ui::font(QStringLiteral("Helvetica"), 17))
{
    setUserInteractionEnabled(false);
}

void Label::setText(const QString& text)
{
    text_ = text;
    update();
}

void Label::setFont(const QFont& font)
{
    font_ = font;
    update();
}

void Label::setTextColor(const QColor& color)
{
    color_ = color;
    update();
}

void Label::setShadowColor(const QColor& color)
{
    shadow_ = color;
    update();
}

void Label::setShadowOffset(const QSize& offset)
{
    shadowOffset_ = offset;
    update();
}

void Label::setTextAlignment(TextAlignment alignment)
{
    alignment_ = alignment;
    update();
}

void Label::setNumberOfLines(int lines)
{
    lines_ = lines;
    update();
}

void Label::setAdjustsFontSizeToFitWidth(bool adjusts)
{
    adjusts_ = adjusts;
    update();
}

void Label::draw(QPainter& painter)
{
    if (shadow_.alpha() > 0)
        drawText(painter, rect().translated(shadowOffset_.width(), shadowOffset_.height()), text_, font_, shadow_, alignment_,
            lines_, adjusts_);
    drawText(painter, rect(), text_, font_, color_, alignment_, lines_, adjusts_);
}

void drawText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font, const QColor& color,
    TextAlignment alignment, int lines, bool shrinkToFit)
{
    if (text.isEmpty())
        return;
    QFont f = font;
    if (shrinkToFit) {
        while (f.pixelSize() > 8 && QFontMetrics(f).horizontalAdvance(text) > rect.width())
            f.setPixelSize(f.pixelSize() - 1);
    }
    painter.setFont(f);
    painter.setPen(color);
    // Alignment is absolute: "left" means the left edge whatever the
    // direction of the text; the direction of each text comes from its letters.
    int flags = Qt::AlignAbsolute | Qt::AlignVCenter;
    flags |= alignment == TextAlignment::Left ? Qt::AlignLeft : alignment == TextAlignment::Right ? Qt::AlignRight : Qt::AlignHCenter;
    // Each text runs in the direction of its first letters: a Persian one
    // from the right, with its ellipsis, if any, at its left end.
    painter.setLayoutDirection(text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    const QFontMetrics metrics(f);
    if (lines == 1) {
        const QString shown = metrics.elidedText(text, Qt::ElideRight, rect.width());
        painter.drawText(rect, flags | Qt::TextSingleLine, shown);
    } else {
        painter.drawText(rect, flags | Qt::TextWordWrap, text);
    }
}

} // namespace ui

#include "Label.h"

#include "Style.h"

#include <QAccessible>
#include <QPainter>

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
    // A screen reader on the label hears the new text.
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

void Label::setTextFont(const QFont& font)
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

void Label::setMinimumFontSize(double size)
{
    minimumSize_ = size;
    update();
}

bool Label::isTruncated() const
{
    return !showsWhole(text_, font_, size(), lines_, adjusts_, minimumSize_);
}

void Label::draw(QPainter& painter)
{
    if (shadow_.alpha() > 0)
        drawText(painter, rect().translated(shadowOffset_.width(), shadowOffset_.height()), text_, font_, shadow_, alignment_,
            lines_, adjusts_, minimumSize_);
    drawText(painter, rect(), text_, font_, color_, alignment_, lines_, adjusts_, minimumSize_);
}

} // namespace ui

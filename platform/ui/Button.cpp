#include "Button.h"

#include "Style.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace ui {

Button::Button(Type type, const QRect& frame)
    : Control(frame), type_(type), font_(ui::font(QStringLiteral("Helvetica-Bold"), 15))
{
    setCursor(Qt::PointingHandCursor);
}

void Button::setTitle(const QString& title, ControlState state)
{
    titles_[state] = title;
    update();
}

void Button::setTitleColor(const QColor& color, ControlState state)
{
    titleColors_[state] = color;
    update();
}

void Button::setImage(const QPixmap& image, ControlState state)
{
    images_[state] = image;
    update();
}

void Button::setBackgroundImage(const QPixmap& image, ControlState state)
{
    backgrounds_[state] = image;
    update();
}

void Button::setTitleFont(const QFont& font)
{
    font_ = font;
    update();
}

void Button::setShowsTouchWhenHighlighted(bool shows)
{
    showsTouch_ = shows;
}

ControlState Button::state() const
{
    if (isHighlighted())
        return ControlState::Highlighted;
    if (isSelected())
        return ControlState::Selected;
    return ControlState::Normal;
}

template <typename T>
T Button::lookup(const std::map<ControlState, T>& values, const T& fallback) const
{
    // A state without its own value shows the normal state's.
    auto it = values.find(state());
    if (it == values.end() && isHighlighted() && isSelected())
        it = values.find(ControlState::Selected);
    if (it == values.end())
        it = values.find(ControlState::Normal);
    return it == values.end() ? fallback : it->second;
}

QString Button::currentTitle() const
{
    return lookup(titles_, QString());
}

QColor Button::currentTitleColor() const
{
    return lookup(titleColors_, type_ == Type::Custom ? QColor(Qt::white) : QColor(0x32, 0x4f, 0x85));
}

QPixmap Button::currentImage() const
{
    return lookup(images_, QPixmap());
}

QPixmap Button::currentBackgroundImage() const
{
    return lookup(backgrounds_, QPixmap());
}

void Button::draw(QPainter& painter)
{
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF r = QRectF(rect());
    if (type_ == Type::InfoLight) {
        // A white ring with an "i", as the light info button.
        const double d = std::min(r.width(), r.height()) - 2;
        const QRectF circle(r.center().x() - d / 2, r.center().y() - d / 2, d, d);
        painter.setPen(QPen(isHighlighted() ? QColor(200, 200, 200) : Qt::white, 1.6));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(circle);
        // The "i" is drawn, not set in a font: a font of its own would be
        // loaded for one letter.
        const QColor ink = painter.pen().color();
        const double x = circle.center().x();
        const double top = circle.top();
        const double stem = d * 0.15;
        QPainterPath letter;
        letter.addEllipse(QPointF(x, top + d * 0.27), d * 0.09, d * 0.09);
        letter.addRect(QRectF(x - stem / 2, top + d * 0.42, stem, d * 0.34));
        letter.addRect(QRectF(x - stem / 2 - d * 0.08, top + d * 0.42, d * 0.08 + stem / 2, d * 0.06));
        letter.addRect(QRectF(x - stem / 2 - d * 0.08, top + d * 0.76 - d * 0.06, stem + d * 0.16, d * 0.06));
        letter.setFillRule(Qt::WindingFill);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(letter, ink);
        return;
    }

    const QPixmap background = currentBackgroundImage();
    if (!background.isNull())
        painter.drawPixmap(rect(), background);
    const QPixmap picture = currentImage();
    if (!picture.isNull()) {
        const QSizeF size = picture.deviceIndependentSize().scaled(r.size(), Qt::KeepAspectRatio);
        const QRectF at(r.center().x() - size.width() / 2, r.center().y() - size.height() / 2, size.width(), size.height());
        const bool darken = isHighlighted() && !showsTouch_;
        painter.drawPixmap(at, darken ? tinted(picture, QColor(0, 0, 0, 90)) : picture, QRectF(picture.rect()));
    }
    const QString title = currentTitle();
    if (!title.isEmpty())
        drawText(painter, rect(), title, font_, currentTitleColor(), TextAlignment::Center);
    if (isHighlighted() && showsTouch_) {
        // The soft glow of a touch.
        QRadialGradient glow(r.center(), std::max(r.width(), r.height()) / 2);
        glow.setColorAt(0, QColor(255, 255, 255, 170));
        glow.setColorAt(1, QColor(255, 255, 255, 0));
        painter.fillRect(r, glow);
    }
}

} // namespace ui

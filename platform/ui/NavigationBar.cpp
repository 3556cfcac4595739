#include "NavigationBar.h"

#include "BarButtonItem.h"
#include "Button.h"
#include "NavigationController.h"
#include "Style.h"
#include "TextDrawing.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

namespace ui {

namespace {

// A button of the bar: bordered, or blue for Done, grayed when disabled.
class BarButton : public Button {
public:
    BarButton(BarButtonItem* item, bool back) : Button(Type::Custom), item_(item), back_(back) {}

protected:
    void draw(QPainter& painter) override
    {
        const bool enabled = isControlEnabled();
        const bool done = item_ && item_->style() == BarButtonItem::Style::Done;
        QRectF r = QRectF(rect()).adjusted(1, 7, -1, -7);
        QPainterPath shape;
        if (back_) {
            // The back button points to where the screen came from: the
            // leading side, the right where screens read from the right.
            shape.moveTo(r.left(), r.center().y());
            shape.lineTo(r.left() + 10, r.top());
            shape.lineTo(r.right() - 4, r.top());
            shape.quadTo(r.right(), r.top(), r.right(), r.top() + 4);
            shape.lineTo(r.right(), r.bottom() - 4);
            shape.quadTo(r.right(), r.bottom(), r.right() - 4, r.bottom());
            shape.lineTo(r.left() + 10, r.bottom());
            shape.closeSubpath();
            if (rightToLeft())
                shape = QTransform(-1, 0, 0, 1, width(), 0).map(shape);
        } else {
            shape.addRoundedRect(r, 5, 5);
        }
        QLinearGradient fill(r.topLeft(), r.bottomLeft());
        const QColor base = done ? QColor(40, 100, 220) : QColor(70, 70, 74);
        fill.setColorAt(0, (isHighlighted() ? base.darker(140) : base).lighter(135));
        fill.setColorAt(1, isHighlighted() ? base.darker(140) : base);
        painter.setOpacity(enabled ? 1.0 : 0.45);
        painter.fillPath(shape, fill);
        painter.setPen(QPen(QColor(0, 0, 0, 160), 1));
        painter.drawPath(shape);
        QString text = currentTitle();
        if (item_ && item_->systemItem() == BarButtonItem::SystemItem::Search) {
            // A magnifying glass.
            painter.setPen(QPen(Qt::white, 2));
            const QPointF c = r.center() + QPointF(-2, -2);
            painter.drawEllipse(c, 5, 5);
            painter.drawLine(c + QPointF(3.6, 3.6), c + QPointF(8, 8));
            text.clear();
        } else if (item_ && item_->systemItem() == BarButtonItem::SystemItem::Add) {
            painter.setPen(QPen(Qt::white, 2.4));
            painter.drawLine(r.center() + QPointF(-6, 0), r.center() + QPointF(6, 0));
            painter.drawLine(r.center() + QPointF(0, -6), r.center() + QPointF(0, 6));
            text.clear();
        }
        if (!text.isEmpty())
            drawText(painter, rect().adjusted(back_ && !rightToLeft() ? 8 : 0, 0, back_ && rightToLeft() ? -8 : 0, 0), text, titleFont(), Qt::white,
                TextAlignment::Center);
    }

private:
    QPointer<BarButtonItem> item_;
    bool back_;
};

Button* makeBarButton(BarButtonItem* item, const QString& backTitle, std::function<void()> onBack, QWidget* parent)
{
    auto* button = new BarButton(item, !item);
    button->setParent(parent);
    button->setTitleFont(ui::font(QStringLiteral("Helvetica-Bold"), 13));
    const QString title = item ? item->title() : backTitle;
    button->setTitle(title);
    if (item)
        button->setAccessibleName(item->accessibilityLabel());
    const int w = item && (item->systemItem() == BarButtonItem::SystemItem::Search || item->systemItem() == BarButtonItem::SystemItem::Add)
        ? 40
        : std::clamp(QFontMetrics(button->titleFont()).horizontalAdvance(title) + 22, 50, 110);
    button->resize(w, NavigationController::kBarHeight);
    if (item) {
        button->setControlEnabled(item->isEnabled());
        QPointer<BarButtonItem> target(item);
        button->addAction(ControlEvent::TouchUpInside, [target] {
            if (target)
                target->trigger();
        });
    } else {
        button->addAction(ControlEvent::TouchUpInside, std::move(onBack));
    }
    button->show();
    return button;
}

} // namespace

NavigationBar::NavigationBar()
    : View(QRect(0, 0, 320, NavigationController::kBarHeight))
{
}

Button* NavigationBar::leftButton() const
{
    return left_.data();
}

Button* NavigationBar::rightButton() const
{
    return right_.data();
}

void NavigationBar::setBlack(bool black)
{
    black_ = black;
    update();
}

void NavigationBar::setContent(const QString& title, BarButtonItem* left, BarButtonItem* right, const QString& back, std::function<void()> onBack,
    std::function<void()> onTitle)
{
    title_ = title;
    onTitle_ = std::move(onTitle);
    setCursor(onTitle_ ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (left_)
        left_->removeFromSuperview();
    if (right_)
        right_->removeFromSuperview();
    left_ = nullptr;
    right_ = nullptr;
    // The leading button (the back button, or the left item) at the side
    // screens read from, the other at the far side.
    if (left || !back.isEmpty()) {
        left_ = makeBarButton(left, back, std::move(onBack), this);
        left_->move(leading(QRect(5, 0, left_->width(), left_->height()), width()).topLeft());
    }
    if (right) {
        right_ = makeBarButton(right, QString(), {}, this);
        right_->move(leading(QRect(width() - right_->width() - 5, 0, right_->width(), right_->height()), width()).topLeft());
    }
    update();
}

QRect NavigationBar::titleRect() const
{
    const int inset = std::max(left_ ? left_->width() + 10 : 10, right_ ? right_->width() + 10 : 10);
    return QRect(inset, 0, width() - 2 * inset, height());
}

void NavigationBar::mousePressEvent(QMouseEvent*) {}

void NavigationBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (onTitle_ && titleRect().contains(event->position().toPoint())) {
        const std::function<void()> action = onTitle_;
        action();
    }
}

void NavigationBar::draw(QPainter& painter)
{
    QLinearGradient fill(0, 0, 0, height());
    if (black_) {
        fill.setColorAt(0, QColor(58, 58, 60));
        fill.setColorAt(0.5, QColor(22, 22, 24));
        fill.setColorAt(1, QColor(8, 8, 8));
    } else {
        fill.setColorAt(0, QColor(176, 188, 205));
        fill.setColorAt(1, QColor(109, 132, 162));
    }
    painter.fillRect(rect(), fill);
    painter.setPen(QColor(0, 0, 0));
    painter.drawLine(0, height() - 1, width(), height() - 1);
    const QRect r = titleRect();
    drawText(painter, r.translated(0, -1), title_, ui::font(QStringLiteral("Helvetica-Bold"), 19), QColor(0, 0, 0, 160), TextAlignment::Center,
        1, true);
    drawText(painter, r, title_, ui::font(QStringLiteral("Helvetica-Bold"), 19), Qt::white, TextAlignment::Center, 1, true);
}

} // namespace ui

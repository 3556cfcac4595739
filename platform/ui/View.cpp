#include "View.h"

#include "Accessibility.h"
#include "Style.h"

#include <QGraphicsOpacityEffect>
#include <QHideEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVariantAnimation>

namespace ui {

View::View(const QRect& frame)
{
    installAccessibility();
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(frame);
    laidOut_ = frame.size();
}

void View::setFrame(const QRect& frame)
{
    setGeometry(frame);
    // At once, not at the resize event: a view off screen gets that only
    // when it is shown, and subviews may be added before.
    autoresizeSubviews();
}

void View::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    autoresizeSubviews();
}

void View::autoresizeSubviews()
{
    const QSize now = size();
    if (now == laidOut_)
        return;
    const int dw = now.width() - laidOut_.width();
    const int dh = now.height() - laidOut_.height();
    laidOut_ = now;
    for (QObject* child : children()) {
        auto* v = dynamic_cast<View*>(child);
        if (!v || v->autoresizing_ == FlexibleNone)
            continue;
        QRect r = v->frame();
        if (v->autoresizing_ & FlexibleWidth)
            r.setWidth(std::max(0, r.width() + dw));
        else if (v->autoresizing_ & FlexibleLeftMargin)
            r.translate(dw, 0);
        if (v->autoresizing_ & FlexibleHeight)
            r.setHeight(std::max(0, r.height() + dh));
        else if (v->autoresizing_ & FlexibleTopMargin)
            r.translate(0, dh);
        v->setFrame(r);
    }
}

View::~View() = default;

void View::addSubview(View* view)
{
    // A subview placed by this view's present size.
    autoresizeSubviews();
    view->setParent(subviewParent());
    view->show();
}

void View::insertSubview(View* view, int index)
{
    autoresizeSubviews();
    QWidget* parent = subviewParent();
    const QList<View*> siblings = subviews();
    view->setParent(parent);
    view->show();
    if (index < siblings.size())
        view->stackUnder(siblings[index]);
    else
        view->raise();
}

void View::removeFromSuperview()
{
    if (!parentWidget())
        return;
    hide();
    setParent(nullptr);
    deleteLater();
}

QList<View*> View::subviews() const
{
    // Children in their stacking order, back to front.
    const QWidget* parent = const_cast<View*>(this)->subviewParent();
    QList<View*> views;
    for (QObject* child : parent->children()) {
        if (auto* v = dynamic_cast<View*>(child))
            views.append(v);
    }
    return views;
}

View* View::superview() const
{
    for (QWidget* p = parentWidget(); p; p = p->parentWidget()) {
        if (auto* v = dynamic_cast<View*>(p))
            return v;
    }
    return nullptr;
}

void View::setBackgroundColor(const QColor& color)
{
    background_ = color;
    update();
}

void View::setAlpha(double alpha)
{
    alpha_ = std::clamp(alpha, 0.0, 1.0);
    if (alpha_ >= 1.0) {
        setGraphicsEffect(nullptr);
    } else {
        auto* effect = qobject_cast<QGraphicsOpacityEffect*>(graphicsEffect());
        if (!effect) {
            effect = new QGraphicsOpacityEffect(this);
            setGraphicsEffect(effect);
        }
        effect->setOpacity(alpha_);
    }
    // A view that is all but invisible takes no touches, as on a phone.
    setAttribute(Qt::WA_TransparentForMouseEvents, !interaction_ || alpha_ < 0.01);
    update();
}

void View::setCornerRadius(double radius)
{
    cornerRadius_ = radius;
    update();
}

void View::setUserInteractionEnabled(bool enabled)
{
    interaction_ = enabled;
    setAttribute(Qt::WA_TransparentForMouseEvents, !enabled || alpha_ < 0.01);
}

void View::animateAlpha(double to, int ms)
{
    const int duration = animationMs(ms);
    if (duration == 0) {
        setAlpha(to);
        return;
    }
    auto* animation = new QVariantAnimation(this);
    animation->setStartValue(alpha_);
    animation->setEndValue(to);
    animation->setDuration(duration);
    animation->setEasingCurve(QEasingCurve::OutQuad);
    connect(animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) { setAlpha(v.toDouble()); });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void View::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (cornerRadius_ > 0) {
        QPainterPath clip;
        clip.addRoundedRect(QRectF(rect()), cornerRadius_, cornerRadius_);
        painter.setClipPath(clip);
    }
    if (background_.alpha() > 0)
        painter.fillRect(rect(), background_);
    draw(painter);
}

void View::draw(QPainter&) {}

void View::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // The keyboard goes away with the view that had it, as on a phone. Qt
    // would pass it on to the next field it finds, with its text selected.
    // A window going to the back (a hide from the system) keeps it.
    if (event->spontaneous())
        return;
    QWidget* top = window();
    QWidget* focus = top && top != this ? top->focusWidget() : nullptr;
    if (focus && isAncestorOf(focus))
        focus->clearFocus();
}


} // namespace ui

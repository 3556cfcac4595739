#include "ScrollView.h"

#include "Style.h"

#include <QMouseEvent>
#include <QTimer>

namespace ui {

namespace {
constexpr double kDragSlop = 6;       // points a touch moves before it drags
constexpr double kPageFlick = 40;     // points of drag that turn the page
constexpr int kSnapMs = 250;
constexpr int kScrollMs = 300;
} // namespace

ScrollView::ScrollView(const QRect& frame)
    : View(frame), content_(new View(QRect(QPoint(0, 0), frame.size())))
{
    content_->setParent(this);
    content_->show();
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    content_->installEventFilter(this);
}

QWidget* ScrollView::subviewParent()
{
    return content_;
}

void ScrollView::setContentSize(const QSize& size)
{
    contentSize_ = size;
    content_->resize(size.expandedTo(this->size()));
}

void ScrollView::resizeEvent(QResizeEvent* event)
{
    View::resizeEvent(event);
    content_->resize(contentSize_.expandedTo(size()));
}

QPointF ScrollView::clamped(const QPointF& offset) const
{
    const double maxX = std::max(0, contentSize_.width() - width());
    const double maxY = std::max(0, contentSize_.height() - height());
    return {std::clamp(offset.x(), 0.0, maxX), std::clamp(offset.y(), 0.0, maxY)};
}

void ScrollView::applyOffset(const QPointF& offset)
{
    if (offset == offset_)
        return;
    offset_ = offset;
    content_->move(-qRound(offset.x()), -qRound(offset.y()));
    update();
    contentOffsetChanged();
    if (delegate_)
        delegate_->scrollViewDidScroll(this);
}

void ScrollView::animateTo(const QPointF& target, int ms, bool programmatic)
{
    if (animation_)
        animation_->stop();
    const int duration = animationMs(ms);
    QPointer<ScrollView> self(this);
    ending_ = [self, programmatic] {
        if (!self || !self->delegate_)
            return;
        if (programmatic)
            self->delegate_->scrollViewDidEndScrollingAnimation(self);
        else
            self->delegate_->scrollViewDidEndDecelerating(self);
    };
    auto finish = [self] {
        if (self)
            if (std::function<void()> end = std::exchange(self->ending_, nullptr))
                end();
    };
    if (duration == 0) {
        applyOffset(target);
        // As on a phone, the end of a scroll animation is reported later,
        // never from inside the call that started it.
        QTimer::singleShot(0, this, finish);
        return;
    }
    auto* animation = new QVariantAnimation(this);
    animation->setStartValue(offset_);
    animation->setEndValue(target);
    animation->setDuration(duration);
    animation->setEasingCurve(QEasingCurve::OutCubic);
    connect(animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) { applyOffset(v.toPointF()); });
    connect(animation, &QVariantAnimation::finished, this, finish);
    animation_ = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void ScrollView::finishScrolling()
{
    if (animation_) {
        const QPointF target = animation_->endValue().toPointF();
        animation_->stop();
        applyOffset(target);
    }
    if (std::function<void()> end = std::exchange(ending_, nullptr))
        end();
}

void ScrollView::setContentOffset(const QPointF& offset, bool animated)
{
    if (animated)
        animateTo(offset, kScrollMs, true);
    else {
        if (animation_)
            animation_->stop();
        ending_ = nullptr;
        applyOffset(offset);
    }
}

void ScrollView::scrollRectToVisible(const QRect& rect, bool animated)
{
    QPointF target = offset_;
    const QRectF visible(offset_, QSizeF(size()));
    if (rect.left() < visible.left() || rect.width() > width())
        target.setX(rect.left());
    else if (rect.x() + rect.width() > visible.right())
        target.setX(rect.x() + rect.width() - width());
    if (rect.top() < visible.top() || rect.height() > height())
        target.setY(rect.top());
    else if (rect.y() + rect.height() > visible.bottom())
        target.setY(rect.y() + rect.height() - height());
    target = clamped(target);
    if (target == offset_)
        return;
    setContentOffset(target, animated);
}

void ScrollView::beginTouch(const QPointF& at)
{
    touching_ = true;
    dragging_ = false;
    touchStart_ = at;
    offsetAtTouch_ = offset_;
    // A page still scrolling in counts as reached: a swipe now turns on from
    // it, not back to where the scroll began.
    pageAtTouch_ = animation_ && animation_->state() == QAbstractAnimation::Running ? animation_->endValue().toPointF() : offset_;
}

bool ScrollView::moveTouch(const QPointF& at)
{
    if (!touching_ || !scrollEnabled_)
        return false;
    const QPointF delta = at - touchStart_;
    if (!dragging_) {
        if (std::abs(delta.x()) < kDragSlop && std::abs(delta.y()) < kDragSlop)
            return false;
        dragging_ = true;
        if (animation_)
            animation_->stop();
        ending_ = nullptr;
        if (delegate_)
            delegate_->scrollViewWillBeginDragging(this);
    }
    applyOffset(clamped(offsetAtTouch_ - delta));
    return true;
}

void ScrollView::endTouch(const QPointF& at)
{
    const bool wasDragging = dragging_;
    touching_ = false;
    dragging_ = false;
    if (!wasDragging)
        return;
    if (!paging_) {
        if (delegate_)
            delegate_->scrollViewDidEndDecelerating(this);
        return;
    }
    // Whole pages: a drag past the flick distance turns one page that way.
    const QPointF delta = at - touchStart_;
    auto page = [](double start, double d, int extent) {
        if (extent <= 0)
            return 0.0;
        const double startPage = std::round(start / extent);
        if (d <= -kPageFlick)
            return (startPage + 1) * extent;
        if (d >= kPageFlick)
            return (startPage - 1) * extent;
        return startPage * extent;
    };
    const QPointF target = clamped({page(pageAtTouch_.x(), delta.x(), width()), page(pageAtTouch_.y(), delta.y(), height())});
    animateTo(target, kSnapMs, false);
}

void ScrollView::mousePressEvent(QMouseEvent* event)
{
    beginTouch(event->globalPosition());
}

void ScrollView::mouseMoveEvent(QMouseEvent* event)
{
    moveTouch(event->globalPosition());
}

void ScrollView::mouseReleaseEvent(QMouseEvent* event)
{
    endTouch(event->globalPosition());
}

bool ScrollView::eventFilter(QObject* watched, QEvent* event)
{
    // Touches on the content itself (not on a control in it) scroll this
    // view or, when it cannot scroll, the scroll view around it; a touch
    // that does not move is a tap.
    if (watched != content_)
        return View::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return View::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    switch (type) {
    case QEvent::MouseButtonPress: {
        if (mouse->button() != Qt::LeftButton)
            return true;
        outer_ = nullptr;
        for (QWidget* p = parentWidget(); p; p = p->parentWidget()) {
            if (auto* s = dynamic_cast<ScrollView*>(p)) {
                outer_ = s;
                break;
            }
        }
        beginTouch(mouse->globalPosition());
        if (outer_)
            outer_->beginTouch(mouse->globalPosition());
        tapStart_ = mouse->position().toPoint();
        contentPressed(tapStart_);
        return true;
    }
    case QEvent::MouseMove: {
        if (!touching_)
            return true;
        const bool moved = moveTouch(mouse->globalPosition());
        const bool outerMoved = !moved && outer_ && !scrollEnabled_ && outer_->moveTouch(mouse->globalPosition());
        if (moved || outerMoved)
            contentPressCancelled();
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (!touching_)
            return true;
        const bool dragged = dragging_ || (outer_ && outer_->dragging_);
        endTouch(mouse->globalPosition());
        if (outer_)
            outer_->endTouch(mouse->globalPosition());
        outer_ = nullptr;
        if (!dragged)
            contentTapped(tapStart_);
        return true;
    }
    default:
        return View::eventFilter(watched, event);
    }
}

} // namespace ui

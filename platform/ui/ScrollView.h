#pragma once

#include "ScrollViewDelegate.h"
#include "View.h"

#include <QPointF>
#include <QPointer>
#include <QVariantAnimation>

#include <functional>

namespace ui {

// A view whose content is larger than itself and moves under it, by drags
// (page by page when paging is on) or by the program.
class ScrollView : public View {
public:
    explicit ScrollView(const QRect& frame = QRect());

    void setContentSize(const QSize& size);
    QSize contentSize() const { return contentSize_; }
    void setContentOffset(const QPointF& offset, bool animated = false);
    QPointF contentOffset() const { return offset_; }
    // Scrolls as little as needed to show `rect` of the content.
    void scrollRectToVisible(const QRect& rect, bool animated);
    // Ends a scroll in progress where it was going, and tells the delegate
    // that it ended, now.
    void finishScrolling();

    void setPagingEnabled(bool enabled) { paging_ = enabled; }
    bool isPagingEnabled() const { return paging_; }
    void setScrollEnabled(bool enabled) { scrollEnabled_ = enabled; }
    bool isScrollEnabled() const { return scrollEnabled_; }
    void setDelegate(ScrollViewDelegate* delegate) { delegate_ = delegate; }

    // The view that holds the subviews and moves.
    View* contentView() const { return content_; }

protected:
    QWidget* subviewParent() override;
    // A touch on the content that ended without a drag, in content points.
    virtual void contentTapped(const QPoint&) {}
    // A touch on the content began (highlight it) or became a drag (drop it).
    virtual void contentPressed(const QPoint&) {}
    virtual void contentPressCancelled() {}
    // The content moved under the view.
    virtual void contentOffsetChanged() {}
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointF clamped(const QPointF& offset) const;
    void applyOffset(const QPointF& offset);
    void animateTo(const QPointF& target, int ms, bool programmatic);
    void beginTouch(const QPointF& at);
    bool moveTouch(const QPointF& at);
    void endTouch(const QPointF& at);

    View* content_;
    QSize contentSize_;
    QPointF offset_;
    bool paging_ = false;
    bool scrollEnabled_ = true;
    ScrollViewDelegate* delegate_ = nullptr;
    QPointer<QVariantAnimation> animation_;
    // Tells the delegate that the scroll in progress ended.
    std::function<void()> ending_;

    QPointer<ScrollView> outer_;
    bool touching_ = false;
    bool dragging_ = false;
    QPointF touchStart_;
    QPoint tapStart_;
    QPointF offsetAtTouch_;
    // Where the touch counts pages from: the page a scroll was going to.
    QPointF pageAtTouch_;
};

} // namespace ui

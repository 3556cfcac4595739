#include "PageControl.h"

#include <QPainter>

namespace ui {

namespace {
constexpr double kDot = 7;
constexpr double kSpacing = 16;
} // namespace

PageControl::PageControl(const QRect& frame)
    : Control(frame)
{
}

void PageControl::setNumberOfPages(int pages)
{
    pages_ = std::max(0, pages);
    setCurrentPage(current_);
}

void PageControl::setCurrentPage(int page)
{
    current_ = std::clamp(page, 0, std::max(0, pages_ - 1));
    displayed_ = current_;
    update();
}

void PageControl::updateCurrentPageDisplay()
{
    displayed_ = current_;
    update();
}

void PageControl::tapped(const QPoint& at)
{
    const int next = at.x() >= width() / 2 ? current_ + 1 : current_ - 1;
    if (next < 0 || next >= pages_)
        return;
    current_ = next;
    if (!defers_)
        displayed_ = current_;
    update();
    sendActions(ControlEvent::ValueChanged);
}

void PageControl::draw(QPainter& painter)
{
    if (pages_ < 2 && pages_ != 1)
        return;
    const double total = (pages_ - 1) * kSpacing;
    const double x0 = width() / 2.0 - total / 2;
    const double y = height() / 2.0;
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < pages_; ++i) {
        painter.setBrush(i == displayed_ ? QColor(255, 255, 255) : QColor(255, 255, 255, 90));
        painter.drawEllipse(QPointF(x0 + i * kSpacing, y), kDot / 2, kDot / 2);
    }
}

bool PageControl::stepped(int key)
{
    // As a tap on that half.
    if (key != Qt::Key_Left && key != Qt::Key_Right)
        return false;
    tapped(QPoint(key == Qt::Key_Right ? width() * 3 / 4 : width() / 4, height() / 2));
    return true;
}

} // namespace ui

#pragma once

#include "Control.h"

namespace ui {

// A row of dots, one per page. A tap on its right half moves to the next
// page and on its left half to the previous one, sending ValueChanged.
class PageControl : public Control {
public:
    explicit PageControl(const QRect& frame = QRect());

    void setNumberOfPages(int pages);
    int numberOfPages() const { return pages_; }
    void setCurrentPage(int page);
    int currentPage() const { return current_; }
    // With deferring on, a tap changes currentPage at once but the dots only
    // at the next updateCurrentPageDisplay.
    void setDefersCurrentPageDisplay(bool defers) { defers_ = defers; }
    void updateCurrentPageDisplay();
    int displayedPage() const { return displayed_; }

protected:
    void draw(QPainter& painter) override;
    void tapped(const QPoint& at) override;
    bool stepped(int key) override;

private:
    int pages_ = 0;
    int current_ = 0;
    int displayed_ = 0;
    bool defers_ = false;
};

} // namespace ui

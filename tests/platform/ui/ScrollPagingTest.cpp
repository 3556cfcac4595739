// Paging through a scroll view by drags, and the page control beside it.
#include "Screen.h"

#include "platform/ui/PageControl.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/Style.h"
#include "platform/ui/Touch.h"
#include "platform/ui/View.h"

#include <gtest/gtest.h>

namespace {

struct Ends : ui::ScrollViewDelegate {
    int began = 0;
    int ended = 0;
    void scrollViewWillBeginDragging(ui::ScrollView*) override { ++began; }
    void scrollViewDidEndDecelerating(ui::ScrollView*) override { ++ended; }
};

// Three pages side by side, 200 points wide each.
struct Pages : TestWindow {
    ui::ScrollView* scroll = new ui::ScrollView(QRect(0, 0, 200, 100));
    Ends ends;

    Pages()
    {
        screen->view()->addSubview(scroll);
        scroll->setContentSize(QSize(600, 100));
        scroll->setPagingEnabled(true);
        scroll->setDelegate(&ends);
    }
    // A horizontal drag across the middle of the scroll view.
    void swipe(int dx)
    {
        const QPoint from = centre(scroll);
        ui::touch::drag(&window, from, from + QPoint(dx, 0));
        settle();
    }
};

TEST(ScrollPaging, AFlickTurnsExactlyOnePage)
{
    Pages pages;
    pages.swipe(-60);
    EXPECT_EQ(pages.scroll->contentOffset(), QPointF(200, 0));
    pages.swipe(-90);
    EXPECT_EQ(pages.scroll->contentOffset(), QPointF(400, 0));
    pages.swipe(60);
    EXPECT_EQ(pages.scroll->contentOffset(), QPointF(200, 0));
    EXPECT_EQ(pages.ends.began, 3);
    EXPECT_EQ(pages.ends.ended, 3);
}

TEST(ScrollPaging, ASwipeWhileAPageScrollsInTurnsOnFromIt)
{
    Pages pages;
    ui::setAnimationsEnabled(true);
    // The second swipe comes while the first page has barely moved.
    pages.swipe(-60);
    ASSERT_LT(pages.scroll->contentOffset().x(), 100);
    pages.swipe(-60);
    Pages::wait(600);
    EXPECT_EQ(pages.scroll->contentOffset(), QPointF(400, 0));
    ui::setAnimationsEnabled(false);
}

TEST(ScrollPaging, AShortDragSettlesBackOnItsPage)
{
    Pages pages;
    pages.swipe(-60);
    pages.swipe(-20);
    EXPECT_EQ(pages.scroll->contentOffset(), QPointF(200, 0));
    pages.swipe(25);
    EXPECT_EQ(pages.scroll->contentOffset(), QPointF(200, 0));
}

TEST(ScrollPaging, NoPageBeyondTheFirstOrTheLast)
{
    Pages pages;
    pages.swipe(80);
    EXPECT_EQ(pages.scroll->contentOffset(), QPointF(0, 0));
    for (int i = 0; i < 4; ++i)
        pages.swipe(-80);
    EXPECT_EQ(pages.scroll->contentOffset(), QPointF(400, 0));
}

TEST(ScrollPaging, ATouchThatDoesNotMoveScrollsNothing)
{
    Pages pages;
    ui::touch::tap(&pages.window, pages.centre(pages.scroll));
    pages.settle();
    EXPECT_EQ(pages.scroll->contentOffset(), QPointF(0, 0));
    EXPECT_EQ(pages.ends.began, 0);
}

TEST(ScrollPaging, WithScrollingOffADragMovesNothing)
{
    Pages pages;
    pages.scroll->setScrollEnabled(false);
    pages.swipe(-80);
    EXPECT_EQ(pages.scroll->contentOffset(), QPointF(0, 0));
}

struct Dots : TestWindow {
    ui::PageControl* dots = new ui::PageControl(QRect(0, 0, 200, 36));
    int changes = 0;

    Dots()
    {
        screen->view()->addSubview(dots);
        dots->setNumberOfPages(3);
        dots->addAction(ui::ControlEvent::ValueChanged, [this] { ++changes; });
    }
    void tapRight() { ui::touch::tap(&window, dots->mapTo(&window, QPoint(170, 18))); }
    void tapLeft() { ui::touch::tap(&window, dots->mapTo(&window, QPoint(30, 18))); }
};

TEST(PageControl, TapsOnEitherHalfStepThroughThePagesWithinBounds)
{
    Dots d;
    d.tapLeft();
    EXPECT_EQ(d.dots->currentPage(), 0);
    EXPECT_EQ(d.changes, 0);
    d.tapRight();
    d.tapRight();
    d.tapRight();
    EXPECT_EQ(d.dots->currentPage(), 2);
    EXPECT_EQ(d.changes, 2);
    d.tapLeft();
    EXPECT_EQ(d.dots->currentPage(), 1);
    EXPECT_EQ(d.dots->displayedPage(), 1);
    EXPECT_EQ(d.changes, 3);
}

TEST(PageControl, DeferredDotsFollowOnlyWhenTold)
{
    Dots d;
    d.dots->setDefersCurrentPageDisplay(true);
    d.tapRight();
    EXPECT_EQ(d.dots->currentPage(), 1);
    EXPECT_EQ(d.dots->displayedPage(), 0);
    d.dots->updateCurrentPageDisplay();
    EXPECT_EQ(d.dots->displayedPage(), 1);
}

} // namespace

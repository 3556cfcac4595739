#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/View.h"

#include <QPointer>

#include <gtest/gtest.h>

namespace {

TEST(View, FlexibleSubviewsFollowTheirSuperviewsSize)
{
    ui::View screen(QRect(0, 0, 320, 460));
    auto* table = new ui::View(QRect(0, 0, 320, 460));
    table->setAutoresizingMask(ui::View::FlexibleWidth | ui::View::FlexibleHeight);
    auto* footer = new ui::View(QRect(0, 420, 320, 40));
    footer->setAutoresizingMask(ui::View::FlexibleTopMargin);
    auto* fixed = new ui::View(QRect(10, 10, 50, 50));
    screen.addSubview(table);
    screen.addSubview(footer);
    screen.addSubview(fixed);
    // Between a navigation bar and a tab bar, off screen.
    screen.setFrame(QRect(0, 44, 320, 367));
    EXPECT_EQ(table->frame(), QRect(0, 0, 320, 367));
    EXPECT_EQ(footer->frame(), QRect(0, 327, 320, 40));
    EXPECT_EQ(fixed->frame(), QRect(10, 10, 50, 50));
    // A subview made for the new size is not moved again when the screen
    // comes on.
    auto* late = new ui::View(QRect(0, 0, 320, screen.height()));
    late->setAutoresizingMask(ui::View::FlexibleHeight);
    screen.addSubview(late);
    screen.show();
    EXPECT_EQ(late->frame().height(), 367);
    EXPECT_EQ(table->frame().height(), 367);
    screen.setFrame(QRect(0, 44, 320, 416));
    EXPECT_EQ(late->frame().height(), 416);
    EXPECT_EQ(footer->frame().top(), 376);
}

TEST(View, AddMakesASubviewThatGoesWithItsSuperview)
{
    QPointer<ui::Label> label;
    QPointer<ui::View> moving;
    {
        ui::View screen(QRect(0, 0, 320, 460));
        ui::Label& made = screen.add<ui::Label>(QRect(10, 20, 100, 30));
        label = &made;
        EXPECT_EQ(made.superview(), &screen);
        EXPECT_EQ(made.frame(), QRect(10, 20, 100, 30));
        EXPECT_EQ(screen.subviews(), QList<ui::View*>({&made}));
        // In a scroll view a subview goes into the content that moves.
        auto& scroll = screen.add<ui::ScrollView>(QRect(0, 50, 320, 100));
        moving = &scroll.add<ui::View>(QRect(0, 0, 640, 100));
        EXPECT_EQ(moving->parentWidget(), scroll.contentView());
    }
    EXPECT_TRUE(label.isNull());
    EXPECT_TRUE(moving.isNull());
}

} // namespace

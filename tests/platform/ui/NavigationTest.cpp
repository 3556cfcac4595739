// Screens pushed and popped on a navigation stack, and tabs switched, with
// the appearance calls each screen gets and the bars each one shows.
#include "Screen.h"

#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Style.h"
#include "platform/ui/TabBar.h"
#include "platform/ui/TabBarItem.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/Touch.h"

#include <QKeyEvent>
#include <QPointer>

#include <gtest/gtest.h>

namespace {

struct Stack : TestWindow {
    QStringList log;
    RecordingScreen* first = new RecordingScreen("first", &log);
    ui::NavigationController* nav = new ui::NavigationController(first);

    Stack()
    {
        screen->presentViewController(nav, false);
        settle();
        log.clear();
    }
};

TEST(Navigation, APushedScreenComesOnTopUnderItsTitleWithABackButton)
{
    Stack s;
    auto* second = new RecordingScreen("second", &s.log);
    s.nav->pushViewController(second, false);
    s.settle();
    EXPECT_EQ(s.nav->topViewController(), second);
    EXPECT_EQ(s.nav->viewControllers().size(), 2);
    EXPECT_EQ(second->navigationController(), s.nav);
    EXPECT_EQ(s.nav->navigationBar()->title(), "second");
    EXPECT_EQ(s.log, QStringList({"second will appear", "first will disappear", "second did appear", "first did disappear"}));
    EXPECT_TRUE(second->view()->isVisible());
    EXPECT_FALSE(s.first->view()->isVisible());
}

TEST(Navigation, TheBackButtonPopsAndDestroysTheTopScreen)
{
    Stack s;
    QPointer<RecordingScreen> second = new RecordingScreen("second", &s.log);
    s.nav->pushViewController(second, false);
    s.settle();
    s.log.clear();
    ui::Button* back = s.nav->navigationBar()->leftButton();
    ASSERT_NE(back, nullptr);
    ui::touch::tap(&s.window, s.centre(back));
    s.settle();
    EXPECT_EQ(s.nav->topViewController(), s.first);
    EXPECT_EQ(s.nav->navigationBar()->title(), "first");
    EXPECT_TRUE(s.log.contains("first did appear"));
    EXPECT_TRUE(s.log.contains("second did disappear"));
    EXPECT_TRUE(second.isNull());
}

TEST(Navigation, TheRootCannotBePopped)
{
    Stack s;
    s.nav->popViewControllerAnimated(false);
    s.settle();
    EXPECT_EQ(s.nav->viewControllers(), QList<ui::ViewController*>({s.first}));
    EXPECT_TRUE(s.log.isEmpty());
    EXPECT_EQ(s.nav->navigationBar()->leftButton(), nullptr);
}

struct Tabs : TestWindow {
    QStringList log;
    RecordingScreen* one = new RecordingScreen("one", &log);
    RecordingScreen* two = new RecordingScreen("two", &log);
    ui::NavigationController* nav = new ui::NavigationController(two);
    ui::TabBarController* tabs = new ui::TabBarController;

    Tabs()
    {
        one->tabBarItem()->setTitle("one");
        nav->tabBarItem()->setTitle("two");
        tabs->setViewControllers({one, nav});
        screen->presentViewController(tabs, false);
        settle();
        log.clear();
    }
    void tapTab(int index)
    {
        ui::TabBar* bar = tabs->tabBar();
        ui::touch::tap(&window, bar->mapTo(&window, bar->itemRect(index).center()));
        settle();
    }
};

TEST(TabSwitching, ATappedTabShowsItsScreenAndHidesTheOther)
{
    Tabs t;
    EXPECT_EQ(t.tabs->selectedIndex(), 0);
    t.tapTab(1);
    EXPECT_EQ(t.tabs->selectedIndex(), 1);
    EXPECT_EQ(t.tabs->selectedViewController(), t.nav);
    EXPECT_TRUE(t.nav->view()->isVisible());
    EXPECT_FALSE(t.one->view()->isVisible());
    EXPECT_EQ(t.log, QStringList({"two will appear", "one will disappear", "two did appear", "one did disappear"}));
    EXPECT_EQ(t.two->tabBarController(), t.tabs);
}

TEST(TabSwitching, ADisabledTabDoesNotOpen)
{
    Tabs t;
    t.nav->tabBarItem()->setEnabled(false);
    t.tapTab(1);
    EXPECT_EQ(t.tabs->selectedIndex(), 0);
    EXPECT_TRUE(t.log.isEmpty());
}

TEST(TabSwitching, APushedScreenThatAsksHidesTheTabBarUntilPopped)
{
    Tabs t;
    t.tapTab(1);
    ui::TabBar* bar = t.tabs->tabBar();
    EXPECT_TRUE(bar->isVisible());
    auto* pushed = new RecordingScreen("pushed", &t.log);
    pushed->setHidesBottomBarWhenPushed(true);
    t.nav->pushViewController(pushed, false);
    t.settle();
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(t.nav->view()->height(), t.tabs->view()->height());
    t.nav->popViewControllerAnimated(false);
    t.settle();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(t.nav->view()->height(), t.tabs->view()->height() - ui::TabBarController::kTabBarHeight);
}

// A tap while a presented screen turns in is not lost on the pictures of
// the turn: the turn ends where it was going and the tap reaches what it
// uncovered, a button or a tab.
TEST(Navigation, ATapWhileAScreenTurnsInReachesItOnceTurned)
{
    TestWindow w;
    ui::setAnimationsEnabled(true);
    auto* shown = new ui::ViewController;
    int taps = 0;
    auto* button = &shown->view()->add<ui::Button>(ui::Button::Type::Custom, QRect(20, 200, 280, 60));
    button->addAction(ui::ControlEvent::TouchUpInside, [&taps] { ++taps; });
    w.screen->presentViewController(shown, true);
    ASSERT_TRUE(w.window.isTransitioning());
    ui::touch::tap(&w.window, QPoint(160, 230));
    EXPECT_FALSE(w.window.isTransitioning());
    w.settle();
    EXPECT_EQ(taps, 1);

    // The tab bar of tabs turning in.
    auto* tabs = new ui::TabBarController;
    auto* one = new ui::ViewController;
    auto* two = new ui::ViewController;
    one->tabBarItem()->setTitle("one");
    two->tabBarItem()->setTitle("two");
    tabs->setViewControllers({one, two});
    shown->presentViewController(tabs, true);
    ASSERT_TRUE(w.window.isTransitioning());
    ui::touch::tap(&w.window, tabs->tabBar()->mapTo(&w.window, tabs->tabBar()->itemRect(1).center()));
    w.settle();
    EXPECT_EQ(tabs->selectedIndex(), 1);
    ui::setAnimationsEnabled(false);
}

TEST(Navigation, TheQuitKeyAsksTheAppToQuit)
{
    TestWindow w;
    int quits = 0;
    ui::Application::shared()->setQuitHandler([&quits] { ++quits; });
    QKeyEvent plain(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, QStringLiteral("q"));
    QCoreApplication::sendEvent(&w.window, &plain);
    EXPECT_EQ(quits, 0);
    QKeyEvent quit(QEvent::KeyPress, Qt::Key_Q, Qt::ControlModifier);
    QCoreApplication::sendEvent(&w.window, &quit);
    EXPECT_EQ(quits, 1);
    ui::Application::shared()->setQuitHandler({});
}

} // namespace

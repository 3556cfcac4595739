// An alert over the screen: shown, closed by its button, and stacked.
#include "Screen.h"

#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Touch.h"

#include <QPointer>

#include <gtest/gtest.h>

namespace {

struct Alerts : TestWindow {
    // Closes what a test left open.
    void clear()
    {
        for (ui::AlertView* a : ui::AlertView::visibleAlerts())
            a->dismiss();
        settle();
    }
    // A new alert named `name`, presented.
    ui::AlertView* present(const char* name)
    {
        auto* alert = new ui::AlertView(QString::fromLatin1(name), QString::fromLatin1(name), QStringLiteral("OK"));
        alert->present();
        settle();
        return alert;
    }
};

TEST(AlertView, AShownAlertCoversTheScreenUntilItsButtonIsTapped)
{
    Alerts s;
    QPointer<ui::AlertView> alert = new ui::AlertView("title", "message", "OK");
    alert->present();
    s.settle();
    ASSERT_EQ(ui::AlertView::visibleAlerts(), QList<ui::AlertView*>({alert.data()}));
    EXPECT_EQ(alert->frame(), QRect(0, 0, ui::Window::kWidth, ui::Window::kHeight));
    EXPECT_EQ(alert->message(), "message");
    EXPECT_EQ(alert->buttonTitle(), "OK");
    // Its button is the button on it; a tap on it closes the alert.
    // (Views carry no meta-object of their own: findChildren would match every widget.)
    QList<ui::Button*> buttons;
    for (QObject* child : alert->children())
        if (auto* button = dynamic_cast<ui::Button*>(child))
            buttons.append(button);
    ASSERT_EQ(buttons.size(), 1);
    ui::touch::tap(&s.window, s.centre(buttons.front()));
    s.settle();
    EXPECT_TRUE(ui::AlertView::visibleAlerts().isEmpty());
    EXPECT_TRUE(alert.isNull());
}

TEST(AlertView, ATouchBesideTheBoxDoesNotReachTheScreenUnderIt)
{
    Alerts s;
    int taps = 0;
    auto* under = new ui::Button(ui::Button::Type::Custom);
    under->setFrame(QRect(0, 0, 80, 40));
    under->addAction(ui::ControlEvent::TouchUpInside, [&taps] { ++taps; });
    s.screen->view()->addSubview(under);
    ui::touch::tap(&s.window, s.centre(under));
    EXPECT_EQ(taps, 1);
    auto* alert = new ui::AlertView("title", "message", "OK");
    alert->present();
    s.settle();
    ui::touch::tap(&s.window, s.centre(under));
    EXPECT_EQ(taps, 1);
    EXPECT_EQ(ui::AlertView::visibleAlerts().size(), 1);
    s.clear();
}

TEST(AlertView, AlertsStackOldestFirstAndCloseOneByOne)
{
    Alerts s;
    ui::AlertView* first = s.present("first");
    ui::AlertView* second = s.present("second");
    ASSERT_EQ(ui::AlertView::visibleAlerts(), QList<ui::AlertView*>({first, second}));
    // Only the newest is seen: the one under it would show through.
    EXPECT_TRUE(second->isVisible());
    EXPECT_FALSE(first->isVisible());
    second->dismiss();
    s.settle();
    EXPECT_EQ(ui::AlertView::visibleAlerts(), QList<ui::AlertView*>({first}));
    EXPECT_TRUE(first->isVisible());

    // One closed from under the top leaves the top as it is.
    ui::AlertView* third = s.present("third");
    first->dismiss();
    s.settle();
    EXPECT_EQ(ui::AlertView::visibleAlerts(), QList<ui::AlertView*>({third}));
    EXPECT_TRUE(third->isVisible());

    // Presented again, one under the top comes back over it.
    ui::AlertView* fourth = s.present("fourth");
    third->present();
    s.settle();
    EXPECT_EQ(ui::AlertView::visibleAlerts(), QList<ui::AlertView*>({fourth, third}));
    EXPECT_TRUE(third->isVisible());
    EXPECT_FALSE(fourth->isVisible());
    // Gone with its window, an alert is no longer among them.
    delete fourth;
    EXPECT_EQ(ui::AlertView::visibleAlerts(), QList<ui::AlertView*>({third}));
    s.clear();
}

TEST(AlertView, EscapeClosesTheAlertOnTop)
{
    Alerts s;
    auto* alert = new ui::AlertView("title", "message", "OK");
    alert->present();
    s.settle();
    ui::touch::key(&s.window, Qt::Key_Escape);
    s.settle();
    EXPECT_TRUE(ui::AlertView::visibleAlerts().isEmpty());
}

} // namespace

// A finger quicker than the screens: a choice made while the screen that
// offers it is still sliding or turning in leaves the right screen, whole,
// at rest: never a black screen below the bar.
#include "screens/cities/NewCityController.h"
#include "screens/cities/SearchController.h"
#include "screens/cities/SelectionController.h"

#include "platform/ui/Button.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/SearchBar.h"
#include "platform/ui/Style.h"
#include "platform/ui/TableView.h"
#include "screens/calendar/CalendarViewController.h"
#include "screens/common/CustomUITabBarController.h"
#include "screens/main/MainViewController.h"
#include "tests/support/Phone.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace {

// Lets `ms` of real time pass, with everything that comes due.
void wait(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

class TransitionRaceTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        phone.box.choose({Sandbox::kTehran});
        phone.start();
        ui::setAnimationsEnabled(true);
    }
    void TearDown() override { ui::setAnimationsEnabled(false); }
    // The screen on show is `expected`, at rest where the window shows it,
    // and what lies below the bar is drawn, not black.
    void expectAtRest(ui::ViewController* expected, const char* where)
    {
        wait(1200);
        ASSERT_NE(expected, nullptr) << where;
        ui::View* v = expected->view();
        EXPECT_TRUE(v->isVisible()) << where;
        EXPECT_EQ(v->mapTo(phone.window(), QPoint(0, 0)).x(), 0) << where;
        const QImage shown = phone.window()->grab().toImage();
        int black = 0;
        for (int y = 80; y < 400; y += 20)
            for (int x = 10; x < 310; x += 20)
                black += shown.pixelColor(x, y) == QColor(Qt::black) ? 1 : 0;
        EXPECT_LT(black, 10) << where << ": the screen below the bar is black";
    }

    Phone phone;
};

TEST_P(TransitionRaceTest, ACityChosenWhileTheSearchSlidesIn)
{
    phone.tap(phone.main()->infoButton());
    wait(900);
    SelectionController* cities = phone.cities();
    ASSERT_NE(cities, nullptr);
    phone.tap(phone.tabNavigation(0)->navigationBar()->leftButton());
    wait(GetParam());
    auto* search = dynamic_cast<SearchController*>(phone.top(0));
    ASSERT_NE(search, nullptr);
    search->searchBar()->setText("کرج");
    phone.tap(search->tblResult()->cellForRowAtIndexPath({0, 0}));
    expectAtRest(cities, "the list");
    EXPECT_EQ(phone.top(0), cities);
    EXPECT_EQ(cities->datasource().size(), 2);
}

TEST_P(TransitionRaceTest, AProvinceChosenWhileItsSearchSlidesIn)
{
    phone.tap(phone.main()->infoButton());
    wait(900);
    phone.tap(phone.cities()->createNewCityTable()->cellForRowAtIndexPath({0, 0}));
    wait(600);
    auto* form = dynamic_cast<NewCityController*>(phone.top(0));
    ASSERT_NE(form, nullptr);
    phone.tap(form->tbl()->cellForRowAtIndexPath({0, 1}));
    wait(GetParam());
    auto* search = dynamic_cast<SearchController*>(phone.top(0));
    ASSERT_NE(search, nullptr);
    phone.tap(search->tblResult()->cellForRowAtIndexPath({0, 0}));
    expectAtRest(form, "the form");
    EXPECT_EQ(phone.top(0), form);
    EXPECT_NE(form->provinceID(), 0);
}

// A tap while a screen turns in is taken once it has turned, or not at
// all (the picture of the turn lies over the screens): either way one of
// the two screens stands whole, and the next tap reaches it.
TEST_P(TransitionRaceTest, TheCalendarClosedWhileItTurnsIn)
{
    phone.tap(phone.main()->calendarButton());
    wait(GetParam());
    auto* calendar = dynamic_cast<CalendarViewController*>(phone.main()->presentedViewController());
    ASSERT_NE(calendar, nullptr);
    phone.tap(calendar->confirmButton());
    wait(600);
    if (phone.main()->presentedViewController()) {
        expectAtRest(calendar, "the calendar");
        phone.tap(calendar->confirmButton());
    }
    expectAtRest(phone.main(), "the main screen");
    EXPECT_EQ(phone.main()->presentedViewController(), nullptr);
}

TEST_P(TransitionRaceTest, TheSettingsLeftWhileTheyTurnIn)
{
    phone.tap(phone.main()->infoButton());
    wait(GetParam());
    ASSERT_NE(phone.cities(), nullptr);
    phone.tap(phone.tabNavigation(0)->navigationBar()->rightButton());
    wait(600);
    if (phone.window()->rootViewController() != phone.main()) {
        expectAtRest(phone.settings(), "the settings");
        phone.tap(phone.tabNavigation(0)->navigationBar()->rightButton());
    }
    expectAtRest(phone.main(), "the main screen");
    EXPECT_EQ(phone.window()->rootViewController(), phone.main());
}

INSTANTIATE_TEST_SUITE_P(Delays, TransitionRaceTest, ::testing::Values(0, 100, 200, 300, 400),
    [](const ::testing::TestParamInfo<int>& p) { return QStringLiteral("after%1ms").arg(p.param).toStdString(); });

} // namespace

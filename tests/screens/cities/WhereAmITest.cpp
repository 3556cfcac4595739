// "مکان من" in the search and the new-city form, with positions from NMEA
// logs through Qt Positioning's plugin, and every way there is none.
#include "screens/cities/HereBar.h"
#include "screens/cities/NewCityController.h"
#include "screens/cities/SearchController.h"
#include "screens/cities/SelectionController.h"
#include "screens/cities/WhereAmI.h"

#include "calendar/Utility.h"
#include "platform/location/Locator.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/TextField.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/SearchBar.h"
#include "screens/main/MainViewController.h"
#include "tests/support/Phone.h"

#include <QDeadlineTimer>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

QString log(const char* name)
{
    return QStringLiteral(KELVARO_SOURCE_DIR "/tests/data/positions/") + QString::fromLatin1(name);
}

class WhereAmITest : public ::testing::Test {
protected:
    void TearDown() override
    {
        location::Locator::shared()->setSource(QString());
        location::Locator::shared()->setTimeout(location::Locator::kTimeout);
        for (ui::AlertView* a : ui::AlertView::visibleAlerts())
            a->dismiss();
    }
    // A new user, in the search; "مکان من" tapped, and its answer waited for.
    HereBar* locateFromSearch(const QString& source)
    {
        location::Locator::shared()->setSource(source);
        phone.start();
        auto* search = dynamic_cast<SearchController*>(phone.top(0));
        if (!search || !search->hereBar())
            return nullptr;
        HereBar* bar = search->hereBar();
        phone.tap(bar->locateButton());
        waitWhile([bar] { return bar->statusLabel()->text() == WhereAmI::lookingText(); });
        return bar;
    }
    template <typename F>
    void waitWhile(F busy)
    {
        const QDeadlineTimer deadline(10s);
        while (busy() && !deadline.hasExpired())
            Phone::wait(20);
    }
    QString rows(const QString& table) const { return phone.box.scalar("SELECT COUNT(*) FROM " + table); }

    Phone phone{QDateTime(QDate(2026, 12, 8), QTime(11, 0))};
};

} // namespace

TEST_F(WhereAmITest, NearKashanTheSearchOffersKashanAndATapChoosesIt)
{
    HereBar* bar = locateFromSearch(log("near-kashan.nmea"));
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(bar->nearest());
    EXPECT_EQ(bar->nearest()->name, "کاشان");
    EXPECT_NEAR(bar->nearest()->distanceKm, 2.9, 0.1);
    EXPECT_TRUE(bar->nearestButton()->isVisible());
    EXPECT_EQ(bar->statusLabel()->text(), Utility::ConvertToPersian("نزدیک‌ترین: کاشان، 3 کیلومتر"));
    EXPECT_TRUE(bar->nearestButton()->accessibleName().contains("کاشان (اصفهان)"));

    phone.tap(bar->nearestButton());
    // Chosen as a tap on it in the list chooses it: a city at its own
    // coordinates, and the search is gone.
    EXPECT_EQ(phone.box.scalar("SELECT s.Name FROM tSelectedStates t JOIN tStates s ON s.StateID = t.StateID"), "کاشان");
    EXPECT_EQ(phone.box.scalar("SELECT Latitude || ' ' || Longitude FROM tCoordinates"), "33.9824 51.4277");
    EXPECT_EQ(dynamic_cast<SearchController*>(phone.top(0)), nullptr);
}

TEST_F(WhereAmITest, WithoutAPositionOrOutsideIranItSaysWhyAndNothingChanges)
{
    location::Locator::shared()->setTimeout(300ms);
    struct Case {
        QString source;
        QString said;
    };
    const Case cases[] = {
        {QString::fromLatin1(location::Locator::kNoService), WhereAmI::failureText(location::Failure::NoService)},
        {QString::fromLatin1(location::Locator::kRefused), WhereAmI::failureText(location::Failure::NoPermission)},
        {log("no-fix.nmea"), WhereAmI::failureText(location::Failure::NoFix)},
        {log("herat.nmea"), WhereAmI::outsideText()},
    };
    const QString states = rows("tStates");
    for (const Case& c : cases) {
        HereBar* bar = locateFromSearch(c.source);
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->statusLabel()->text(), c.said) << c.source.toStdString();
        EXPECT_FALSE(bar->nearest()) << c.source.toStdString();
        EXPECT_FALSE(bar->nearestButton()->isVisible());
        EXPECT_TRUE(bar->locateButton()->isControlEnabled());
        EXPECT_EQ(rows("tSelectedStates"), "0");
        EXPECT_EQ(rows("tStates"), states);
        EXPECT_NE(dynamic_cast<SearchController*>(phone.top(0)), nullptr);
    }
    // Each sentence is its own, and the wait is said as it was set.
    EXPECT_EQ(WhereAmI::failureText(location::Failure::NoFix), Utility::ConvertToPersian("مکان شما در 1 ثانیه پیدا نشد؛ دوباره بکوشید."));
    location::Locator::shared()->setTimeout(location::Locator::kTimeout);
    EXPECT_TRUE(WhereAmI::failureText(location::Failure::NoFix).contains(Utility::ConvertToPersian("15 ثانیه")));
}

TEST_F(WhereAmITest, APlaceChosenAlreadyIsSaidAndNotOfferedAgain)
{
    phone.box.exec("INSERT INTO tStates(Name, ParentID, IsCenter) SELECT Name, ProvinceID, 0 FROM tPlaces WHERE Name = 'کاشان'");
    phone.box.exec("INSERT INTO tCoordinates SELECT (SELECT MAX(StateID) FROM tStates), Latitude, Longitude FROM tPlaces WHERE Name = 'کاشان'");
    phone.box.exec("INSERT INTO tSelectedStates VALUES((SELECT MAX(StateID) FROM tStates), 1)");
    location::Locator::shared()->setSource(log("near-kashan.nmea"));
    phone.start();
    phone.tap(phone.main()->infoButton());
    ASSERT_NE(phone.cities(), nullptr);
    phone.cities()->SearchControllerShow();
    auto* search = dynamic_cast<SearchController*>(phone.top(0));
    ASSERT_NE(search, nullptr);
    HereBar* bar = search->hereBar();
    phone.tap(bar->locateButton());
    waitWhile([bar] { return bar->statusLabel()->text() == WhereAmI::lookingText(); });
    ASSERT_TRUE(bar->nearest());
    EXPECT_TRUE(bar->nearest()->chosen);
    EXPECT_TRUE(bar->statusLabel()->text().startsWith(Utility::ConvertToPersian("نزدیک‌ترین: کاشان، 3 کیلومتر")));
    EXPECT_TRUE(bar->statusLabel()->text().contains("در فهرست شما هست"));
    EXPECT_FALSE(bar->nearestButton()->isVisible());
    EXPECT_EQ(rows("tSelectedStates"), "1");
}

TEST_F(WhereAmITest, TheNewCityFormTakesThePositionAsItsCoordinates)
{
    phone.box.choose({Sandbox::kTehran});
    location::Locator::shared()->setSource(log("near-kashan.nmea"));
    phone.start();
    phone.tap(phone.main()->infoButton());
    phone.tap(phone.cities()->createNewCityTable()->cellForRowAtIndexPath({0, 0}));
    auto* form = dynamic_cast<NewCityController*>(phone.top(0));
    ASSERT_NE(form, nullptr);
    ui::TableViewCell* here = form->tbl()->cellForRowAtIndexPath({NewCityController::kCoordinatesSection, NewCityController::kHereRow});
    ASSERT_NE(here, nullptr);
    EXPECT_EQ(here->textLabel()->text(), "مکان من");
    phone.tap(here);
    waitWhile([form] { return form->hereText() == WhereAmI::lookingText(); });
    // Persian digits and separator, as a person types degrees; the province
    // from the coordinates, as when they are typed.
    EXPECT_EQ(form->latitudeField()->text(), Utility::ConvertToPersian(QStringLiteral("33") + QChar(0x066B) + "9950"));
    EXPECT_EQ(form->longitudeField()->text(), Utility::ConvertToPersian(QStringLiteral("51") + QChar(0x066B) + "4550"));
    EXPECT_EQ(form->provinceName(), "اصفهان");
    EXPECT_EQ(form->hereText(), Utility::ConvertToPersian("نزدیک‌ترین: کاشان، 3 کیلومتر"));
    phone.tap(form->nameField());
    phone.type("باغ فین");
    form->save();
    EXPECT_EQ(phone.box.scalar("SELECT Latitude || ' ' || Longitude FROM tCoordinates"), "33.995 51.455");

    // No service: said in an alert, and the fields stay as they were.
    phone.tap(phone.cities()->createNewCityTable()->cellForRowAtIndexPath({0, 0}));
    form = dynamic_cast<NewCityController*>(phone.top(0));
    ASSERT_NE(form, nullptr);
    location::Locator::shared()->setSource(QString::fromLatin1(location::Locator::kNoService));
    form->locate();
    waitWhile([] { return ui::AlertView::visibleAlerts().isEmpty(); });
    ASSERT_EQ(ui::AlertView::visibleAlerts().size(), 1);
    EXPECT_EQ(ui::AlertView::visibleAlerts()[0]->message(), WhereAmI::failureText(location::Failure::NoService));
    EXPECT_EQ(form->latitudeField()->text(), "");
    EXPECT_EQ(form->provinceID(), 0);
}

TEST_F(WhereAmITest, TheLineShowsUntilANameIsTypedAndTheListStartsUnderIt)
{
    phone.start();
    auto* search = dynamic_cast<SearchController*>(phone.top(0));
    ASSERT_NE(search, nullptr);
    HereBar* bar = search->hereBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(search->tblResult()->frame().top(), bar->frame().bottom() + 1);
    // Typing a name: the list moves up under the field, where its first
    // row is tapped.
    phone.type("کاشان");
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(search->tblResult()->frame().top(), search->searchBar()->frame().bottom() + 1);
    search->searchBarTextDidChange(search->searchBar(), "");
    EXPECT_TRUE(bar->isVisible());
    // Where provinces are looked for, none.
    SearchController provinces(SearchController::kProvincesMode);
    provinces.view();
    EXPECT_EQ(provinces.hereBar(), nullptr);
}

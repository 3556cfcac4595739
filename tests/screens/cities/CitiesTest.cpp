#include "screens/cities/SearchController.h"
#include "platform/ui/NavigationBar.h"
#include "screens/cities/SelectionController.h"

#include "notifications/MyNotification.h"
#include "platform/foundation/UrlOpener.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/SearchBar.h"
#include "platform/ui/Style.h"
#include "platform/ui/Switch.h"
#include "platform/ui/Touch.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/UnsavedChanges.h"
#include "screens/common/AzanMark.h"
#include "screens/main/CustomUIImageView.h"
#include "screens/main/MainViewController.h"
#include "store/Cities.h"
#include "screens/common/CustomUITabBarController.h"
#include "screens/settings/SettingController.h"
#include "tests/support/Phone.h"

#include <gtest/gtest.h>

namespace {

QStringList names(const RowSet& rows)
{
    QStringList list;
    for (const Row& r : rows)
        list.append(r.value("StateName"));
    return list;
}

QStringList names(const QList<cities::Found>& found)
{
    QStringList list;
    for (const cities::Found& f : found)
        list.append(f.name);
    return list;
}

class CitiesTest : public ::testing::Test {
protected:
    SearchController* search() const { return dynamic_cast<SearchController*>(phone.top(0)); }
    // Opens the settings from the main screen's info button.
    void openSettings()
    {
        phone.tap(phone.main()->infoButton());
        ASSERT_NE(phone.settings(), nullptr);
    }
    void tapRow(ui::TableView* table, int row) { phone.tap(table->cellForRowAtIndexPath({0, row})); }
    QString ordering() const
    {
        return phone.box.scalar("SELECT group_concat(StateID || ':' || Ordering, ' ') FROM (SELECT * FROM tSelectedStates ORDER BY Ordering, StateID)");
    }
    void tapDone() { phone.tap(phone.tabNavigation(0)->navigationBar()->rightButton()); }

    Phone phone;
};

TEST_F(CitiesTest, ANewUserLandsInTheSearchWithNothingElseOpen)
{
    phone.start();
    ASSERT_NE(phone.settings(), nullptr);
    SelectionController* cities = phone.cities();
    ASSERT_NE(cities, nullptr);
    EXPECT_FALSE(cities->btnDone()->isEnabled());
    const QList<ui::TabBarItem*> items = phone.settings()->tabBar()->items();
    ASSERT_EQ(items.size(), 5);
    EXPECT_TRUE(items[0]->isEnabled());
    EXPECT_FALSE(items[1]->isEnabled());
    EXPECT_FALSE(items[2]->isEnabled());
    EXPECT_FALSE(items[3]->isEnabled());
    EXPECT_TRUE(items[4]->isEnabled());

    // The search is pushed over the list, without the tab bar.
    ASSERT_NE(search(), nullptr);
    EXPECT_FALSE(phone.settings()->tabBar()->isVisible());
    EXPECT_TRUE(search()->searchBar()->isFirstResponder());
    EXPECT_TRUE(search()->searchBar()->isCancelButtonEnabled());
    EXPECT_TRUE(phone.tabNavigation(0)->isNavigationBarHidden());
    // Every place of Iran, the province centres first.
    ASSERT_EQ(search()->datasource().size(), 1130);
    for (int i = 0; i < 31; ++i)
        EXPECT_NE(search()->datasource()[i].stateId, 0) << i;
    EXPECT_EQ(search()->datasource()[31].stateId, 0);
    EXPECT_NE(search()->datasource()[31].placeId, 0);

    EXPECT_EQ(search()->searchBar()->placeholder(), "نام شهر را بنویسید");
    // Cancel goes back to the empty list, which says what to do, and the
    // search stays closed.
    phone.tap(search()->searchBar()->cancelButton());
    EXPECT_EQ(phone.top(0), cities);
    ASSERT_TRUE(cities->emptyHint()->isVisible());
    EXPECT_EQ(cities->emptyHint()->currentTitle(), "نام شهر را بنویسید");
    EXPECT_FALSE(phone.tabNavigation(0)->isNavigationBarHidden());
    EXPECT_EQ(phone.box.scalar("SELECT COUNT(*) FROM tSelectedStates"), "0");
    // A disabled tab does not open.
    phone.tap(phone.settings()->tabBar(), phone.settings()->tabBar()->itemRect(1).center());
    EXPECT_EQ(phone.settings()->selectedIndex(), 0);
    phone.tap(phone.settings()->tabBar(), phone.settings()->tabBar()->itemRect(4).center());
    EXPECT_EQ(phone.settings()->selectedIndex(), 4);
    phone.tap(phone.settings()->tabBar(), phone.settings()->tabBar()->itemRect(0).center());
    EXPECT_EQ(phone.top(0), cities);
    // A tap on what the empty list says opens the search; a chosen city
    // takes its place.
    phone.tap(cities->emptyHint());
    ASSERT_NE(search(), nullptr);
    phone.type("تهران");
    tapRow(search()->tblResult(), 0);
    EXPECT_EQ(phone.top(0), cities);
    EXPECT_FALSE(cities->emptyHint()->isVisible());
}

TEST_F(CitiesTest, TypingFindsACityAndTappingChoosesIt)
{
    phone.start();
    phone.type("تهران");
    // The centre, then the province's other places.
    ASSERT_EQ(names(search()->datasource()).value(0), "تهران (تهران)");
    EXPECT_TRUE(names(search()->datasource()).contains("ری (تهران)"));
    tapRow(search()->tblResult(), 0);
    EXPECT_EQ(phone.top(0), phone.cities());
    EXPECT_EQ(ordering(), "39:1");
    EXPECT_EQ(names(phone.cities()->datasource()), QStringList{"تهران (تهران)"});
    EXPECT_TRUE(phone.cities()->btnDone()->isEnabled());
    EXPECT_TRUE(phone.settings()->tabBar()->items()[2]->isEnabled());

    // Done: the notifications are rebuilt and the main screen shows the city.
    tapDone();
    EXPECT_EQ(phone.window()->rootViewController(), phone.main());
    EXPECT_EQ(phone.main()->pageCount(), 1);
    EXPECT_FALSE(notifications::NotificationCenter::shared()->scheduledLocalNotifications().isEmpty());
}

TEST_F(CitiesTest, ACityThatCannotBeStoredStaysInTheSearchAndTheUserIsTold)
{
    phone.box.exec("CREATE TRIGGER refuse BEFORE INSERT ON tSelectedStates BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    phone.start();
    phone.type("تهران");
    tapRow(search()->tblResult(), 0);
    ASSERT_NE(search(), nullptr);
    EXPECT_EQ(names(search()->datasource()).value(0), "تهران (تهران)");
    ASSERT_EQ(ui::AlertView::visibleAlerts().size(), 1);
    ui::AlertView::visibleAlerts()[0]->dismiss();
    EXPECT_EQ(ordering(), "");
    phone.box.exec("DROP TRIGGER refuse");
    tapRow(search()->tblResult(), 0);
    EXPECT_EQ(ordering(), "39:1");
    EXPECT_EQ(phone.top(0), phone.cities());
}

TEST_F(CitiesTest, TheKeyboardAlonePicksTheFirstResultOrLeavesTheSearch)
{
    phone.start();
    // Escape is Cancel: back to the list, with its bar, nothing chosen.
    ASSERT_NE(search(), nullptr);
    ui::touch::key(phone.window(), Qt::Key_Escape);
    Phone::settle();
    EXPECT_EQ(phone.top(0), phone.cities());
    EXPECT_FALSE(phone.tabNavigation(0)->isNavigationBarHidden());
    EXPECT_EQ(ordering(), "");
    // Escape on the list itself leaves nothing: Done is the way out.
    ui::touch::key(phone.window(), Qt::Key_Escape);
    Phone::settle();
    EXPECT_EQ(phone.window()->rootViewController(), phone.settings());

    // Return takes the first of the results.
    phone.tap(phone.tabNavigation(0)->navigationBar()->leftButton());
    ASSERT_NE(search(), nullptr);
    phone.type("مشهد");
    phone.pressReturn();
    EXPECT_EQ(phone.top(0), phone.cities());
    EXPECT_EQ(ordering(), "42:1");
    // With no result, Return does nothing.
    phone.tap(phone.tabNavigation(0)->navigationBar()->leftButton());
    phone.type("ززز");
    phone.pressReturn();
    EXPECT_NE(search(), nullptr);
    EXPECT_EQ(ordering(), "42:1");
}

TEST_F(CitiesTest, TheSearchKeepsTheKeyboardThroughTheBackground)
{
    phone.start();
    ASSERT_NE(search(), nullptr);
    phone.window()->showMinimized();
    Phone::settle();
    phone.window()->showNormal();
    Phone::settle();
    EXPECT_TRUE(search()->searchBar()->isFirstResponder());
    phone.type("مشهد");
    EXPECT_EQ(names(search()->datasource()).value(0), "مشهد (خراسان رضوی)");
}

TEST_F(CitiesTest, ArabicLetterFormsFindThePersianNames)
{
    phone.start();
    // Karaj typed with the Arabic kaf, Yasuj with the Arabic yeh.
    phone.type(QString::fromUtf16(u"\u0643\u0631\u062C"));
    EXPECT_EQ(names(search()->datasource()).value(0), "کرج (البرز)");
    search()->searchBar()->setText(QString::fromUtf16(u"\u064A\u0627\u0633\u0648\u062C"));
    EXPECT_EQ(names(search()->datasource()).value(0), "یاسوج (کهگیلویه و بویراحمد)");
}

TEST_F(CitiesTest, TypedPunctuationIsNoWildcardAndNothingFoundIsSaid)
{
    phone.start();
    EXPECT_TRUE(search()->nothingFound()->isHidden());
    for (const char* typed : {"%", "_", "'", "\"; --"}) {
        search()->searchBar()->setText(QString::fromUtf8(typed));
        EXPECT_TRUE(search()->datasource().isEmpty()) << typed;
        EXPECT_FALSE(search()->nothingFound()->isHidden()) << typed;
    }
    // Punctuation inside a name is no wildcard either.
    search()->searchBar()->setText("ka%an");
    EXPECT_TRUE(search()->datasource().isEmpty());
    search()->searchBar()->setText("kashan");
    EXPECT_EQ(names(search()->datasource()).value(0), "کاشان (اصفهان)");
    EXPECT_TRUE(search()->nothingFound()->isHidden());
}

TEST_F(CitiesTest, AChosenCityIsNotListedUntilItIsRemoved)
{
    phone.box.choose({Sandbox::kTehran, Sandbox::kMashhad});
    phone.start();
    openSettings();
    SelectionController* cities = phone.cities();
    phone.tap(phone.tabNavigation(0)->navigationBar()->leftButton());
    ASSERT_NE(search(), nullptr);
    EXPECT_EQ(search()->datasource().size(), 1128);
    phone.type("تبریز");
    tapRow(search()->tblResult(), 0);
    // Two chosen before: the new one is third.
    EXPECT_EQ(ordering(), "39:1 42:2 32:3");

    // Deleting asks first; the row goes only on the confirmation.
    phone.tap(cities->tbl()->deleteControl({0, 0}));
    ASSERT_NE(cities->tbl()->confirmationButton(), nullptr);
    EXPECT_EQ(cities->datasource().size(), 3);
    phone.tap(cities->tbl()->confirmationButton());
    EXPECT_EQ(ordering(), "42:2 32:3");
    EXPECT_EQ(cities->datasource().size(), 2);
    phone.tap(phone.tabNavigation(0)->navigationBar()->leftButton());
    phone.type("تهران");
    EXPECT_EQ(names(search()->datasource()).value(0), "تهران (تهران)");
}

TEST_F(CitiesTest, MovingARowRenumbersEveryCityInListOrder)
{
    phone.box.choose({Sandbox::kTehran, Sandbox::kMashhad, Sandbox::kTabriz});
    phone.start();
    openSettings();
    SelectionController* cities = phone.cities();
    cities->tbl()->moveRow({0, 0}, {0, 2});
    EXPECT_EQ(ordering(), "42:0 32:1 39:2");
    EXPECT_EQ(names(cities->datasource()), (QStringList{"مشهد (خراسان رضوی)", "تبریز (آذربایجان شرقی)", "تهران (تهران)"}));
    // Only the first row is drawn in the normal colour.
    EXPECT_EQ(cities->tbl()->cellForRowAtIndexPath({0, 0})->textLabel()->textColor(), QColor(Qt::black));
    EXPECT_EQ(cities->tbl()->cellForRowAtIndexPath({0, 1})->textLabel()->textColor(), ui::grayColor());
    EXPECT_EQ(cities->tbl()->cellForRowAtIndexPath({0, 2})->textLabel()->textColor(), ui::grayColor());
    // A row dropped where it was still rewrites them all: numbers that are
    // off (in the same order) come back as the list's.
    phone.box.exec("UPDATE tSelectedStates SET Ordering = Ordering * 10 + 5");
    ASSERT_EQ(ordering(), "42:5 32:15 39:25");
    cities->tbl()->moveRow({0, 1}, {0, 1});
    EXPECT_EQ(ordering(), "42:0 32:1 39:2");
}

TEST_F(CitiesTest, DraggingARowsHandleMovesIt)
{
    phone.box.choose({Sandbox::kTehran, Sandbox::kMashhad, Sandbox::kTabriz});
    phone.start();
    openSettings();
    ui::TableView* table = phone.cities()->tbl();
    ui::View* handle = table->reorderControl({0, 0});
    ASSERT_NE(handle, nullptr);
    const QPoint from = handle->mapTo(phone.window(), handle->rect().center());
    const QPoint to = from + QPoint(0, 2 * SelectionController::kRowHeight);
    ui::touch::drag(phone.window(), from, to);
    Phone::settle();
    EXPECT_EQ(ordering(), "42:0 32:1 39:2");
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 2})->textLabel()->text(), "تهران (تهران)");
}

TEST_F(CitiesTest, ARowDroppedAboveTheFirstBecomesTheFirst)
{
    phone.box.choose({Sandbox::kTehran, Sandbox::kMashhad, Sandbox::kTabriz});
    phone.start();
    openSettings();
    ui::TableView* table = phone.cities()->tbl();
    ui::View* handle = table->reorderControl({0, 2});
    ASSERT_NE(handle, nullptr);
    const QPoint from = handle->mapTo(phone.window(), handle->rect().center());
    // Let go a little above the table, over the top of the list.
    const QPoint to(from.x(), table->mapTo(phone.window(), QPoint(0, 0)).y() - 3);
    ui::touch::drag(phone.window(), from, to);
    Phone::settle();
    EXPECT_EQ(ordering(), "32:0 39:1 42:2");
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 0})->textLabel()->text(), "تبریز (آذربایجان شرقی)");
}

TEST_F(CitiesTest, TheDeleteConfirmationNarrowsTheNameInsteadOfCoveringIt)
{
    const int own = phone.box.makeCity("شهرک صنعتی شمس‌آباد", Sandbox::kTehranProvince, {0, 0, 0, 0, 0, 0});
    phone.box.choose({own});
    phone.start();
    openSettings();
    ui::TableView* table = phone.cities()->tbl();
    ui::TableViewCell* cell = table->cellForRowAtIndexPath({0, 0});
    const QRect before = cell->textLabel()->frame();
    phone.tap(table->deleteControl({0, 0}));
    ui::Button* confirm = table->confirmationButton();
    ASSERT_NE(confirm, nullptr);
    EXPECT_FALSE(cell->textLabel()->frame().intersects(confirm->frame()));
    EXPECT_LT(cell->textLabel()->frame().width(), before.width());
    // Withdrawn, the name has its room back.
    phone.tap(table->deleteControl({0, 0}));
    EXPECT_EQ(table->confirmationButton(), nullptr);
    EXPECT_EQ(cell->textLabel()->frame(), before);
}

TEST_F(CitiesTest, TheListGrowsPastSevenRowsAndScrolls)
{
    phone.box.choose({32, 33, 34});
    phone.start();
    openSettings();
    EXPECT_EQ(phone.cities()->tbl()->frame().height(), 308);
    phone.box.choose({35, 36, 37, 38, 39, 40, 41});
    phone.cities()->updateDataSource();
    EXPECT_EQ(phone.cities()->tbl()->frame().height(), 440);
    EXPECT_EQ(phone.cities()->tblScrollView()->contentSize().height(), 441);
}

TEST_F(CitiesTest, DeletingAUsersCityDeletesItAltogether)
{
    const int own = phone.box.makeCity("شهرک", Sandbox::kTehranProvince, {1, 2, 3, 4, 5, 6});
    phone.box.choose({62, own});
    phone.start();
    openSettings();
    SelectionController* cities = phone.cities();
    ASSERT_EQ(cities->datasource().size(), 2);
    cities->commitEditingStyle(cities->tbl(), ui::EditingStyle::Delete, {0, 1});
    EXPECT_EQ(phone.box.scalar(QStringLiteral("SELECT COUNT(*) FROM tStates WHERE StateID = %1").arg(own)), "0");
    EXPECT_EQ(phone.box.scalar(QStringLiteral("SELECT COUNT(*) FROM tTimes WHERE StateID = %1").arg(own)), "0");
    EXPECT_EQ(phone.box.scalar(QStringLiteral("SELECT COUNT(*) FROM tSelectedStates WHERE StateID = %1").arg(own)), "0");
    cities->commitEditingStyle(cities->tbl(), ui::EditingStyle::Delete, {0, 0});
    EXPECT_EQ(phone.box.scalar("SELECT COUNT(*) FROM tStates WHERE StateID = 62"), "1");
    EXPECT_EQ(phone.box.scalar("SELECT COUNT(*) FROM tTimes WHERE StateID = 62"),
        phone.box.scalar("SELECT COUNT(*) FROM tTimes WHERE StateID = 61"));
    EXPECT_FALSE(cities->btnDone()->isEnabled());
}

TEST_F(CitiesTest, TheTitleOpensTheMakersWebSite)
{
    QStringList opened;
    foundation::UrlOpener::setHandler([&](const QString& url) {
        opened.append(url);
        return true;
    });
    phone.box.choose({Sandbox::kTehran});
    phone.start();
    openSettings();
    ui::NavigationBar* bar = phone.tabNavigation(0)->navigationBar();
    phone.tap(bar, bar->titleRect().center());
    EXPECT_EQ(opened, QStringList{"https://kelvaro.example"});
    foundation::UrlOpener::setHandler({});
}

TEST_F(CitiesTest, DoneRebuildsTheNotificationsEvenWithoutAChange)
{
    phone.box.choose({Sandbox::kTehran});
    phone.start();
    notifications::NotificationCenter::shared()->cancelAllLocalNotifications();
    openSettings();
    tapDone();
    EXPECT_EQ(phone.window()->rootViewController(), phone.main());
    EXPECT_FALSE(notifications::NotificationCenter::shared()->scheduledLocalNotifications().isEmpty());
}

TEST_F(CitiesTest, EveryOpeningShowsTheStoredSettings)
{
    phone.box.choose({Sandbox::kTehran});
    phone.start();
    openSettings();
    phone.tap(phone.settings()->tabBar(), phone.settings()->tabBar()->itemRect(1).center());
    auto* alarms = dynamic_cast<SettingController*>(phone.top(1));
    ASSERT_NE(alarms, nullptr);
    EXPECT_EQ(alarms->notifications()[0], 1);
    // Switched off, and not saved when the tab is left.
    auto* dawn = dynamic_cast<ui::Switch*>(alarms->tbl()->cellForRowAtIndexPath({0, 0})->subviews().last());
    ASSERT_NE(dawn, nullptr);
    phone.tap(dawn);
    EXPECT_EQ(alarms->notifications()[0], 0);
    phone.tap(phone.settings()->tabBar(), phone.settings()->tabBar()->itemRect(0).center());
    ASSERT_TRUE(phone.answer(ui::unsaved::kDiscard));
    EXPECT_EQ(phone.settings()->selectedIndex(), 0);
    EXPECT_EQ(alarms->notifications()[0], 1);
    tapDone();
    openSettings();
    phone.tap(phone.settings()->tabBar(), phone.settings()->tabBar()->itemRect(1).center());
    alarms = dynamic_cast<SettingController*>(phone.top(1));
    ASSERT_NE(alarms, nullptr);
    EXPECT_EQ(alarms->notifications()[0], 1);
    EXPECT_EQ(phone.box.scalar("SELECT Item0 FROM tSetting"), "1");
}

TEST_F(CitiesTest, TheListSaysWhichCityTheAzansFollowAndItsBellChoosesAnother)
{
    phone.box.choose({Sandbox::kTehran, Sandbox::kMashhad, Sandbox::kTabriz});
    phone.start();
    openSettings();
    SelectionController* cities = phone.cities();
    auto bell = [&](int row) { return dynamic_cast<AzanMark*>(cities->tbl()->cellForRowAtIndexPath({0, row})->accessoryView()); };
    // The first chosen city, said under the list, its bell lit.
    EXPECT_EQ(cities->azanLine()->text(), "اذان‌ها به افق تهران (تهران)");
    ASSERT_NE(bell(0), nullptr);
    EXPECT_TRUE(bell(0)->isLit());
    EXPECT_FALSE(bell(1)->isLit());
    EXPECT_EQ(bell(1)->accessibleName(), "اذان به افق مشهد (خراسان رضوی)");
    // The second's bell: the azans move there, the list stays in its order.
    phone.tap(bell(1));
    EXPECT_EQ(cities->azanLine()->text(), "اذان‌ها به افق مشهد (خراسان رضوی)");
    EXPECT_EQ(ordering(), "39:1 42:2 32:3");
    EXPECT_TRUE(bell(1)->isLit());
    EXPECT_FALSE(bell(0)->isLit());
    EXPECT_EQ(cities->tbl()->cellForRowAtIndexPath({0, 0})->textLabel()->textColor(), ui::grayColor());
    EXPECT_EQ(cities->tbl()->cellForRowAtIndexPath({0, 1})->textLabel()->textColor(), QColor(Qt::black));
    const auto pending = notifications::NotificationCenter::shared()->scheduledLocalNotifications();
    ASSERT_FALSE(pending.isEmpty());
    for (const auto& n : pending)
        EXPECT_TRUE(n.alertBody.contains("مشهد")) << n.alertBody.toStdString();
    // Reordered, the choice holds; removed, the first city is followed again.
    cities->tbl()->moveRow({0, 2}, {0, 0});
    EXPECT_EQ(cities->azanLine()->text(), "اذان‌ها به افق مشهد (خراسان رضوی)");
    cities->commitEditingStyle(cities->tbl(), ui::EditingStyle::Delete, {0, 2});
    EXPECT_EQ(cities->azanLine()->text(), "اذان‌ها به افق تبریز (آذربایجان شرقی)");
    // The day page of the city the azans follow is marked, and only it.
    ASSERT_TRUE(cities::chooseAzanCity(Sandbox::kTehran));
    tapDone();
    int marked = 0;
    for (ui::View* v : phone.main()->scrollView()->subviews()) {
        auto* page = dynamic_cast<CustomUIImageView*>(v);
        ASSERT_NE(page, nullptr);
        if (page->isAzanCity()) {
            ++marked;
            EXPECT_EQ(page->nameLabel()->text(), "تهران");
        }
    }
    EXPECT_EQ(marked, 1);
}

} // namespace

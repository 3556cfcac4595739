#include "screens/cities/NewCityController.h"
#include "platform/ui/UnsavedChanges.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/NavigationItem.h"
#include "screens/cities/SearchController.h"
#include "screens/cities/SelectionController.h"

#include "platform/ui/AlertView.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/LineEdit.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/SearchBar.h"
#include "platform/ui/Slider.h"
#include "platform/ui/TextField.h"
#include "calendar/Utility.h"
#include "platform/ui/Touch.h"
#include "screens/main/MainViewController.h"
#include "store/Cities.h"
#include "store/Days.h"
#include "tests/support/Phone.h"

#include <gtest/gtest.h>

namespace {

class NewCityTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        phone.box.choose({Sandbox::kTehran, Sandbox::kMashhad});
        phone.start();
        phone.tap(phone.main()->infoButton());
        SelectionController* cities = phone.cities();
        ASSERT_NE(cities, nullptr);
        phone.tap(cities->createNewCityTable()->cellForRowAtIndexPath({0, 0}));
        form = dynamic_cast<NewCityController*>(phone.top(0));
        ASSERT_NE(form, nullptr);
    }
    bool saveEnabled() const { return form->navigationItem()->rightBarButtonItem()->isEnabled(); }
    void typeName(const QString& name, bool withReturn)
    {
        phone.tap(form->nameField());
        phone.type(name);
        if (withReturn)
            phone.pressReturn();
    }
    // Province 5 is Alborz, whose centre is Karaj.
    void chooseProvince(const QString& typed = "البرز")
    {
        phone.tap(form->tbl()->cellForRowAtIndexPath({0, 1}));
        auto* search = dynamic_cast<SearchController*>(phone.top(0));
        ASSERT_NE(search, nullptr);
        EXPECT_EQ(search->typeID(), SearchController::kProvincesMode);
        phone.type(typed);
        phone.tap(search->tblResult()->cellForRowAtIndexPath({0, 0}));
        ASSERT_EQ(phone.top(0), form);
    }
    ui::Slider* slider(int row) const
    {
        for (ui::View* v : form->tbl()->cellForRowAtIndexPath({NewCityController::kOffsetsSection, row})->subviews())
            if (auto* s = dynamic_cast<ui::Slider*>(v))
                return s;
        return nullptr;
    }
    ui::Label* valueLabel(int row) const
    {
        QList<ui::Label*> labels;
        for (ui::View* v : form->tbl()->cellForRowAtIndexPath({NewCityController::kOffsetsSection, row})->subviews())
            if (auto* l = dynamic_cast<ui::Label*>(v))
                labels.append(l);
        return labels.last();
    }
    void moveSlider(int row, double value)
    {
        ui::Slider* s = slider(row);
        s->setValue(value);
        s->sendActions(ui::ControlEvent::ValueChanged);
    }
    void save() { phone.tap(phone.tabNavigation(0)->navigationBar()->rightButton()); }
    int newest() const { return phone.box.scalar("SELECT MAX(StateID) FROM tStates").toInt(); }

    Phone phone;
    NewCityController* form = nullptr;
};

TEST_F(NewCityTest, SaveNeedsANameAndAProvinceInEitherOrder)
{
    EXPECT_FALSE(saveEnabled());
    EXPECT_EQ(form->navigationItem()->title(), "شهر جدید");
    typeName("ماهدشت", true);
    EXPECT_EQ(form->cityName(), "ماهدشت");
    EXPECT_FALSE(saveEnabled());
    chooseProvince();
    EXPECT_EQ(form->provinceID(), 5);
    EXPECT_EQ(form->provinceName(), "البرز");
    EXPECT_EQ(form->tbl()->cellForRowAtIndexPath({0, 1})->detailTextLabel()->text(), "البرز");
    EXPECT_TRUE(saveEnabled());
}

TEST_F(NewCityTest, AProvinceFirstAndThenANameAlsoEnablesSave)
{
    chooseProvince();
    // The province row was tapped before the name field was used: no name.
    EXPECT_EQ(form->cityName(), "");
    EXPECT_FALSE(saveEnabled());
    typeName("ماهدشت", true);
    EXPECT_TRUE(saveEnabled());
    // A name of blanks is no name.
    form->nameField()->setText("   ");
    EXPECT_FALSE(saveEnabled());
}

TEST_F(NewCityTest, SavingStoresTheThreeRowsAndTheListShowsTheCityLast)
{
    typeName("ماهدشت", true);
    chooseProvince();
    const int offsets[] = {3, 0, -2, 1, 3, -2};
    for (int r = 0; r < 6; ++r)
        moveSlider(r, offsets[r]);
    const int before = newest();
    save();
    const int id = newest();
    EXPECT_GT(id, before);
    EXPECT_EQ(phone.box.scalar(QStringLiteral("SELECT Name || ',' || ParentID || ',' || IsCenter FROM tStates WHERE StateID = %1").arg(id)),
        "ماهدشت,5,0");
    EXPECT_EQ(phone.box.scalar(QStringLiteral("SELECT Date || ',' || T1 || ',' || T2 || ',' || T3 || ',' || T4 || ',' || T5 || ',' || T6 "
                                              "FROM tTimes WHERE StateID = %1")
                                   .arg(id)),
        "14000101,3,0,-2,1,3,-2");
    EXPECT_EQ(phone.box.scalar(QStringLiteral("SELECT Ordering FROM tSelectedStates WHERE StateID = %1").arg(id)), "3");
    // The form has popped itself; the list shows the city at its end.
    Phone::settle();
    EXPECT_EQ(phone.top(0), phone.cities());
    EXPECT_EQ(phone.cities()->datasource().last().value("StateName"), "ماهدشت (البرز)");
}

TEST_F(NewCityTest, TheNameComesBackFromTheProvinceSearchAsItWas)
{
    // Back from the search, with a province chosen and then cancelled: the
    // name is neither selected nor replaced by the next keystroke.
    auto expectNameKept = [this](const char* how) {
        EXPECT_EQ(form->nameField()->text(), "ماهدشت") << how;
        EXPECT_FALSE(form->nameField()->field()->hasSelectedText()) << how;
        phone.type("x");
        EXPECT_EQ(form->nameField()->text(), "ماهدشت") << how;
    };
    typeName("ماهدشت", false);
    chooseProvince();
    expectNameKept("chosen");
    phone.tap(form->tbl()->cellForRowAtIndexPath({0, 1}));
    auto* search = dynamic_cast<SearchController*>(phone.top(0));
    ASSERT_NE(search, nullptr);
    phone.tap(search->searchBar()->cancelButton());
    ASSERT_EQ(phone.top(0), form);
    expectNameKept("cancelled");
    // A tap on the field goes on typing at the end of the name.
    phone.tap(form->nameField());
    phone.type("ی");
    EXPECT_EQ(form->nameField()->text(), "ماهدشتی");
}

TEST_F(NewCityTest, TheLastSliderCanBeReachedAndMoved)
{
    ui::TableView* table = form->tbl();
    const QPoint bottom = table->mapTo(phone.window(), QPoint(0, table->height()));
    EXPECT_EQ(bottom.y(), phone.window()->height());
    // Scrolled up by a finger on the rows' titles, the form shows its last
    // slider whole, and the slider takes the finger.
    const QPoint from = table->mapTo(phone.window(), QPoint(300, table->height() - 40));
    for (int i = 0; i < 2; ++i) {
        ui::touch::drag(phone.window(), from, from - QPoint(0, 200));
        Phone::settle();
    }
    ui::Slider* last = slider(NewCityController::kOffsetRows - 1);
    const QRect shown = QRect(last->mapTo(phone.window(), QPoint(0, 0)), last->size());
    EXPECT_TRUE(phone.window()->rect().contains(shown));
    EXPECT_EQ(phone.window()->childAt(shown.center()), last);
    ui::touch::drag(phone.window(), last->mapTo(phone.window(), last->pointForValue(0)),
        last->mapTo(phone.window(), last->pointForValue(last->minimumValue())));
    Phone::settle();
    EXPECT_EQ(form->difArray()[NewCityController::kOffsetRows - 1], -10);
}

TEST_F(NewCityTest, TheKeyboardChoosesTheProvinceAndEscapeLeaves)
{
    phone.tap(form->tbl()->cellForRowAtIndexPath({0, 1}));
    ASSERT_NE(dynamic_cast<SearchController*>(phone.top(0)), nullptr);
    // Escape leaves the province search: the form, its bar, no province.
    ui::touch::key(phone.window(), Qt::Key_Escape);
    Phone::settle();
    ASSERT_EQ(phone.top(0), form);
    EXPECT_FALSE(phone.tabNavigation(0)->isNavigationBarHidden());
    EXPECT_EQ(form->provinceID(), 0);
    // Return takes the first province found.
    phone.tap(form->tbl()->cellForRowAtIndexPath({0, 1}));
    phone.type("البرز");
    phone.pressReturn();
    ASSERT_EQ(phone.top(0), form);
    EXPECT_EQ(form->provinceID(), 5);
    // Escape on the form leaves it, as its back button does, once the user
    // says the province chosen may go; nothing is stored.
    const QString states = phone.box.scalar("SELECT COUNT(*) FROM tStates");
    ui::touch::key(phone.window(), Qt::Key_Escape);
    Phone::settle();
    EXPECT_EQ(phone.alertTitle(), ui::unsaved::kQuestion);
    ASSERT_TRUE(phone.answer(ui::unsaved::kDiscard));
    Phone::settle();
    EXPECT_EQ(phone.top(0), phone.cities());
    EXPECT_EQ(phone.box.scalar("SELECT COUNT(*) FROM tStates"), states);
}

TEST_F(NewCityTest, SlidersRoundDownAndShowPersianDigits)
{
    moveSlider(0, 4.7);
    EXPECT_EQ(form->difArray()[0], 4);
    EXPECT_EQ(valueLabel(0)->text(), QString::fromUtf16(u"\u0664"));
    moveSlider(1, -0.2);
    EXPECT_EQ(form->difArray()[1], -1);
    EXPECT_EQ(valueLabel(1)->text(), QString::fromUtf16(u"-\u0661"));
    moveSlider(2, 9.99);
    EXPECT_EQ(form->difArray()[2], 9);
    moveSlider(3, 10);
    EXPECT_EQ(form->difArray()[3], 10);
    // The thumb stays where it was left.
    EXPECT_DOUBLE_EQ(slider(0)->value(), 4.7);
}

TEST_F(NewCityTest, ArabicLettersAndQuotesAreStoredSafely)
{
    const QString name = QString::fromUtf16(u"\u0643\u064A O'Neil; DROP TABLE tStates; --");
    typeName(name, true);
    chooseProvince();
    save();
    EXPECT_EQ(phone.box.scalar(QStringLiteral("SELECT Name FROM tStates WHERE StateID = %1").arg(newest())),
        QString::fromUtf16(u"\u06A9\u06CC O'Neil; DROP TABLE tStates; --"));
    EXPECT_EQ(phone.box.scalar("SELECT COUNT(*) FROM tStates WHERE IsCenter = 1"), "31");
}

TEST_F(NewCityTest, NamesThatLookLikePlaceholdersOrSqlComeBackUnchanged)
{
    // Typed into the form, saved, read back from the database and listed.
    const QStringList names = {QStringLiteral("x%2"), QStringLiteral("a%1b"), QStringLiteral("50%_off'"),
        QStringLiteral("\"; DROP TABLE tStates; --"), QString::fromUtf16(u"\u200Fکوی\u200C نو\u200E"), QString::fromUtf8("ده\xF0\x9F\x8C\x99")};
    for (const QString& name : names) {
        if (phone.top(0) != form) {
            phone.tap(phone.cities()->createNewCityTable()->cellForRowAtIndexPath({0, 0}));
            form = dynamic_cast<NewCityController*>(phone.top(0));
            ASSERT_NE(form, nullptr);
        }
        typeName(name, true);
        chooseProvince();
        save();
        Phone::settle();
        EXPECT_EQ(phone.box.scalar(QStringLiteral("SELECT Name FROM tStates WHERE StateID = %1").arg(newest())), name);
        EXPECT_EQ(phone.cities()->datasource().last().value("StateName"), name + " (البرز)");
    }
    EXPECT_EQ(phone.box.scalar("SELECT COUNT(*) FROM tStates WHERE IsCenter = 1"), "31");
}

TEST_F(NewCityTest, CoordinatesMakeAPlaceWithTheTimesOfTheShippedPlaceThere)
{
    typeName("بندر", true);
    // Persian digits and the Persian decimal separator; the province follows
    // from the point when none is chosen.
    phone.tap(form->latitudeField());
    phone.type(QString::fromUtf16(u"\u06F2\u06F5\u066B\u06F2\u06F9\u06F1\u06F9"));
    phone.pressReturn();
    phone.tap(form->longitudeField());
    phone.type("60.6430");
    phone.pressReturn();
    EXPECT_EQ(form->provinceName(), "سیستان و بلوچستان");
    EXPECT_TRUE(saveEnabled());
    save();
    Phone::settle();
    ASSERT_TRUE(ui::AlertView::visibleAlerts().isEmpty());
    const int own = newest();
    EXPECT_EQ(phone.box.scalar(QStringLiteral("SELECT Latitude || ' ' || Longitude FROM tCoordinates WHERE StateID = %1").arg(own)),
        "25.2919 60.643");
    EXPECT_EQ(phone.box.scalar(QStringLiteral("SELECT COUNT(*) FROM tTimes WHERE StateID = %1").arg(own)), "0");
    // The same times as Chabahar, chosen from the places of Iran.
    ASSERT_TRUE(cities::choosePlace(phone.box.scalar("SELECT PlaceID FROM tPlaces WHERE Name = 'چابهار'").toInt()));
    const int shipped = newest();
    for (int key : {910101, 1050917, 1101229})
        EXPECT_EQ(days::cityTimes(own, key, 1).value(), days::cityTimes(shipped, key, 1).value()) << key;
}

TEST_F(NewCityTest, CoordinatesThatAreNotAPlaceInIranAreRefusedAndSaidSo)
{
    typeName("جایی", true);
    chooseProvince();
    const QString before = phone.box.scalar("SELECT COUNT(*) FROM tStates");
    const struct {
        const char* latitude;
        const char* longitude;
        const char* title;
    } cases[] = {{"abc", "51", "مختصات خوانا نیست"}, {"35.6.9", "51", "مختصات خوانا نیست"}, {"23.9", "55", "این نقطه در ایران نیست"},
        {"35", "64", "این نقطه در ایران نیست"}, {"35.7", "", "مختصات ناقص است"}, {"", "51.4", "مختصات ناقص است"}};
    for (const auto& c : cases) {
        form->latitudeField()->setText(QString::fromUtf8(c.latitude));
        form->longitudeField()->setText(QString::fromUtf8(c.longitude));
        save();
        ASSERT_EQ(ui::AlertView::visibleAlerts().size(), 1) << c.latitude << " " << c.longitude;
        EXPECT_EQ(ui::AlertView::visibleAlerts()[0]->title(), QString::fromUtf8(c.title));
        ui::AlertView::visibleAlerts()[0]->dismiss();
        Phone::settle();
        // Nothing stored, and the form stays with what was typed.
        EXPECT_EQ(phone.box.scalar("SELECT COUNT(*) FROM tStates"), before);
        EXPECT_EQ(phone.top(0), form);
        EXPECT_EQ(form->latitudeField()->text(), QString::fromUtf8(c.latitude));
    }
    // Cleared: the offsets are used, as before.
    form->latitudeField()->setText("");
    form->longitudeField()->setText("");
    save();
    EXPECT_TRUE(ui::AlertView::visibleAlerts().isEmpty());
    EXPECT_EQ(phone.box.scalar(QStringLiteral("SELECT COUNT(*) FROM tTimes WHERE StateID = %1").arg(newest())), "1");
}

TEST_F(NewCityTest, ANameTypedAfterTheLastReturnIsKeptAndTrimmed)
{
    chooseProvince();
    typeName("  رباط کریم  ", false);
    EXPECT_TRUE(saveEnabled());
    save();
    EXPECT_EQ(phone.box.scalar(QStringLiteral("SELECT Name FROM tStates WHERE StateID = %1").arg(newest())), "رباط کریم");
}

TEST_F(NewCityTest, AFailedInsertLeavesNoPartOfTheCity)
{
    typeName("ماهدشت", true);
    chooseProvince();
    phone.box.exec("CREATE TRIGGER refuse BEFORE INSERT ON tSelectedStates BEGIN SELECT RAISE(ABORT, 'full'); END");
    const QString states = phone.box.scalar("SELECT COUNT(*) FROM tStates");
    const QString times = phone.box.scalar("SELECT COUNT(*) FROM tTimes");
    save();
    EXPECT_EQ(phone.box.scalar("SELECT COUNT(*) FROM tStates"), states);
    EXPECT_EQ(phone.box.scalar("SELECT COUNT(*) FROM tTimes"), times);
    EXPECT_EQ(phone.box.scalar("SELECT COUNT(*) FROM tSelectedStates"), "2");
    // Not shown as saved: the user is told, and the form stays with what
    // they entered.
    ASSERT_EQ(ui::AlertView::visibleAlerts().size(), 1);
    EXPECT_TRUE(ui::AlertView::visibleAlerts()[0]->message().contains("ذخیره نشد"));
    EXPECT_EQ(phone.top(0), form);
    EXPECT_EQ(form->nameField()->text(), "ماهدشت");
    EXPECT_EQ(form->provinceID(), 5);
    EXPECT_TRUE(saveEnabled());
    EXPECT_TRUE(phone.box.log.contains("not saved: a new city"));
    ui::AlertView::visibleAlerts()[0]->dismiss();
    // Once the cause is gone, the same form saves.
    phone.box.exec("DROP TRIGGER refuse");
    save();
    EXPECT_EQ(phone.box.scalar("SELECT COUNT(*) FROM tSelectedStates"), "3");
}

TEST_F(NewCityTest, TheNameStopsAtFiftyCharactersAndTakesEmojiWhole)
{
    phone.tap(form->nameField());
    phone.type(QString(49, QChar(0x0628)));
    EXPECT_TRUE(form->nameLimitLabel()->isHidden());
    phone.type(QString(11, QChar(0x0628)));
    EXPECT_EQ(form->nameField()->text().size(), NewCityController::kNameLength);
    // The typing stops, and the form says why.
    EXPECT_FALSE(form->nameLimitLabel()->isHidden());
    EXPECT_TRUE(form->nameLimitLabel()->text().contains(Utility::ConvertToPersian("50")));
    EXPECT_EQ(form->nameField()->accessibleDescription(), form->nameLimitLabel()->text());
    ui::touch::key(phone.window(), Qt::Key_Backspace);
    EXPECT_TRUE(form->nameLimitLabel()->isHidden());
    form->nameField()->setText(QString());
    phone.type(QString::fromUtf16(u"ده 🕌"));
    EXPECT_EQ(form->nameField()->text(), QString::fromUtf16(u"ده 🕌"));
}

TEST_F(NewCityTest, TheNewCitysPageShowsItsCentresTimesMovedByItsOffsets)
{
    typeName("ماهدشت", true);
    chooseProvince();
    moveSlider(0, -5);
    save();
    phone.tap(phone.tabNavigation(0)->navigationBar()->rightButton());
    ASSERT_EQ(phone.window()->rootViewController(), phone.main());
    ASSERT_EQ(phone.main()->datasource().size(), 3);
    // The new city has the highest Ordering: the leftmost page.
    const days::Page& row = phone.main()->datasource().first();
    EXPECT_EQ(row.name, "ماهدشت");
    const QString karaj = phone.box.scalar("SELECT T1 FROM tTimes WHERE StateID = 36 AND Date = 910431");
    ASSERT_TRUE(row.times.has_value());
    EXPECT_EQ(row.times->at(DayTime::Dawn), ClockTime::readStrict(DateTimePersian().add(karaj, -5)));
}

} // namespace

#include "screens/cities/NewCityController.h"
#include "screens/cities/SelectionController.h"
#include "screens/settings/AboutController.h"
#include "screens/settings/EventKindsController.h"
#include "screens/settings/HijriMonthsController.h"
#include "screens/settings/HistoryViewController.h"
#include "screens/settings/ReminderController.h"
#include "screens/settings/SettingController.h"
#include "store/Days.h"
#include "store/Reminders.h"
#include "screens/settings/SoundsViewController.h"

#include "platform/audio/AudioPlayer.h"
#include "calendar/LunarCalendar.h"
#include "calendar/Utility.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/Directories.h"
#include "platform/foundation/UrlOpener.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/Button.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/ImageView.h"
#include "platform/foundation/Log.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/SegmentedControl.h"
#include "platform/ui/Slider.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/Switch.h"
#include "platform/ui/Window.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TabBar.h"
#include "platform/ui/TabBarItem.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Touch.h"
#include "platform/ui/UnsavedChanges.h"
#include "platform/ui/Application.h"
#include "screens/main/MainViewController.h"
#include "screens/common/CustomUITabBarController.h"
#include "tests/support/Phone.h"
#include "tests/support/Sandbox.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

template <typename T>
T* first(ui::View* cell)
{
    for (ui::View* v : cell->subviews())
        if (auto* t = dynamic_cast<T*>(v))
            return t;
    return nullptr;
}

// The minutes label of a reminder's row (not the cell's own text label).
ui::Label* minutesLabel(ui::TableViewCell* cell)
{
    for (ui::View* v : cell->subviews())
        if (auto* l = dynamic_cast<ui::Label*>(v); l && l != cell->textLabel())
            return l;
    return nullptr;
}

// A settings screen in its navigation controller, on the phone's window.
template <typename Screen>
struct Loaded {
    Loaded() : screen(new Screen), nav(new ui::NavigationController(screen))
    {
        window.setRootViewController(nav);
        window.makeKeyAndVisible();
    }
    // A finger on the bar's Save button.
    void tapSave()
    {
        ui::Button* save = nav->navigationBar()->rightButton();
        ASSERT_NE(save, nullptr);
        ui::touch::tap(&window, save->mapTo(&window, save->rect().center()));
    }
    // A finger on a segment of the sound tab's azans.
    void tapSegment(int index)
    {
        if constexpr (std::is_same_v<Screen, SoundsViewController>) {
            ui::SegmentedControl* c = screen->azans();
            ui::touch::tap(&window, c->mapTo(&window, c->segmentRect(index).center()));
        }
    }
    // The window owns the navigation controller, and that the screen.
    ui::Window window;
    Screen* screen;
    ui::NavigationController* nav;
};

class SettingsTest : public ::testing::Test {
protected:
    Sandbox box;
    void SetUp() override
    {
        box.exec("UPDATE tSetting SET Item0 = 0, Item1 = 0, Item2 = 0, Item3 = 15, Item4 = 0, Item5 = 0, Item6 = 2, Item7 = '0'");
    }
};

TEST_F(SettingsTest, AlarmsLoadWithTheirRemindersMinutes)
{
    Loaded<SettingController> a;
    ui::TableView* t = a.screen->tbl();
    EXPECT_FALSE(a.screen->saveButton()->isEnabled());
    // The Part's six, then the user's own reminders (none yet: the row
    // that adds one).
    EXPECT_EQ(t->numberOfSections(), 5);
    EXPECT_EQ(t->numberOfRowsInSection(4), 1);
    EXPECT_EQ(t->numberOfRowsInSection(0), 3);
    EXPECT_EQ(t->numberOfRowsInSection(1), 2);
    EXPECT_EQ(t->numberOfRowsInSection(2), 1);
    EXPECT_EQ(t->numberOfRowsInSection(3), 1);
    ui::TableViewCell* minutes = t->cellForRowAtIndexPath({1, 1});
    EXPECT_DOUBLE_EQ(first<ui::Slider>(minutes)->value(), 2);
    EXPECT_EQ(minutesLabel(minutes)->text(), QString::fromUtf16(u"\u0661\u0665"));
    EXPECT_TRUE(first<ui::Switch>(t->cellForRowAtIndexPath({1, 0}))->isOn());
    // Mirrored, a switch stays inside its row's rounded box.
    for (int row = 0; row < 3; ++row) {
        ui::TableViewCell* cell = t->cellForRowAtIndexPath({0, row});
        const QRect frame = first<ui::Switch>(cell)->frame();
        EXPECT_GE(frame.left(), 4) << row;
        EXPECT_LE(frame.right(), cell->width() / 2) << row;
    }
    EXPECT_FALSE(first<ui::Switch>(t->cellForRowAtIndexPath({0, 0}))->isOn());
}

TEST_F(SettingsTest, SwitchingAReminderOnAddsItsMinutesRowAndSaveWritesAllSix)
{
    Loaded<SettingController> a;
    ui::Switch* iftar = first<ui::Switch>(a.screen->tbl()->cellForRowAtIndexPath({3, 0}));
    iftar->setOn(true);
    iftar->sendActions(ui::ControlEvent::ValueChanged);
    EXPECT_TRUE(a.screen->saveButton()->isEnabled());
    ASSERT_EQ(a.screen->tbl()->numberOfRowsInSection(3), 2);
    ui::TableViewCell* minutes = a.screen->tbl()->cellForRowAtIndexPath({3, 1});
    EXPECT_DOUBLE_EQ(first<ui::Slider>(minutes)->value(), 0);
    EXPECT_EQ(minutesLabel(minutes)->text(), QString::fromUtf16(u"\u0665"));

    // The sunrise reminder goes off: its row goes, and it saves as 0.
    ui::Switch* sunrise = first<ui::Switch>(a.screen->tbl()->cellForRowAtIndexPath({1, 0}));
    sunrise->setOn(false);
    sunrise->sendActions(ui::ControlEvent::ValueChanged);
    EXPECT_EQ(a.screen->tbl()->numberOfRowsInSection(1), 1);

    a.tapSave();
    EXPECT_FALSE(a.screen->saveButton()->isEnabled());
    EXPECT_EQ(box.scalar("SELECT Item0 || Item1 || Item2 || ',' || Item3 || ',' || Item4 || ',' || Item5 FROM tSetting"), "000,0,0,5");
    EXPECT_EQ(a.screen->notifications()[5], 1);
}

TEST_F(SettingsTest, ASavedReminderIsScheduledBeforeTheSettingsAreLeft)
{
    box.choose({Sandbox::kTehran});
    const auto sunriseReminders = [] {
        int n = 0;
        for (const auto& note : notifications::NotificationCenter::shared()->scheduledLocalNotifications())
            n += note.alertBody.contains(QStringLiteral("طلوع آفتاب")) ? 1 : 0;
        return n;
    };
    Loaded<SettingController> a;
    ui::Switch* sunrise = first<ui::Switch>(a.screen->tbl()->cellForRowAtIndexPath({1, 0}));
    sunrise->setOn(true);
    sunrise->sendActions(ui::ControlEvent::ValueChanged);
    EXPECT_EQ(sunriseReminders(), 0) << "not before Save";
    a.tapSave();
    EXPECT_GT(sunriseReminders(), 0);
}

// Whether a finger at the middle of `view` lands on it, and not on a bar
// over it or on nothing.
bool reachable(ui::Window* window, QWidget* view)
{
    const QPoint at = view->mapTo(window, view->rect().center());
    return window->rect().contains(at) && window->childAt(at) == view;
}

// With Tehran chosen and the settings `update` has written, from the main
// screen to the alarms tab, as a finger goes.
void openAlarms(Phone& phone, const char* update)
{
    phone.box.choose({Sandbox::kTehran});
    phone.box.exec(update);
    phone.start();
    phone.tap(phone.main()->infoButton());
    ui::TabBar* tabs = phone.settings()->tabBar();
    phone.tap(tabs, tabs->itemRect(1).center());
}

TEST(SettingsRightToLeft, TheTabsReadFromTheRightAndTheBarsAreMirrored)
{
    Phone phone;
    phone.box.choose({Sandbox::kTehran});
    phone.start();
    phone.tap(phone.main()->infoButton());
    ui::TabBar* tabs = phone.settings()->tabBar();
    // A finger going from the right edge of the bar to its left meets the
    // tabs in their order, the cities first.
    QStringList met;
    for (int x = tabs->width() - 4; x > 0; x -= 8) {
        phone.tap(tabs, QPoint(x, tabs->height() / 2));
        const int shown = phone.settings()->selectedIndex();
        ASSERT_EQ(shown, tabs->selectedIndex());
        ASSERT_TRUE(phone.settings()->viewControllers().value(shown)->view()->isVisible()) << shown;
        const QString title = tabs->items().value(shown)->title();
        if (met.isEmpty() || met.last() != title)
            met.append(title);
    }
    EXPECT_EQ(met, (QStringList{"شهرها", "هشدارها", "صدای اذان", "رویدادها", "درباره"}));
    for (int i = 0; i + 1 < 5; ++i)
        EXPECT_GT(tabs->itemRect(i).left(), tabs->itemRect(i + 1).left()) << i;

    // The cities: Done at the left of the bar, the search at the right, a
    // city's name at the right of its row.
    phone.tap(tabs, tabs->itemRect(0).center());
    ui::NavigationBar* bar = phone.tabNavigation(0)->navigationBar();
    auto x = [&](ui::Button* b) { return b ? b->mapTo(phone.window(), b->rect().center()).x() : -1; };
    // The item's right button (Done) stands at the leading end: the left.
    ASSERT_NE(bar->rightButton(), nullptr);
    EXPECT_EQ(bar->rightButton()->currentTitle(), "تایید");
    EXPECT_LT(x(bar->rightButton()), 80);
    EXPECT_GT(x(bar->leftButton()), 240);
    auto* cities = dynamic_cast<SelectionController*>(phone.top(0));
    ASSERT_NE(cities, nullptr);
    ui::TableViewCell* row = cities->tbl()->cellForRowAtIndexPath({0, 0});
    const QRect text = row->textLabel()->geometry();
    EXPECT_GT(text.right(), row->width() - 60);
    EXPECT_EQ(row->textLabel()->textAlignment(), ui::TextAlignment::Right);
}

TEST(SettingsBetweenTheBars, TheIftarMinutesCanBeReachedWithAllThreeRemindersOn)
{
    Phone phone;
    openAlarms(phone, "UPDATE tSetting SET Item3 = 0, Item4 = 0, Item5 = 0");
    ui::TabBar* tabs = phone.settings()->tabBar();
    auto* alarms = dynamic_cast<SettingController*>(phone.top(1));
    ASSERT_NE(alarms, nullptr);
    ui::TableView* table = alarms->tbl();
    // The table lies between the navigation bar and the tab bar.
    EXPECT_EQ(table->mapTo(phone.window(), QPoint(0, 0)).y(), ui::NavigationController::kBarHeight);
    EXPECT_EQ(table->mapTo(phone.window(), QPoint(0, table->height())).y(), tabs->mapTo(phone.window(), QPoint(0, 0)).y());

    for (int section = 1; section <= 3; ++section) {
        ui::Switch* toggle = first<ui::Switch>(table->cellForRowAtIndexPath({section, 0}));
        ASSERT_TRUE(reachable(phone.window(), toggle)) << section;
        phone.tap(toggle);
    }
    ASSERT_EQ(table->numberOfRowsInSection(3), 2);
    // The finger scrolls the table up until the iftar minutes come out
    // from under the tab bar, then moves their slider.
    const QPoint from = table->mapTo(phone.window(), QPoint(100, table->height() - 30));
    ui::touch::drag(phone.window(), from, from - QPoint(0, 150));
    Phone::settle();
    ui::Slider* iftar = first<ui::Slider>(table->cellForRowAtIndexPath({3, 1}));
    ASSERT_TRUE(reachable(phone.window(), iftar));
    const QPoint thumb = iftar->mapTo(phone.window(), iftar->pointForValue(iftar->value()));
    ui::touch::drag(phone.window(), thumb, iftar->mapTo(phone.window(), iftar->pointForValue(iftar->maximumValue())));
    Phone::settle();
    EXPECT_EQ(alarms->difArray()[2], 60);
}

// What a screen reader finds on the screen: every node that is shown, with
// its role and name, in the order it reads them.
struct Node {
    QAccessible::Role role;
    QString name;
    QAccessible::State state;
};

void walk(QAccessibleInterface* node, QList<Node>& found)
{
    if (!node || node->state().invisible)
        return;
    found.append({node->role(), node->text(QAccessible::Name), node->state()});
    for (int i = 0; i < node->childCount(); ++i)
        walk(node->child(i), found);
}

bool has(const QList<Node>& nodes, QAccessible::Role role, const QString& name)
{
    return std::any_of(nodes.begin(), nodes.end(), [&](const Node& n) { return n.role == role && n.name == name; });
}

TEST(SettingsAccessibility, AScreenReaderCanReadTheAlarmSettings)
{
    Phone phone;
    openAlarms(phone, "UPDATE tSetting SET Item0 = 1, Item3 = 10, Item4 = 0, Item5 = 20");

    QList<Node> nodes;
    walk(QAccessible::queryAccessibleInterface(phone.window()), nodes);
    // Whatever is a label, button, switch, slider, row, tab, field or page
    // has a Persian name.
    const QList<QAccessible::Role> named = {QAccessible::StaticText, QAccessible::Button, QAccessible::CheckBox, QAccessible::Slider,
        QAccessible::ListItem, QAccessible::PageTab, QAccessible::EditableText, QAccessible::Pane, QAccessible::TitleBar};
    const QRegularExpression persian(QStringLiteral("[\\x{0600}-\\x{06FF}]"));
    int checked = 0;
    for (const Node& n : nodes) {
        EXPECT_NE(n.role, QAccessible::NoRole);
        if (!named.contains(n.role))
            continue;
        ++checked;
        EXPECT_TRUE(n.name.contains(persian)) << "role " << n.role << " named '" << n.name.toStdString() << "'";
    }
    EXPECT_GT(checked, 20);

    // The screen, its bar and button, its rows, switches and sliders, the tabs.
    EXPECT_TRUE(has(nodes, QAccessible::Pane, "هشدارها"));
    EXPECT_TRUE(has(nodes, QAccessible::Button, "ذخیره"));
    EXPECT_TRUE(has(nodes, QAccessible::ListItem, "اذان صبح"));
    EXPECT_TRUE(has(nodes, QAccessible::CheckBox, "وقت افطار"));
    EXPECT_TRUE(has(nodes, QAccessible::Slider, "وقت افطار، دقیقه قبل"));
    for (const char* tab : {"شهرها", "هشدارها", "صدای اذان", "رویدادها", "درباره"})
        EXPECT_TRUE(has(nodes, QAccessible::PageTab, QString::fromUtf8(tab))) << tab;
    const auto dawn = std::find_if(nodes.begin(), nodes.end(), [](const Node& n) {
        return n.role == QAccessible::CheckBox && n.name == "اذان صبح";
    });
    ASSERT_NE(dawn, nodes.end());
    EXPECT_TRUE(dawn->state.checked);
    const auto alarmsTab = std::find_if(nodes.begin(), nodes.end(), [](const Node& n) {
        return n.role == QAccessible::PageTab && n.name == "هشدارها";
    });
    EXPECT_TRUE(alarmsTab->state.selected);
    // The screen under it (the main screen) is not read.
    EXPECT_FALSE(has(nodes, QAccessible::Button, "تقویم"));
}

TEST_F(SettingsTest, ReminderSliderStepsOfFiveMinutes)
{
    Loaded<SettingController> a;
    ui::Slider* slider = first<ui::Slider>(a.screen->tbl()->cellForRowAtIndexPath({1, 1}));
    ui::Label* value = minutesLabel(a.screen->tbl()->cellForRowAtIndexPath({1, 1}));
    slider->setValue(11);
    slider->sendActions(ui::ControlEvent::ValueChanged);
    EXPECT_EQ(a.screen->difArray()[0], 60);
    EXPECT_EQ(value->text(), QString::fromUtf16(u"\u0666\u0660"));
    slider->setValue(10.6);
    slider->sendActions(ui::ControlEvent::ValueChanged);
    EXPECT_EQ(a.screen->difArray()[0], 55);
    a.tapSave();
    EXPECT_EQ(box.scalar("SELECT Item3 FROM tSetting"), "55");
}

TEST_F(SettingsTest, ValuesOffTheStepsAreWrittenBackUnchanged)
{
    box.exec("UPDATE tSetting SET Item4 = 7, Item0 = 1");
    Loaded<SettingController> a;
    EXPECT_EQ(minutesLabel(a.screen->tbl()->cellForRowAtIndexPath({2, 1}))->text(), QString::fromUtf16(u"\u0667"));
    ui::Switch* noon = first<ui::Switch>(a.screen->tbl()->cellForRowAtIndexPath({0, 1}));
    noon->setOn(true);
    noon->sendActions(ui::ControlEvent::ValueChanged);
    a.tapSave();
    EXPECT_EQ(box.scalar("SELECT Item0 || Item1 || Item2 || ',' || Item3 || ',' || Item4 || ',' || Item5 FROM tSetting"), "110,15,7,0");
    // Saving again needs another change first.
    EXPECT_FALSE(a.screen->saveButton()->isEnabled());
}

TEST_F(SettingsTest, SoundsPreviewAndSaveTheChoice)
{
    constexpr int R = SoundsViewController::kRecordingsSection;
    QStringList played;
    audio::AudioPlayer::setObserver([&](const QString& path) { played.append(path.section('/', -1)); });
    {
        Loaded<SoundsViewController> s;
        ui::TableView* t = s.screen->tbl();
        ASSERT_EQ(t->numberOfRowsInSection(R), 8);
        EXPECT_EQ(t->cellForRowAtIndexPath({R, 2})->accessoryType(), ui::TableViewCell::Accessory::Checkmark);
        EXPECT_EQ(t->cellForRowAtIndexPath({R, 0})->textLabel()->text(), "نوای مقام راست");
        EXPECT_EQ(t->cellForRowAtIndexPath({R, 7})->textLabel()->text(), "تصادفی");

        s.screen->didSelectRowAtIndexPath(t, {R, 7});
        EXPECT_EQ(played, QStringList{"7.wav"});
        EXPECT_TRUE(s.screen->saveButton()->isEnabled());
        EXPECT_EQ(t->cellForRowAtIndexPath({R, 2})->accessoryType(), ui::TableViewCell::Accessory::None);
        // Back to the stored row: Save goes off again, nothing is written.
        s.screen->didSelectRowAtIndexPath(t, {R, 2});
        EXPECT_FALSE(s.screen->saveButton()->isEnabled());
        EXPECT_EQ(box.scalar("SELECT Item6 FROM tSetting"), "2");
        // The same row again restarts its preview.
        s.screen->didSelectRowAtIndexPath(t, {R, 2});
        EXPECT_EQ(played, (QStringList{"7.wav", "2.wav", "2.wav"}));
        EXPECT_FALSE(s.screen->saveButton()->isEnabled());

        s.screen->didSelectRowAtIndexPath(t, {R, 7});
        s.tapSave();
        EXPECT_EQ(box.scalar("SELECT Item6 FROM tSetting"), "7");
        EXPECT_FALSE(s.screen->saveButton()->isEnabled());
        EXPECT_FALSE(s.screen->player()->isPlaying());

        // Leaving the tab silences a preview.
        s.screen->didSelectRowAtIndexPath(t, {R, 4});
        s.screen->viewDidDisappear(false);
        EXPECT_FALSE(s.screen->player()->isPlaying());
    }
    audio::AudioPlayer::setObserver({});
}

TEST_F(SettingsTest, EachAzanHasItsOwnRecordingAndVolume)
{
    constexpr int R = SoundsViewController::kRecordingsSection;
    QStringList played;
    audio::AudioPlayer::setObserver([&](const QString& path) { played.append(path.section('/', -1)); });
    {
        Loaded<SoundsViewController> s;
        ui::TableView* t = s.screen->tbl();
        // Dawn follows the recording for all until it is given its own.
        s.screen->showAzan(1);
        ASSERT_EQ(t->numberOfRowsInSection(R), 9);
        EXPECT_EQ(t->cellForRowAtIndexPath({R, 0})->textLabel()->text(), "مانند همه (نوای مقام حجاز)");
        EXPECT_EQ(t->cellForRowAtIndexPath({R, 0})->accessoryType(), ui::TableViewCell::Accessory::Checkmark);
        s.screen->didSelectRowAtIndexPath(t, {R, 5});
        EXPECT_EQ(played.last(), "4.wav");
        // The noon azan at 30 %: moving the slider says it at once and
        // previews the noon's recording at that volume once it rests.
        s.tapSegment(2);
        EXPECT_EQ(s.screen->shownAzan(), 2);
        EXPECT_EQ(s.screen->checkedRow(), 0);
        ui::Slider* volume = s.screen->volumeSlider();
        ASSERT_NE(volume, nullptr);
        EXPECT_DOUBLE_EQ(volume->value(), 100);
        volume->setValue(31);
        volume->sendActions(ui::ControlEvent::ValueChanged);
        EXPECT_EQ(s.screen->shownVolume(), 30);
        Phone::wait(SoundsViewController::kPreviewDelayMs + 100);
        EXPECT_EQ(played.last(), "2.wav");
        ASSERT_NE(s.screen->player(), nullptr);
        EXPECT_DOUBLE_EQ(s.screen->player()->volume(), 0.3);
        s.screen->risesSwitch()->setOn(true);
        s.screen->risesSwitch()->sendActions(ui::ControlEvent::ValueChanged);
        s.tapSave();
        EXPECT_EQ(box.scalar("SELECT group_concat(Key || '=' || Value, ' ') FROM (SELECT * FROM tPreferences WHERE Key LIKE 'Azan%' ORDER BY Key)"),
            "AzanRecording:0=4 AzanRises=1 AzanVolume:1=30");
        EXPECT_EQ(box.scalar("SELECT Item6 FROM tSetting"), "2");
        // Back to "as for all", volumes all at 100 again: no rows left.
        s.screen->showAzan(1);
        s.screen->didSelectRowAtIndexPath(t, {R, 0});
        s.screen->showAzan(SoundsViewController::kForAll);
        s.screen->setVolume(100);
        s.screen->risesSwitch()->setOn(false);
        s.screen->risesSwitch()->sendActions(ui::ControlEvent::ValueChanged);
        s.tapSave();
        EXPECT_EQ(box.scalar("SELECT COUNT(*) FROM tPreferences WHERE Key LIKE 'Azan%'"), "0");
    }
    audio::AudioPlayer::setObserver({});
}

TEST_F(SettingsTest, ASaveThatFailsIsToldAndLeavesSaveOn)
{
    box.exec("CREATE TRIGGER refuse BEFORE UPDATE ON tSetting BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    ui::Window window;
    window.makeKeyAndVisible();
    auto toldOnce = [] {
        const QList<ui::AlertView*> alerts = ui::AlertView::visibleAlerts();
        for (ui::AlertView* a : alerts)
            a->dismiss();
        return alerts.size() == 1 && alerts[0]->message().contains("ذخیره نشد");
    };
    {
        Loaded<SettingController> a;
        ui::Switch* noon = first<ui::Switch>(a.screen->tbl()->cellForRowAtIndexPath({0, 1}));
        noon->setOn(true);
        noon->sendActions(ui::ControlEvent::ValueChanged);
        a.tapSave();
        EXPECT_TRUE(toldOnce());
        EXPECT_TRUE(a.screen->saveButton()->isEnabled());
        EXPECT_EQ(a.screen->notifications()[1], 1);
    }
    {
        Loaded<SoundsViewController> s;
        s.screen->didSelectRowAtIndexPath(s.screen->tbl(), {SoundsViewController::kRecordingsSection, 5});
        s.tapSave();
        EXPECT_TRUE(toldOnce());
        EXPECT_TRUE(s.screen->saveButton()->isEnabled());
        EXPECT_EQ(s.screen->checkedRow(), 5);
    }
    {
        Loaded<HistoryViewController> h;
        ui::Switch* toggle = first<ui::Switch>(h.screen->tbl()->cellForRowAtIndexPath({0, 0}));
        toggle->setOn(true);
        toggle->sendActions(ui::ControlEvent::ValueChanged);
        h.tapSave();
        EXPECT_TRUE(toldOnce());
        EXPECT_TRUE(h.screen->saveButton()->isEnabled());
    }
    EXPECT_EQ(box.scalar("SELECT Item1 || ' ' || Item6 || ' ' || Item7 FROM tSetting"), "0 2 0");
}

TEST_F(SettingsTest, EventsTimeOffShowsAHiddenPickerAtEight)
{
    Loaded<HistoryViewController> h;
    ui::DatePicker* picker = h.screen->picker();
    EXPECT_FALSE(picker->isControlEnabled());
    EXPECT_DOUBLE_EQ(picker->alpha(), 0.0);
    EXPECT_EQ(picker->time(), QTime(8, 0));
    ui::Switch* toggle = first<ui::Switch>(h.screen->tbl()->cellForRowAtIndexPath({0, 0}));
    EXPECT_FALSE(toggle->isOn());
    // The frame stands in front of the picker's own parts.
    EXPECT_NE(dynamic_cast<ui::ImageView*>(picker->subviews().last()), nullptr);

    toggle->setOn(true);
    toggle->sendActions(ui::ControlEvent::ValueChanged);
    EXPECT_TRUE(picker->isControlEnabled());
    EXPECT_DOUBLE_EQ(picker->alpha(), 1.0);
    EXPECT_TRUE(h.screen->saveButton()->isEnabled());
    h.tapSave();
    EXPECT_EQ(box.scalar("SELECT Item7 FROM tSetting"), "08:00");

    // Off again and saved: "0", whatever the picker shows.
    toggle->setOn(false);
    toggle->sendActions(ui::ControlEvent::ValueChanged);
    h.tapSave();
    EXPECT_EQ(box.scalar("SELECT Item7 FROM tSetting"), "0");
}

TEST_F(SettingsTest, EventsTimeSavesOnlyWhatDiffersAndPadsTheHour)
{
    box.exec("UPDATE tSetting SET Item7 = '21:05'");
    Loaded<HistoryViewController> h;
    ui::DatePicker* picker = h.screen->picker();
    EXPECT_EQ(picker->time(), QTime(21, 5));
    picker->setTime(QTime(21, 6));
    picker->sendActions(ui::ControlEvent::ValueChanged);
    EXPECT_TRUE(h.screen->saveButton()->isEnabled());
    picker->setTime(QTime(21, 5));
    picker->sendActions(ui::ControlEvent::ValueChanged);
    EXPECT_FALSE(h.screen->saveButton()->isEnabled());
    picker->setTime(QTime(0, 0));
    picker->sendActions(ui::ControlEvent::ValueChanged);
    h.tapSave();
    EXPECT_EQ(box.scalar("SELECT Item7 FROM tSetting"), "00:00");
    picker->setTime(QTime(7, 30));
    picker->sendActions(ui::ControlEvent::ValueChanged);
    h.tapSave();
    EXPECT_EQ(box.scalar("SELECT Item7 FROM tSetting"), "07:30");
}

// A finger on a row of a table that is not scrolled.
void tapRow(ui::Window& window, ui::TableView* table, const ui::IndexPath& path)
{
    ui::touch::tap(&window, table->mapTo(&window, table->rectForRowAtIndexPath(path).center()));
}

TEST_F(SettingsTest, ALunarMonthOfThisYearOrTheLastIsCorrectedByADayAndTheNextOnesFollow)
{
    // 17 Azar 1405: Jumada II 1448, by the official calendar from 20 Aban.
    const QDate today(2026, 12, 8);
    box.setNow(foundation::Clock::at(today, QTime(10, 0)));
    Loaded<HistoryViewController> h;
    EXPECT_EQ(h.screen->moreTable()->cellForRowAtIndexPath({0, 1})->detailTextLabel()->text(),
        Utility::ConvertToPersian("28 جمادی‌الثانی 1448"));
    tapRow(h.window, h.screen->moreTable(), {0, 1});
    auto* months = dynamic_cast<HijriMonthsController*>(h.nav->topViewController());
    ASSERT_NE(months, nullptr);
    ASSERT_EQ(months->months().size(), 18);
    EXPECT_EQ(months->month(), (HijriDate{1448, 6, 1}));
    EXPECT_EQ(months->todayLabel()->text(), Utility::ConvertToPersian("آغاز: 20 آبان 1405، امروز: 28 جمادی‌الثانی 1448"));
    ui::SegmentedControl* control = months->correctionControl();
    EXPECT_EQ(control->titleForSegment(control->selectedSegmentIndex()), "مانند تقویم");
    // A day later would give Jumada I 31 days: not offered.
    EXPECT_FALSE(control->isEnabledForSegment(0));
    EXPECT_FALSE(months->saveButton()->isEnabled());
    // A finger on "a day earlier": the date it gives, and Save.
    ui::touch::tap(&h.window, control->mapTo(&h.window, control->segmentRect(2).center()));
    EXPECT_EQ(months->correction(), 1);
    EXPECT_EQ(months->todayLabel()->text(), Utility::ConvertToPersian("آغاز: 19 آبان 1405، امروز: 29 جمادی‌الثانی 1448"));
    EXPECT_EQ(LunarCalendar::fromGregorian(today).day, 28) << "nothing changes before Save";
    h.tapSave();
    EXPECT_FALSE(months->saveButton()->isEnabled());
    EXPECT_EQ(box.scalar("SELECT Value FROM tPreferences WHERE Key = 'HijriMonth:1448-6'"), "2026-11-10");
    EXPECT_EQ(LunarCalendar::fromGregorian(today), (HijriDate{1448, 6, 29}));
    // Rajab follows it: a day earlier than printed.
    EXPECT_EQ(LunarCalendar::firstDay(1448, 7), QDate(2026, 12, 10));

    // Dhu al-Hijja 1447, of the last Hijri year, a day later: Eid al-Adha
    // on 7 Khordad 1405 instead of 6.
    const int dhulHijja = static_cast<int>(months->months().indexOf(HijriDate{1447, 12, 1}));
    ASSERT_GE(dhulHijja, 0);
    tapRow(h.window, months->tbl(), {0, dhulHijja});
    EXPECT_EQ(months->month(), (HijriDate{1447, 12, 1}));
    ui::touch::tap(&h.window, control->mapTo(&h.window, control->segmentRect(0).center()));
    h.tapSave();
    EXPECT_EQ(box.scalar("SELECT Value FROM tPreferences WHERE Key = 'HijriMonth:1447-12'"), "2026-05-19");
    const auto eid = [](int key) { return days::events(key, key).value().first(); };
    EXPECT_FALSE(eid(1050306).description.contains("عید سعید قربان"));
    EXPECT_TRUE(eid(1050307).description.contains("عید سعید قربان"));
    EXPECT_TRUE(eid(1050307).holiday);
}

TEST_F(SettingsTest, TheKindsOfOccasionsShownAreChosenAndTheUsersOwnAreNeverHidden)
{
    box.setNow(foundation::Clock::at(QDate(2026, 12, 8), QTime(10, 0)));
    // 7 April 2026, World Health Day, an international day: 18 Farvardin 1405.
    const auto health = [] { return days::events(1050118, 1050118).value().first().description.contains("روز جهانی سلامت"); };
    reminders::DateReminder mine;
    mine.repeat = reminders::DateReminder::Repeat::Once;
    mine.year = 1405;
    mine.month = 1;
    mine.day = 18;
    mine.text = QStringLiteral("دیدار");
    ASSERT_TRUE(reminders::save(mine));
    EXPECT_FALSE(health());
    Loaded<HistoryViewController> h;
    tapRow(h.window, h.screen->moreTable(), {0, 0});
    auto* kinds = dynamic_cast<EventKindsController*>(h.nav->topViewController());
    ASSERT_NE(kinds, nullptr);
    EXPECT_TRUE(kinds->kindSwitch(EventRules::Kind::Iran)->isOn());
    EXPECT_FALSE(kinds->kindSwitch(EventRules::Kind::International)->isOn());
    ui::Switch* international = kinds->kindSwitch(EventRules::Kind::International);
    international->setOn(true);
    international->sendActions(ui::ControlEvent::ValueChanged);
    EXPECT_TRUE(kinds->saveButton()->isEnabled());
    h.tapSave();
    EXPECT_EQ(box.scalar("SELECT Value FROM tPreferences WHERE Key = 'EventKinds'"), "Iran,International");
    EXPECT_TRUE(health());

    // Iran's off too: its holidays stay, its other occasions go, the
    // user's own reminder stays.
    ui::Switch* iran = kinds->kindSwitch(EventRules::Kind::Iran);
    iran->setOn(false);
    iran->sendActions(ui::ControlEvent::ValueChanged);
    international->setOn(false);
    international->sendActions(ui::ControlEvent::ValueChanged);
    h.tapSave();
    EXPECT_EQ(box.scalar("SELECT Value FROM tPreferences WHERE Key = 'EventKinds'"), "");
    EXPECT_FALSE(health());
    const days::DayEvents day = days::events(1050118, 1050118).value().first();
    ASSERT_EQ(day.events.size(), 1);
    EXPECT_TRUE(day.events.first().own);
    EXPECT_TRUE(days::events(1050822, 1050822).value().first().holiday);
    EXPECT_TRUE(days::events(1050916, 1050916).value().first().description.isEmpty()) << "Student Day is Iran's, not a holiday";
}

TEST_F(SettingsTest, AboutRowsOpenTheMailAndTheWebSite)
{
    QStringList opened;
    foundation::UrlOpener::setHandler([&](const QString& url) {
        opened.append(url);
        return true;
    });
    AboutController about;
    about.view();
    ui::TableView* t = about.tbl();
    ASSERT_EQ(t->numberOfRowsInSection(0), 5);
    EXPECT_EQ(t->cellForRowAtIndexPath({0, 1})->textLabel()->text(), "تیر ۹۱");
    EXPECT_EQ(t->cellForRowAtIndexPath({0, 1})->textLabel()->textAlignment(), ui::TextAlignment::Center);
    EXPECT_EQ(t->cellForRowAtIndexPath({0, 2})->textLabel()->text(), "نسخه :" + QString(41, ' ') + "۱.۵");
    EXPECT_EQ(t->cellForRowAtIndexPath({0, 0})->selectionStyle(), ui::TableViewCell::SelectionStyle::None);
    EXPECT_EQ(t->cellForRowAtIndexPath({0, 3})->selectionStyle(), ui::TableViewCell::SelectionStyle::Blue);
    for (int r = 0; r < 5; ++r)
        about.didSelectRowAtIndexPath(t, {0, r});
    const QString mail = "mailto:?to=support@kelvaro.example&subject=KelvaroV1.5";
    EXPECT_EQ(opened, (QStringList{mail, mail, mail, mail, "https://kelvaro.example"}));
    foundation::UrlOpener::setHandler({});
}

TEST_F(SettingsTest, AReminderOfTheUsersOwnIsMadeChangedAndRemovedFromTheAlarms)
{
    box.choose({Sandbox::kTehran});
    Loaded<SettingController> a;
    ui::TableView* table = a.screen->tbl();
    ASSERT_EQ(table->numberOfRowsInSection(SettingController::kOwnSection), 1);
    EXPECT_EQ(table->cellForRowAtIndexPath({SettingController::kOwnSection, 0})->textLabel()->text(), "افزودن یادآوری…");
    a.screen->didSelectRowAtIndexPath(table, {SettingController::kOwnSection, 0});
    Phone::wait(400);
    auto* form = dynamic_cast<ReminderController*>(a.nav->topViewController());
    ASSERT_NE(form, nullptr);

    // The weekdays: every day at first; a tap takes a day away or gives it
    // back; the last one left stays.
    auto tapDay = [&](int dayOfWeek) {
        for (ui::Button* b : form->weekdayButtons())
            if (b->tag() == dayOfWeek)
                ui::touch::tap(&a.window, b->mapTo(&a.window, b->rect().center()));
    };
    EXPECT_TRUE(form->reminder().weekdays.isEmpty());
    tapDay(Qt::Friday);
    EXPECT_EQ(form->reminder().weekdays, (QList<int>{1, 2, 3, 4, 6, 7}));
    for (int d = Qt::Monday; d <= Qt::Sunday; ++d)
        if (d != Qt::Friday && d != Qt::Tuesday)
            tapDay(d);
    EXPECT_EQ(form->reminder().weekdays, QList<int>{Qt::Tuesday});
    tapDay(Qt::Tuesday);
    EXPECT_EQ(form->reminder().weekdays, QList<int>{Qt::Tuesday}) << "the last day stays";
    tapDay(Qt::Friday);
    EXPECT_EQ(form->reminder().weekdays, (QList<int>{Qt::Tuesday, Qt::Friday}));
    for (int d = Qt::Monday; d <= Qt::Sunday; ++d)
        if (d != Qt::Friday && d != Qt::Tuesday)
            tapDay(d);
    EXPECT_TRUE(form->reminder().weekdays.isEmpty()) << "every day again";

    // After the evening azan, 7 minutes: the slider's steps and a minute more.
    form->timeControl()->setSelectedSegmentIndex(4);
    form->timeControl()->sendActions(ui::ControlEvent::ValueChanged);
    form->sideControl()->setSelectedSegmentIndex(2);
    form->sideControl()->sendActions(ui::ControlEvent::ValueChanged);
    form->setMinutes(5);
    form->setMinutes(form->reminder().minutes + 2);
    form->setRamadanOnly(true);
    EXPECT_EQ(form->summary()->text(), Utility::ConvertToPersian("7 دقیقه پس از اذان مغرب، در رمضان"));
    ui::Button* save = a.nav->navigationBar()->rightButton();
    ui::touch::tap(&a.window, save->mapTo(&a.window, save->rect().center()));
    Phone::wait(400);
    EXPECT_EQ(a.nav->topViewController(), a.screen);
    const QList<reminders::TimeReminder> stored = *reminders::timeReminders();
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored[0].minutes, 7);
    EXPECT_EQ(stored[0].time, reminders::DayTime::Evening);
    EXPECT_TRUE(stored[0].ramadanOnly);
    ASSERT_EQ(table->numberOfRowsInSection(SettingController::kOwnSection), 2);
    EXPECT_EQ(table->cellForRowAtIndexPath({SettingController::kOwnSection, 0})->textLabel()->text(), stored[0].summary());

    // Opened again and removed.
    a.screen->didSelectRowAtIndexPath(table, {SettingController::kOwnSection, 0});
    Phone::wait(400);
    form = dynamic_cast<ReminderController*>(a.nav->topViewController());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->reminder(), stored[0]);
    EXPECT_TRUE(form->remove());
    Phone::wait(400);
    EXPECT_TRUE(reminders::timeReminders()->isEmpty());
    EXPECT_EQ(table->numberOfRowsInSection(SettingController::kOwnSection), 1);
}

// Leaving what holds changes not saved asks; each answer does what it says.
TEST(LeavingUnsaved, ATabLeftWithChangesAsksAndEachAnswerDoesWhatItSays)
{
    Phone phone;
    openAlarms(phone, "UPDATE tSetting SET Item0 = 1, Item1 = 1, Item2 = 1, Item3 = 5");
    auto* alarms = dynamic_cast<SettingController*>(phone.top(1));
    ASSERT_NE(alarms, nullptr);
    ui::TabBar* tabs = phone.settings()->tabBar();
    auto sunriseMinutes = [&](double step) {
        ui::Slider* slider = first<ui::Slider>(alarms->tbl()->cellForRowAtIndexPath({1, 1}));
        slider->setValue(step);
        slider->sendActions(ui::ControlEvent::ValueChanged);
    };
    // Nothing changed: the tab is left at once.
    phone.tap(tabs, tabs->itemRect(2).center());
    EXPECT_EQ(phone.alertTitle(), QString());
    EXPECT_EQ(phone.settings()->selectedIndex(), 2);
    phone.tap(tabs, tabs->itemRect(1).center());
    // 30 minutes before sunrise, not saved: another tab asks; staying stays.
    sunriseMinutes(5);
    phone.tap(tabs, tabs->itemRect(0).center());
    EXPECT_EQ(phone.alertTitle(), ui::unsaved::kQuestion);
    ASSERT_TRUE(phone.answer(ui::unsaved::kStay));
    EXPECT_EQ(phone.settings()->selectedIndex(), 1);
    EXPECT_TRUE(alarms->hasUnsavedChanges());
    // Saved from the question: stored, planned, and the tab is left.
    phone.tap(tabs, tabs->itemRect(0).center());
    ASSERT_TRUE(phone.answer(ui::unsaved::kSave));
    EXPECT_EQ(phone.settings()->selectedIndex(), 0);
    EXPECT_EQ(phone.box.scalar("SELECT Item3 FROM tSetting"), "30");
    bool planned = false;
    for (const auto& n : notifications::NotificationCenter::shared()->scheduledLocalNotifications())
        planned = planned || n.alertBody.contains(Utility::ConvertToPersian("30 دقیقه"));
    EXPECT_TRUE(planned);
    // A change on a tab reached without the bar (a screen reader, a
    // script): Done asks too, and leaves once it is saved.
    phone.settings()->setSelectedIndex(1);
    sunriseMinutes(1);
    phone.settings()->setSelectedIndex(0);
    phone.tap(phone.tabNavigation(0)->navigationBar()->rightButton());
    EXPECT_EQ(phone.alertTitle(), ui::unsaved::kQuestion);
    EXPECT_NE(phone.window()->rootViewController(), phone.main());
    ASSERT_TRUE(phone.answer(ui::unsaved::kSave));
    Phone::wait(700);
    EXPECT_EQ(phone.window()->rootViewController(), phone.main());
    EXPECT_EQ(phone.box.scalar("SELECT Item3 FROM tSetting"), "10");
}

TEST(LeavingUnsaved, AFormsBackButtonAsksAndASaveThatCannotBeDoneStays)
{
    Phone phone;
    openAlarms(phone, "UPDATE tSetting SET Item0 = 1");
    auto* alarms = dynamic_cast<SettingController*>(phone.top(1));
    ASSERT_NE(alarms, nullptr);
    alarms->openReminder({});
    Phone::wait(500);
    auto* form = dynamic_cast<ReminderController*>(phone.top(1));
    ASSERT_NE(form, nullptr);
    ui::NavigationBar* bar = phone.tabNavigation(1)->navigationBar();
    // Untouched, it goes back at once.
    EXPECT_FALSE(form->hasUnsavedChanges());
    form->setMinutes(33);
    EXPECT_TRUE(form->hasUnsavedChanges());
    phone.tap(bar->leftButton());
    EXPECT_EQ(phone.alertTitle(), ui::unsaved::kQuestion);
    ASSERT_TRUE(phone.answer(ui::unsaved::kSave));
    Phone::wait(500);
    EXPECT_EQ(phone.top(1), alarms);
    ASSERT_EQ(reminders::timeReminders()->size(), 1);
    EXPECT_EQ(reminders::timeReminders()->first().minutes, -33);

    // A new city without a province cannot be saved: the form says so, and
    // stays; without it, it goes, and nothing is stored.
    phone.tap(phone.settings()->tabBar(), phone.settings()->tabBar()->itemRect(0).center());
    phone.tap(phone.cities()->createNewCityTable()->cellForRowAtIndexPath({0, 0}));
    Phone::wait(500);
    auto* city = dynamic_cast<NewCityController*>(phone.top(0));
    ASSERT_NE(city, nullptr);
    city->nameField()->setText("آبادی");
    const QString states = phone.box.scalar("SELECT COUNT(*) FROM tStates");
    phone.tap(phone.tabNavigation(0)->navigationBar()->leftButton());
    ASSERT_TRUE(phone.answer(ui::unsaved::kSave));
    EXPECT_EQ(phone.alertTitle(), "شهر ذخیره نشد");
    ASSERT_TRUE(phone.answer("باشه"));
    EXPECT_EQ(phone.top(0), city);
    phone.tap(phone.tabNavigation(0)->navigationBar()->leftButton());
    ASSERT_TRUE(phone.answer(ui::unsaved::kDiscard));
    Phone::wait(500);
    EXPECT_EQ(phone.top(0), phone.cities());
    EXPECT_EQ(phone.box.scalar("SELECT COUNT(*) FROM tStates"), states);
}

TEST(LeavingUnsaved, TheAboutTabQuitsAsTheAppAsks)
{
    Phone phone;
    openAlarms(phone, "UPDATE tSetting SET Item0 = 1");
    phone.tap(phone.settings()->tabBar(), phone.settings()->tabBar()->itemRect(4).center());
    auto* about = dynamic_cast<AboutController*>(phone.settings()->selectedViewController());
    ASSERT_NE(about, nullptr);
    int quits = 0;
    ui::Application::shared()->setQuitHandler([&quits] { ++quits; });
    EXPECT_TRUE(reachable(phone.window(), about->quitButton()));
    EXPECT_EQ(about->quitButton()->accessibleName().isEmpty() ? about->quitButton()->currentTitle() : about->quitButton()->accessibleName(),
        "خروج از کلوارو");
    phone.tap(about->quitButton());
    EXPECT_EQ(quits, 1);
    ui::Application::shared()->setQuitHandler({});
}

} // namespace

namespace {

// The working copy's first bytes, overwritten in place and put back: the
// database cannot be read in between, whatever connection is open.
class Unreadable {
public:
    Unreadable() : file_(foundation::Directories::documentsDirectory() + QStringLiteral("/Icons"))
    {
        if (file_.open(QIODevice::ReadWrite)) {
            header_ = file_.read(kBytes);
            file_.seek(0);
            file_.write(QByteArray(kBytes, 'x'));
            file_.flush();
        }
    }
    ~Unreadable()
    {
        file_.seek(0);
        file_.write(header_);
        file_.close();
    }
    Unreadable(const Unreadable&) = delete;
    Unreadable& operator=(const Unreadable&) = delete;

private:
    static constexpr int kBytes = 100;
    QFile file_;
    QByteArray header_;
};

TEST(SettingsUnread, ADatabaseThatCannotBeReadOpensNoCityPickerAndSavesNoDefaultsOverTheUsersSettings)
{
    Phone phone;
    Sandbox& box = phone.box;
    box.exec("UPDATE tSetting SET Item0 = 1, Item3 = 25, Item7 = '06:15'");
    box.choose({Sandbox::kTehran});
    const QString before = box.scalar("SELECT Item0 || ' ' || Item1 || ' ' || Item3 || ' ' || Item7 FROM tSetting");
    phone.start();
    ASSERT_EQ(phone.main()->datasource().size(), 1);
    {
        Unreadable broken;
        // The main screen keeps its page and says it could not read: the
        // city picker of a first start does not open.
        phone.main()->viewDidAppear(false);
        EXPECT_TRUE(phone.main()->readFailed());
        EXPECT_EQ(phone.window()->rootViewController(), phone.main());
        EXPECT_EQ(phone.main()->datasource().size(), 1);
        // The alarm tab and the events tab say they could not read, and
        // keep Save off whatever is touched.
        Loaded<SettingController> alarms;
        EXPECT_TRUE(alarms.screen->readFailed());
        ui::Switch* dawn = first<ui::Switch>(alarms.screen->tbl()->cellForRowAtIndexPath({0, 0})->contentView());
        ASSERT_NE(dawn, nullptr);
        dawn->setOn(false);
        dawn->sendActions(ui::ControlEvent::ValueChanged);
        EXPECT_FALSE(alarms.screen->saveButton()->isEnabled());
        alarms.screen->save();
        Loaded<HistoryViewController> events;
        EXPECT_TRUE(events.screen->readFailed());
        events.screen->picker()->setTime(QTime(9, 0));
        events.screen->picker()->sendActions(ui::ControlEvent::ValueChanged);
        EXPECT_FALSE(events.screen->saveButton()->isEnabled());
        const QStringList titles = [] {
            QStringList t;
            for (ui::AlertView* a : ui::AlertView::visibleAlerts())
                t.append(a->title());
            return t;
        }();
        EXPECT_TRUE(titles.contains(QStringLiteral("اوقات خوانده نشد"))) << titles.join(", ").toStdString();
        EXPECT_TRUE(titles.contains(QStringLiteral("هشدارها خوانده نشد"))) << titles.join(", ").toStdString();
        for (ui::AlertView* a : ui::AlertView::visibleAlerts())
            a->dismiss();
    }
    // Readable again: the user's settings as they were, the pages back.
    EXPECT_EQ(box.scalar("SELECT Item0 || ' ' || Item1 || ' ' || Item3 || ' ' || Item7 FROM tSetting"), before);
    phone.main()->refresh();
    EXPECT_FALSE(phone.main()->readFailed());
}

} // namespace

#include "screens/settings/AboutController.h"
#include "screens/settings/HistoryViewController.h"
#include "screens/settings/SettingController.h"
#include "screens/settings/SoundsViewController.h"

#include "platform/audio/AudioPlayer.h"
#include "platform/foundation/UrlOpener.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/ImageView.h"
#include "platform/foundation/Log.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Slider.h"
#include "platform/ui/Switch.h"
#include "platform/ui/Window.h"
#include "tests/support/Sandbox.h"

#include <QCoreApplication>

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

// A settings screen in its navigation controller, loaded.
template <typename Screen>
struct Loaded {
    Loaded() : screen(new Screen), nav(screen) { nav.view(); }
    Screen* screen;
    ui::NavigationController nav;
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
    EXPECT_EQ(t->numberOfSections(), 4);
    EXPECT_EQ(t->numberOfRowsInSection(0), 3);
    EXPECT_EQ(t->numberOfRowsInSection(1), 2);
    EXPECT_EQ(t->numberOfRowsInSection(2), 1);
    EXPECT_EQ(t->numberOfRowsInSection(3), 1);
    ui::TableViewCell* minutes = t->cellForRowAtIndexPath({1, 1});
    EXPECT_DOUBLE_EQ(first<ui::Slider>(minutes)->value(), 2);
    EXPECT_EQ(minutesLabel(minutes)->text(), QString::fromUtf16(u"\u0661\u0665"));
    EXPECT_TRUE(first<ui::Switch>(t->cellForRowAtIndexPath({1, 0}))->isOn());
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

    a.screen->save();
    EXPECT_FALSE(a.screen->saveButton()->isEnabled());
    EXPECT_EQ(box.scalar("SELECT Item0 || Item1 || Item2 || ',' || Item3 || ',' || Item4 || ',' || Item5 FROM tSetting"), "000,0,0,5");
    EXPECT_EQ(a.screen->notifications()[5], 1);
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
    a.screen->save();
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
    a.screen->save();
    EXPECT_EQ(box.scalar("SELECT Item0 || Item1 || Item2 || ',' || Item3 || ',' || Item4 || ',' || Item5 FROM tSetting"), "110,15,7,0");
    // Saving again needs another change first.
    EXPECT_FALSE(a.screen->saveButton()->isEnabled());
}

TEST_F(SettingsTest, SoundsPreviewAndSaveTheChoice)
{
    QStringList played;
    audio::AudioPlayer::setObserver([&](const QString& path) { played.append(path.section('/', -1)); });
    {
        Loaded<SoundsViewController> s;
        ui::TableView* t = s.screen->tbl();
        ASSERT_EQ(t->numberOfRowsInSection(0), 8);
        EXPECT_EQ(t->cellForRowAtIndexPath({0, 2})->accessoryType(), ui::TableViewCell::Accessory::Checkmark);
        EXPECT_EQ(t->cellForRowAtIndexPath({0, 0})->textLabel()->text(), "نوای مقام راست");
        EXPECT_EQ(t->cellForRowAtIndexPath({0, 7})->textLabel()->text(), "تصادفی");

        s.screen->didSelectRowAtIndexPath(t, {0, 7});
        EXPECT_EQ(played, QStringList{"7.wav"});
        EXPECT_TRUE(s.screen->saveButton()->isEnabled());
        EXPECT_EQ(t->cellForRowAtIndexPath({0, 2})->accessoryType(), ui::TableViewCell::Accessory::None);
        // Back to the stored row: Save goes off again, nothing is written.
        s.screen->didSelectRowAtIndexPath(t, {0, 2});
        EXPECT_FALSE(s.screen->saveButton()->isEnabled());
        EXPECT_EQ(box.scalar("SELECT Item6 FROM tSetting"), "2");
        // The same row again restarts its preview.
        s.screen->didSelectRowAtIndexPath(t, {0, 2});
        EXPECT_EQ(played, (QStringList{"7.wav", "2.wav", "2.wav"}));
        EXPECT_FALSE(s.screen->saveButton()->isEnabled());

        s.screen->didSelectRowAtIndexPath(t, {0, 7});
        s.screen->save();
        EXPECT_EQ(box.scalar("SELECT Item6 FROM tSetting"), "7");
        EXPECT_FALSE(s.screen->saveButton()->isEnabled());
        EXPECT_FALSE(s.screen->player()->isPlaying());

        // Leaving the tab silences a preview.
        s.screen->didSelectRowAtIndexPath(t, {0, 4});
        s.screen->viewDidDisappear(false);
        EXPECT_FALSE(s.screen->player()->isPlaying());
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
        a.screen->saveButton()->trigger();
        EXPECT_TRUE(toldOnce());
        EXPECT_TRUE(a.screen->saveButton()->isEnabled());
        EXPECT_EQ(a.screen->notifications()[1], 1);
    }
    {
        Loaded<SoundsViewController> s;
        s.screen->didSelectRowAtIndexPath(s.screen->tbl(), {0, 5});
        s.screen->saveButton()->trigger();
        EXPECT_TRUE(toldOnce());
        EXPECT_TRUE(s.screen->saveButton()->isEnabled());
        EXPECT_EQ(s.screen->selected(), 2);
    }
    {
        Loaded<HistoryViewController> h;
        ui::Switch* toggle = first<ui::Switch>(h.screen->tbl()->cellForRowAtIndexPath({0, 0}));
        toggle->setOn(true);
        toggle->sendActions(ui::ControlEvent::ValueChanged);
        h.screen->saveButton()->trigger();
        EXPECT_TRUE(toldOnce());
        EXPECT_TRUE(h.screen->saveButton()->isEnabled());
    }
    EXPECT_EQ(box.scalar("SELECT Item1 || ' ' || Item6 || ' ' || Item7 FROM tSetting"), "0 2 0");
}

TEST_F(SettingsTest, EventsTimeOffShowsAHiddenPickerAtEight)
{
    Loaded<HistoryViewController> h;
    ui::DatePicker* picker = h.screen->picker();
    EXPECT_FALSE(picker->isEnabled());
    EXPECT_DOUBLE_EQ(picker->alpha(), 0.0);
    EXPECT_EQ(picker->time(), QTime(8, 0));
    ui::Switch* toggle = first<ui::Switch>(h.screen->tbl()->cellForRowAtIndexPath({0, 0}));
    EXPECT_FALSE(toggle->isOn());
    // The frame stands in front of the picker's own parts.
    EXPECT_NE(dynamic_cast<ui::ImageView*>(picker->subviews().last()), nullptr);

    toggle->setOn(true);
    toggle->sendActions(ui::ControlEvent::ValueChanged);
    EXPECT_TRUE(picker->isEnabled());
    EXPECT_DOUBLE_EQ(picker->alpha(), 1.0);
    EXPECT_TRUE(h.screen->saveButton()->isEnabled());
    h.screen->save();
    EXPECT_EQ(box.scalar("SELECT Item7 FROM tSetting"), "08:00");

    // Off again and saved: "0", whatever the picker shows.
    toggle->setOn(false);
    toggle->sendActions(ui::ControlEvent::ValueChanged);
    h.screen->save();
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
    h.screen->save();
    EXPECT_EQ(box.scalar("SELECT Item7 FROM tSetting"), "00:00");
    picker->setTime(QTime(7, 30));
    picker->sendActions(ui::ControlEvent::ValueChanged);
    h.screen->save();
    EXPECT_EQ(box.scalar("SELECT Item7 FROM tSetting"), "07:30");
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

} // namespace

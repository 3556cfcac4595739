// The reminder form's last time, the sun in line with the Qibla: before it
// or at it, never after.
#include "screens/settings/ReminderController.h"

#include "calendar/Utility.h"
#include "platform/ui/Label.h"
#include "platform/ui/SegmentedControl.h"
#include "store/Reminders.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

TEST(SunQiblaForm, TheSunsQiblaMomentTakesBeforeOrAtOnly)
{
    Sandbox box(QDateTime(QDate(2026, 12, 8), QTime(9, 0)));
    // A reminder after the evening azan, changed to count from the sun.
    ReminderController form({0, reminders::DayTime::Evening, 15, {}, false});
    form.view();
    ui::SegmentedControl* time = form.timeControl();
    ui::SegmentedControl* side = form.sideControl();
    ASSERT_EQ(time->numberOfSegments(), reminders::kDayTimes);
    EXPECT_EQ(time->titleForSegment(static_cast<int>(reminders::DayTime::SunQibla)), "قبله");
    EXPECT_TRUE(side->isEnabledForSegment(2));
    EXPECT_EQ(side->selectedSegmentIndex(), 2);

    time->setSelectedSegmentIndex(static_cast<int>(reminders::DayTime::SunQibla));
    time->sendActions(ui::ControlEvent::ValueChanged);
    // "After" goes off, and the reminder comes at the moment.
    EXPECT_FALSE(side->isEnabledForSegment(2));
    EXPECT_EQ(side->selectedSegmentIndex(), 1);
    EXPECT_EQ(form.reminder().minutes, 0);
    EXPECT_EQ(form.summary()->text(), "هنگام خورشید در راستای قبله");
    form.setSide(1);
    EXPECT_EQ(form.reminder().minutes, 0);
    form.setSide(-1);
    form.setMinutes(10);
    EXPECT_EQ(form.reminder().minutes, -10);
    EXPECT_EQ(form.summary()->text(), Utility::ConvertToPersian("10 دقیقه پیش از خورشید در راستای قبله"));
    ASSERT_TRUE(form.save());
    const QList<reminders::TimeReminder> stored = reminders::timeReminders().value_or(QList<reminders::TimeReminder>());
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored[0].time, reminders::DayTime::SunQibla);
    EXPECT_EQ(stored[0].minutes, -10);

    // Back to a day's time, "after" comes back.
    time->setSelectedSegmentIndex(static_cast<int>(reminders::DayTime::Noon));
    time->sendActions(ui::ControlEvent::ValueChanged);
    EXPECT_TRUE(side->isEnabledForSegment(2));
}

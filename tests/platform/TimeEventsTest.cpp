#include "platform/device/TimeEvents.h"

#include "platform/foundation/Clock.h"

#include <gtest/gtest.h>

namespace {

using device::TimeEvents;
using foundation::Clock;

class TimeEventsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clock::freeze(Clock::at(QDate(2012, 7, 21), QTime(23, 58)));
        events = std::make_unique<TimeEvents>([this](const QStringList& r) { reasons = r; });
    }
    void TearDown() override
    {
        Clock::reset();
        Clock::setZone(Clock::defaultZone());
    }
    // The reasons of the change the next poll reports, if any.
    QStringList poll()
    {
        reasons.clear();
        events->poll();
        return reasons;
    }

    QStringList reasons;
    std::unique_ptr<TimeEvents> events;
};

TEST_F(TimeEventsTest, TimeRunningOnIsNoChangeAndMidnightIsANewDayOnce)
{
    EXPECT_TRUE(poll().isEmpty());
    Clock::advance(60);
    events->timePassed();
    EXPECT_TRUE(poll().isEmpty());
    Clock::advance(90);
    events->timePassed();
    EXPECT_EQ(poll(), QStringList{"new day"});
    EXPECT_TRUE(poll().isEmpty());
    // A whole day passing (the device's advance) is a new day, not a jump.
    Clock::advance(24 * 3600);
    events->timePassed();
    EXPECT_EQ(poll(), QStringList{"new day"});
}

TEST_F(TimeEventsTest, AClockSetByHandOrAWakeFromSleepIsAJump)
{
    // Nothing ran between the two polls but the device clock moved on.
    Clock::advance(3600);
    EXPECT_EQ(poll(), (QStringList{"clock set", "new day"}));
    Clock::advance(-2 * 3600);
    EXPECT_EQ(poll(), (QStringList{"clock set", "new day"}));
    // Trimmed by a few seconds: no news.
    Clock::advance(5);
    EXPECT_TRUE(poll().isEmpty());
    Clock::advance(-(TimeEvents::kJumpMs / 1000 + 5));
    EXPECT_EQ(poll(), QStringList{"clock set"});
}

TEST_F(TimeEventsTest, AnotherZoneOrTheEndOfSummerTimeIsAChange)
{
    Clock::setZone(QTimeZone("Europe/Berlin"));
    EXPECT_EQ(poll(), QStringList{"zone"});
    Clock::setZone(Clock::defaultZone());
    EXPECT_EQ(poll(), QStringList{"zone"});

    // Summer time ends at midnight of 30 Shahrivar 1391: 24:00 is 23:00 again.
    Clock::freeze(QDateTime(QDate(2012, 9, 20), QTime(19, 29, 30), Qt::UTC));
    ASSERT_EQ(Clock::now().time(), QTime(23, 59, 30));
    events->timePassed();
    poll();
    Clock::advance(60);
    events->timePassed();
    EXPECT_EQ(Clock::now().time(), QTime(23, 0, 30));
    EXPECT_EQ(poll(), QStringList{"zone"});
}

} // namespace

#include "screens/calendar/CalendarViewController.h"

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/Touch.h"
#include "screens/main/MainViewController.h"
#include "tests/support/Phone.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

const int kMonthDays[12] = {31, 31, 31, 31, 31, 31, 30, 30, 30, 30, 30, 30};

TEST(CalendarGrid, EveryDayOf1391StandsOnceInItsWeekday)
{
    // 1 Farvardin 1391 is a Tuesday: column 3 from the right (Saturday is 0).
    int weekday = 3;
    for (int m = 0; m < 12; ++m) {
        QSet<int> seen;
        for (int j = 0; j < CalendarViewController::kRows; ++j) {
            for (int k = 0; k < CalendarViewController::kColumns; ++k) {
                const int d = CalendarViewController::dayInCell(m, j, k);
                if (d == 0)
                    continue;
                EXPECT_FALSE(seen.contains(d)) << "month " << m << " day " << d;
                seen.insert(d);
                // The column of day d follows from the weekday of day 1.
                EXPECT_EQ(k, (weekday + d - 1) % 7) << "month " << m << " day " << d;
            }
        }
        EXPECT_EQ(seen.size(), kMonthDays[m]) << "month " << m;
        weekday = (weekday + kMonthDays[m]) % 7;
    }
    // Ordibehesht: 30 and 31 at the right of the top row, then four empty
    // cells, and 1 at the left (Friday).
    EXPECT_EQ(CalendarViewController::dayInCell(1, 0, 0), 30);
    EXPECT_EQ(CalendarViewController::dayInCell(1, 0, 1), 31);
    for (int k = 2; k <= 5; ++k)
        EXPECT_EQ(CalendarViewController::dayInCell(1, 0, k), 0);
    EXPECT_EQ(CalendarViewController::dayInCell(1, 0, 6), 1);
    // Farvardin's 26 to 31 fill the bottom row.
    for (int k = 0; k <= 5; ++k)
        EXPECT_EQ(CalendarViewController::dayInCell(0, 4, k), 26 + k);
    EXPECT_EQ(CalendarViewController::dayInCell(0, 4, 6), 0);
    EXPECT_EQ(CalendarViewController::dayInCell(0, 0, 3), 1);
    EXPECT_EQ(CalendarViewController::cellFrame(0, 0), QRect(276, 1, 45, 43));
    EXPECT_EQ(CalendarViewController::cellFrame(4, 6), QRect(0, 177, 45, 43));
}

class CalendarTest : public ::testing::Test {
protected:
    CalendarViewController* open()
    {
        phone.box.choose({Sandbox::kTehran});
        phone.start();
        phone.tap(phone.main()->calendarButton());
        calendar = dynamic_cast<CalendarViewController*>(phone.main()->presentedViewController());
        return calendar;
    }
    ui::Button* day(int d) const
    {
        for (ui::Button* b : calendar->dayButtons())
            if (b->tag() == d)
                return b;
        return nullptr;
    }
    QStringList events() const
    {
        QStringList list;
        ui::TableView* t = calendar->tblEvents();
        for (int r = 0; r < t->numberOfRowsInSection(0); ++r)
            list.append(t->cellForRowAtIndexPath({0, r})->textLabel()->text());
        return list;
    }
    int selectedCount() const
    {
        int n = 0;
        for (ui::Button* b : calendar->dayButtons())
            n += b->isSelected() ? 1 : 0;
        return n;
    }

    // 1391/4/31.
    Phone phone;
    CalendarViewController* calendar = nullptr;
};

TEST_F(CalendarTest, OpensOnTheShownMonthWithTodayMarked)
{
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(calendar->monthLbl()->text(), "تیر");
    EXPECT_EQ(calendar->month(), 3);
    EXPECT_EQ(calendar->today(), 31);
    EXPECT_EQ(calendar->dayButtons().size(), 31);
    ASSERT_NE(calendar->todayBtn(), nullptr);
    EXPECT_EQ(calendar->todayBtn()->tag(), 31);
    EXPECT_TRUE(calendar->todayBtn()->isSelected());
    EXPECT_EQ(selectedCount(), 1);
    EXPECT_EQ(events(), QStringList{"آغاز ماه مبارک رمضان"});
    EXPECT_EQ(calendar->scrl()->contentOffset(), QPointF(0, CalendarViewController::kPage));
}

TEST_F(CalendarTest, FridaysAndHolidaysAreRed)
{
    ASSERT_NE(open(), nullptr);
    const QColor red = QColor::fromRgbF(195 / 255.0, 56 / 255.0, 61 / 255.0);
    for (ui::Button* b : calendar->dayButtons()) {
        if (b->isSelected())
            continue;
        const bool friday = b->frame().x() == 0;
        const bool holiday = b->tag() == 15;  // 15 Tir
        EXPECT_EQ(b->currentTitleColor() == red, friday || holiday) << b->tag();
    }
    EXPECT_EQ(day(2)->currentTitleColor(), red);
    EXPECT_NE(day(3)->currentTitleColor(), red);
}

TEST_F(CalendarTest, EventsOfTheChosenDayOneToARow)
{
    phone.box.exec("UPDATE tEvents SET Description = 'a@b' WHERE Date = 910410");
    phone.box.exec("UPDATE tEvents SET Description = NULL WHERE Date = 910411");
    ASSERT_NE(open(), nullptr);
    phone.tap(day(10));
    EXPECT_EQ(events(), (QStringList{"a", "b"}));
    EXPECT_EQ(calendar->tblEvents()->rectForRowAtIndexPath({0, 1}).height(), 17);
    phone.tap(day(11));
    EXPECT_EQ(events(), QStringList{"بدون رویداد"});
    // Exactly one day is selected at a time.
    EXPECT_EQ(selectedCount(), 1);
    EXPECT_TRUE(day(11)->isSelected());
}

TEST_F(CalendarTest, AMonthChangeIgnoresTapsUntilItHasScrolledIn)
{
    ASSERT_NE(open(), nullptr);
    // Two taps before the new month has scrolled in.
    ui::Button* next = calendar->nextButton();
    const QPoint at = next->mapTo(phone.window(), next->rect().center());
    ui::touch::tap(phone.window(), at);
    EXPECT_FALSE(calendar->canChange());
    ui::touch::tap(phone.window(), at);
    Phone::settle();
    EXPECT_EQ(calendar->month(), 4);
    EXPECT_EQ(calendar->monthLbl()->text(), "مرداد");
    EXPECT_EQ(calendar->today(), 0);
    EXPECT_EQ(events(), QStringList{"بدون رویداد"});
    EXPECT_EQ(calendar->scrl()->subviews().size(), 1);
    EXPECT_EQ(calendar->scrl()->contentOffset(), QPointF(0, CalendarViewController::kPage));
    EXPECT_TRUE(calendar->canChange());
    phone.tap(calendar->nextButton());
    EXPECT_EQ(calendar->month(), 5);
}

TEST_F(CalendarTest, NoWrapPastTheEndsOfTheYear)
{
    phone.box.setNow(QDateTime(QDate(2012, 3, 25), QTime(9, 0)));
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(calendar->month(), 0);
    phone.tap(calendar->previousButton());
    EXPECT_EQ(calendar->month(), 0);
    EXPECT_EQ(calendar->monthLbl()->text(), "فروردین");
}

TEST_F(CalendarTest, ConfirmingAfterAMonthChangeReturnsToday)
{
    ASSERT_NE(open(), nullptr);
    phone.tap(calendar->nextButton());
    phone.tap(calendar->confirmButton());
    EXPECT_EQ(phone.main()->presentedViewController(), nullptr);
    EXPECT_EQ(phone.main()->localDtp().getPersianDate(), "910431");
}

TEST_F(CalendarTest, ConfirmingADayShowsItsTimesUntilTheNextRefresh)
{
    ASSERT_NE(open(), nullptr);
    phone.tap(calendar->nextButton());
    phone.tap(day(9));
    phone.tap(calendar->confirmButton());
    EXPECT_EQ(phone.main()->localDtp().getPersianDate(), "910509");
    ASSERT_EQ(phone.main()->datasource().size(), 1);
    EXPECT_EQ(phone.main()->datasource()[0].value("Date"), "910509");
    phone.main()->refresh();
    EXPECT_EQ(phone.main()->localDtp().getPersianDate(), "910431");
}

TEST_F(CalendarTest, JumpingToTodayInItsOwnMonthOnlyMovesTheSelection)
{
    ASSERT_NE(open(), nullptr);
    phone.tap(day(5));
    ui::Button* five = day(5);
    phone.tap(calendar->todayButton());
    // The same buttons: nothing was rebuilt.
    EXPECT_EQ(day(5), five);
    EXPECT_FALSE(five->isSelected());
    EXPECT_TRUE(day(31)->isSelected());
    EXPECT_EQ(calendar->today(), 31);

    phone.tap(calendar->nextButton());
    phone.tap(calendar->todayButton());
    EXPECT_EQ(calendar->month(), 3);
    EXPECT_TRUE(day(31)->isSelected());
}

} // namespace

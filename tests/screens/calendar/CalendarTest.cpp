#include "screens/calendar/CalendarViewController.h"
#include "screens/calendar/ExportMenu.h"
#include "screens/calendar/DateReminderController.h"

#include "calendar/LunarCalendar.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/SaveDialog.h"
#include "platform/ui/SegmentedControl.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextField.h"
#include "store/Reminders.h"

#include <QDir>
#include <QTemporaryDir>

#include "calendar/PersianCalendar.h"
#include "platform/foundation/Clock.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/Style.h"
#include "platform/ui/Touch.h"
#include "screens/main/MainViewController.h"
#include "tests/screens/calendar/OpenCalendar.h"
#include "tests/support/Phone.h"

#include <QAccessible>
#include <QPointer>
#include <QSet>
#include <QVariantAnimation>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// The fixed layout of 1391's months, as the calendar first had it: month m
// (0 Farvardin) is shifted so that cell (j, k) holds day 7j + k + shift, and
// days that do not fit into five rows move into the empty cells of row 0.
int dayIn1391(int m, int j, int k)
{
    int shift = m <= 5 ? -((3 * m + 2) % 7) : -((2 * (m - 6) + 6) % 7);
    if (shift == -6)
        shift = 1;
    const int q = m / 6;
    const int d = 7 * j + k + shift;
    if (d <= 0 && d >= -3 - q)
        return 0;
    if (d + q > 31)
        return 0;
    return d < -3 - q ? d + 35 : d;
}

QList<int> days(int year, int month)
{
    QList<int> list;
    for (int j = 0; j < CalendarViewController::kRows; ++j)
        for (int k = 0; k < CalendarViewController::kColumns; ++k)
            list.append(CalendarViewController::dayInCell(year, month, j, k));
    return list;
}

TEST(CalendarGrid, The1391LayoutIsTheCalendarsOwn)
{
    for (int m = 0; m < 12; ++m)
        for (int j = 0; j < CalendarViewController::kRows; ++j)
            for (int k = 0; k < CalendarViewController::kColumns; ++k)
                ASSERT_EQ(CalendarViewController::dayInCell(1391, m + 1, j, k), dayIn1391(m, j, k)) << m << " " << j << " " << k;
    // Ordibehesht: 30 and 31 at the right of the top row, then four empty
    // cells, and 1 at the left (Friday).
    EXPECT_EQ(days(1391, 2).mid(0, 7), (QList<int>{30, 31, 0, 0, 0, 0, 1}));
    // Farvardin (1 on Tuesday) ends with 26 to 31 in the bottom row.
    EXPECT_EQ(days(1391, 1).mid(0, 7), (QList<int>{0, 0, 0, 1, 2, 3, 4}));
    EXPECT_EQ(days(1391, 1).mid(28, 7), (QList<int>{26, 27, 28, 29, 30, 31, 0}));
    EXPECT_EQ(CalendarViewController::cellFrame(0, 0), QRect(276, 1, 45, 43));
    EXPECT_EQ(CalendarViewController::cellFrame(4, 6), QRect(0, 177, 45, 43));
}

TEST(CalendarGrid, EveryMonthOfTheDataShowsEachDayOnceInItsWeekday)
{
    for (int year = PersianCalendar::kFirstYear; year <= PersianCalendar::kLastYear; ++year) {
        for (int month = 1; month <= 12; ++month) {
            QSet<int> seen;
            const QList<int> cells = days(year, month);
            for (int c = 0; c < cells.size(); ++c) {
                const int d = cells[c];
                if (d == 0)
                    continue;
                ASSERT_FALSE(seen.contains(d)) << year << "/" << month << "/" << d;
                seen.insert(d);
                ASSERT_EQ(c % 7, PersianCalendar::weekday({year, month, d})) << year << "/" << month << "/" << d;
            }
            ASSERT_EQ(seen.size(), PersianCalendar::daysInMonth(year, month)) << year << "/" << month;
        }
    }
    // Esfand 1403 has 30 days, from Wednesday 19 February 2025.
    EXPECT_EQ(PersianCalendar::daysInMonth(1403, 12), 30);
    EXPECT_EQ(days(1403, 12).mid(0, 7), (QList<int>{0, 0, 0, 0, 1, 2, 3}));
    EXPECT_EQ(days(1403, 12).mid(28, 7), (QList<int>{25, 26, 27, 28, 29, 30, 0}));
    // Farvardin 1405 starts on a Saturday: 1 in the rightmost cell, 29 to 31
    // in the bottom row.
    EXPECT_EQ(days(1405, 1).mid(0, 7), (QList<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(days(1405, 1).mid(28, 7), (QList<int>{29, 30, 31, 0, 0, 0, 0}));
}

class CalendarTest : public ::testing::Test {
protected:
    CalendarViewController* open()
    {
        calendar = openCalendar(phone);
        return calendar;
    }
    ui::Button* day(int d) const { return dayButton(calendar, d); }
    QStringList events() const
    {
        QStringList list;
        ui::TableView* t = calendar->tblEvents();
        for (int r = 0; r < t->numberOfRowsInSection(0); ++r)
            list.append(t->cellForRowAtIndexPath({0, r})->textLabel()->text());
        return list;
    }
    // Whether a day of the month shown has a reminder of the user's own.
    bool ownOn(int day) const
    {
        const QList<EventRules::Event> events = calendar->datasource().value(day - 1).events;
        return std::any_of(events.begin(), events.end(), [](const EventRules::Event& e) { return e.own; });
    }
    int selectedCount() const
    {
        int n = 0;
        for (ui::Button* b : calendar->dayButtons())
            n += b->isSelected() ? 1 : 0;
        return n;
    }

    // A finger's point on the screen for a view.
    QPoint onScreen(QWidget* view) const { return view->mapTo(phone.window(), view->rect().center()); }
    // Runs every running animation to its end, as time would.
    void finishAnimations() const
    {
        QList<QPointer<QVariantAnimation>> running;
        for (QVariantAnimation* a : phone.window()->findChildren<QVariantAnimation*>())
            if (a->state() == QAbstractAnimation::Running)
                running.append(a);
        for (const QPointer<QVariantAnimation>& a : running)
            if (a)
                a->setCurrentTime(a->totalDuration());
        Phone::settle();
    }
    // Taps the month button, and at once the point where `day` of the month
    // that leaves stands, while the new month scrolls in.
    void tapDuringMonthChange(ui::Button* monthButton, int day)
    {
        ASSERT_NE(this->day(day), nullptr);
        const QPoint dayAt = onScreen(this->day(day));
        ui::setAnimationsEnabled(true);
        ui::touch::tap(phone.window(), onScreen(monthButton));
        ASSERT_FALSE(calendar->canChange()) << "the month is still scrolling in";
        ui::touch::tap(phone.window(), dayAt);
        finishAnimations();
        ui::setAnimationsEnabled(false);
    }
    void TearDown() override { ui::setAnimationsEnabled(false); }
    // Presses Tab until `target` has the focus; false if it never does.
    bool tabTo(QWidget* target) const
    {
        for (int i = 0; i < 60 && phone.window()->focusWidget() != target; ++i)
            ui::touch::key(phone.window(), Qt::Key_Tab);
        return phone.window()->focusWidget() == target;
    }

    // 1391/4/31.
    Phone phone;
    CalendarViewController* calendar = nullptr;
};

TEST_F(CalendarTest, OpensOnTheShownMonthWithTodayMarked)
{
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(calendar->monthLbl()->text(), "تیر ١٣٩١");
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
    // 10 Tir 1391 with two events of its own only.
    phone.box.exec("DELETE FROM tEventRules WHERE Calendar = 0 AND Month = 4 AND Day = '10'");
    phone.box.exec("INSERT INTO tEventRules(Ord, Calendar, Month, Day, IsHoliday, FirstYear, LastYear, Description) VALUES(1000, 0, 4, '10', 0, 1391, 1391, 'a'), (1001, 0, 4, '10', 0, 1391, 1391, 'b')");
    ASSERT_NE(open(), nullptr);
    phone.tap(day(10));
    EXPECT_EQ(events(), (QStringList{"a", "b"}));
    EXPECT_EQ(calendar->tblEvents()->rectForRowAtIndexPath({0, 1}).height(), 17);
    // A long event keeps to its 17-point row, whole.
    phone.box.exec("INSERT INTO tEventRules(Ord, Calendar, Month, Day, IsHoliday, FirstYear, LastYear, Description) VALUES(1002, 0, 4, '12', 1, 1391, 1391, 'روز ملی شدن صنعت نفت ایران'), "
                   "(1003, 0, 4, '12', 1, 1391, 1391, 'ولادت امام علی (ع) و روز پدر')");
    phone.tap(calendar->nextButton());
    phone.tap(calendar->previousButton());
    phone.tap(day(12));
    ui::TableViewCell* row = calendar->tblEvents()->cellForRowAtIndexPath({0, 0});
    EXPECT_EQ(row->height(), 17);
    EXPECT_TRUE(row->rect().contains(row->textLabel()->frame()));
    EXPECT_FALSE(row->textLabel()->isTruncated());
    phone.tap(day(11));
    EXPECT_EQ(events(), QStringList{"بدون رویداد"});
    // Exactly one day is selected at a time.
    EXPECT_EQ(selectedCount(), 1);
    EXPECT_TRUE(day(11)->isSelected());
}

TEST_F(CalendarTest, ATapWhileAMonthScrollsInTurnsOneMore)
{
    ASSERT_NE(open(), nullptr);
    // Two taps before the new month has scrolled in: the first month ends
    // its turn where it was going, and the second tap turns again.
    ui::Button* next = calendar->nextButton();
    const QPoint at = next->mapTo(phone.window(), next->rect().center());
    ui::touch::tap(phone.window(), at);
    EXPECT_FALSE(calendar->canChange());
    ui::touch::tap(phone.window(), at);
    Phone::settle();
    EXPECT_EQ(calendar->month(), 5);
    EXPECT_EQ(calendar->monthLbl()->text(), "شهریور ١٣٩١");
    EXPECT_EQ(calendar->today(), 0);
    EXPECT_EQ(events(), QStringList{"بدون رویداد"});
    // One month at rest on the page, whatever came between.
    EXPECT_EQ(calendar->scrl()->subviews().size(), 1);
    EXPECT_EQ(calendar->scrl()->contentOffset(), QPointF(0, CalendarViewController::kPage));
    EXPECT_TRUE(calendar->canChange());
    // Today, asked while a month scrolls in, is where it ends.
    ui::touch::tap(phone.window(), at);
    phone.tap(calendar->todayButton());
    Phone::settle();
    EXPECT_EQ(calendar->monthLbl()->text(), "تیر ١٣٩١");
    EXPECT_EQ(calendar->scrl()->subviews().size(), 1);
    phone.tap(calendar->nextButton());
    EXPECT_EQ(calendar->month(), 4);
}

TEST_F(CalendarTest, MonthsCrossTheYearsAndStopAtTheEndsOfTheData)
{
    phone.box.setNow(foundation::Clock::at(QDate(2012, 3, 25), QTime(9, 0)));
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(calendar->month(), 0);
    phone.tap(calendar->previousButton());
    EXPECT_EQ(calendar->month(), 0);
    EXPECT_EQ(calendar->monthLbl()->text(), "فروردین ١٣٩١");
    for (int i = 0; i < 12; ++i)
        phone.tap(calendar->nextButton());
    EXPECT_EQ(calendar->year(), 1392);
    EXPECT_EQ(calendar->monthLbl()->text(), "فروردین ١٣٩٢");
    phone.tap(calendar->previousButton());
    EXPECT_EQ(calendar->monthLbl()->text(), "اسفند ١٣٩١");
    // Esfand 1391 has 30 days.
    EXPECT_EQ(calendar->dayButtons().size(), 30);
    phone.tap(day(30));
    phone.tap(calendar->confirmButton());
    EXPECT_EQ(phone.main()->localDtp().getPersianDate(), "911230");
}

TEST_F(CalendarTest, ASwipeOrAnArrowKeyTurnsTheMonthAsTheyLie)
{
    ASSERT_NE(open(), nullptr);
    const QPoint middle = onScreen(calendar->scrl());
    auto swipe = [&](int dx, int dy) {
        ui::touch::drag(phone.window(), middle, middle + QPoint(dx, dy));
        Phone::settle();
    };
    // Towards the right brings the next month in from the left.
    swipe(120, 10);
    EXPECT_EQ(calendar->monthLbl()->text(), "مرداد ١٣٩١");
    // A swipe that began on a day does not choose it.
    EXPECT_EQ(calendar->selectedDate(), std::nullopt);
    swipe(-120, -5);
    EXPECT_EQ(calendar->monthLbl()->text(), "تیر ١٣٩١");
    // Too short, or more down than sideways: no turn.
    swipe(30, 0);
    swipe(60, 80);
    EXPECT_EQ(calendar->monthLbl()->text(), "تیر ١٣٩١");
    ui::touch::key(phone.window(), Qt::Key_Left);
    Phone::settle();
    EXPECT_EQ(calendar->monthLbl()->text(), "مرداد ١٣٩١");
    // Like the buttons, a key while a month scrolls in counts.
    ui::touch::key(phone.window(), Qt::Key_Right);
    ui::touch::key(phone.window(), Qt::Key_Right);
    Phone::settle();
    EXPECT_EQ(calendar->monthLbl()->text(), "خرداد ١٣٩١");
    ui::touch::key(phone.window(), Qt::Key_Right);
    Phone::settle();
    EXPECT_EQ(calendar->monthLbl()->text(), "اردیبهشت ١٣٩١");
}

TEST_F(CalendarTest, AtTheEndsOfTheDataTheButtonIsOffAndTheLineSaysWhy)
{
    phone.box.setNow(foundation::Clock::at(QDate(2012, 3, 25), QTime(9, 0)));
    ASSERT_NE(open(), nullptr);
    EXPECT_FALSE(calendar->previousButton()->isControlEnabled());
    EXPECT_TRUE(calendar->nextButton()->isControlEnabled());
    // Today is selected: the line gives it in the three calendars.
    EXPECT_TRUE(calendar->dayLine()->text().contains("فروردین ١٣٩١")) << calendar->dayLine()->text().toStdString();
    EXPECT_TRUE(calendar->dayLine()->text().contains("مارس ٢٠١٢")) << calendar->dayLine()->text().toStdString();
    // A swipe towards the missing month does nothing.
    const QPoint middle = onScreen(calendar->scrl());
    ui::touch::drag(phone.window(), middle, middle + QPoint(-120, 0));
    Phone::settle();
    EXPECT_EQ(calendar->monthLbl()->text(), "فروردین ١٣٩١");
    phone.tap(calendar->nextButton());
    phone.tap(calendar->previousButton());
    EXPECT_EQ(calendar->selectedDate(), std::nullopt);
    EXPECT_TRUE(calendar->dayLine()->text().contains("قبل")) << calendar->dayLine()->text().toStdString();
    EXPECT_FALSE(calendar->previousButton()->accessibleDescription().isEmpty());
    phone.tap(calendar->nextButton());
    EXPECT_TRUE(calendar->previousButton()->isControlEnabled());
    EXPECT_TRUE(calendar->dayLine()->text().isEmpty());
}

TEST_F(CalendarTest, TheLastMonthOfTheDataIsTheLastOneShown)
{
    // 20 Esfand 1410.
    phone.box.setNow(foundation::Clock::at(QDate(2032, 3, 10), QTime(9, 0)));
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(calendar->monthLbl()->text(), "اسفند ١٤١٠");
    EXPECT_EQ(calendar->dayButtons().size(), 29);
    phone.tap(calendar->nextButton());
    EXPECT_EQ(calendar->year(), 1410);
    EXPECT_EQ(calendar->month(), 11);
    phone.tap(calendar->previousButton());
    EXPECT_EQ(calendar->monthLbl()->text(), "بهمن ١٤١٠");
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
    EXPECT_EQ(phone.main()->datasource()[0].key, 910509);
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

TEST_F(CalendarTest, ADayOfTheMonthThatLeavesTakesNoTap)
{
    // 31 Tir, then at once 14 Tir: Mordad comes with no day selected, and
    // confirming gives today, not 14 Mordad.
    ASSERT_NE(open(), nullptr);
    tapDuringMonthChange(calendar->nextButton(), 14);
    EXPECT_EQ(calendar->month(), 4);
    EXPECT_EQ(selectedCount(), 0);
    EXPECT_FALSE(calendar->selectedDate().has_value());
    EXPECT_EQ(events(), QStringList{"بدون رویداد"});
    phone.tap(calendar->confirmButton());
    EXPECT_EQ(phone.main()->localDtp().getPersianDate(), "910431");
}

TEST_F(CalendarTest, OnlyADateThatExistsIsEverConfirmed)
{
    // From Shahrivar (31 days) to Mehr (30): the 31st of the month that
    // leaves, tapped during the change, must not become 31 Mehr.
    phone.box.setNow(foundation::Clock::at(QDate(2012, 9, 1), QTime(9, 0)));
    ASSERT_NE(open(), nullptr);
    ASSERT_EQ(calendar->month(), 5);
    tapDuringMonthChange(calendar->nextButton(), 31);
    EXPECT_EQ(calendar->month(), 6);
    EXPECT_EQ(selectedCount(), 0);
    phone.tap(calendar->confirmButton());
    // Back on the main screen, with a page for the date, not in the settings.
    EXPECT_EQ(phone.window()->rootViewController(), phone.main());
    EXPECT_EQ(phone.main()->presentedViewController(), nullptr);
    EXPECT_EQ(phone.main()->localDtp().getPersianDate(), "910611");
    EXPECT_EQ(phone.main()->pageCount(), 1);
    // Every day handed back is a day of the calendar.
    phone.tap(phone.main()->calendarButton());
    calendar = dynamic_cast<CalendarViewController*>(phone.main()->presentedViewController());
    ASSERT_NE(calendar, nullptr);
    for (int i = 0; i < 2; ++i)
        tapDuringMonthChange(calendar->previousButton(), 31);
    phone.tap(day(30));
    phone.tap(calendar->confirmButton());
    EXPECT_EQ(phone.main()->localDtp().getPersianDate(), "910430");
}

TEST_F(CalendarTest, ExactlyOneDayIsSelectedAcrossMonths)
{
    // Opened on 10 Tir while today is 31 Tir.
    ASSERT_NE(open(), nullptr);
    phone.tap(day(10));
    phone.tap(calendar->confirmButton());
    ASSERT_EQ(phone.main()->localDtp().getPersianDate(), "910410");
    phone.tap(phone.main()->calendarButton());
    calendar = dynamic_cast<CalendarViewController*>(phone.main()->presentedViewController());
    ASSERT_NE(calendar, nullptr);
    EXPECT_TRUE(day(10)->isSelected());
    EXPECT_FALSE(day(31)->isSelected());
    EXPECT_EQ(selectedCount(), 1);

    // A month on and back: nothing is selected, as the list says.
    phone.tap(calendar->nextButton());
    phone.tap(calendar->previousButton());
    EXPECT_EQ(calendar->month(), 3);
    EXPECT_EQ(selectedCount(), 0);
    EXPECT_EQ(events(), QStringList{"بدون رویداد"});
    // Another day: it alone is selected.
    phone.tap(day(20));
    EXPECT_EQ(selectedCount(), 1);
    EXPECT_TRUE(day(20)->isSelected());
    EXPECT_EQ(calendar->selectedDate(), (SolarDate{1391, 4, 20}));
    // The same day number of another month is another date.
    phone.tap(calendar->nextButton());
    EXPECT_FALSE(day(20)->isSelected());
    EXPECT_EQ(selectedCount(), 0);
}

TEST_F(CalendarTest, EscapeClosesWithoutChoosingAndTabReachesEveryButton)
{
    ASSERT_NE(open(), nullptr);
    phone.tap(day(10));
    ui::touch::key(phone.window(), Qt::Key_Escape);
    Phone::settle();
    EXPECT_EQ(phone.main()->presentedViewController(), nullptr);
    EXPECT_EQ(phone.main()->localDtp().getPersianDate(), "910431");

    // Tab goes round the calendar's own buttons, never to the main screen
    // under it; Return on one taps it.
    phone.tap(phone.main()->calendarButton());
    calendar = dynamic_cast<CalendarViewController*>(phone.main()->presentedViewController());
    ASSERT_NE(calendar, nullptr);
    QList<QWidget*> visited;
    for (int i = 0; i < 40; ++i) {
        ui::touch::key(phone.window(), Qt::Key_Tab);
        QWidget* focus = phone.window()->focusWidget();
        ASSERT_NE(focus, nullptr);
        ASSERT_TRUE(calendar->view()->isAncestorOf(focus)) << i;
        if (!visited.contains(focus))
            visited.append(focus);
    }
    for (QWidget* w : {static_cast<QWidget*>(calendar->previousButton()), static_cast<QWidget*>(calendar->nextButton()),
             static_cast<QWidget*>(calendar->todayButton()), static_cast<QWidget*>(calendar->confirmButton()),
             static_cast<QWidget*>(day(1)), static_cast<QWidget*>(day(31))})
        EXPECT_TRUE(visited.contains(w));
    ASSERT_TRUE(tabTo(day(20)));
    phone.pressReturn();
    EXPECT_EQ(calendar->selectedDate(), (SolarDate{1391, 4, 20}));
    ASSERT_TRUE(tabTo(calendar->confirmButton()));
    ui::touch::key(phone.window(), Qt::Key_Space);
    Phone::settle();
    EXPECT_EQ(phone.main()->presentedViewController(), nullptr);
    EXPECT_EQ(phone.main()->localDtp().getPersianDate(), "910420");
}

TEST_F(CalendarTest, AScreenReaderHearsWholeDatesAndTheNamesOfTheTimes)
{
    ASSERT_NE(open(), nullptr);
    auto name = [](QObject* o) { return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name); };
    EXPECT_EQ(name(calendar->view()), "تقویم");
    // Its three numbers, as the cell shows them.
    EXPECT_EQ(name(day(31)), "٣١ تیر ١٣٩١، ٢١ ژوئیه، ١ رمضان، امروز، دارای رویداد");
    EXPECT_EQ(name(day(30)), "٣٠ تیر ١٣٩١، ٢٠ ژوئیه، ٣٠ شعبان، تعطیل");
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(day(31))->state().selected);
    ui::touch::key(phone.window(), Qt::Key_Escape);
    Phone::settle();

    // The main screen: its buttons, and each time named by the caption the
    // picture shows beside it, its clock time as its value.
    EXPECT_EQ(name(phone.main()->calendarButton()), "تقویم");
    EXPECT_EQ(name(phone.main()->infoButton()), "تنظیمات");
    QStringList times;
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        if (!node || node->state().invisible)
            return;
        if (node->role() == QAccessible::StaticText && node->text(QAccessible::Name).startsWith("اذان صبح"))
            times.append(node->text(QAccessible::Name) + ' ' + node->text(QAccessible::Value));
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i));
    };
    walk(QAccessible::queryAccessibleInterface(phone.window()));
    EXPECT_EQ(times, (QStringList{"اذان صبح ٠٤:٢٣", "اذان صبح فردا ٠٤:٢٤"}));
}

TEST_F(CalendarTest, AReminderOfTheUsersOwnIsAddedOnADayMarkedAndRemoved)
{
    ASSERT_NE(open(), nullptr);
    // 1391/4/12, a day without events.
    phone.tap(day(12));
    ASSERT_EQ(events(), QStringList{"بدون رویداد"});
    phone.tap(calendar->remindButton());
    auto* form = dynamic_cast<DateReminderController*>(calendar->presentedViewController());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->reminder(), std::nullopt) << "no text yet";
    phone.type(QStringLiteral("دیدار"));
    form->timeField()->setText(QStringLiteral("۲۱:۳۰"));
    ASSERT_TRUE(form->reminder().has_value());
    EXPECT_EQ(form->reminder()->repeat, reminders::DateReminder::Repeat::YearlyPersian);
    EXPECT_EQ(form->reminder()->time, (ClockTime{21, 30}));
    EXPECT_EQ((SolarDate{form->reminder()->year, form->reminder()->month, form->reminder()->day}), (SolarDate{1391, 4, 12}));
    // Every year on its lunar date: the Hijri day of 1391/4/12.
    form->repeat()->setSelectedSegmentIndex(3);
    const HijriDate h = LunarCalendar::fromGregorian(PersianCalendar::toGregorian({1391, 4, 12}));
    EXPECT_EQ((HijriDate{form->reminder()->year, form->reminder()->month, form->reminder()->day}), h);
    form->timeField()->setText(QStringLiteral("25:00"));
    EXPECT_EQ(form->reminder(), std::nullopt) << "no such time";
    EXPECT_FALSE(form->save());
    form->timeField()->setText(QStringLiteral("7:05"));
    // Once, on a day gone by: it would never come, and is not taken.
    form->repeat()->setSelectedSegmentIndex(0);
    EXPECT_FALSE(form->save());
    EXPECT_TRUE(form->summary()->text().contains("گذشته"));
    EXPECT_TRUE(reminders::dateReminders()->isEmpty());
    form->repeat()->setSelectedSegmentIndex(2);
    phone.tap(form->saveButton());
    Phone::wait(500);
    EXPECT_EQ(calendar->presentedViewController(), nullptr);

    // On the 12th of every month: this one, with its mark and its time,
    // and the next.
    EXPECT_EQ(events(), QStringList{"دیدار"});
    EXPECT_EQ(calendar->tblEvents()->cellForRowAtIndexPath({0, 0})->detailTextLabel()->text(), "ساعت ٠٧:٠٥");
    EXPECT_TRUE(ownOn(12));
    EXPECT_TRUE(day(12)->accessibleName().contains("یادآوری شما"));
    const bool pending = std::ranges::any_of(notifications::NotificationCenter::shared()->scheduledLocalNotifications(),
        [](const auto& n) { return n.alertBody == "یادآوری: دیدار"; });
    EXPECT_FALSE(pending) << "1391/4/12 has passed: nothing to notify";
    phone.tap(calendar->nextButton());
    finishAnimations();
    EXPECT_TRUE(ownOn(12));
    phone.tap(day(12));
    EXPECT_EQ(events(), QStringList{"دیدار"});

    // A tap on it offers to change or remove it.
    calendar->didSelectRowAtIndexPath(calendar->tblEvents(), {0, 0});
    ASSERT_EQ(ui::AlertView::visibleAlerts().size(), 1);
    ui::AlertView* alert = ui::AlertView::visibleAlerts().last();
    ASSERT_EQ(alert->buttons().size(), 3);
    EXPECT_EQ(alert->buttons()[1]->currentTitle(), "حذف یادآوری");
    phone.tap(alert->buttons()[1]);
    Phone::wait(300);
    EXPECT_TRUE(reminders::dateReminders()->isEmpty());
    EXPECT_FALSE(ownOn(12));
}

TEST_F(CalendarTest, OfTwoRemindersOfTheSameTextOnADayTheOneTappedIsRemoved)
{
    // Two of the user's reminders, both "دیدار" on 12 Tir: once at 9:00, and
    // every month at 18:00.
    reminders::DateReminder once;
    once.repeat = reminders::DateReminder::Repeat::Once;
    once.year = 1391;
    once.month = 4;
    once.day = 12;
    once.text = QStringLiteral("دیدار");
    once.time = {9, 0};
    reminders::DateReminder monthly = once;
    monthly.repeat = reminders::DateReminder::Repeat::MonthlyPersian;
    monthly.time = {18, 0};
    ASSERT_TRUE(reminders::save(once));
    ASSERT_TRUE(reminders::save(monthly));
    ASSERT_NE(open(), nullptr);
    phone.tap(day(12));
    ASSERT_EQ(events(), (QStringList{"دیدار", "دیدار"}));
    // The second row is the monthly one: it goes, the other stays.
    calendar->didSelectRowAtIndexPath(calendar->tblEvents(), {0, 1});
    ASSERT_EQ(ui::AlertView::visibleAlerts().size(), 1);
    ui::AlertView* alert = ui::AlertView::visibleAlerts().last();
    ASSERT_EQ(alert->buttons()[1]->currentTitle(), "حذف یادآوری");
    phone.tap(alert->buttons()[1]);
    Phone::wait(300);
    const QList<reminders::DateReminder> left = reminders::dateReminders().value();
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left.first().id, once.id);
    EXPECT_EQ(events(), QStringList{"دیدار"});
}

TEST_F(CalendarTest, TheExportsAreWrittenWhereTheSaveDialogSays)
{
    ASSERT_NE(open(), nullptr);
    QTemporaryDir folder;
    ui::SaveDialog::setAnswerFolder(folder.path());
    exportMenu::exportYear(calendar->year());
    exportMenu::exportTimes({calendar->year(), calendar->month() + 1, 1}, false);
    exportMenu::exportTimes({calendar->year(), calendar->month() + 1, 1}, true);
    ui::SaveDialog::setAnswerFolder(QString());
    for (ui::AlertView* a : ui::AlertView::visibleAlerts())
        a->dismiss();
    const QStringList files = QDir(folder.path()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(files, (QStringList{"اوقات-تهران-1391-04.ics", "اوقات-تهران-1391-04.pdf", "رویدادهای-1391.ics"}));
    QFile ics(folder.filePath("اوقات-تهران-1391-04.ics"));
    ASSERT_TRUE(ics.open(QIODevice::ReadOnly));
    const QByteArray text = ics.readAll();
    // Summer time in 1391: the zone says so, and each time is on the clock.
    EXPECT_TRUE(text.contains("BEGIN:DAYLIGHT\r\n")) << text.left(600).toStdString();
    EXPECT_EQ(text.count("BEGIN:VEVENT"), 31 * 6);
    EXPECT_TRUE(text.startsWith("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"));
    QFile pdf(folder.filePath("اوقات-تهران-1391-04.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");

    // A pipe where the PDF would go: not waited on, not replaced, and the
    // user told why.
    QTemporaryDir other;
    const QString pipe = other.filePath("اوقات-تهران-1391-04.pdf");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ui::SaveDialog::setAnswerFolder(other.path());
    exportMenu::exportTimes({calendar->year(), calendar->month() + 1, 1}, true);
    ui::SaveDialog::setAnswerFolder(QString());
    ASSERT_FALSE(ui::AlertView::visibleAlerts().isEmpty());
    ui::AlertView* told = ui::AlertView::visibleAlerts().last();
    EXPECT_EQ(told->title(), "ذخیره نشد");
    EXPECT_TRUE(told->message().contains("چیزی جز پرونده")) << told->message().toStdString();
    told->dismiss();
    EXPECT_EQ(QDir(other.path()).entryList(QDir::Files | QDir::System), QStringList{QFileInfo(pipe).fileName()});
}

} // namespace

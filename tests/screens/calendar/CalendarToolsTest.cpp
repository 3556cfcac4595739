// What the calendar's "more" opens, tapped through as a user would: the
// converter, the year at a glance, the search of occasions; and a
// reminder's time in the day's list, changed from there.
#include "screens/calendar/CalendarViewController.h"
#include "screens/calendar/ConverterController.h"
#include "screens/calendar/DateReminderController.h"
#include "screens/calendar/MiniMonth.h"
#include "screens/calendar/OccasionSearchController.h"
#include "screens/calendar/YearViewController.h"

#include "calendar/DateKey.h"
#include "calendar/LunarCalendar.h"
#include "calendar/Utility.h"
#include "platform/foundation/Digits.h"
#include "calendar/PersianCalendar.h"
#include "notifications/MyNotification.h"
#include "platform/foundation/Clock.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/SearchBar.h"
#include "platform/ui/SegmentedControl.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Touch.h"
#include "screens/main/MainViewController.h"
#include "store/Days.h"
#include "store/Reminders.h"
#include "tests/screens/calendar/OpenCalendar.h"
#include "tests/support/Phone.h"

#include <gtest/gtest.h>

namespace {

// 17 Azar 1405.
const QDateTime kAzar17(QDate(2026, 12, 8), QTime(10, 0));

class CalendarToolsTest : public ::testing::Test {
protected:
    CalendarToolsTest() : phone(kAzar17) {}

    CalendarViewController* open()
    {
        calendar = openCalendar(phone);
        return calendar;
    }
    // "بیشتر", then the entry of its menu so titled.
    ui::ViewController* more(const QString& entry)
    {
        phone.tap(calendar->moreButton());
        if (ui::AlertView::visibleAlerts().isEmpty())
            return nullptr;
        for (ui::Button* b : ui::AlertView::visibleAlerts().last()->buttons()) {
            if (b->currentTitle() == entry) {
                phone.tap(b);
                Phone::wait(100);
                return calendar->presentedViewController();
            }
        }
        return nullptr;
    }
    ui::Button* day(int d) const { return dayButton(calendar, d); }
    // Types into a field as a finger and a keyboard would: a tap that
    // brings it the keyboard, then keys.
    void retype(ui::TextField* field, const QString& text)
    {
        field->resignFirstResponder();
        Phone::settle();
        phone.tap(field);
        Phone::settle();
        phone.type(text);
    }

    Phone phone;
    CalendarViewController* calendar = nullptr;
};

TEST_F(CalendarToolsTest, TheConverterTurnsADateOfAnyCalendarIntoTheOthersAndBack)
{
    ASSERT_NE(open(), nullptr);
    auto* converter = dynamic_cast<ConverterController*>(more("تبدیل تاریخ"));
    ASSERT_NE(converter, nullptr);
    // It starts on the selected day: 17 Azar 1405, with the official lunar date.
    const HijriDate h = LunarCalendar::fromGregorian(QDate(2026, 12, 8));
    const QString hijri = Utility::ConvertToPersian(LunarCalendar::text(h)) + " قمری";
    EXPECT_EQ(converter->dateField()->text(), "۱۴۰۵/۹/۱۷");
    EXPECT_EQ(converter->solarLine()->text(), "سه‌شنبه ١٧ آذر ١٤٠٥");
    EXPECT_EQ(converter->gregorianLine()->text(), "٨ دسامبر ٢٠٢٦ میلادی");
    EXPECT_EQ(converter->hijriLine()->text(), hijri);
    EXPECT_EQ(converter->gregorianLine()->accessibleValue(), converter->gregorianLine()->text());

    // Back from the Gregorian date, typed over the field without selecting it.
    retype(converter->dateField(), "8 December 2026");
    EXPECT_EQ(converter->kind(), CalendarSystem::Kind::Gregorian) << "the month's name says its calendar";
    EXPECT_EQ(converter->kindControl()->selectedSegmentIndex(), 1);
    EXPECT_EQ(converter->solarLine()->text(), "سه‌شنبه ١٧ آذر ١٤٠٥");
    // And from the lunar one, in the lunar calendar.
    phone.tap(converter->kindControl(), converter->kindControl()->segmentRect(2).center());
    EXPECT_EQ(converter->kind(), CalendarSystem::Kind::Hijri);
    EXPECT_EQ(converter->dateField()->text(),
        foundation::Digits::shapes(foundation::Digits::arabicIndic(QStringLiteral("%1/%2/%3").arg(h.year).arg(h.month).arg(h.day))));
    retype(converter->dateField(), QStringLiteral("%1/%2/%3").arg(h.year).arg(h.month).arg(h.day));
    EXPECT_EQ(converter->day(), QDate(2026, 12, 8));

    // A day the calendar lacks: refused, with why.
    phone.tap(converter->kindControl(), converter->kindControl()->segmentRect(0).center());
    retype(converter->dateField(), "۳۰/۱۲/۱۴۰۴");
    EXPECT_FALSE(converter->day().isValid());
    EXPECT_TRUE(converter->message()->text().contains("٢٩")) << converter->message()->text().toStdString();
    EXPECT_TRUE(converter->gregorianLine()->text().isEmpty());
    EXPECT_FALSE(converter->openButton()->isControlEnabled());

    // Days from 1 Farvardin: 262 back, 261 between them.
    retype(converter->dateField(), "1405/9/17");
    EXPECT_TRUE(converter->message()->text().isEmpty());
    retype(converter->otherField(), "1405/1/1");
    const QString span = converter->span()->text();
    EXPECT_TRUE(span.contains("٢٦٢ روز قبل")) << span.toStdString();
    EXPECT_TRUE(span.contains("٣٧ هفته و ٣ روز")) << span.toStdString();
    EXPECT_TRUE(span.contains("٨ ماه و ١٦ روز")) << span.toStdString();
    EXPECT_TRUE(span.contains("میان دو تاریخ: ٢٦١")) << span.toStdString();
    // Another calendar writes both dates anew: the same days.
    phone.tap(converter->kindControl(), converter->kindControl()->segmentRect(1).center());
    EXPECT_EQ(converter->dateField()->text(), "۲۰۲۶/۱۲/۸");
    EXPECT_EQ(converter->otherField()->text(), "۲۰۲۶/۳/۲۱");
    EXPECT_TRUE(converter->span()->text().contains("٢٦٢ روز قبل"));
    // So does a month named in another calendar, which turns the screen to it.
    retype(converter->dateField(), "17 آذر 1405");
    EXPECT_EQ(converter->kind(), CalendarSystem::Kind::Solar);
    EXPECT_EQ(converter->otherField()->text(), "۱۴۰۵/۱/۱");
    EXPECT_TRUE(converter->span()->text().contains("٢٦٢ روز قبل")) << converter->span()->text().toStdString();

    // A day back, and out of the data's years: the lunar date says its source.
    phone.tap(converter->kindControl(), converter->kindControl()->segmentRect(0).center());
    retype(converter->dateField(), "1300/1/1");
    EXPECT_EQ(converter->gregorianLine()->text(), "٢١ مارس ١٩٢١ میلادی");
    EXPECT_TRUE(converter->hijriLine()->text().contains("١٣٣٩")) << converter->hijriLine()->text().toStdString();
    EXPECT_FALSE(converter->occasions()->text().contains("بدون")) << "occasions are said only for the data's years";
    converter->step(-1);
    EXPECT_EQ(converter->solarLine()->text(), "یکشنبه ٢٩ اسفند ١٢٩٩");

    // A day of the data opens in the calendar, selected.
    retype(converter->dateField(), "1405/4/3");
    EXPECT_TRUE(converter->occasions()->text().contains("تاسوعا")) << converter->occasions()->text().toStdString();
    phone.tap(converter->openButton());
    Phone::wait(100);
    EXPECT_EQ(calendar->presentedViewController(), nullptr);
    EXPECT_EQ(calendar->selectedDate(), (SolarDate{1405, 4, 3}));
    EXPECT_EQ(calendar->monthLbl()->text(), "تیر ١٤٠٥");
}

TEST_F(CalendarToolsTest, TheYearMarksTheOfficialHolidaysRingsTodayAndOpensAMonth)
{
    ASSERT_NE(open(), nullptr);
    // The month's title opens its year.
    phone.tap(calendar->yearButton());
    auto* year = dynamic_cast<YearViewController*>(calendar->presentedViewController());
    ASSERT_NE(year, nullptr);
    EXPECT_EQ(year->year(), 1405);
    ASSERT_EQ(year->months().size(), 12);
    // Each month's marks are the days the month calendar has as holidays
    // (Fridays aside): 26 in 1405, as the official calendar has them.
    int holidays = 0;
    for (MiniMonth* m : year->months()) {
        const SolarDate first = m->month();
        const QList<days::DayEvents> days = *days::events(DateKey::make(first),
            DateKey::make({first.year, first.month, PersianCalendar::daysInMonth(first.year, first.month)}));
        QSet<int> expected;
        for (const days::DayEvents& d : days)
            if (d.holiday)
                expected.insert(DateKey::read(d.key).day);
        EXPECT_EQ(m->holidays(), expected) << first.month;
        holidays += static_cast<int>(m->holidays().size());
        EXPECT_EQ(m->today(), first.month == 9 ? 17 : 0);
    }
    EXPECT_EQ(holidays, 26);
    EXPECT_TRUE(year->months()[0]->holidays().contains(1)) << "Nowruz";
    EXPECT_TRUE(year->months()[0]->accessibleValue().contains("١، ٢، ٣، ٤")) << year->months()[0]->accessibleValue().toStdString();
    // Farvardin at the top right, Esfand at the bottom left.
    EXPECT_GT(year->months()[0]->frame().x(), year->months()[2]->frame().x());
    EXPECT_LT(year->months()[0]->frame().y(), year->months()[11]->frame().y());

    // The arrow keys turn the year as the months lie, and stop at the data's end.
    ui::touch::key(phone.window(), Qt::Key_Left);
    EXPECT_EQ(year->year(), 1406);
    EXPECT_EQ(year->titleLabel()->text(), "١٤٠٦");
    EXPECT_EQ(year->months()[8]->today(), 0);
    for (int i = 0; i < 10; ++i)
        phone.tap(year->nextButton());
    EXPECT_EQ(year->year(), PersianCalendar::kLastYear);
    EXPECT_FALSE(year->nextButton()->isControlEnabled());
    ui::touch::key(phone.window(), Qt::Key_Right);
    EXPECT_EQ(year->year(), PersianCalendar::kLastYear - 1);

    // A swipe turns the year, even one that began and ended on a month,
    // which it does not open.
    const QRect farvardin = year->months()[0]->frame();
    const QPoint from = year->months()[0]->mapTo(phone.window(), QPoint(15, farvardin.height() / 2));
    ui::touch::drag(phone.window(), from, from + QPoint(farvardin.width() - 30, 0));
    Phone::settle();
    EXPECT_EQ(year->year(), PersianCalendar::kLastYear);
    EXPECT_EQ(calendar->presentedViewController(), year);
    ui::touch::drag(phone.window(), from + QPoint(farvardin.width() - 30, 0), from);
    Phone::settle();
    EXPECT_EQ(year->year(), PersianCalendar::kLastYear - 1);

    // A tap on a month opens it.
    phone.tap(year->months()[2]);
    Phone::wait(100);
    EXPECT_EQ(calendar->presentedViewController(), nullptr);
    EXPECT_EQ(calendar->monthLbl()->text(), "خرداد ١٤٠٩");
    EXPECT_EQ(calendar->selectedDate(), std::nullopt);
    EXPECT_EQ(calendar->dayButtons().size(), 31);
}

TEST_F(CalendarToolsTest, TheSearchFindsEveryYearsTasuaAndATapOpensTheDay)
{
    ASSERT_NE(open(), nullptr);
    reminders::DateReminder own{0, reminders::DateReminder::Repeat::YearlyPersian, 1405, 10, 5, QStringLiteral("سالگرد ازدواج"), {7, 30}};
    ASSERT_TRUE(reminders::save(own));
    auto* search = dynamic_cast<OccasionSearchController*>(more("جستجوی مناسبت‌ها"));
    ASSERT_NE(search, nullptr);
    EXPECT_TRUE(search->found().isEmpty());
    EXPECT_TRUE(search->status()->text().contains("دو حرف"));

    phone.type("تاسوعا");
    Phone::wait(OccasionSearchController::kPauseMs + 100);
    QList<int> years;
    for (const EventSearch::Found& f : search->found())
        years.append(f.day.year);
    // One each Persian year of the data; 1405's on 3 Tir, 9 Muharram 1448.
    EXPECT_GE(years.size(), 20);
    for (int y = PersianCalendar::kFirstYear; y <= PersianCalendar::kLastYear; ++y)
        EXPECT_TRUE(years.contains(y)) << y;
    const auto tir3 = std::find_if(search->found().begin(), search->found().end(), [](const auto& f) { return f.day == SolarDate{1405, 4, 3}; });
    ASSERT_NE(tir3, search->found().end());
    EXPECT_TRUE(tir3->event.holiday);
    const int tir3Row = static_cast<int>(tir3 - search->found().begin());
    // The next one from today is in sight; its row names it and its day.
    const int row = tir3Row + 1;
    ui::TableViewCell* cell = search->results()->cellForRowAtIndexPath({0, row});
    ASSERT_NE(cell, nullptr);
    EXPECT_TRUE(search->results()->rect().intersects(search->results()->rectForRowAtIndexPath({0, row}).translated(0, -search->results()->contentOffset().y())));
    EXPECT_TRUE(cell->accessibleName().startsWith("تاسوعای حسینی (تعطیل)، ")) << cell->accessibleName().toStdString();

    // The user's own reminders are found too, in every year (a yearly one
    // is on its day in the years before it was made, as the month shows).
    search->search("سالگرد");
    EXPECT_EQ(search->found().size(), PersianCalendar::kLastYear - PersianCalendar::kFirstYear + 1);
    EXPECT_TRUE(search->found().first().event.own);

    // A tap opens the day in the calendar.
    search->search("تاسوعا");
    search->results()->activateRow({0, tir3Row});
    Phone::wait(100);
    EXPECT_EQ(calendar->presentedViewController(), nullptr);
    EXPECT_EQ(calendar->selectedDate(), (SolarDate{1405, 4, 3}));
    EXPECT_TRUE(day(3)->isSelected());
}

TEST_F(CalendarToolsTest, AReminderIsChangedFromTheDaysListAndItsNotificationWithIt)
{
    // Every year on 19 Azar, 10 December: within the days planned ahead.
    reminders::DateReminder r{0, reminders::DateReminder::Repeat::YearlyPersian, 1405, 9, 19, QStringLiteral("سالگرد"), {8, 0}};
    ASSERT_TRUE(reminders::save(r));
    ASSERT_NE(open(), nullptr);
    auto pendingAt = [](const QTime& time) {
        const QDateTime at(QDate(2026, 12, 10), time, QTimeZone("Asia/Tehran"));
        return std::ranges::any_of(notifications::NotificationCenter::shared()->scheduledLocalNotifications(),
            [&](const auto& n) { return n.alertBody == "یادآوری: سالگرد" && n.fireDate == at; });
    };
    MyNotification::initialize()->update();
    EXPECT_TRUE(pendingAt(QTime(8, 0)));
    phone.tap(day(19));
    // The day's occasions first, then the reminder with its time.
    ui::TableView* list = calendar->tblEvents();
    const int rows = list->numberOfRowsInSection(0);
    ASSERT_GE(rows, 2);
    for (int i = 0; i + 1 < rows; ++i)
        EXPECT_EQ(list->cellForRowAtIndexPath({0, i})->detailTextLabel(), nullptr) << i;
    ui::TableViewCell* row = list->cellForRowAtIndexPath({0, rows - 1});
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->textLabel()->text(), "سالگرد");
    EXPECT_EQ(row->detailTextLabel()->text(), "ساعت ٠٨:٠٠");
    // An occasion is no reminder: a tap on it offers nothing.
    calendar->didSelectRowAtIndexPath(list, {0, 0});
    EXPECT_TRUE(ui::AlertView::visibleAlerts().isEmpty());

    // Change: the form comes filled in.
    calendar->didSelectRowAtIndexPath(list, {0, rows - 1});
    ASSERT_EQ(ui::AlertView::visibleAlerts().size(), 1);
    phone.tap(ui::AlertView::visibleAlerts().last()->buttons()[0]);
    Phone::wait(100);
    auto* form = dynamic_cast<DateReminderController*>(calendar->presentedViewController());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->textField()->text(), "سالگرد");
    EXPECT_EQ(form->repeat()->selectedSegmentIndex(), 1);
    // The time field takes a new time as it is typed, without selecting it first.
    retype(form->timeField(), "07:30");
    ASSERT_TRUE(form->reminder().has_value());
    EXPECT_EQ(form->reminder()->time, (ClockTime{7, 30}));
    EXPECT_EQ(form->reminder()->id, r.id);
    phone.tap(form->saveButton());
    Phone::wait(500);
    EXPECT_EQ(calendar->presentedViewController(), nullptr);

    // In its place: one reminder, at its new time, notified then.
    const QList<reminders::DateReminder> stored = *reminders::dateReminders();
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored[0].time, (ClockTime{7, 30}));
    EXPECT_EQ((SolarDate{stored[0].year, stored[0].month, stored[0].day}), (SolarDate{1405, 9, 19}));
    EXPECT_TRUE(pendingAt(QTime(7, 30)));
    EXPECT_FALSE(pendingAt(QTime(8, 0)));
    EXPECT_EQ(calendar->tblEvents()->cellForRowAtIndexPath({0, rows - 1})->detailTextLabel()->text(), "ساعت ٠٧:٣٠");
}

TEST_F(CalendarToolsTest, AChangedReminderKeepsItsOwnDateWhileItRepeatsAsItDid)
{
    // 30 Esfand of a leap year, yearly: shown on 29 Esfand 1405.
    const reminders::DateReminder leap{7, reminders::DateReminder::Repeat::YearlyPersian, 1403, 12, 30, QStringLiteral("سالگرد"), {9, 0}};
    DateReminderController form({1405, 12, 29}, leap);
    form.view();
    ASSERT_TRUE(form.reminder().has_value());
    EXPECT_EQ((SolarDate{form.reminder()->year, form.reminder()->month, form.reminder()->day}), (SolarDate{1403, 12, 30}));
    EXPECT_EQ(form.reminder()->id, 7);
    // Once instead: the day it was changed from.
    form.repeat()->setSelectedSegmentIndex(0);
    EXPECT_EQ((SolarDate{form.reminder()->year, form.reminder()->month, form.reminder()->day}), (SolarDate{1405, 12, 29}));
    // Every year on a lunar date: that day's, unless it was already lunar.
    form.repeat()->setSelectedSegmentIndex(3);
    const HijriDate h = LunarCalendar::fromGregorian(PersianCalendar::toGregorian({1405, 12, 29}));
    EXPECT_EQ((HijriDate{form.reminder()->year, form.reminder()->month, form.reminder()->day}), h);
    const reminders::DateReminder lunar{8, reminders::DateReminder::Repeat::YearlyHijri, 1447, 9, 30, QStringLiteral("عید"), {9, 0}};
    DateReminderController lunarForm({1405, 12, 29}, lunar);
    lunarForm.view();
    EXPECT_EQ((HijriDate{lunarForm.reminder()->year, lunarForm.reminder()->month, lunarForm.reminder()->day}), (HijriDate{1447, 9, 30}));
}

} // namespace

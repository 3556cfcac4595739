#include "screens/main/CustomUIImageView.h"
#include "calendar/DateKey.h"
#include "calendar/PersianCalendar.h"
#include "screens/main/MainViewController.h"

#include "calendar/IranClock.h"
#include "calendar/Utility.h"
#include "platform/foundation/Clock.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/Touch.h"
#include "platform/ui/Window.h"
#include "store/Days.h"
#include "tests/support/Sandbox.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

QString persian(const QString& latin)
{
    return Utility::ConvertToPersian(latin);
}

CustomUIImageView* dayPage(ui::View* page)
{
    return dynamic_cast<CustomUIImageView*>(page);
}

QList<ui::Label*> labels(ui::View* page)
{
    QList<ui::Label*> list;
    for (ui::View* v : page->subviews())
        if (auto* l = dynamic_cast<ui::Label*>(v))
            list.append(l);
    return list;
}

class MainScreenTest : public ::testing::Test {
protected:
    MainViewController* open()
    {
        window = std::make_unique<ui::Window>();
        screen = new MainViewController;
        window->setRootViewController(screen);
        window->makeKeyAndVisible();
        screen->refresh();
        return screen;
    }
    QList<CustomUIImageView*> pages() const
    {
        QList<CustomUIImageView*> list;
        for (ui::View* v : screen->scrollView()->subviews())
            list.append(dynamic_cast<CustomUIImageView*>(v));
        return list;
    }
    QString time(int page, int k) const { return dayPage(pages()[page])->timeLabel(k - 1)->text(); }

    Sandbox box;
    std::unique_ptr<ui::Window> window;
    MainViewController* screen = nullptr;
};

TEST_F(MainScreenTest, OneCityIsOnePageAtTheOrigin)
{
    box.choose({Sandbox::kTehran});
    open();
    ASSERT_EQ(pages().size(), 1);
    EXPECT_EQ(pages()[0]->frame(), QRect(0, 0, 320, 460));
    EXPECT_EQ(screen->scrollView()->contentSize(), QSize(320, 460));
    EXPECT_EQ(screen->pageControl()->numberOfPages(), 1);
    EXPECT_EQ(screen->pageControl()->currentPage(), 0);
}

TEST_F(MainScreenTest, PagesReadFromRightToLeftAndOpenOnTheFirstCity)
{
    box.choose({Sandbox::kTehran, Sandbox::kMashhad, Sandbox::kTabriz});
    box.exec("UPDATE tSelectedStates SET Ordering = Ordering - 1");
    open();
    ASSERT_EQ(pages().size(), 3);
    EXPECT_EQ(dayPage(pages()[0])->nameLabel()->text(), "تبریز");
    EXPECT_EQ(dayPage(pages()[1])->nameLabel()->text(), "مشهد");
    EXPECT_EQ(dayPage(pages()[2])->nameLabel()->text(), "تهران");
    EXPECT_EQ(pages()[2]->frame().x(), 640);
    EXPECT_EQ(screen->scrollView()->contentOffset().x(), 640);
    EXPECT_EQ(screen->pageControl()->currentPage(), 2);
}

TEST_F(MainScreenTest, PageControlFollowsWholePagesOnly)
{
    box.choose({Sandbox::kTehran, Sandbox::kMashhad, Sandbox::kTabriz});
    open();
    screen->scrollView()->setContentOffset(QPointF(0, 0));
    EXPECT_EQ(screen->pageControl()->currentPage(), 0);
    screen->scrollView()->setContentOffset(QPointF(650, 0));
    EXPECT_EQ(screen->pageControl()->currentPage(), 0);
    screen->scrollView()->setContentOffset(QPointF(640, 0));
    EXPECT_EQ(screen->pageControl()->currentPage(), 2);
    EXPECT_EQ(screen->pageControl()->displayedPage(), 2);
}

TEST_F(MainScreenTest, SwipingAndTappingThePageControlTurnPages)
{
    box.choose({Sandbox::kTehran, Sandbox::kMashhad});
    open();
    ui::touch::drag(window.get(), QPoint(60, 250), QPoint(260, 250));
    QCoreApplication::processEvents();
    EXPECT_EQ(screen->scrollView()->contentOffset().x(), 0);
    EXPECT_EQ(screen->pageControl()->currentPage(), 0);
    // A tap on the right half of the dots goes one page on.
    ui::touch::tap(window.get(), QPoint(250, 443));
    QCoreApplication::processEvents();
    EXPECT_EQ(screen->scrollView()->contentOffset().x(), 320);
    EXPECT_EQ(screen->pageControl()->currentPage(), 1);
}

TEST_F(MainScreenTest, TheButtonsOnAPageTakeATouchAndTheRestOfItStillSwipes)
{
    // 1 Ramadan 1433 has its event: a touch on the line lists the day's
    // events, as a finger would bring them, not only a call.
    box.choose({Sandbox::kTehran, Sandbox::kMashhad});
    open();
    CustomUIImageView* tehran = pages()[1];
    ui::touch::tap(window.get(), tehran->eventsButton()->mapTo(window.get(), tehran->eventsButton()->rect().center()));
    QCoreApplication::processEvents();
    ASSERT_EQ(ui::AlertView::visibleAlerts().size(), 1);
    EXPECT_TRUE(ui::AlertView::visibleAlerts()[0]->message().contains("رمضان"));
    ui::AlertView::visibleAlerts()[0]->dismiss();
    // Off the buttons, the page swipes as before.
    ui::touch::drag(window.get(), QPoint(60, 250), QPoint(260, 250));
    QCoreApplication::processEvents();
    EXPECT_EQ(screen->pageControl()->currentPage(), 0);
}

TEST_F(MainScreenTest, UserMadeCityShowsItsCentresTimesMovedByItsOffsets)
{
    box.exec("UPDATE tTimes SET T1 = '4:3', T6 = '23:50' WHERE StateID = 39 AND Date = 910431");
    // The centre itself need not be chosen.
    const int city = box.makeCity("ورامین", Sandbox::kTehranProvince, {-5, 2, 0, 0, 0, 15});
    box.choose({city});
    open();
    ASSERT_EQ(screen->datasource().size(), 1);
    const days::Page& row = screen->datasource()[0];
    EXPECT_EQ(row.name, "ورامین");
    ASSERT_TRUE(row.times.has_value());
    EXPECT_EQ(row.times->at(DayTime::Dawn), (ClockTime{3, 58}));
    EXPECT_EQ(row.times->at(DayTime::Midnight), (ClockTime{0, 5}));
    const QString centreT7 = box.scalar("SELECT T1 FROM tTimes WHERE StateID = 39 AND Date = 910501");
    EXPECT_EQ(row.times->at(DayTime::NextDawn)->padded(), ClockTime::readStrict(DateTimePersian().add(centreT7, -5))->padded());
    EXPECT_EQ(row.events.description, "آغاز ماه مبارک رمضان");
    // The page shows the day's summer hour on them.
    EXPECT_EQ(time(0, 1), persian("04:58"));
    EXPECT_EQ(time(0, 6), persian("01:05"));
}

TEST_F(MainScreenTest, ARefreshShowsWhatChangedOnThePagesItHas)
{
    const int city = box.makeCity("ورامین", Sandbox::kTehranProvince, {-5, 2, 0, 0, 0, 15});
    box.choose({Sandbox::kTehran, city});
    open();
    const QList<CustomUIImageView*> first = pages();
    ASSERT_EQ(first.size(), 2);
    // Nothing changed: the same pages, still opening on the first city.
    screen->scrollView()->setContentOffset(QPointF(0, 0));
    screen->refresh();
    EXPECT_EQ(pages(), first);
    EXPECT_EQ(screen->pageControl()->currentPage(), 1);
    EXPECT_EQ(screen->scrollView()->contentOffset().x(), 320);
    // A changed offset: the user-made city's page shows its new dawn.
    box.exec(QStringLiteral("UPDATE tTimes SET T1 = -6 WHERE StateID = %1").arg(city));
    screen->refresh();
    ASSERT_EQ(pages(), first);
    const QString dawn = DateTimePersian().add(box.scalar("SELECT T1 FROM tTimes WHERE StateID = 39 AND Date = 910431"), -6);
    EXPECT_EQ(screen->datasource()[0].times->at(DayTime::Dawn), ClockTime::readStrict(dawn));
    const QStringList hm = dawn.split(':');
    EXPECT_EQ(time(0, 1), persian(QString::asprintf("%02d:%02d", hm[0].toInt() + 1, hm[1].toInt()))) << "with the summer hour";
    // The next day: every page shows it.
    box.setNow(foundation::Clock::at(QDate(2012, 7, 22), QTime(10, 0)));
    screen->refresh();
    ASSERT_EQ(pages().size(), 2);
    for (int page : {0, 1}) {
        EXPECT_EQ(dayPage(pages()[page])->dateLabel()->text(), persian("یکشنبه 1 مرداد 1391")) << page;
        EXPECT_EQ(dayPage(pages()[page])->hijriLabel()->text(), persian("2 رمضان 1433")) << page;
        EXPECT_EQ(dayPage(pages()[page])->eventsLabel()->text(),
            persian(box.scalar("SELECT Description FROM tEvents WHERE Date = 910501").section('@', 0, 0)));
    }
    // A city taken off the list takes its page along.
    box.exec(QStringLiteral("DELETE FROM tSelectedStates WHERE StateID = %1").arg(city));
    screen->refresh();
    ASSERT_EQ(pages().size(), 1);
    EXPECT_EQ(dayPage(pages()[0])->nameLabel()->text(), "تهران");
    // A day outside the data turns the pages into ones that say so, and back.
    box.setNow(foundation::Clock::at(QDate(2040, 1, 1), QTime(10, 0)));
    screen->refresh();
    ASSERT_EQ(pages().size(), 1);
    EXPECT_EQ(dayPage(pages()[0])->timeLabel(0), nullptr);
    box.setNow(foundation::Clock::at(QDate(2012, 7, 22), QTime(10, 0)));
    screen->refresh();
    ASSERT_EQ(pages().size(), 1);
    EXPECT_NE(dayPage(pages()[0])->timeLabel(7), nullptr);
}

TEST_F(MainScreenTest, ACityIsACentreOnlyWhenItsFlagReadsOne)
{
    box.exec("UPDATE tStates SET IsCenter = 0 WHERE StateID = 42");
    box.choose({Sandbox::kMashhad});
    open();
    // Mashhad no longer counts as a centre and has no offsets row: its page
    // says it has no times.
    ASSERT_EQ(screen->datasource().size(), 1);
    EXPECT_EQ(screen->datasource()[0].noTimes, days::Page::NoTimes::NoCityTimes);
    EXPECT_EQ(pages().size(), 1);
}

TEST_F(MainScreenTest, ADayWhoseEventsAreLostStillShowsItsTimes)
{
    box.choose({Sandbox::kTehran});
    box.exec("DELETE FROM tEventRules");
    open();
    ASSERT_EQ(screen->datasource().size(), 1);
    EXPECT_EQ(screen->datasource()[0].events.description, "");
    EXPECT_TRUE(screen->datasource()[0].times.has_value());
    EXPECT_EQ(screen->pageControl()->numberOfPages(), 1);
}

TEST_F(MainScreenTest, TodayIn1405ShowsItsDateAndStandardTimes)
{
    box.setNow(foundation::Clock::at(QDate(2026, 12, 7), QTime(10, 0)));
    box.choose({Sandbox::kTehran});
    open();
    ASSERT_EQ(pages().size(), 1);
    EXPECT_EQ(dayPage(pages()[0])->dateLabel()->text(), persian("دوشنبه 16 آذر 1405"));
    EXPECT_EQ(dayPage(pages()[0])->gregorianLabel()->text(), persian("7 دسامبر 2026"));
    const QString stored = box.scalar("SELECT T1 FROM tTimes WHERE StateID = 39 AND Date = 1050916");
    const QStringList hm = stored.split(':');
    EXPECT_EQ(time(0, 1), persian(QString::asprintf("%02d:%02d", hm[0].toInt(), hm[1].toInt())));
}

TEST_F(MainScreenTest, ADayOutsideTheDataSaysSoInsteadOfOpeningTheSettings)
{
    // 12 Dey 1411: after the last year of the data.
    box.setNow(foundation::Clock::at(QDate(2033, 1, 1), QTime(10, 0)));
    box.choose({Sandbox::kTehran, Sandbox::kMashhad});
    open();
    screen->viewDidAppear(false);
    EXPECT_EQ(window->rootViewController(), screen);
    ASSERT_EQ(pages().size(), 2);
    CustomUIImageView* page = dayPage(pages()[1]);
    EXPECT_EQ(page->nameLabel()->text(), "تهران");
    EXPECT_EQ(page->dateLabel()->text(), persian("شنبه 12 دی 1411"));
    bool told = false;
    for (QWidget* w : pages()[1]->findChildren<QWidget*>())
        if (auto* label = dynamic_cast<ui::Label*>(w))
            told = told || (label->text().contains(persian("1 فروردین 1391")) && label->text().contains(persian("29 اسفند 1410")));
    EXPECT_TRUE(told);
    // No times on such a page, nothing counted down.
    EXPECT_EQ(page->timeLabel(0), nullptr);
    EXPECT_TRUE(page->countdownLabel()->text().isEmpty());
}

class DayPageTest : public ::testing::Test {
protected:
    // A page of Tehran with times 1:01 to 8:08 and the events of a
    // description ("a@b": two of them).
    days::Page row(const QString& description) const
    {
        // The day the day of the year stands for.
        const int key = DateKey::make(PersianCalendar::fromGregorian(date.gregorian()));
        days::Page r{0, "تهران", key, days::Times{key, {}}, days::Page::NoTimes::None, {}};
        for (int k = 0; k < kTimesOnPage; ++k)
            r.times->stored[static_cast<size_t>(k)] = ClockTime{k + 1, k + 1};
        if (!description.isEmpty())
            for (const QString& text : description.split('@')) {
                EventRules::Event e;
                e.text = text;
                r.events.events.append(e);
            }
        return r;
    }
    QList<ui::Label*> build(int dayOfYear, const QString& description = "", int index = 0)
    {
        date.setDayOfYear(dayOfYear);
        page = std::make_unique<CustomUIImageView>(row(description), index, date);
        return labels(page.get());
    }

    Sandbox box;
    DateTimePersian date = DateTimePersian::initWithPersianDate("910431");
    std::unique_ptr<CustomUIImageView> page;
};

TEST_F(DayPageTest, LabelsStandWhereTheBackgroundExpectsThem)
{
    build(124, "", 2);
    EXPECT_EQ(page->frame(), QRect(640, 0, 320, 460));
    // The box: the city at the right, the day at the left; the lunar and
    // Gregorian dates under them; the events under those.
    EXPECT_EQ(page->nameLabel()->textAlignment(), ui::TextAlignment::Right);
    EXPECT_GT(page->nameLabel()->frame().left(), page->dateLabel()->frame().right());
    EXPECT_GT(page->hijriLabel()->frame().top(), page->nameLabel()->frame().top());
    EXPECT_GT(page->eventsLabel()->frame().top(), page->hijriLabel()->frame().top());
    EXPECT_LE(page->eventsLabel()->frame().bottom(), 106);
    for (int k = 1; k <= 8; ++k) {
        ui::Label* t = page->timeLabel(k - 1);
        EXPECT_EQ(t->frame(), QRect(35, 108 + 38 * (k - 1), 100, 40));
        EXPECT_EQ(t->textFont().pixelSize(), 25);
        EXPECT_EQ(t->shadowOffset(), QSize(-1, 2));
    }
}

TEST_F(DayPageTest, TheDayInThreeCalendarsWrittenAsPeopleWriteThem)
{
    date = DateTimePersian::initWithPersianDate("1050917");
    build(date.dayOfYear());
    EXPECT_EQ(page->dateLabel()->text(), persian("سه‌شنبه 17 آذر 1405"));
    EXPECT_EQ(page->hijriLabel()->text(), persian("28 جمادی‌الثانی 1448"));
    EXPECT_EQ(page->gregorianLabel()->text(), persian("8 دسامبر 2026"));
    // Days below ten without a zero; the times keep two digits.
    date = DateTimePersian::initWithPersianDate("1050105");
    build(date.dayOfYear());
    EXPECT_EQ(page->dateLabel()->text(), persian("چهارشنبه 5 فروردین 1405"));
    EXPECT_EQ(page->timeLabel(0)->text(), persian("01:01"));
}

TEST_F(DayPageTest, TodaysNextTimeIsMarkedAndCountedDown)
{
    date = DateTimePersian::initWithPersianDate("1050917");
    build(date.dayOfYear());
    const QDate day(2026, 12, 8);
    auto at = [&day](int h, int m) { return QDateTime(day, QTime(h, m), QTimeZone(IranClock::kStandardOffsetSeconds)); };
    // The row's times are 1:01, 2:02 ... standard time.
    page->showNext(at(2, 30), true);
    EXPECT_EQ(page->markedRow(), 2);
    EXPECT_EQ(page->countdownLabel()->text(), persian("33 دقیقه تا اذان ظهر"));
    page->showNext(at(0, 0), true);
    EXPECT_EQ(page->markedRow(), 0);
    EXPECT_EQ(page->countdownLabel()->text(), persian("1 ساعت و 1 دقیقه تا اذان صبح"));
    page->showNext(at(5, 4), true);
    EXPECT_EQ(page->countdownLabel()->text(), persian("1 دقیقه تا اذان مغرب"));
    // After the evening azan (and midnight), the next day's dawn.
    page->showNext(at(6, 10), true);
    EXPECT_EQ(page->markedRow(), 6);
    EXPECT_EQ(page->countdownLabel()->text(), persian("24 ساعت و 57 دقیقه تا اذان صبح"));
    // A page of another day marks nothing.
    page->showNext(at(2, 30), false);
    EXPECT_EQ(page->markedRow(), -1);
    EXPECT_TRUE(page->countdownLabel()->text().isEmpty());
}

TEST_F(DayPageTest, EventsShowTheFirstWithAHintOfMore)
{
    build(10, "روز 1@دوم@سوم");
    EXPECT_EQ(page->eventsLabel()->text(), persian("روز 1") + " و ...");
    build(10, "تنها");
    EXPECT_EQ(page->eventsLabel()->text(), "تنها");
    build(10, "");
    EXPECT_EQ(page->eventsLabel()->text(), "");
}

TEST_F(DayPageTest, LongNamesAndEventsShrinkRatherThanBeingCut)
{
    // A single long event is shown whole, never with an ellipsis that would
    // read like the "و ..." of more events.
    build(10, "روز ملی شدن صنعت نفت ایران؛ ولادت امام علی (ع) و روز پدر");
    EXPECT_FALSE(page->eventsLabel()->isTruncated());
    EXPECT_FALSE(page->eventsLabel()->text().endsWith(" و ..."));
    // A long name of a city of one's own fits its place.
    days::Page r = row("");
    r.name = "شهرک صنعتی شمس‌آباد";
    page = std::make_unique<CustomUIImageView>(r, 0, date);
    EXPECT_FALSE(page->nameLabel()->isTruncated());
    // The longest name is cut only after shrinking to half its size.
    r.name = QString(50, QChar(0x0645));
    page = std::make_unique<CustomUIImageView>(r, 0, date);
    EXPECT_TRUE(page->nameLabel()->isTruncated());
}

TEST_F(DayPageTest, RamadanDaysFrom124To152)
{
    build(123);
    EXPECT_EQ(page->hijriLabel()->text(), persian("30 شعبان 1433"));
    build(124);
    EXPECT_EQ(page->hijriLabel()->text(), persian("1 رمضان 1433"));
    build(152);
    EXPECT_EQ(page->hijriLabel()->text(), persian("29 رمضان 1433"));
    build(153);
    EXPECT_EQ(page->hijriLabel()->text(), persian("1 شوال 1433"));
}

TEST_F(DayPageTest, RamadanDaysOfOtherYearsComeFromTheLunarMonths)
{
    date = DateTimePersian::initWithPersianDate("1041130");
    build(date.dayOfYear());
    EXPECT_EQ(page->hijriLabel()->text(), persian("1 رمضان 1447"));
    date = DateTimePersian::initWithPersianDate("1041229");
    build(date.dayOfYear());
    EXPECT_EQ(page->hijriLabel()->text(), persian("30 رمضان 1447"));
    date = DateTimePersian::initWithPersianDate("1050101");
    build(date.dayOfYear());
    EXPECT_EQ(page->hijriLabel()->text(), persian("1 شوال 1447"));
}

TEST_F(DayPageTest, SummerHourEndsWithDay185AndTomorrowIsJudgedByTomorrow)
{
    build(185);
    EXPECT_EQ(page->timeLabel(0)->text(), persian("02:01"));
    EXPECT_EQ(page->timeLabel(5)->text(), persian("07:06"));
    EXPECT_EQ(page->timeLabel(6)->text(), persian("07:07"));
    EXPECT_EQ(page->timeLabel(7)->text(), persian("08:08"));
    build(184);
    EXPECT_EQ(page->timeLabel(6)->text(), persian("08:07"));
    EXPECT_EQ(page->timeLabel(7)->text(), persian("09:08"));
    // The shared date is left as it was.
    EXPECT_EQ(date.dayOfYear(), 184);
}

} // namespace

namespace {

TEST_F(MainScreenTest, OnADeviceWhoseClockIsNotIransTheTimesSayTheyAreIrans)
{
    box.setNow(foundation::Clock::at(QDate(2026, 12, 8), QTime(10, 0)));
    box.choose({Sandbox::kTehran});
    open();
    ASSERT_EQ(pages().size(), 1);
    EXPECT_FALSE(pages()[0]->zoneNote()->isVisible());
    foundation::Clock::setZone(QTimeZone("Europe/Berlin"));
    screen->refresh();
    EXPECT_TRUE(pages()[0]->zoneNote()->isVisible());
    EXPECT_EQ(pages()[0]->zoneNote()->text(), "ساعت‌ها به وقت ایران");
    // The same clock times, Iran's: noon at Tehran's 11:56, not Berlin's.
    EXPECT_EQ(time(0, 3), persian("11:56"));
    foundation::Clock::setZone(foundation::Clock::defaultZone());
    screen->refresh();
    EXPECT_FALSE(pages()[0]->zoneNote()->isVisible());
}

} // namespace

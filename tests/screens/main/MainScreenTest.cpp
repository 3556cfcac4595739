#include "screens/main/CustomUIImageView.h"
#include "screens/main/MainViewController.h"

#include "calendar/Utility.h"
#include "platform/foundation/Clock.h"
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
    QString time(int page, int k) const { return labels(pages()[page])[2 + k]->text(); }

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
    EXPECT_EQ(labels(pages()[0])[0]->text(), "تبریز");
    EXPECT_EQ(labels(pages()[1])[0]->text(), "مشهد");
    EXPECT_EQ(labels(pages()[2])[0]->text(), "تهران");
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

TEST_F(MainScreenTest, UserMadeCityShowsItsCentresTimesMovedByItsOffsets)
{
    box.exec("UPDATE tTimes SET T1 = '4:3', T6 = '23:50' WHERE StateID = 39 AND Date = 910431");
    // The centre itself need not be chosen.
    const int city = box.makeCity("ورامین", Sandbox::kTehranProvince, {-5, 2, 0, 0, 0, 15});
    box.choose({city});
    open();
    ASSERT_EQ(screen->datasource().size(), 1);
    const Row& row = screen->datasource()[0];
    EXPECT_EQ(row["Name"], "ورامین");
    EXPECT_EQ(row["T1"], "3:58");
    EXPECT_EQ(row["T6"], "0:5");
    const QString centreT7 = box.scalar("SELECT T1 FROM tTimes WHERE StateID = 39 AND Date = 910501");
    EXPECT_EQ(row["T7"], DateTimePersian().add(centreT7, -5));
    EXPECT_EQ(row["Description"], "آغاز ماه مبارک رمضان");
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
    EXPECT_EQ(screen->datasource()[0]["T1"], dawn);
    const QStringList hm = dawn.split(':');
    EXPECT_EQ(time(0, 1), persian(QString::asprintf("%02d:%02d", hm[0].toInt() + 1, hm[1].toInt()))) << "with the summer hour";
    // The next day: every page shows it.
    box.setNow(foundation::Clock::at(QDate(2012, 7, 22), QTime(10, 0)));
    screen->refresh();
    ASSERT_EQ(pages().size(), 2);
    for (int page : {0, 1}) {
        EXPECT_EQ(labels(pages()[page])[2]->text(), persian("01 مرداد / 2 رمضان")) << page;
        EXPECT_EQ(labels(pages()[page])[1]->text(), persian(box.scalar("SELECT Description FROM tEvents WHERE Date = 910501").section('@', 0, 0)));
    }
    // A city taken off the list takes its page along.
    box.exec(QStringLiteral("DELETE FROM tSelectedStates WHERE StateID = %1").arg(city));
    screen->refresh();
    ASSERT_EQ(pages().size(), 1);
    EXPECT_EQ(labels(pages()[0])[0]->text(), "تهران");
    // A day outside the data turns the pages into ones that say so, and back.
    box.setNow(foundation::Clock::at(QDate(2040, 1, 1), QTime(10, 0)));
    screen->refresh();
    ASSERT_EQ(pages().size(), 1);
    EXPECT_EQ(labels(pages()[0]).size(), 3);
    box.setNow(foundation::Clock::at(QDate(2012, 7, 22), QTime(10, 0)));
    screen->refresh();
    ASSERT_EQ(pages().size(), 1);
    EXPECT_EQ(labels(pages()[0]).size(), 11);
}

TEST_F(MainScreenTest, ACityIsACentreOnlyWhenItsFlagReadsOne)
{
    box.exec("UPDATE tStates SET IsCenter = 0 WHERE StateID = 42");
    box.choose({Sandbox::kMashhad});
    open();
    // Mashhad no longer counts as a centre and has no offsets row: its page
    // says it has no times.
    ASSERT_EQ(screen->datasource().size(), 1);
    EXPECT_EQ(screen->datasource()[0].value(days::kNoTimes), days::kNoCityTimes);
    EXPECT_EQ(pages().size(), 1);
}

TEST_F(MainScreenTest, ADayWhoseEventsAreLostStillShowsItsTimes)
{
    box.choose({Sandbox::kTehran});
    box.exec("DELETE FROM tEventRules");
    open();
    ASSERT_EQ(screen->datasource().size(), 1);
    EXPECT_EQ(screen->datasource()[0].value("Description"), "");
    EXPECT_FALSE(screen->datasource()[0].value("T1").isEmpty());
    EXPECT_EQ(screen->pageControl()->numberOfPages(), 1);
}

TEST_F(MainScreenTest, TodayIn1405ShowsItsDateAndStandardTimes)
{
    box.setNow(foundation::Clock::at(QDate(2026, 12, 7), QTime(10, 0)));
    box.choose({Sandbox::kTehran});
    open();
    ASSERT_EQ(pages().size(), 1);
    EXPECT_EQ(labels(pages()[0])[2]->text(), persian("16 آذر"));
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
    const QList<ui::Label*> l = labels(pages()[1]);
    EXPECT_EQ(l[0]->text(), "تهران");
    EXPECT_EQ(l[2]->text(), persian("12 دی"));
    bool told = false;
    for (QWidget* w : pages()[1]->findChildren<QWidget*>())
        if (auto* label = dynamic_cast<ui::Label*>(w))
            told = told || (label->text().contains(persian("1 فروردین 1391")) && label->text().contains(persian("29 اسفند 1410")));
    EXPECT_TRUE(told);
    // No times on such a page.
    EXPECT_EQ(l.size(), 3);
}

class DayPageTest : public ::testing::Test {
protected:
    Row row(const QString& description) const
    {
        Row r{{"Name", "تهران"}, {"Description", description}};
        for (int k = 1; k <= 8; ++k)
            r.insert(QStringLiteral("T%1").arg(k), QStringLiteral("%1:0%1").arg(k));
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
    const QList<ui::Label*> l = build(124, "", 2);
    ASSERT_EQ(l.size(), 11);
    EXPECT_EQ(page->frame(), QRect(640, 0, 320, 460));
    EXPECT_EQ(l[0]->frame(), QRect(180, 45, 100, 40));
    EXPECT_EQ(l[0]->textAlignment(), ui::TextAlignment::Right);
    EXPECT_EQ(l[1]->frame(), QRect(30, 70, 250, 40));
    EXPECT_EQ(l[2]->frame(), QRect(30, 45, 160, 40));
    for (int k = 1; k <= 8; ++k) {
        EXPECT_EQ(l[2 + k]->frame(), QRect(35, 108 + 38 * (k - 1), 100, 40));
        EXPECT_EQ(l[2 + k]->textFont().pixelSize(), 25);
        EXPECT_EQ(l[2 + k]->shadowOffset(), QSize(-1, 2));
    }
    EXPECT_EQ(l[0]->shadowOffset(), QSize(-1, 3));
}

TEST_F(DayPageTest, EventsShowTheFirstWithAHintOfMore)
{
    EXPECT_EQ(build(10, "روز 1@دوم@سوم")[1]->text(), persian("روز 1") + " و ...");
    EXPECT_EQ(build(10, "تنها")[1]->text(), "تنها");
    EXPECT_EQ(build(10, "")[1]->text(), "");
}

TEST_F(DayPageTest, LongNamesAndEventsShrinkRatherThanBeingCut)
{
    // A single long event is shown whole, never with an ellipsis that would
    // read like the "و ..." of more events.
    QList<ui::Label*> l = build(10, "روز ملی شدن صنعت نفت ایران؛ ولادت امام علی (ع) و روز پدر");
    EXPECT_FALSE(l[1]->isTruncated());
    EXPECT_FALSE(l[1]->text().endsWith(" و ..."));
    // A long name of a city of one's own fits its 100 points.
    Row r = row("");
    r.insert("Name", "شهرک صنعتی شمس‌آباد");
    page = std::make_unique<CustomUIImageView>(r, 0, date);
    l = labels(page.get());
    EXPECT_EQ(l[0]->frame().width(), 100);
    EXPECT_FALSE(l[0]->isTruncated());
    // The longest name is cut only after shrinking to half its size.
    r.insert("Name", QString(50, QChar(0x0645)));
    page = std::make_unique<CustomUIImageView>(r, 0, date);
    EXPECT_TRUE(labels(page.get())[0]->isTruncated());
}

TEST_F(DayPageTest, RamadanDaysFrom124To152)
{
    QList<ui::Label*> l = build(123);
    EXPECT_EQ(l[2]->text(), persian("31 تیر"));
    EXPECT_EQ(l[2]->textFont().pixelSize(), 20);
    l = build(124);
    EXPECT_EQ(l[2]->text(), persian("31 تیر / 1 رمضان"));
    EXPECT_EQ(l[2]->textFont().pixelSize(), 15);
    EXPECT_EQ(build(152)[2]->text(), persian("31 تیر / 29 رمضان"));
    EXPECT_EQ(build(153)[2]->textFont().pixelSize(), 20);
}

TEST_F(DayPageTest, RamadanDaysOfOtherYearsComeFromTheLunarMonths)
{
    date = DateTimePersian::initWithPersianDate("1041130");
    QList<ui::Label*> l = build(date.dayOfYear());
    EXPECT_EQ(l[2]->text(), persian("30 بهمن / 1 رمضان"));
    date = DateTimePersian::initWithPersianDate("1041229");
    EXPECT_EQ(build(date.dayOfYear())[2]->text(), persian("29 اسفند / 30 رمضان"));
    date = DateTimePersian::initWithPersianDate("1050101");
    EXPECT_EQ(build(date.dayOfYear())[2]->textFont().pixelSize(), 20);
}

TEST_F(DayPageTest, SummerHourEndsWithDay185AndTomorrowIsJudgedByTomorrow)
{
    QList<ui::Label*> l = build(185);
    EXPECT_EQ(l[3]->text(), persian("02:01"));
    EXPECT_EQ(l[8]->text(), persian("07:06"));
    EXPECT_EQ(l[9]->text(), persian("07:07"));
    EXPECT_EQ(l[10]->text(), persian("08:08"));
    l = build(184);
    EXPECT_EQ(l[9]->text(), persian("08:07"));
    EXPECT_EQ(l[10]->text(), persian("09:08"));
    // The shared date is left as it was.
    EXPECT_EQ(date.dayOfYear(), 184);
}

} // namespace

// The Qibla screen from the day pages and the tray: what it says, checked
// against GeographicLib and a second computation of the sun, what its
// picture tells a screen reader, and the way back.
#include "screens/qibla/CompassView.h"
#include "screens/qibla/QiblaViewController.h"

#include "app/AppDelegate.h"
#include "calendar/Utility.h"
#include "platform/foundation/Clock.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/Window.h"
#include "screens/main/CustomUIImageView.h"
#include "screens/main/MainViewController.h"
#include "tests/support/Phone.h"
#include "tests/support/SecondSun.h"

#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

// 17 Azar 1405, late morning.
const QDateTime kMorning(QDate(2026, 12, 8), QTime(11, 0), QTimeZone("Asia/Tehran"));

class QiblaScreenTest : public ::testing::Test {
protected:
    QList<CustomUIImageView*> pages() const
    {
        QList<CustomUIImageView*> list;
        for (ui::View* v : phone.main()->scrollView()->subviews())
            if (auto* p = dynamic_cast<CustomUIImageView*>(v))
                list.append(p);
        return list;
    }
    QiblaViewController* qibla() const { return dynamic_cast<QiblaViewController*>(phone.main()->presentedViewController()); }

    Phone phone{kMorning};
};

} // namespace

TEST_F(QiblaScreenTest, TehransPageOpensItsQiblaWithTheSunsMomentsToTheMinute)
{
    phone.box.choose({Sandbox::kTehran});
    phone.start();
    ASSERT_EQ(pages().size(), 1);
    phone.tap(pages()[0]->qiblaButton());
    QiblaViewController* screen = qibla();
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(screen->facts());
    const QiblaFacts& facts = *screen->facts();
    EXPECT_EQ(screen->titleLabel()->text(), "قبلهٔ تهران");
    // Tehran's centre as the app keeps it, 35.694 N 51.421 E; GeodSolve -i
    // to the Kaaba gives -141.38592401 degrees (218.614) and 1943.059 km.
    EXPECT_NEAR(facts.bearing.azimuth, 218.614, 0.001);
    EXPECT_NEAR(facts.bearing.distanceKm, 1943.059, 0.001);
    EXPECT_EQ(screen->bearingLabel()->text(), Utility::ConvertToPersian(QStringLiteral("218") + QChar(0x066B) + "6 درجه از شمال، 1" + QChar(0x066C)
                                                  + "943 کیلومتر تا کعبه"));
    EXPECT_EQ(screen->deviationLabel()->text(),
        Utility::ConvertToPersian(QStringLiteral("38") + QChar(0x066B) + "6 درجه از جنوب به سوی غرب، سه‌شنبه 17 آذر 1405"));

    // One moment the sun stands in line with the Qibla, none behind it. The
    // minute shown holds the moment a second sun crosses the Qibla's line.
    ASSERT_EQ(facts.moments.size(), 1);
    EXPECT_FALSE(facts.moments[0].behind);
    const QString minute = QiblaFacts::clock(facts.moments[0].moment);
    EXPECT_EQ(screen->sunLabel()->text(), QStringLiteral("خورشید در راستای قبله: ساعت ") + minute);
    EXPECT_EQ(minute, Utility::ConvertToPersian("14:33"));
    const QDateTime minuteStart(kMorning.date(), QTime(14, 33), QTimeZone("Asia/Tehran"));
    const double from = astronomy::julianDate(minuteStart.addSecs(-30));
    const double to = astronomy::julianDate(minuteStart.addSecs(30));
    const double before = secondsun::sideOf(secondsun::independentSun(from, facts.place), facts.bearing.azimuth);
    const double after = secondsun::sideOf(secondsun::independentSun(to, facts.place), facts.bearing.azimuth);
    EXPECT_LT(before * after, 0) << "the second sun does not cross the Qibla's line within the minute shown";
    EXPECT_EQ(screen->shadowLabel()->text(), "سایه در این روز در راستای قبله نمی‌افتد");

    // The year's two days over the Kaaba: 7 Khordad and 24 Tir 1405.
    EXPECT_EQ(screen->overKaabaLabel()->text(),
        Utility::ConvertToPersian("خورشید بالای کعبه: 7 خرداد ساعت 12:48 و 24 تیر ساعت 12:57\nآنگاه همهٔ سایه‌ها پشت به قبله‌اند"));

    // The picture, for a screen reader: the bearing, the sun now, the moments.
    const QString name = screen->compass()->accessibleName();
    EXPECT_TRUE(name.startsWith("قبلهٔ تهران: " + QiblaFacts::degrees(facts.bearing.azimuth) + " درجه از شمال، جنوب غربی")) << name.toStdString();
    EXPECT_TRUE(name.contains("خورشید اکنون در ")) << name.toStdString();
    EXPECT_TRUE(name.contains("بالای افق")) << name.toStdString();
    EXPECT_TRUE(name.contains(screen->sunLabel()->text())) << name.toStdString();
    // Where the picture puts the sky: north up, east right, the zenith in
    // the middle, the horizon on the rim.
    const CompassView* compass = screen->compass();
    const QPointF centre = QRectF(compass->rect()).center();
    EXPECT_NEAR(compass->pointOf(0, 0).y(), centre.y() - compass->radius(), 1e-9);
    EXPECT_NEAR(compass->pointOf(90, 0).x(), centre.x() + compass->radius(), 1e-9);
    EXPECT_NEAR(compass->pointOf(123, 90).x(), centre.x(), 1e-9);

    // Back to the day page.
    phone.tap(screen->closeButton());
    EXPECT_EQ(qibla(), nullptr);
}

TEST_F(QiblaScreenTest, EachPageOpensItsOwnCityAndTheSunIsUnderTheHorizonAtNight)
{
    phone.box.setNow(QDateTime(QDate(2026, 12, 8), QTime(21, 0), QTimeZone("Asia/Tehran")));
    phone.box.choose({Sandbox::kTehran, Sandbox::kMashhad});
    phone.start();
    ASSERT_EQ(pages().size(), 2);
    // The last chosen first, from the left; each page brought into sight
    // as a swipe would.
    const char* titles[] = {"قبلهٔ مشهد", "قبلهٔ تهران"};
    for (int i = 0; i < 2; ++i) {
        phone.main()->scrollView()->scrollRectToVisible(pages()[i]->frame(), false);
        phone.tap(pages()[i]->qiblaButton());
        ASSERT_NE(qibla(), nullptr) << i;
        EXPECT_EQ(qibla()->titleLabel()->text(), QString::fromUtf8(titles[i]));
        EXPECT_TRUE(qibla()->compass()->accessibleName().contains("خورشید اکنون زیر افق است"));
        if (i == 0)
            phone.tap(qibla()->closeButton());
    }
    // Escape goes back too.
    EXPECT_TRUE(qibla()->accessibilityPerformEscape());
    EXPECT_EQ(qibla(), nullptr);
}

TEST_F(QiblaScreenTest, ACityOfOffsetsIsShownAtItsCentreAndAnotherDayWithoutTheSunNow)
{
    const int own = phone.box.makeCity("ورامین من", Sandbox::kTehranProvince, {1, 1, 1, 1, 1, 1});
    phone.box.choose({own});
    phone.start();
    phone.main()->showQibla();
    ASSERT_NE(qibla(), nullptr);
    EXPECT_TRUE(qibla()->deviationLabel()->text().endsWith("، به جای مرکز استان"));
    qibla()->close();

    const QiblaFacts tomorrow = QiblaFacts::at("تهران", {35.694, 51.421}, false, kMorning.date().addDays(1));
    CompassView view(QRect(0, 0, 260, 260));
    view.show(tomorrow, std::nullopt);
    EXPECT_FALSE(view.accessibleName().contains("اکنون"));
    EXPECT_TRUE(view.accessibleName().contains(tomorrow.sunText()));
}

TEST(QiblaTexts, DirectionsAndNumbersReadAsAPersianReaderReadsThem)
{
    EXPECT_EQ(QiblaFacts::windName(218.5), "جنوب غربی");
    EXPECT_EQ(QiblaFacts::windName(359), "شمال");
    EXPECT_EQ(QiblaFacts::windName(91), "شرق");
    EXPECT_EQ(QiblaFacts::kilometres(1942.6), Utility::ConvertToPersian(QStringLiteral("1") + QChar(0x066C) + "943"));
    EXPECT_EQ(QiblaFacts::kilometres(12.4), Utility::ConvertToPersian("12"));
    EXPECT_EQ(QiblaFacts::degrees(251.94), Utility::ConvertToPersian(QStringLiteral("251") + QChar(0x066B) + "9"));
    QiblaFacts f;
    f.bearing.azimuth = 200;
    EXPECT_EQ(f.deviationText(), Utility::ConvertToPersian("20" + QString(QChar(0x066B)) + "0 درجه از جنوب به سوی غرب"));
    f.bearing.azimuth = 170;
    EXPECT_TRUE(f.deviationText().endsWith("از جنوب به سوی شرق"));
    f.bearing.azimuth = 350;
    EXPECT_TRUE(f.deviationText().endsWith("از شمال به سوی غرب"));
    f.bearing.azimuth = 180;
    EXPECT_EQ(f.deviationText(), "رو به جنوب");
    // A moment is shown at its nearest minute on Iran's clock.
    EXPECT_EQ(QiblaFacts::clock(QDateTime(QDate(2026, 12, 8), QTime(11, 2, 29), Qt::UTC)), Utility::ConvertToPersian("14:32"));
    EXPECT_EQ(QiblaFacts::clock(QDateTime(QDate(2026, 12, 8), QTime(11, 2, 30), Qt::UTC)), Utility::ConvertToPersian("14:33"));
}

TEST(QiblaFromTheTray, TheTraysEntryBringsTheWindowAndOpensTheShownCitysQibla)
{
    Sandbox box(kMorning);
    box.choose({Sandbox::kTehran});
    AppDelegate delegate;
    ui::Application* app = ui::Application::shared();
    app->setDelegate(&delegate);
    app->launch();
    const QList<ui::StatusMenuItem> entries = delegate.statusMenu(app);
    const auto entry = std::find_if(entries.begin(), entries.end(), [](const ui::StatusMenuItem& e) { return e.id == "qibla"; });
    ASSERT_NE(entry, entries.end());
    EXPECT_EQ(entry->title, "قبله و خورشید");
    EXPECT_TRUE(entry->opensWindow);
    EXPECT_TRUE(entry->submenu.isEmpty());
    delegate.statusMenuChosen(app, "qibla");
    auto* main = dynamic_cast<MainViewController*>(delegate.window()->rootViewController());
    ASSERT_NE(main, nullptr);
    auto* screen = dynamic_cast<QiblaViewController*>(main->presentedViewController());
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->titleLabel()->text(), "قبلهٔ تهران");
    // Chosen again, one Qibla screen still.
    delegate.statusMenuChosen(app, "qibla");
    EXPECT_NE(dynamic_cast<QiblaViewController*>(main->presentedViewController()), nullptr);
    app->terminate();
    app->setDelegate(nullptr);
    Phone::settle();
}

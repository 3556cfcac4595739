#include "MainViewController.h"

#include "CustomUIImageView.h"

#include "calendar/DateKey.h"
#include "calendar/DateTexts.h"
#include "calendar/PersianCalendar.h"
#include "calendar/Utility.h"
#include "platform/foundation/Clock.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/Style.h"
#include "platform/ui/Window.h"
#include "screens/calendar/CalendarViewController.h"
#include "screens/cities/SelectionController.h"
#include "screens/qibla/QiblaViewController.h"
#include "screens/settings/OptionsViewController.h"
#include "store/Days.h"

#include <cmath>
#include <utility>

MainViewController::MainViewController() = default;

void MainViewController::viewDidLoad()
{
    ui::View* screen = view();
    screen->setBackgroundColor(Qt::black);
    screen->setAccessibleName(QStringLiteral("اوقات شرعی"));

    scrollView_ = &screen->add<ui::ScrollView>(QRect(0, 0, 320, 460));
    scrollView_->setScrollEnabled(true);
    scrollView_->setPagingEnabled(true);
    scrollView_->setBackgroundColor(Qt::black);
    scrollView_->setDelegate(this);

    pageControl_ = &screen->add<ui::PageControl>(QRect(0, 425, 320, 36));
    pageControl_->setDefersCurrentPageDisplay(true);
    pageControl_->addAction(ui::ControlEvent::ValueChanged, [this] { pageAction(); });

    infoButton_ = &screen->add<ui::Button>(ui::Button::Type::InfoLight, QRect(290, 430, 18, 19));
    infoButton_->addAction(ui::ControlEvent::TouchUpInside, [this] { showSelector(); });
    infoButton_->setAccessibleName(QStringLiteral("تنظیمات"));

    calendarButton_ = &screen->add<ui::Button>(ui::Button::Type::Custom, QRect(15, 425, 34, 32));
    calendarButton_->setImage(ui::image(QStringLiteral("calendarBtn.png")));
    calendarButton_->setShowsTouchWhenHighlighted(true);
    calendarButton_->addAction(ui::ControlEvent::TouchUpInside, [this] { showCalendar(); });
    calendarButton_->setAccessibleName(QStringLiteral("تقویم"));

    // Shown on a day chosen in the calendar: back to today.
    todayButton_ = &screen->add<ui::Button>(ui::Button::Type::Custom, QRect(58, 429, 64, 26));
    todayButton_->setTitle(QStringLiteral("امروز"));
    todayButton_->setTitleColor(Qt::white);
    todayButton_->setTitleFont(ui::font(QStringLiteral("Helvetica-Bold"), 13));
    todayButton_->setBackgroundColor(QColor(40, 100, 220));
    todayButton_->setCornerRadius(13);
    todayButton_->addAction(ui::ControlEvent::TouchUpInside, [this] { showToday(); });
    todayButton_->hide();

    // Each minute of the device's clock the countdown moves on, also when
    // the clock is moved on or set back.
    minute_.setInterval(kMinuteCheckMs);
    minute_.callOnTimeout([this] {
        if (foundation::Clock::now().toSecsSinceEpoch() / 60 != shownMinute_)
            showNext();
    });

    if (!datasource_.isEmpty())
        Bind();
}

void MainViewController::viewDidAppear(bool)
{
    updateDataSource();
    // Only a list without cities sends the user to the settings; a chosen
    // city without times for the day still gets its page, and a list that
    // could not be read is no empty list.
    if (chosenCount_ > 0 || readFailed_)
        Bind();
    else
        showSelector();
}

void MainViewController::updateDataSource()
{
    // Every chosen city's day, its own times already found; a city without
    // times for the day gets a page that says so. A failed read keeps the
    // pages as they are and says so, once for each failure.
    const std::optional<QList<days::Page>> pages = days::pages(DateKey::make(localDtp_.date()));
    if (!pages) {
        if (!readFailed_)
            (new ui::AlertView(QStringLiteral("اوقات خوانده نشد"),
                 QStringLiteral("داده‌های برنامه این بار خوانده نشد؛ آنچه می‌بینید اوقات پیشین است. برنامه دوباره تلاش می‌کند."),
                 QStringLiteral("باشه")))
                ->present();
        readFailed_ = true;
        return;
    }
    readFailed_ = false;
    datasource_ = *pages;
    chosenCount_ = static_cast<int>(datasource_.size());
    // The city the notifications follow, from today on.
    const std::optional<days::CityDays> azans = chosenCount_ > 0 ? days::firstWithTimes(DateKey::make(DateTimePersian().date()), 1) : std::nullopt;
    azanCity_ = azans ? azans->cityId : 0;
}

void MainViewController::Bind()
{
    pageCount_ = static_cast<int>(datasource_.size());
    const int key = DateKey::make(localDtp_.date());
    // Pages of the same cities, rows and date are kept as they are.
    if (key != boundKey_ || datasource_ != boundRows_) {
        // A page whose row changed shows the new one on its own labels; a
        // page is made only where there was none, or one that cannot show
        // the row (a page of times against one that says there are none).
        const QList<ui::View*> pages = scrollView_->subviews();
        for (int i = 0; i < pageCount_; ++i) {
            auto* page = i < pages.size() ? static_cast<CustomUIImageView*>(pages[i]) : nullptr;
            if (page && page->canShow(datasource_[i])) {
                if (key != boundKey_ || i >= boundRows_.size() || datasource_[i] != boundRows_[i])
                    page->show(datasource_[i], localDtp_);
                continue;
            }
            if (page)
                page->removeFromSuperview();
            scrollView_->insertAt<CustomUIImageView>(i, datasource_[i], i, localDtp_);
        }
        for (int i = pageCount_; i < pages.size(); ++i)
            pages[i]->removeFromSuperview();
        boundKey_ = key;
        boundRows_ = datasource_;
    }
    scrollView_->setContentSize(QSize(pageCount_ * kPageWidth, 460));
    // The first city's page, the rightmost; after the calendar, the page of
    // the city that was shown.
    int page = pageCount_ - 1;
    for (int i = 0; calendarCity_ != 0 && i < pageCount_; ++i)
        if (datasource_[i].cityId == calendarCity_)
            page = i;
    calendarCity_ = 0;
    const QRect screen = view()->frame();
    scrollView_->scrollRectToVisible(QRect(scrollView_->width() * page, screen.y(), screen.width(), screen.height()), false);
    pageControl_->setNumberOfPages(pageCount_);
    pageControl_->setCurrentPage(page);
    // Each page's way to the Qibla is its own city's; the page of the city
    // the azans follow is marked.
    int shown = 0;
    for (ui::View* v : scrollView_->subviews()) {
        if (auto* p = dynamic_cast<CustomUIImageView*>(v)) {
            p->setEventsAction([this] { showEvents(); });
            const int city = datasource_.value(shown++).cityId;
            p->setQiblaAction([this, city] { showQibla(city); });
            p->setAzanCity(azanCity_ != 0 && city == azanCity_);
        }
    }
    todayButton_->setVisible(localDtp_.date() != DateTimePersian().date());
    showNext();
}

int MainViewController::shownPage() const
{
    return pageCount_ == 0 ? -1 : std::clamp(static_cast<int>(std::lround(scrollView_->contentOffset().x() / kPageWidth)), 0, pageCount_ - 1);
}

void MainViewController::showNext()
{
    const QDateTime now = foundation::Clock::now();
    const bool today = localDtp_.date() == PersianCalendar::fromGregorian(now.date());
    for (ui::View* v : scrollView_->subviews())
        if (auto* page = dynamic_cast<CustomUIImageView*>(v))
            page->showNext(now, today);
    shownMinute_ = now.toSecsSinceEpoch() / 60;
    if (!minute_.isActive())
        minute_.start();
}

void MainViewController::showToday()
{
    calendarCity_ = datasource_.value(shownPage()).cityId;
    refresh();
}

void MainViewController::showEvents()
{
    const int key = DateKey::make(localDtp_.date());
    const std::optional<QList<days::DayEvents>> day = days::events(key, key);
    if (!day || day->isEmpty() || day->first().events.isEmpty())
        return;
    QStringList lines;
    for (const EventRules::Event& e : day->first().events) {
        QString line = QStringLiteral("• ") + e.fullText();
        if (e.holiday)
            line += QStringLiteral(" (تعطیل)");
        if (e.predicted)
            line += QStringLiteral(" (پیش‌بینی)");
        lines.append(line);
    }
    (new ui::AlertView(Utility::ConvertToPersian(DateTexts::solar(localDtp_.date())), Utility::ConvertToPersian(lines.join(QLatin1Char('\n'))),
         QStringLiteral("باشه")))
        ->present();
}

void MainViewController::showQibla(int cityId)
{
    if (cityId == 0)
        cityId = datasource_.value(shownPage()).cityId;
    QString name;
    for (const days::Page& page : std::as_const(datasource_))
        if (page.cityId == cityId)
            name = page.name;
    if (cityId == 0 || name.isEmpty())
        return;
    // Over whatever this screen shows: one screen at a time above it.
    if (presentedViewController())
        dismissViewController(false);
    auto* qibla = new QiblaViewController(cityId, name, localDtp_.gregorian());
    qibla->setModalTransitionStyle(ui::ModalTransitionStyle::FlipHorizontal);
    presentViewController(qibla, true);
}

void MainViewController::refresh()
{
    if (calendarCity_ == 0 && pageCount_ > 0 && localDtp_.date() != DateTimePersian().date())
        calendarCity_ = datasource_.value(shownPage()).cityId;
    localDtp_ = DateTimePersian();
    updateDataSource();
    Bind();
}

void MainViewController::scrollViewDidScroll(ui::ScrollView* scrollView)
{
    const double x = scrollView->contentOffset().x();
    if (x != std::floor(x))
        return;
    const long whole = static_cast<long>(x);
    if (whole % kPageWidth != 0)
        return;
    pageControl_->setCurrentPage(static_cast<int>(whole / kPageWidth));
    pageControl_->updateCurrentPageDisplay();
}

void MainViewController::pageAction()
{
    const QRect frame = pageControl_->superview()->frame();
    scrollView_->scrollRectToVisible(
        QRect(scrollView_->width() * pageControl_->currentPage(), frame.y(), frame.width(), frame.height()), true);
    pageControl_->updateCurrentPageDisplay();
}

void MainViewController::showSelector()
{
    OptionsViewController options;
    CustomUITabBarController* tabs = options.tabBarControl(new SelectionController);
    tabs->setModalTransitionStyle(ui::ModalTransitionStyle::FlipHorizontal);
    tabs->setParentDelegate(this);
    presentViewController(tabs, true);
    ui::Application::shared()->keyWindow()->setRootViewController(tabs);
}

void MainViewController::closeForm()
{
    updateDataSource();
    Bind();
    dismissViewController(true);
    ui::Application::shared()->keyWindow()->setRootViewController(this);
}

void MainViewController::showCalendar()
{
    calendarCity_ = datasource_.value(shownPage()).cityId;
    auto* calendar = new CalendarViewController(localDtp_);
    calendar->setDelegate(this);
    calendar->setModalTransitionStyle(ui::ModalTransitionStyle::FlipHorizontal);
    presentViewController(calendar, true);
}

void MainViewController::closeCalendar(const DateTimePersian& date, CalendarViewController*)
{
    localDtp_ = DateTimePersian::initWithPersianDate(date.getPersianDate());
    dismissViewController(true);
}

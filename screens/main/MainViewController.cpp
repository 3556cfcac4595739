#include "MainViewController.h"

#include "CustomUIImageView.h"

#include "calendar/DateKey.h"
#include "calendar/PersianCalendar.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/Style.h"
#include "platform/ui/Window.h"
#include "screens/calendar/CalendarViewController.h"
#include "screens/cities/SelectionController.h"
#include "screens/settings/OptionsViewController.h"
#include "store/Cities.h"
#include "store/Days.h"

#include <cmath>

namespace {

constexpr int kTimeKeys = 8;

} // namespace

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

    if (!datasource_.isEmpty())
        Bind();
}

void MainViewController::viewDidAppear(bool)
{
    updateDataSource();
    // Only a list without cities sends the user to the settings; a chosen
    // city without times for the day still gets its page.
    if (chosenCount_ > 0)
        Bind();
    else
        showSelector();
}

void MainViewController::updateDataSource()
{
    datasource_ = RowSet();
    if (!PersianCalendar::inData(localDtp_.date())) {
        const RowSet cities = cities::chosenForPages();
        chosenCount_ = static_cast<int>(cities.size());
        for (const Row& city : cities)
            datasource_.append({{QStringLiteral("Name"), city.value(QStringLiteral("Name"))}, {QStringLiteral("Description"), QString()},
                {CustomUIImageView::kNoTimes, QStringLiteral("1")}});
        return;
    }
    // Every chosen city's day in one query; a city whose times have no row
    // for the day has no page.
    const RowSet rows = days::pageRows(DateKey::make(localDtp_.date()));
    for (const Row& r : rows) {
        Row row;
        for (const char* column : {"Name", "StateID", "Date", "T1", "T2", "T3", "T4", "T5", "T6", "T7", "T8", "Description"})
            row.insert(QLatin1String(column), r.value(QLatin1String(column)));
        if (r.value(QStringLiteral("CityIsCenter")) != QLatin1String("1")) {
            // A user-made city without its offsets row cannot say its times.
            if (r.value(QStringLiteral("OffsetsDate")).isEmpty())
                continue;
            row.insert(QStringLiteral("Name"), r.value(QStringLiteral("CityName")));
            for (int k = 1; k <= kTimeKeys; ++k) {
                // T7 and T8 are the next day's T1 and T2: their offsets are those.
                const QString offset = r.value(QStringLiteral("O%1").arg(k <= 6 ? k : k - 6));
                const QString key = QStringLiteral("T%1").arg(k);
                row.insert(key, localDtp_.add(row.value(key), offset));
            }
        }
        datasource_.append(row);
    }
    // Only whether any city is chosen matters when no page could be made.
    chosenCount_ = rows.isEmpty() ? static_cast<int>(cities::chosenForPages().size()) : static_cast<int>(rows.size());
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
    const QRect screen = view()->frame();
    scrollView_->scrollRectToVisible(QRect(scrollView_->width() * (pageCount_ - 1), screen.y(), screen.width(), screen.height()), false);
    pageControl_->setNumberOfPages(pageCount_);
    pageControl_->setCurrentPage(pageCount_ - 1);
}

void MainViewController::refresh()
{
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

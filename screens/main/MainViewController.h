#pragma once

#include "calendar/DateTimePersian.h"
#include "screens/calendar/CalendarViewControllerDelegate.h"
#include "screens/common/SelectionControllerDelegate.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/ViewController.h"
#include "store/Days.h"

#include <QTimer>

namespace ui {
class PageControl;
class Button;
} // namespace ui

// The root screen: one page per chosen city for the displayed date, paged
// from right to left, with the buttons to the calendar and the settings.
class MainViewController : public ui::ViewController,
                           public ui::ScrollViewDelegate,
                           public SelectionControllerDelegate,
                           public CalendarViewControllerDelegate {
public:
    MainViewController();

    void updateDataSource();
    void Bind();
    void refresh();

    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;
    void scrollViewDidScroll(ui::ScrollView* scrollView) override;

    void pageAction();
    void showSelector();
    void showCalendar();
    // Back to today from a day chosen in the calendar.
    void showToday();
    // The day's events, all of them, holidays and predicted ones marked.
    void showEvents();
    // The Qibla of a chosen city (0: the one whose page is shown) and the
    // sun as its compass on the displayed day.
    void showQibla(int cityId = 0);
    // The next time on today's pages, and how long until it: each minute.
    void showNext();
    void closeForm() override;
    void closeCalendar(const DateTimePersian& date, CalendarViewController* calendar) override;

    const DateTimePersian& localDtp() const { return localDtp_; }
    const QList<days::Page>& datasource() const { return datasource_; }
    // Whether the last read of the pages failed (what is shown stays).
    bool readFailed() const { return readFailed_; }
    int pageCount() const { return pageCount_; }
    ui::ScrollView* scrollView() const { return scrollView_; }
    ui::PageControl* pageControl() const { return pageControl_; }
    ui::Button* infoButton() const { return infoButton_; }
    ui::Button* calendarButton() const { return calendarButton_; }
    ui::Button* todayButton() const { return todayButton_; }
    // The page on show, counted as the pages lie (0 at the left).
    int shownPage() const;

    static constexpr int kPageWidth = 320;

private:
    DateTimePersian localDtp_;
    QList<days::Page> datasource_;
    bool readFailed_ = false;
    int pageCount_ = 0;
    int chosenCount_ = 0;
    // The city the notifications follow (its page is marked), or 0.
    int azanCity_ = 0;
    // What the pages on screen were built from.
    int boundKey_ = 0;
    QList<days::Page> boundRows_;
    ui::ScrollView* scrollView_ = nullptr;
    ui::PageControl* pageControl_ = nullptr;
    ui::Button* infoButton_ = nullptr;
    ui::Button* calendarButton_ = nullptr;
    ui::Button* todayButton_ = nullptr;
    // The city whose page was shown when the calendar opened.
    int calendarCity_ = 0;
    QTimer minute_;
    qint64 shownMinute_ = 0;
    static constexpr int kMinuteCheckMs = 250;
};

#pragma once

#include "CalendarViewControllerDelegate.h"

#include "calendar/DateTimePersian.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"
#include "store/Days.h"
#include "store/Reminders.h"

#include <QPointer>

#include <optional>

namespace ui {
class Button;
class Label;
} // namespace ui

// One month as a grid of day buttons with holidays, event days, today and
// the selected day, and the selected day's events below it. The months run
// across the years of the data and stop at its ends.
class CalendarViewController : public ui::ViewController,
                               public virtual ui::ScrollViewDelegate,
                               public ui::TableViewDataSource,
                               public ui::TableViewDelegate {
public:
    explicit CalendarViewController(const DateTimePersian& date); // initWithDate:

    void setDelegate(CalendarViewControllerDelegate* delegate) { delegate_ = delegate; }
    CalendarViewControllerDelegate* delegate() const { return delegate_; }

    void viewDidLoad() override;
    // Shows the month of `month` (its day does not matter).
    void switchMonth(const SolarDate& month);
    void changeMonth(ui::Button* sender);
    // +1 the next month, -1 the one before (a swipe, the arrow keys).
    void changeMonthBy(int by);
    void showToday();
    void showEvents(ui::Button* sender);
    void showDetails();
    // A reminder of the user's own on the selected day (or the month's first).
    void addReminder();
    // The year's events, or the month's times as iCalendar or a PDF page.
    void offerExport();
    // The "more" button's menu: the converter, the year, the search, the
    // exports.
    void offerMore();
    void showConverter();
    void showYear();
    void showSearch();
    // Shows the month of `day`, with `day` selected, or (not `select`)
    // today where the month holds it; nothing outside the data.
    void openDay(const SolarDate& day, bool select);
    // The form of a reminder of the user's, filled in, from `day`.
    void editReminder(const SolarDate& day, const reminders::DateReminder& reminder);
    // The month on screen again, after a reminder came or went.
    void reloadMonth();
    void didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
    void scrollViewDidEndScrollingAnimation(ui::ScrollView* scrollView) override;
    // Closes the calendar without choosing a date.
    bool accessibilityPerformEscape() override;
    bool keyCommand(int key) override;

    int numberOfRowsInSection(ui::TableView* table, int section) override;
    ui::TableViewCell* cellForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
    double heightForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;

    // Which day a cell of a month shows (row j, column k from the right,
    // Saturday first), or 0. Days that do not fit into five rows take the
    // empty cells at the start of the top row.
    static int dayInCell(int year, int month, int j, int k);
    static QRect cellFrame(int j, int k);

    ui::ScrollView* scrl() const { return scrl_; }
    ui::Label* monthLbl() const { return monthLbl_; }
    ui::TableView* tblEvents() const { return tblEvents_; }
    // The days of the month shown, each with its events.
    const QList<days::DayEvents>& datasource() const { return datasource_; }
    // The shown month, 0 for Farvardin, and its year.
    int month() const { return shown_.month - 1; }
    int year() const { return shown_.year; }
    // The selected day's number when it lies in the shown month, else 0.
    int today() const;
    std::optional<SolarDate> selectedDate() const { return selected_; }
    int monthNow() const { return now_.month - 1; }
    int dayNow() const { return now_.day; }
    bool canChange() const { return canChange_; }
    ui::Button* lastBtn() const;
    ui::Button* todayBtn() const;
    ui::Button* previousButton() const { return previous_; }
    ui::Button* nextButton() const { return next_; }
    ui::Button* todayButton() const { return todayButton_; }
    ui::Button* confirmButton() const { return confirm_; }
    ui::Button* remindButton() const { return remind_; }
    ui::Button* moreButton() const { return more_; }
    // The month's title, which opens the year.
    ui::Button* yearButton() const { return yearButton_; }
    // The selected day in the three calendars, or why a month is not there.
    ui::Label* dayLine() const { return dayLine_; }
    // The day buttons of the month on screen.
    QList<ui::Button*> dayButtons() const;

    static constexpr int kPage = 221;
    static constexpr int kRows = 5;
    static constexpr int kColumns = 7;
    static constexpr int kFriday = 6;

    static QString title(const SolarDate& month);

private:
    // A row of the selected day's list: an event, whole, or a reminder of
    // the user's with its id and time.
    struct EventRow {
        QString text;
        int reminderId = 0;
        QString time;
        bool holiday = false;
    };
    // The list again, for the selected day.
    void reloadEvents();
    // The selected day's events.
    QList<EventRules::Event> selectedEvents() const;
    // Whether the selected day has a lunar event of a predicted month.
    bool selectedIsPredicted() const;
    // Where the month's view goes, scrolling there; nothing when the month
    // is on screen already (the selection then moves to today).
    std::optional<QRect> placeMonth(const SolarDate& month);
    void addDayButton(ui::View& monthView, const SolarDate& date, int j, int k);
    void showDayLine();
    // Whether a month lies within the data.
    static bool inData(const SolarDate& month);

    CalendarViewControllerDelegate* delegate_ = nullptr;
    ui::ScrollView* scrl_ = nullptr;
    ui::Label* monthLbl_ = nullptr;
    ui::TableView* tblEvents_ = nullptr;
    ui::Button* previous_ = nullptr;
    ui::Button* next_ = nullptr;
    ui::Button* todayButton_ = nullptr;
    ui::Button* confirm_ = nullptr;
    ui::Button* remind_ = nullptr;
    ui::Button* more_ = nullptr;
    ui::Button* yearButton_ = nullptr;
    ui::Label* dayLine_ = nullptr;
    QList<days::DayEvents> datasource_;
    QList<EventRow> rows_;
    // The shown month (day 1), the selected day if any, and today.
    SolarDate shown_;
    std::optional<SolarDate> selected_;
    SolarDate now_;
    bool canChange_ = true;
    QPointer<ui::Button> lastBtn_;
    QPointer<ui::Button> todayBtn_;
};

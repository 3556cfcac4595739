#pragma once

#include "CalendarViewControllerDelegate.h"

#include "calendar/DateTimePersian.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"
#include "store/MyDB.h"

#include <QPointer>

namespace ui {
class Button;
class Label;
} // namespace ui

// One month of 1391 as a grid of day buttons with holidays, event days,
// today and the selected day, and the selected day's events below it.
class CalendarViewController : public ui::ViewController,
                               public virtual ui::ScrollViewDelegate,
                               public ui::TableViewDataSource,
                               public ui::TableViewDelegate {
public:
    explicit CalendarViewController(const DateTimePersian& date); // initWithDate:

    void setDelegate(CalendarViewControllerDelegate* delegate) { delegate_ = delegate; }
    CalendarViewControllerDelegate* delegate() const { return delegate_; }

    void viewDidLoad() override;
    void switchMonth(int m);
    void changeMonth(ui::Button* sender);
    void showToday();
    void showEvents(ui::Button* sender);
    void showDetails();
    void scrollViewDidEndScrollingAnimation(ui::ScrollView* scrollView) override;

    int numberOfRowsInSection(ui::TableView* table, int section) override;
    ui::TableViewCell* cellForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
    double heightForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;

    // Which day a cell of month m shows (row j, column k from the right), or 0.
    static int dayInCell(int m, int j, int k);
    static QRect cellFrame(int j, int k);

    ui::ScrollView* scrl() const { return scrl_; }
    ui::Label* monthLbl() const { return monthLbl_; }
    ui::TableView* tblEvents() const { return tblEvents_; }
    const RowSet& datasource() const { return datasource_; }
    int month() const { return month_; }
    int today() const { return today_; }
    int monthNow() const { return monthNow_; }
    int dayNow() const { return dayNow_; }
    bool canChange() const { return canChange_; }
    ui::Button* lastBtn() const;
    ui::Button* todayBtn() const;
    ui::Button* previousButton() const { return previous_; }
    ui::Button* nextButton() const { return next_; }
    ui::Button* todayButton() const { return todayButton_; }
    ui::Button* confirmButton() const { return confirm_; }
    // The day buttons of the month on screen.
    QList<ui::Button*> dayButtons() const;

    static constexpr int kPage = 221;
    static constexpr int kRows = 5;
    static constexpr int kColumns = 7;
    static constexpr int kFriday = 6;

private:
    QStringList selectedEvents() const;

    CalendarViewControllerDelegate* delegate_ = nullptr;
    ui::ScrollView* scrl_ = nullptr;
    ui::Label* monthLbl_ = nullptr;
    ui::TableView* tblEvents_ = nullptr;
    ui::Button* previous_ = nullptr;
    ui::Button* next_ = nullptr;
    ui::Button* todayButton_ = nullptr;
    ui::Button* confirm_ = nullptr;
    RowSet datasource_;
    int month_ = 0;
    int today_ = 0;
    int monthNow_ = 0;
    int dayNow_ = 0;
    bool canChange_ = true;
    QPointer<ui::Button> lastBtn_;
    QPointer<ui::Button> todayBtn_;
};

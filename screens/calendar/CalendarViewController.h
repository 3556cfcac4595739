#pragma once

#include "CalendarViewControllerDelegate.h"

#include "calendar/DateTimePersian.h"
#include "platform/ui/ViewController.h"

class CalendarViewController : public ui::ViewController {
public:
    explicit CalendarViewController(const DateTimePersian& date);
    void setDelegate(CalendarViewControllerDelegate* delegate) { delegate_ = delegate; }

private:
    CalendarViewControllerDelegate* delegate_ = nullptr;
    DateTimePersian date_;
};

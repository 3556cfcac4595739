#pragma once

class DateTimePersian;
class CalendarViewController;

// Receives the date the user confirmed in the month calendar.
class CalendarViewControllerDelegate {
public:
    virtual ~CalendarViewControllerDelegate() = default;
    virtual void closeCalendar(const DateTimePersian& date, CalendarViewController* calendar) = 0;
};

#pragma once

// The calendar as the tests of its screens reach it: opened from the main
// screen, and a day of its month found by its number.
#include "screens/calendar/CalendarViewController.h"
#include "screens/main/MainViewController.h"
#include "platform/ui/Button.h"
#include "tests/support/Phone.h"

// Tehran chosen, the app started, the calendar's button tapped: the
// calendar that opens, or none.
inline CalendarViewController* openCalendar(Phone& phone)
{
    phone.box.choose({Sandbox::kTehran});
    phone.start();
    phone.tap(phone.main()->calendarButton());
    return dynamic_cast<CalendarViewController*>(phone.main()->presentedViewController());
}

// The button of a day of the month shown, or none.
inline ui::Button* dayButton(const CalendarViewController* calendar, int day)
{
    for (ui::Button* b : calendar->dayButtons())
        if (b->tag() == day)
            return b;
    return nullptr;
}

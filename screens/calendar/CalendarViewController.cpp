#include "CalendarViewController.h"

CalendarViewController::CalendarViewController(const DateTimePersian& date)
    : date_(date)
{
}

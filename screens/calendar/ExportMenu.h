#pragma once

#include "calendar/SolarDate.h"

// The calendar taken elsewhere, from its "more" menu: the shown year's
// events as iCalendar, the shown month's times as iCalendar or as a PDF
// page. Each file goes through a save dialog and is written whole or not
// at all; the user is told which, and why not.
namespace exportMenu {

// The menu for the month shown.
void offer(const SolarDate& month);
void exportYear(int year);
void exportTimes(const SolarDate& month, bool pdf);

} // namespace exportMenu

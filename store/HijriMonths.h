#pragma once

#include "calendar/LunarCalendar.h"

#include <QDate>

#include <optional>

// The lunar months the user says were announced otherwise than predicted,
// kept in the user's copy (tPreferences), and handed to the lunar calendar:
// a correction of the month in progress by a day, either way. Once that
// month has ended, the next is predicted again from it.
namespace hijri {

// Reads them into LunarCalendar (at the start, and after each change).
void apply();

// The month in progress on `today`.
HijriDate monthOf(const QDate& today);
// The correction of a month: how many days its Hijri dates stand after the
// prediction (+1: the month began a day earlier than predicted).
int correction(int year, int month);
// Whether a correction can be: the month before keeps 29 or 30 days.
bool allows(int year, int month, int correction);
// Stores it (0 takes it back) and applies it; false when it was not stored
// or cannot be.
bool setCorrection(int year, int month, int correction);
// The lunar date of `day` if the month were corrected so, before it is.
HijriDate preview(const QDate& day, int year, int month, int correction);
// "Lunar events up to ... as sighted; after that, predicted."
QString observedUpTo();

} // namespace hijri

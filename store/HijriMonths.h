#pragma once

#include "calendar/LunarCalendar.h"

#include <QDate>

#include <optional>

// The lunar months the user says were announced otherwise than the table
// or the prediction has them, kept in the user's copy (tPreferences), and
// handed to the lunar calendar: a correction of a month of this Hijri year
// or the last by a day, either way. The months after it follow it until
// they meet their own days again.
namespace hijri {

// Reads them into LunarCalendar (at the start, and after each change).
void apply();

// The month in progress on `today`.
HijriDate monthOf(const QDate& today);
// The months that may be corrected on `today`: those of this Hijri year and
// the last that have begun (or begin tomorrow: a crescent is announced the
// evening before), the latest first.
QList<HijriDate> correctable(const QDate& today);
// The correction of a month: how many days its Hijri dates stand after the
// prediction (+1: the month began a day earlier than predicted).
int correction(int year, int month);
// Whether a correction can be on `today`: the month is correctable and the
// month before keeps 29 or 30 days.
bool allows(int year, int month, int correction, const QDate& today);
// Stores it (0 takes it back) and applies it; false when it was not stored
// or cannot be.
bool setCorrection(int year, int month, int correction, const QDate& today);
// The lunar date of `day` if the month were corrected so, before it is.
HijriDate preview(const QDate& day, int year, int month, int correction);
// "Lunar dates up to ... as sighted, up to ... by the official calendar;
// after that, predicted."
QString observedUpTo();

} // namespace hijri

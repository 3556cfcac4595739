#pragma once

#include "store/Days.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// The calendar taken elsewhere, as iCalendar (RFC 5545) that calendar
// programs import: UTF-8, CRLF, lines folded at 75 octets, and UIDs made
// from what an entry is (its day and text, or its city, day and time), so
// that importing the same file twice adds nothing the second time.
namespace ical {

// Every event and holiday of a Solar Hijri year, one all-day entry each,
// and each occurrence of the user's reminders by date in the year at its
// time on the clock of Asia/Tehran (with its VTIMEZONE and an alarm);
// nothing when the events or the reminders cannot be read. `stamp` is the
// moment the file is made (DTSTAMP).
std::optional<QByteArray> yearEvents(int year, const QDateTime& stamp);

// The day's times of a city for each day of `days`, as entries at their
// moment on the clock of Asia/Tehran (with its VTIMEZONE); `times` lists
// which.
QByteArray monthTimes(int cityId, const QString& cityName, const QList<days::Times>& days, const QList<DayTime>& times, const QDateTime& stamp);

// A TEXT value escaped, and a content line folded, as RFC 5545 asks.
QString escaped(const QString& text);
QByteArray folded(const QByteArray& line);

} // namespace ical

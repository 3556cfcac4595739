#pragma once

#include "store/Days.h"

#include <QByteArray>
#include <QString>

#include <optional>

// A month's times of a city on one printable A4 page: the city and the
// month in the title, a row for each day (its weekday, its Persian and
// Gregorian dates, and its six times), read from right to left, with
// Persian digits.
namespace timetable {

// The PDF, made in memory; nothing when it could not be made.
std::optional<QByteArray> render(const QString& cityName, int year, int month, const QList<days::Times>& days);

// The page's title: "اوقات شرعی تهران — آذر ۱۴۰۵".
QString title(const QString& cityName, int year, int month);

} // namespace timetable

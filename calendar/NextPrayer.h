#pragma once

#include "DayTimes.h"

#include <QDateTime>
#include <QString>

#include <optional>

// Which of a day's times comes next, and how long until it: dawn azan,
// sunrise, noon azan, sunset, evening azan; after the evening azan, the
// next day's dawn azan. Religious midnight is no moment people wait for.
struct NextPrayer {
    DayTime time = DayTime::Dawn;
    QDateTime moment;

    // The next time after `now` of a day; nothing when it holds none after it.
    static std::optional<NextPrayer> after(const DayTimes& day, const QDateTime& now);

    // "اذان ظهر".
    QString name() const;
    // "2 ساعت و 15 دقیقه تا اذان ظهر" (Western digits).
    QString countdown(const QDateTime& now) const;
};

#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <array>
#include <optional>

// Which of a day's times comes next, and how long until it: dawn azan,
// sunrise, noon azan, sunset, evening azan; after the evening azan, the
// next day's dawn azan. Religious midnight is no moment people wait for.
struct NextPrayer {
    // 0 to 4 for T1 to T5 of the day; 6 for the next day's dawn (T7).
    int index = 0;
    QDateTime moment;

    // The next time after `now` of a day whose stored times (standard
    // time, T1 to T8) are `stored`; nothing when they hold none after it.
    static std::optional<NextPrayer> after(const QDate& day, const std::array<QString, 8>& stored, const QDateTime& now);

    // "اذان ظهر".
    QString name() const;
    // "2 ساعت و 15 دقیقه تا اذان ظهر" (Western digits).
    QString countdown(const QDateTime& now) const;
};

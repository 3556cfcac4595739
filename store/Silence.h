#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// The azans the user asked to be silent, kept in the user's preferences
// (tPreferences) so that a restart keeps them: one azan skipped (by its
// moment), or every azan before a moment. Both end by themselves once
// their moment has passed.
struct Silence {
    std::optional<QDateTime> skip;
    std::optional<QDateTime> until;

    // Whether an azan at `moment` is silent, and why (for the log).
    bool silences(const QDateTime& moment, QString* why = nullptr) const;
    // Whether any of it still lies ahead of `now`.
    bool isOn(const QDateTime& now) const;
    // Without what has passed by `now`.
    Silence current(const QDateTime& now) const;
    // No longer than the screens offer: a silence for hours lasts at most
    // kLongestHours, one until the dawn azan at most until the next one and
    // never beyond kLongestSecs from `now`. One that ends later (a damaged
    // row, a clock set back after it was set) ends at `nextDawn`, the first
    // dawn azan after `now` (a day from `now` when none is known).
    Silence bounded(const QDateTime& now, const std::optional<QDateTime>& nextDawn) const;

    static constexpr int kLongestHours = 4;
    static constexpr qint64 kLongestSecs = 24 * 60 * 60;

    // As stored; none when nothing is, or when it cannot be read (then said
    // in the log: no azan is silenced by a damaged row).
    static Silence load();
    // Stores it whole (nothing stored for none); false when it was not.
    static bool save(const Silence& silence);

    bool operator==(const Silence&) const = default;
};

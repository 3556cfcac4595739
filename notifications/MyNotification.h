#pragma once

#include "Planner.h"

#include <QDateTime>
#include <QString>

#include <optional>

// Rebuilds every scheduled notification of the app from the settings and
// the times of the first chosen city that has times: the azans, the
// reminders before sunrise, the end of sahar and iftar, and the daily events
// notice. What to schedule is planner::plan(); this reads its inputs and
// hands the plan to the system. It also silences the azans when asked.
class MyNotification {
public:
    static MyNotification* initialize();

    // Reads, plans, and replaces the pending list when the plan differs.
    void update();
    void cancelAll();

    // What the plan is made from now; nothing when it cannot be read.
    // `days` is empty when no chosen city has times.
    std::optional<planner::Input> input() const;

    // The ways the user silences the azans. Each stores the silence,
    // plans anew, and says whether it was stored.
    enum class Silencing { NextAzan, OneHour, TwoHours, FourHours, UntilDawn, Off };
    bool silence(Silencing how);
    // What the silence is now, for the user ("اذان بعدی بی‌صدا: ..."); empty
    // when it is off.
    QString silenceText() const;
    Silence silenceNow() const;

    // The days planned ahead.
    static constexpr int kDays = 5;
};

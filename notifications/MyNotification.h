#pragma once

// Rebuilds every scheduled notification of the app from the settings and
// the times of the first chosen city that has times: the azans, the
// reminders before sunrise, the end of sahar and iftar, and the daily events
// notice. What to schedule is planner::plan(); this reads its inputs and
// hands the plan to the system.
class MyNotification {
public:
    static MyNotification* initialize();

    // Reads, plans, and replaces the pending list when the plan differs.
    void update();
    void cancelAll();

    // The days planned ahead.
    static constexpr int kDays = 5;
};

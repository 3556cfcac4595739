#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace ui {
class Window;
}

namespace device {

// Waits until nothing on the screen moves any more (no animation of the
// window runs, twice in a row) and then calls back once: a screenshot shows
// what the user would see, not a frame in the middle of a transition.
class Stillness : public QObject {
public:
    static constexpr int kPollMs = 50;
    // Start-up's own first transitions are given this long to begin.
    static constexpr int kFirstLookMs = 150;
    static constexpr int kGiveUpMs = 10000;

    void whenStill(std::function<void()> then);
    static bool anythingMoving();

private:
    void poll();

    std::function<void()> then_;
    QTimer timer_;
    int stillPolls_ = 0;
    int waitedMs_ = 0;
};

} // namespace device

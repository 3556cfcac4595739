#pragma once

#include <QObject>

namespace device {

class System;

// The window as the phone's lifecycle: minimising is going to the
// background, restoring is coming back, and closing is the end, unless the
// tray keeps the phone running.
class Lifecycle : public QObject {
public:
    explicit Lifecycle(const System& system) : system_(system) {}

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const System& system_;
};

} // namespace device

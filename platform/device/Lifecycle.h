#pragma once

#include <QObject>

namespace device {

class System;

// The window as the phone's lifecycle: minimising or closing it is going
// to the background (closing once what the screens hold unsaved is
// settled), restoring it is coming back; only an explicit quit ends the app.
class Lifecycle : public QObject {
public:
    explicit Lifecycle(const System& system) : system_(system) {}

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const System& system_;
};

} // namespace device

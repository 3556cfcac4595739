#pragma once

#include "ScriptAction.h"
#include "Stillness.h"

#include <QObject>
#include <QStringList>

namespace device {

class System;

// Runs a script of device actions, one line each, once start-up has
// settled, with time for the screen to follow between them. The app quits
// with status 2 at a line that is no action or cannot be done.
class Script : public QObject {
public:
    Script(QStringList lines, const System& system) : lines_(std::move(lines)), system_(system) {}

    void start();
    int status() const { return status_; }

    // Saves the key window as a picture; says why not on failure.
    static bool saveShot(const QString& file);

    static constexpr int kStepMs = 40;

private:
    void next();
    bool run(const ScriptAction& action, int& delay);

    QStringList lines_;
    const System& system_;
    Stillness settled_;
    int index_ = 0;
    int status_ = 0;
    bool done_ = false;
};

} // namespace device

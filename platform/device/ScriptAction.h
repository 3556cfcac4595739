#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace device {

// One line of a device script, read: what to do and with what.
struct ScriptAction {
    enum class Kind {
        Nothing,  // a blank line or a comment ("# ...")
        Tap,      // tap X Y
        TapNamed, // tap NAME [#N]: the (Nth) element of the screen so named
        Tree,     // tree FILE.json: the screen's accessibility tree
        Drag,     // drag X1 Y1 X2 Y2
        Type,     // type TEXT
        Key,      // key Return | Escape | Tab
        Wait,     // wait MS
        Shot,     // shot FILE.png
        Home,     // home: to the background
        Open,     // open: back in front
        Close,    // close: the window's close button
        Tray,     // tray open | stop | quit
        Advance,  // advance MINUTES (negative: the clock set back)
        Quit,     // quit
    };

    Kind kind = Kind::Nothing;
    QList<int> numbers;
    QString text;

    // Nothing for a line that is not an action.
    static std::optional<ScriptAction> parse(const QString& line);

    // The longest wait and the farthest a script may move the clock.
    static constexpr int kMaxWaitMs = 10 * 60 * 1000;
    static constexpr int kMaxAdvanceMinutes = 366 * 24 * 60;
};

} // namespace device

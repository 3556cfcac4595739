#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace device {

// The device's own options (not the app's): its clock and zone, the sandbox,
// the window's scale, and what to do instead of a plain start.
struct Options {
    QString now;         // --now YYYY-MM-DDTHH:MM, a moment of the device's zone
    QString zone;        // --tz ZONE, from the tz database
    QString home;        // --home DIR, the sandbox
    QString screenshot;  // --screenshot FILE.png, once everything on screen is still
    QString script;      // --script FILE, device actions one a line
    int scale = 0;       // --scale N device pixels a point; 0: the largest that fits
    QString exportTo;    // --export DIR: save dialogs answered with DIR
    QString position;    // --position FILE.nmea, none or denied: where "where am I" looks
    bool pending = false;          // --pending: print the pending notifications, exit
    bool background = false;       // --background: start out of sight
    bool quitWhenPainted = false;  // --quit-when-painted: quit after the first frame
    bool help = false;             // --help, -h: print the options, exit
    bool version = false;          // --version: print the version, exit

    // What --help prints.
    static QString helpText();

    // Nothing, with `error` set, for an unknown option or a bad value.
    static std::optional<Options> parse(const QStringList& arguments, QString* error);
};

} // namespace device

#pragma once

#include "platform/ui/Application.h"

#include <QStringList>

#include <functional>
#include <memory>

namespace device {

// The desktop stand-in for the phone: it sets up the sandbox and the clock
// from its own options, runs the app in a 320 x 460 window, turns
// minimising and restoring into background and foreground, keeps running
// in the system tray when the window is closed, fires the notifications,
// tells the app of new days and clock jumps, lets one start per sandbox
// run, and runs scripts of touches. Returns the exit status.
//
// Options (the device's, not the app's):
//   --now YYYY-MM-DDTHH:MM   start the clock at that moment of the device's zone
//   --tz ZONE                the device's time zone (Asia/Tehran unless given)
//   --home DIR               the sandbox folder
//   --scale N                draw N device pixels per point (default: the
//                            largest whole scale that fits the screen)
//   --screenshot FILE.png    save the screen once nothing moves, then quit
//   --script FILE            run device actions, one per line
//   --position SOURCE        where the user's position comes from: a recorded
//                            NMEA log, none (no service) or denied
//   --pending                print the pending notifications and exit
//   --background             start with the window out of sight
//   --quit-when-painted      quit once the first frame is painted (timing)
//   --help, --version        print the options or `version`, and exit
//
// `launchImages` names the resource pictures the first frame shows: they are
// decoded beside the rest of the start.
int ApplicationMain(int argc, char** argv, const std::function<std::unique_ptr<ui::ApplicationDelegate>()>& makeDelegate,
    const QStringList& launchImages = {}, const QString& version = {});

} // namespace device

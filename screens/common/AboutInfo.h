#pragma once

#include <QString>
#include <QStringList>

// Who made the app and what it ships, from the resource file "about.json",
// and its version.
struct AboutInfo {
    QString author;
    QString mail;
    QString webSite;
    QString release;
    // The app's version, as the build sets it from project().
    QString version;
    // Display names of the azan recordings 0 to 6.
    QStringList recordings;

    static AboutInfo load();
};

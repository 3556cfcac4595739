#pragma once

#include <QString>

#include <functional>

namespace ui {

// Asks where to save a file the app made: the desktop's save dialog, in
// the user's documents folder, with the name the app offers. Told the path
// chosen, or nothing when the user cancels.
class SaveDialog {
public:
    // `filter` as the dialog shows it: "iCalendar (*.ics)".
    static void ask(const QString& title, const QString& suggestedName, const QString& filter, const std::function<void(const QString& path)>& chosen);

    // Every dialog answered at once with this folder and the offered name,
    // unseen (a device script's runs); empty: the dialog shows.
    static void setAnswerFolder(const QString& folder);
    // Where the dialog opens: the user's documents folder.
    static QString documentsFolder();
};

} // namespace ui

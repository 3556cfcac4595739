#pragma once

#include <QString>

// Tells the user, in Persian, that a change of theirs was not stored (a
// full disk, a read-only folder, a database held by another program), and
// writes one log line saying what. What they entered stays on the screen.
void tellSaveFailed(const QString& what);
// A screen whose stored values could not be read: "<title> خوانده نشد".
// The screen keeps Save off, so that no default is saved over them.
void tellReadFailed(const QString& title);

#pragma once

#include <QString>

// Tells the user, in Persian, that a change of theirs was not stored (a
// full disk, a read-only folder, a database held by another program), and
// writes one log line saying what. What they entered stays on the screen.
void tellSaveFailed(const QString& what);

#pragma once

#include <QByteArray>
#include <QString>

namespace notifications {

// Replaces the file at `path` with `bytes`, or leaves it as it was: the new
// content goes to a temporary file beside it, is synced to the disk, and
// only then renamed over the old one. On failure `error` says why.
bool replaceFile(const QString& path, const QByteArray& bytes, QString* error);

} // namespace notifications

#pragma once

#include <QByteArray>
#include <QString>

// An exported file put in place whole or not at all: written beside its
// target and renamed over it only when complete and on the disk, so that a
// full disk, a kill or a failed write leaves the earlier file as it was or
// no file. What stands at the target and is not a file (a pipe, a folder,
// a device) is never opened nor replaced.
namespace exports {

struct Written {
    bool ok = false;
    // Why not, in a Persian sentence the user reads; empty when written.
    QString reason;
};
Written write(const QString& path, const QByteArray& bytes);

// A file name the file system takes: at most kMaxNameBytes bytes of UTF-8,
// with room for the temporary name beside it. `stem` is shortened (at a
// letter, never inside one) and `tail`, which holds the date and the
// extension ("-1405-09.pdf"), is kept whole.
QString fittedName(const QString& stem, const QString& tail);
constexpr int kMaxNameBytes = 255;

} // namespace exports

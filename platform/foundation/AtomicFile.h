#pragma once

#include <QByteArray>
#include <QString>

namespace foundation {

// A file replaced whole or not at all. The new content goes to a temporary
// file beside the target and is synced to the disk; only then is it renamed
// over the target, and the folder synced so that the rename lasts too. A
// crash, a full disk or a failed write leaves the old file as it was. The
// rename replaces what stands at the path itself: a link there is replaced
// by the file, never written through.
class AtomicFile {
public:
    // `durable`: synced to the disk before and after the rename. A file that
    // only spares work (a cache) may skip the syncs; it is still replaced
    // whole, never written through a link.
    explicit AtomicFile(const QString& path, bool durable = true);
    // Drops the temporary file unless it was committed.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool open();
    bool write(const QByteArray& bytes);
    bool commit();
    void cancel();
    // Why the last step failed, and whether for want of room on the disk.
    QString error() const { return error_; }
    bool noRoom() const { return noRoom_; }
    // The system's error number of the last failure (errno), 0 for none.
    int errorNumber() const { return errorNumber_; }

    // The whole of it in one call.
    static bool replace(const QString& path, const QByteArray& bytes, QString* error = nullptr, bool durable = true);
    // `to` becomes a copy of the regular file `from`; `noRoom` tells a full
    // disk (or a file size limit) from other failures.
    static bool copy(const QString& from, const QString& to, QString* error = nullptr, bool* noRoom = nullptr);

    // How many times a file or a folder was synced to the disk by this
    // process (what a start's writes cost, for the tests).
    static int syncs();

private:
    bool fail(const char* step);

    QString path_;
    bool durable_ = true;
    QByteArray temporary_;
    int fd_ = -1;
    QString error_;
    bool noRoom_ = false;
    int errorNumber_ = 0;
};

} // namespace foundation

#pragma once

#include <QString>

#include <optional>

// The user's copy of the database in the documents folder: made from the
// shipped file on the first start, checked at every later start, repaired
// when damaged and brought up to date when the app ships newer data. The
// user's own rows (chosen cities and their order, user-made cities with
// their offsets, the settings row) are carried into every new copy, and a
// copy is only ever replaced whole: a crash leaves the old copy or the new.
class WorkingCopy {
public:
    enum class State {
        Missing,   // no file yet
        Whole,     // readable, with every table and column the app expects
        Outdated,  // whole, but the shipped data is newer
        Damaged,   // unreadable, not a database, or missing what the app expects
        Unknown,   // could not be checked now (held locked by another process)
    };

    // What the user is told, in Persian.
    struct Notice {
        QString title;
        QString text;
        bool operator==(const Notice&) const = default;
    };
    struct Prepared {
        // A damaged copy was replaced (what was kept, where the damaged one
        // lies), or there is no room for the copy or for an update.
        std::optional<Notice> notice;
        // The copy is missing, or newer data waits for room: try again later.
        bool again = false;
    };

    // Makes sure a whole, current copy of `shipped` is at `path`: a regular
    // file, never a link written through or a pipe waited on.
    static Prepared prepare(const QString& path, const QString& shipped);
    static State check(const QString& path, const QString& shipped);

    // Copies `from` to `to` through a temporary file renamed into place;
    // `noRoom` says whether it failed for want of room.
    static bool copy(const QString& from, const QString& to, bool* noRoom = nullptr);

    // The copy as it stands now is known to be whole (this process changed
    // it), so the next start needs no full check; or no longer known so.
    static void remember(const QString& path, const QString& shipped);
    static void forget(const QString& path);

    // The data version of a database file (PRAGMA user_version); -1 when it
    // cannot be read.
    static int dataVersion(const QString& path);
};

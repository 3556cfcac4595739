#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace foundation {

// What a path holds, and reading a file without ever waiting on something
// that is not one: a named pipe, a device or a socket put where a file
// belongs is reported, not read.
class Files {
public:
    enum class Kind { Missing, Regular, Link, Directory, Pipe, Other };

    // What stands at the path itself; a link is not followed.
    static Kind kind(const QString& path);
    // "a named pipe", "a symbolic link", ... for the log.
    static QString describe(Kind kind);

    // An open file descriptor for reading, closed with the object.
    struct Opened {
        int fd = -1;
        QString error;
        bool ok() const { return fd >= 0; }
        Opened() = default;
        Opened(Opened&& other) noexcept;
        Opened& operator=(Opened&& other) noexcept;
        ~Opened();
    };
    // Opens `path` for reading without blocking, and keeps it only when it is
    // a regular file (a link to one is followed, for reading only).
    static Opened openRegular(const QString& path);
    // The whole of a regular file of at most `maxBytes`; nothing otherwise,
    // with `error` saying why.
    static std::optional<QByteArray> read(const QString& path, qint64 maxBytes, QString* error = nullptr);
};

} // namespace foundation

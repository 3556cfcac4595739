#pragma once

#include <QString>

namespace foundation {

// The two folders the application knows: the read-only resource folder that
// ships with it (the "bundle") and the user's documents folder in its sandbox.
class Directories {
public:
    static QString resourcePath();
    static QString documentsDirectory();

    static void setResourcePath(const QString& path);
    // Creates the folder when it does not exist yet.
    static void setDocumentsDirectory(const QString& path);
};

} // namespace foundation

#pragma once

#include <QString>

namespace foundation {

// The folders the application knows: the read-only resource folder that
// ships with it (the "bundle"), the folder of its private modules, and the
// user's documents folder in its sandbox.
//
// The app's own files are found from the executable's place, never from a
// path fixed at build time, so the same executable runs from its build
// folder, from scripts/install.sh's copy and from any installation prefix:
//   - beside it, as built (and as scripts/install.sh copies it): resources/
//     and the modules in the executable's own folder;
//   - else by the GNU installation directories of its prefix, as
//     `cmake --install` and the Debian package lay them out: the resources in
//     ../share/kelvaro, the modules in ../lib/<architecture>/kelvaro (the
//     ways from the bin folder, set in CMakeLists.txt).
class Directories {
public:
    static QString resourcePath();
    static QString modulePath();
    static QString documentsDirectory();

    static void setResourcePath(const QString& path);
    static void setModulePath(const QString& path);
    // Creates the folder when it does not exist yet.
    static void setDocumentsDirectory(const QString& path);

    // The two places of the app's own files for an executable in
    // `executableDir`, as found on disk: the build's layout when a folder
    // resources/ lies beside it, the installed one otherwise.
    struct OwnFiles {
        QString resources;
        QString modules;
    };
    static OwnFiles ownFiles(const QString& executableDir);
};

} // namespace foundation

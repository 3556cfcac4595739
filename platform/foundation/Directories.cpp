#include "Directories.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace foundation {

namespace {
QString resources;
QString modules;
QString documents;

// The executable's own files, found once Qt's application knows where it is.
void findOwnFiles()
{
    if (!QCoreApplication::instance())
        return;
    const Directories::OwnFiles own = Directories::ownFiles(QCoreApplication::applicationDirPath());
    if (resources.isEmpty())
        resources = own.resources;
    if (modules.isEmpty())
        modules = own.modules;
}
} // namespace

// KELVARO_DATA_FROM_BIN and KELVARO_MODULES_FROM_BIN, the ways from the
// installed bin folder to the app's data and modules, come from the GNU
// installation directories in CMakeLists.txt.
Directories::OwnFiles Directories::ownFiles(const QString& executableDir)
{
    const QDir bin(executableDir);
    if (QFileInfo(bin.filePath(QStringLiteral("resources"))).isDir())
        return {bin.filePath(QStringLiteral("resources")), bin.path()};
    return {QDir::cleanPath(bin.filePath(QStringLiteral(KELVARO_DATA_FROM_BIN))),
        QDir::cleanPath(bin.filePath(QStringLiteral(KELVARO_MODULES_FROM_BIN)))};
}

QString Directories::resourcePath()
{
    if (resources.isEmpty())
        findOwnFiles();
    return resources;
}

QString Directories::modulePath()
{
    if (modules.isEmpty())
        findOwnFiles();
    return modules;
}

QString Directories::documentsDirectory()
{
    if (documents.isEmpty()) {
        QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        setDocumentsDirectory(base + QStringLiteral("/Kelvaro/Documents"));
    }
    return documents;
}

void Directories::setResourcePath(const QString& path)
{
    resources = path;
}

void Directories::setModulePath(const QString& path)
{
    modules = path;
}

void Directories::setDocumentsDirectory(const QString& path)
{
    documents = QDir::cleanPath(path);
    QDir().mkpath(documents);
}

} // namespace foundation

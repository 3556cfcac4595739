#include "Directories.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace foundation {

namespace {
QString resources;
QString documents;
} // namespace

QString Directories::resourcePath()
{
    if (resources.isEmpty() && QCoreApplication::instance())
        resources = QCoreApplication::applicationDirPath() + QStringLiteral("/resources");
    return resources;
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

void Directories::setDocumentsDirectory(const QString& path)
{
    documents = QDir::cleanPath(path);
    QDir().mkpath(documents);
}

} // namespace foundation

#include "AboutInfo.h"

#include "platform/foundation/Directories.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

AboutInfo AboutInfo::load()
{
    AboutInfo info;
    info.version = QStringLiteral(KELVARO_VERSION);
    QFile file(QDir(foundation::Directories::resourcePath()).filePath(QStringLiteral("about.json")));
    if (!file.open(QIODevice::ReadOnly))
        return info;
    const QJsonObject o = QJsonDocument::fromJson(file.readAll()).object();
    info.author = o.value(QStringLiteral("author")).toString();
    info.mail = o.value(QStringLiteral("mail")).toString();
    info.webSite = o.value(QStringLiteral("webSite")).toString();
    info.release = o.value(QStringLiteral("release")).toString();
    for (const QJsonValue& v : o.value(QStringLiteral("recordings")).toArray())
        info.recordings.append(v.toString());
    return info;
}

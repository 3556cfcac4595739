#include "Sandbox.h"

#include "calendar/DateKey.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/Directories.h"
#include "platform/foundation/Log.h"
#include "platform/notifications/NotificationCenter.h"

#include <gtest/gtest.h>

Sandbox::Sandbox(const QDateTime& now)
{
    foundation::Directories::setResourcePath(QStringLiteral(KELVARO_RESOURCES));
    foundation::Directories::setModulePath(QStringLiteral(KELVARO_MODULES));
    foundation::Directories::setDocumentsDirectory(dir_.filePath(QStringLiteral("Documents")));
    notifications::NotificationCenter::shared()->setStorePath(dir_.filePath(QStringLiteral("Library/notifications.json")));
    notifications::NotificationCenter::shared()->cancelAllLocalNotifications();
    foundation::Clock::freeze(now);
    MyDB::resetShared();
    foundation::Log::setSink([this](const QString& line) { log.append(line); });
}

Sandbox::~Sandbox()
{
    foundation::Log::setSink({});
    notifications::NotificationCenter::shared()->stop();
    notifications::NotificationCenter::shared()->setDeliveryHandler({});
    notifications::NotificationCenter::shared()->setStorePath(QString());
    MyDB::resetShared();
    foundation::Clock::reset();
}

void Sandbox::exec(const QString& sql, const Values& values) const
{
    ASSERT_TRUE(db()->ExecuteNonQuery(sql, values)) << sql.toStdString();
}

void Sandbox::choose(const QList<int>& stateIds) const
{
    int ordering = 1;
    for (int id : stateIds)
        exec(QStringLiteral("INSERT INTO tSelectedStates(StateID, Ordering) VALUES(?, ?)"), {id, ordering++});
}

int Sandbox::makeCity(const QString& name, int provinceId, const QList<int>& offsets) const
{
    exec(QStringLiteral("INSERT INTO tStates(Name, ParentID, IsCenter) VALUES(?, ?, 0)"), {name, provinceId});
    const int id = scalar(QStringLiteral("SELECT MAX(StateID) FROM tStates")).toInt();
    Values values{id, DateKey::kOffsetsSentinel};
    for (int o : offsets)
        values.append(o);
    exec(QStringLiteral("INSERT INTO tTimes(StateID, Date, T1, T2, T3, T4, T5, T6) VALUES(?, ?, ?, ?, ?, ?, ?, ?)"), values);
    return id;
}

void Sandbox::setNow(const QDateTime& now) const
{
    foundation::Clock::freeze(now);
}

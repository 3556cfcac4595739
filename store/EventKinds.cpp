#include "EventKinds.h"

#include "MyDB.h"

#include "platform/foundation/Log.h"

#include <QStringList>

namespace eventKinds {

namespace {

const QString kKey = QStringLiteral("EventKinds");
const QChar kJoin = QLatin1Char(',');

} // namespace

std::optional<EventRules::Kinds> load()
{
    const std::optional<RowSet> rows = MyDB::initialize()->query(QStringLiteral("SELECT Value FROM tPreferences WHERE Key = ?"), {kKey});
    if (!rows)
        return std::nullopt;
    if (rows->isEmpty())
        return EventRules::kDefaultKinds;
    EventRules::Kinds kinds{};
    const QString value = rows->first().value(QStringLiteral("Value"));
    for (const QString& key : value.split(kJoin, Qt::SkipEmptyParts)) {
        if (const std::optional<EventRules::Kind> kind = EventRules::kindOf(key.trimmed()))
            kinds[static_cast<size_t>(*kind)] = true;
        else
            foundation::Log::write(QStringLiteral("the setting %1 names \"%2\", which is no kind of occasion: left out").arg(kKey, key));
    }
    return kinds;
}

bool save(const EventRules::Kinds& kinds)
{
    QStringList keys;
    for (int k = 0; k < EventRules::kKinds; ++k)
        if (kinds[static_cast<size_t>(k)])
            keys.append(EventRules::kindKey(static_cast<EventRules::Kind>(k)));
    return MyDB::initialize()->ExecuteTransaction(
        {{QStringLiteral("INSERT OR REPLACE INTO tPreferences(Key, Value) VALUES(?, ?)"), {kKey, keys.join(kJoin)}}});
}

} // namespace eventKinds

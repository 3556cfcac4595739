#include "Preferences.h"

#include "MyDB.h"

namespace preferences {

std::optional<QString> value(const QString& key)
{
    const std::optional<RowSet> rows = MyDB::initialize()->query(QStringLiteral("SELECT Value FROM tPreferences WHERE Key = ?"), {key});
    if (!rows || rows->isEmpty())
        return std::nullopt;
    return rows->first().value(QStringLiteral("Value"));
}

bool setValue(const QString& key, const QString& value)
{
    if (value.isEmpty())
        return MyDB::initialize()->ExecuteTransaction({{QStringLiteral("DELETE FROM tPreferences WHERE Key = ?"), {key}}});
    return MyDB::initialize()->ExecuteTransaction({{QStringLiteral("INSERT OR REPLACE INTO tPreferences(Key, Value) VALUES(?, ?)"), {key, value}}});
}

} // namespace preferences

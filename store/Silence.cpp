#include "Silence.h"

#include "MyDB.h"

#include "platform/foundation/Log.h"

#include <algorithm>

namespace {

const QString kSkipKey = QStringLiteral("Silence:Skip");
const QString kUntilKey = QStringLiteral("Silence:Until");
constexpr qint64 kHourSecs = 60 * 60;

// With its offset from UTC, so that it stays one moment whatever the clock.
QString momentText(const QDateTime& moment)
{
    return moment.toOffsetFromUtc(moment.offsetFromUtc()).toString(Qt::ISODate);
}

std::optional<QDateTime> readMoment(const QString& key, const QString& text)
{
    const QDateTime moment = QDateTime::fromString(text, Qt::ISODate);
    // Written with its offset, or as UTC ("Z") where the offset is 0.
    if (moment.isValid() && (moment.timeSpec() == Qt::OffsetFromUTC || moment.timeSpec() == Qt::UTC))
        return moment;
    foundation::Log::write(QStringLiteral("the setting %1 holds \"%2\", which it cannot: no azan is silenced by it").arg(key, text));
    return std::nullopt;
}

} // namespace

bool Silence::silences(const QDateTime& moment, QString* why) const
{
    if (skip && *skip == moment) {
        if (why)
            *why = QStringLiteral("the next azan is silenced");
        return true;
    }
    if (until && moment < *until) {
        if (why)
            *why = QStringLiteral("the azans are silenced until ") + momentText(*until);
        return true;
    }
    return false;
}

bool Silence::isOn(const QDateTime& now) const
{
    return (skip && *skip >= now) || (until && *until > now);
}

Silence Silence::current(const QDateTime& now) const
{
    Silence s;
    if (skip && *skip >= now)
        s.skip = skip;
    if (until && *until > now)
        s.until = until;
    return s;
}

Silence Silence::bounded(const QDateTime& now, const std::optional<QDateTime>& nextDawn) const
{
    Silence s = *this;
    if (!until)
        return s;
    const QDateTime dayAhead = now.addSecs(kLongestSecs);
    const QDateTime end = nextDawn && *nextDawn > now && *nextDawn < dayAhead ? *nextDawn : dayAhead;
    // A silence for hours may end after the next dawn azan.
    const QDateTime longest = std::max(end, now.addSecs(kLongestHours * kHourSecs));
    if (*until > longest)
        s.until = end;
    return s;
}

Silence Silence::load()
{
    Silence s;
    const std::optional<RowSet> rows = MyDB::initialize()->query(
        QStringLiteral("SELECT Key, Value FROM tPreferences WHERE Key IN (?, ?)"), {kSkipKey, kUntilKey});
    for (const Row& row : rows.value_or(RowSet())) {
        const QString key = row.value(QStringLiteral("Key"));
        const std::optional<QDateTime> moment = readMoment(key, row.value(QStringLiteral("Value")));
        (key == kSkipKey ? s.skip : s.until) = moment;
    }
    return s;
}

bool Silence::save(const Silence& silence)
{
    QList<Statement> statements;
    for (const auto& [key, moment] : {std::pair{kSkipKey, silence.skip}, std::pair{kUntilKey, silence.until}}) {
        if (moment)
            statements.append({QStringLiteral("INSERT OR REPLACE INTO tPreferences(Key, Value) VALUES(?, ?)"), {key, momentText(*moment)}});
        else
            statements.append({QStringLiteral("DELETE FROM tPreferences WHERE Key = ?"), {key}});
    }
    return MyDB::initialize()->ExecuteTransaction(statements);
}

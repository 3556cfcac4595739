#include "Cities.h"

#include "calendar/DateKey.h"

namespace cities {

namespace {

const char* kChosenList =
    "SELECT t1.StateID, t1.Name || ' (' || t2.Name || ')' AS StateName FROM tStates AS t1 INNER JOIN tStates AS t2 "
    "ON t1.ParentID = t2.StateID LEFT JOIN tSelectedStates ON t1.StateID = tSelectedStates.StateID "
    "WHERE tSelectedStates.StateID IS NOT NULL ORDER BY Ordering";
const char* kProvinces = "SELECT StateID, Name AS StateName FROM tStates WHERE ParentID IS NULL AND StateName LIKE ? ESCAPE '\\'";
const char* kUnchosenCities =
    "SELECT t1.StateID, t1.Name || ' (' || t2.Name || ')' AS StateName FROM tStates AS t1 INNER JOIN tStates AS t2 "
    "ON t1.ParentID = t2.StateID LEFT JOIN tSelectedStates ON t1.StateID = tSelectedStates.StateID "
    "WHERE tSelectedStates.StateID IS NULL  AND StateName LIKE ? ESCAPE '\\'";
// After the others: the row count before the insert, plus one.
const char* kChoose = "INSERT INTO tSelectedStates(StateID, Ordering)VALUES(?, (SELECT COUNT(*) FROM tSelectedStates) + 1)";
// The city just made: the largest StateID, read inside the same
// transaction, so the offsets never land on another city.
const char* kNewest = "(SELECT StateID FROM tStates ORDER BY StateID DESC LIMIT 1)";

MyDB* db()
{
    return MyDB::initialize();
}

} // namespace

bool isProvinceCentre(const Row& city)
{
    return city.value(QStringLiteral("IsCenter")) == QLatin1String("1");
}

bool isUserCity(int stateId)
{
    return stateId > kLastShippedStateId;
}

RowSet chosenList()
{
    return db()->Execute(QString::fromLatin1(kChosenList));
}

RowSet search(const QString& text, bool provinces)
{
    return db()->run(QString::fromLatin1(provinces ? kProvinces : kUnchosenCities), {MyDB::likeContains(text)});
}

bool choose(int stateId)
{
    return db()->ExecuteTransaction({{QString::fromLatin1(kChoose), {stateId}}});
}

bool remove(int stateId)
{
    QList<Statement> statements{{QStringLiteral("DELETE FROM tSelectedStates WHERE StateID = ?"), {stateId}}};
    if (isUserCity(stateId)) {
        statements.append({QStringLiteral("DELETE FROM tStates WHERE StateID = ?"), {stateId}});
        statements.append({QStringLiteral("DELETE FROM tTimes WHERE StateID = ?"), {stateId}});
    }
    return db()->ExecuteTransaction(statements);
}

bool reorder(const QList<int>& stateIds)
{
    QList<Statement> statements;
    for (int i = 0; i < stateIds.size(); ++i)
        statements.append({QStringLiteral("UPDATE tSelectedStates SET Ordering = ? WHERE StateID = ?"), {i, stateIds[i]}});
    return db()->ExecuteTransaction(statements);
}

bool create(const QString& name, int provinceId, const std::array<int, kOffsets>& offsets)
{
    Values times{DateKey::kOffsetsSentinel};
    for (int d : offsets)
        times.append(d);
    const QString newest = QString::fromLatin1(kNewest);
    return db()->ExecuteTransaction({
        {QStringLiteral("INSERT INTO tStates(Name, ParentID, IsCenter) VALUES(?, ?, 0)"), {name, provinceId}},
        {QStringLiteral("INSERT INTO tTimes(StateID, Date, T1, T2, T3, T4, T5, T6)VALUES(") + newest + QStringLiteral(", ?, ?, ?, ?, ?, ?, ?)"), times},
        {QStringLiteral("INSERT INTO tSelectedStates(StateID, Ordering)VALUES(") + newest
                + QStringLiteral(", (SELECT COUNT(*) FROM tSelectedStates) + 1)"),
            {}},
    });
}

} // namespace cities

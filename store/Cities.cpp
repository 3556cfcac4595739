#include "Cities.h"

namespace cities {

namespace {

const char* kCentreOf =
    "SELECT a.StateID FROM tStates a INNER JOIN tStates b ON a.ParentID = b.ParentID WHERE a.IsCenter = 1 AND b.StateID = %1";
const char* kChosenForPages =
    "SELECT tStates.* FROM tStates INNER JOIN tSelectedStates ON tStates.StateID = tSelectedStates.StateID ORDER BY Ordering DESC";
const char* kFirstChosen =
    "SELECT tStates.* FROM tStates INNER JOIN tSelectedStates ON tStates.StateID = tSelectedStates.StateID ORDER BY Ordering  LIMIT 1";
const char* kChosenList =
    "SELECT t1.StateID, t1.Name || ' (' || t2.Name || ')' AS StateName FROM tStates AS t1 INNER JOIN tStates AS t2 "
    "ON t1.ParentID = t2.StateID LEFT JOIN tSelectedStates ON t1.StateID = tSelectedStates.StateID "
    "WHERE tSelectedStates.StateID IS NOT NULL ORDER BY Ordering";
const char* kProvinces = "SELECT StateID, Name AS StateName FROM tStates WHERE ParentID IS NULL AND StateName LIKE %1";
const char* kUnchosenCities =
    "SELECT t1.StateID, t1.Name || ' (' || t2.Name || ')' AS StateName FROM tStates AS t1 INNER JOIN tStates AS t2 "
    "ON t1.ParentID = t2.StateID LEFT JOIN tSelectedStates ON t1.StateID = tSelectedStates.StateID "
    "WHERE tSelectedStates.StateID IS NULL  AND StateName LIKE %1";
const char* kOffsetsOf =
    "SELECT T1 AS '1', T2 AS '2', T3 AS '3', T4 AS '4', T5 AS '5', T6 AS '6', T1 AS '7', T2 AS '8' FROM tTimes WHERE StateID = %1";

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

bool isUserCity(const Row& city)
{
    return isUserCity(city.value(QStringLiteral("StateID")).toInt());
}

int provinceCentre(int stateId)
{
    return db()->ExecuteScaler(QString::fromLatin1(kCentreOf).arg(stateId)).value_or(QString()).toInt();
}

int timesSource(const Row& city)
{
    const int own = city.value(QStringLiteral("StateID")).toInt();
    return isProvinceCentre(city) ? own : provinceCentre(own);
}

RowSet chosenForPages()
{
    return db()->Execute(QString::fromLatin1(kChosenForPages));
}

std::optional<RowSet> firstChosen()
{
    return db()->query(QString::fromLatin1(kFirstChosen));
}

RowSet chosenList()
{
    return db()->Execute(QString::fromLatin1(kChosenList));
}

RowSet search(const QString& text, bool provinces)
{
    return db()->run(QString::fromLatin1(provinces ? kProvinces : kUnchosenCities).arg(MyDB::likeContains(text)));
}

std::optional<Row> offsets(int stateId)
{
    const RowSet rows = db()->Execute(QString::fromLatin1(kOffsetsOf).arg(stateId));
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first();
}

bool choose(int stateId)
{
    // After the others: the row count before the insert, plus one.
    const int count = db()->ExecuteScaler(QStringLiteral("SELECT COUNT(*) AS Count FROM tSelectedStates")).value_or(QString()).toInt();
    return db()->ExecuteNonQuery(QStringLiteral("INSERT INTO tSelectedStates(StateID, Ordering)VALUES(%1, %2)").arg(stateId).arg(count + 1));
}

bool remove(int stateId)
{
    QStringList statements{QStringLiteral("DELETE FROM tSelectedStates WHERE StateID = %1").arg(stateId)};
    if (isUserCity(stateId)) {
        statements.append(QStringLiteral("DELETE FROM tStates WHERE StateID = %1").arg(stateId));
        statements.append(QStringLiteral("DELETE FROM tTimes WHERE StateID = %1").arg(stateId));
    }
    return db()->ExecuteTransaction(statements);
}

bool reorder(const QList<int>& stateIds)
{
    QStringList statements;
    for (int i = 0; i < stateIds.size(); ++i)
        statements.append(QStringLiteral("UPDATE tSelectedStates SET Ordering = %1 WHERE StateID = %2").arg(i).arg(stateIds[i]));
    return db()->ExecuteTransaction(statements);
}

bool create(const QString& name, int provinceId, const std::array<int, kOffsets>& offsets)
{
    QStringList values;
    for (int d : offsets)
        values.append(QString::number(d));
    // The new StateID is read inside the same transaction, so the offsets
    // never land on another city.
    const QString newId = QStringLiteral("(SELECT StateID FROM tStates ORDER BY StateID DESC LIMIT 1)");
    return db()->ExecuteTransaction({
        QStringLiteral("INSERT INTO tStates(Name, ParentID, IsCenter) VALUES(%1, %2, 0)").arg(MyDB::quote(name)).arg(provinceId),
        QStringLiteral("INSERT INTO tTimes(StateID, Date, T1, T2, T3, T4, T5, T6)VALUES(%1, %2, %3)")
            .arg(newId, QString::number(kOffsetsDate), values.join(QStringLiteral(", "))),
        QStringLiteral("INSERT INTO tSelectedStates(StateID, Ordering)VALUES(%1, (SELECT COUNT(*) FROM tSelectedStates) + 1)").arg(newId),
    });
}

} // namespace cities

#include "Days.h"

namespace days {

namespace {

const char* kDayQuery =
    "SELECT Name, vTimes.*, Description FROM vTimes INNER JOIN tStates ON vTimes.StateID = tStates.StateID "
    "INNER JOIN tSelectedStates ON tSelectedStates.StateID = vTimes.StateID INNER JOIN tEvents ON tEvents.Date = vTimes.Date "
    "WHERE vTimes.Date='%1' AND tStates.StateID = %2 ORDER BY Ordering DESC";
// The same day without the chosen-cities join: the centre of a user-made
// city need not be chosen itself.
const char* kCentreDayQuery =
    "SELECT Name, vTimes.*, Description FROM vTimes INNER JOIN tStates ON vTimes.StateID = tStates.StateID "
    "INNER JOIN tEvents ON tEvents.Date = vTimes.Date WHERE vTimes.Date='%1' AND tStates.StateID = %2";
const char* kPages =
    "SELECT c.StateID AS CityID, c.Name AS CityName, c.IsCenter AS CityIsCenter, tStates.Name AS Name, vTimes.*, "
    "tEvents.Description AS Description, o.Date AS OffsetsDate, o.T1 AS O1, o.T2 AS O2, o.T3 AS O3, o.T4 AS O4, o.T5 AS O5, o.T6 AS O6 "
    "FROM tSelectedStates sel INNER JOIN tStates c ON c.StateID = sel.StateID "
    "INNER JOIN vTimes ON vTimes.StateID = CASE WHEN c.IsCenter = 1 THEN c.StateID ELSE "
    "(SELECT a.StateID FROM tStates a WHERE a.ParentID = c.ParentID AND a.IsCenter = 1) END AND vTimes.Date = %1 "
    "INNER JOIN tStates ON tStates.StateID = vTimes.StateID INNER JOIN tEvents ON tEvents.Date = vTimes.Date "
    "LEFT JOIN tTimes o ON c.IsCenter <> 1 AND o.StateID = c.StateID AND o.Date = (SELECT MIN(Date) FROM tTimes m WHERE m.StateID = c.StateID) "
    "ORDER BY sel.Ordering DESC";
const char* kMonth = "SELECT Description, IsHoliday FROM tEvents WHERE Date LIKE '%1__'";
const char* kTimes =
    "SELECT StateID, Date, T1 AS '0', T3 AS '1', T5 AS '2', T2 AS '3', T1 AS '4', T5 AS '5' FROM tTimes "
    "WHERE Date >= '%1' AND (StateID = %2 OR StateID = %3) ORDER by StateID DESC, Date LIMIT 5";
// Only days that have events: a NULL and an empty description alike have none.
const char* kEvents =
    "SELECT Date, Description FROM tEvents WHERE Date >= '%1' AND Description IS NOT NULL AND Description <> '' "
    "ORDER BY Date LIMIT 5";

MyDB* db()
{
    return MyDB::initialize();
}

} // namespace

std::optional<Row> dayRow(int stateId, int key)
{
    RowSet rows = db()->Execute(QString::fromLatin1(kDayQuery).arg(key).arg(stateId));
    if (rows.isEmpty())
        rows = db()->Execute(QString::fromLatin1(kCentreDayQuery).arg(key).arg(stateId));
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first();
}

RowSet pageRows(int key)
{
    return db()->Execute(QString::fromLatin1(kPages).arg(key));
}

RowSet monthEvents(int firstDayKey)
{
    // The key's digits without the day: "9104" for Tir 1391.
    return db()->Execute(QString::fromLatin1(kMonth).arg(firstDayKey / 100));
}

std::optional<RowSet> timesFrom(int key, int ownId, int centreId)
{
    return db()->query(QString::fromLatin1(kTimes).arg(key).arg(ownId).arg(centreId));
}

std::optional<RowSet> eventsFrom(int key)
{
    return db()->query(QString::fromLatin1(kEvents).arg(key));
}

} // namespace days

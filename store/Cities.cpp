#include "Cities.h"

#include "calendar/DateKey.h"
#include "calendar/Utility.h"
#include "geodesy/IranBorder.h"
#include "geodesy/Qibla.h"
#include "platform/foundation/Digits.h"

#include <QRegularExpression>

#include <cmath>

namespace cities {

namespace {

const char* kChosenList =
    "SELECT t1.StateID, t1.Name || ' (' || t2.Name || ')' AS StateName FROM tStates AS t1 INNER JOIN tStates AS t2 "
    "ON t1.ParentID = t2.StateID LEFT JOIN tSelectedStates ON t1.StateID = tSelectedStates.StateID "
    "WHERE tSelectedStates.StateID IS NOT NULL ORDER BY Ordering";
const char* kProvinces = "SELECT StateID, NULL AS PlaceID, Name AS StateName FROM tStates WHERE ParentID IS NULL AND StateName LIKE ? ESCAPE '\\'";
// ?1 the key inside a name, ?2 the whole key, ?3 the key at a name's start.
// A centre is the shipped centre city of its province; a place counts as
// chosen when a chosen city of the user's own stands at its coordinates.
const char* kUnchosenPlaces =
    "SELECT CASE WHEN p.IsCenter = 1 THEN c.StateID END AS StateID, CASE WHEN p.IsCenter = 1 THEN NULL ELSE p.PlaceID END AS PlaceID, "
    "p.Name || ' (' || pr.Name || ')' AS StateName FROM tPlaces p INNER JOIN tStates pr ON pr.StateID = p.ProvinceID "
    "LEFT JOIN tStates c ON p.IsCenter = 1 AND c.ParentID = p.ProvinceID AND c.IsCenter = 1 "
    "WHERE (p.NameKey LIKE ?1 ESCAPE '\\' OR p.LatinKey LIKE ?1 ESCAPE '\\' OR p.ProvinceKey LIKE ?1 ESCAPE '\\') "
    "AND NOT (p.IsCenter = 1 AND (c.StateID IS NULL OR c.StateID IN (SELECT StateID FROM tSelectedStates))) "
    "AND NOT EXISTS (SELECT 1 FROM tCoordinates k INNER JOIN tSelectedStates s ON s.StateID = k.StateID "
    "WHERE k.Latitude = p.Latitude AND k.Longitude = p.Longitude) "
    "ORDER BY p.IsCenter DESC, CASE WHEN ?2 = '' THEN 3 WHEN p.NameKey = ?2 OR p.LatinKey = ?2 THEN 0 "
    "WHEN p.NameKey LIKE ?3 ESCAPE '\\' OR p.LatinKey LIKE ?3 ESCAPE '\\' THEN 1 "
    "WHEN p.NameKey LIKE ?1 ESCAPE '\\' OR p.LatinKey LIKE ?1 ESCAPE '\\' THEN 2 ELSE 3 END, "
    "p.Population IS NULL, p.Population DESC, p.Name";
const char* kNearest =
    "SELECT pr.StateID, pr.Name FROM tPlaces p INNER JOIN tStates pr ON pr.StateID = p.ProvinceID "
    "ORDER BY (p.Latitude - ?1) * (p.Latitude - ?1) + (p.Longitude - ?2) * (p.Longitude - ?2) * ?3 LIMIT 1";
// A city's own coordinates, or its province centre's.
const char* kLocation =
    "SELECT k.Latitude AS OwnLatitude, k.Longitude AS OwnLongitude, p.Latitude AS CentreLatitude, p.Longitude AS CentreLongitude, "
    "c.IsCenter AS IsCenter FROM tStates c LEFT JOIN tCoordinates k ON k.StateID = c.StateID "
    "LEFT JOIN tPlaces p ON p.IsCenter = 1 AND p.ProvinceID = c.ParentID WHERE c.StateID = ? AND c.ParentID IS NOT NULL";
// The places nearest a point by a flat measure, for the ellipsoid to
// decide among: chosen as the search counts a place chosen.
const char* kNearestPlaces =
    "SELECT p.PlaceID AS PlaceID, CASE WHEN p.IsCenter = 1 THEN c.StateID END AS StateID, p.Name AS Name, "
    "p.Name || ' (' || pr.Name || ')' AS StateName, p.Latitude AS Latitude, p.Longitude AS Longitude, "
    "CASE WHEN (p.IsCenter = 1 AND c.StateID IN (SELECT StateID FROM tSelectedStates)) OR EXISTS (SELECT 1 FROM tCoordinates k "
    "INNER JOIN tSelectedStates s ON s.StateID = k.StateID WHERE k.Latitude = p.Latitude AND k.Longitude = p.Longitude) "
    "THEN 1 ELSE 0 END AS Chosen FROM tPlaces p INNER JOIN tStates pr ON pr.StateID = p.ProvinceID "
    "LEFT JOIN tStates c ON p.IsCenter = 1 AND c.ParentID = p.ProvinceID AND c.IsCenter = 1 "
    "ORDER BY (p.Latitude - ?1) * (p.Latitude - ?1) + (p.Longitude - ?2) * (p.Longitude - ?2) * ?3 LIMIT ?4";
// More than enough: the flat measure and the ellipsoid disagree only
// between places at nearly the same distance.
constexpr int kNearestCandidates = 8;
// After the others: the row count before the insert, plus one.
const char* kChoose = "INSERT INTO tSelectedStates(StateID, Ordering)VALUES(?, (SELECT COUNT(*) FROM tSelectedStates) + 1)";
// The city just made: the largest StateID, read inside the same
// transaction, so the offsets never land on another city.
const char* kNewest = "(SELECT StateID FROM tStates ORDER BY StateID DESC LIMIT 1)";

const QString kAzanCityKey = QStringLiteral("AzanCity");

MyDB* db()
{
    return MyDB::initialize();
}

} // namespace

QString shownNameSql()
{
    return QStringLiteral(
        "CASE WHEN EXISTS (SELECT 1 FROM tPlaces tw WHERE tw.Name = c.Name AND tw.ProvinceID <> c.ParentID) "
        "OR EXISTS (SELECT 1 FROM tStates ts WHERE ts.Name = c.Name AND ts.ParentID <> c.ParentID) "
        "THEN c.Name || ' (' || COALESCE((SELECT pr.Name FROM tStates pr WHERE pr.StateID = c.ParentID), '') || ')' ELSE c.Name END");
}

int azanCity()
{
    const std::optional<QString> value = db()->ExecuteScaler(QStringLiteral("SELECT Value FROM tPreferences WHERE Key = ?"), {kAzanCityKey});
    bool ok = false;
    const int id = value.value_or(QString()).toInt(&ok);
    return ok && id > 0 ? id : 0;
}

bool chooseAzanCity(int stateId)
{
    if (stateId <= 0)
        return db()->ExecuteTransaction({{QStringLiteral("DELETE FROM tPreferences WHERE Key = ?"), {kAzanCityKey}}});
    // Only a chosen city: nothing is stored for one that is not.
    return db()->ExecuteTransaction({{QStringLiteral("INSERT OR REPLACE INTO tPreferences(Key, Value) SELECT ?, StateID FROM tSelectedStates "
                                                     "WHERE StateID = ?"),
        {kAzanCityKey, stateId}, true}});
}

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

namespace {

// The rows of a search query whose columns are StateID, PlaceID and the
// shown name, in that order; a missing id reads 0.
QList<Found> found(const char* sql, const Values& values)
{
    const std::optional<QList<QVariantList>> rows = db()->numbers(QString::fromLatin1(sql), values);
    QList<Found> list;
    if (!rows)
        return list;
    list.reserve(rows->size());
    for (const QVariantList& row : *rows) {
        if (row.size() >= 3)
            list.append({row[0].toInt(), row[1].toInt(), row[2].toString()});
    }
    return list;
}

} // namespace

QList<Found> search(const QString& text, bool provinces)
{
    if (!provinces)
        return searchPlaces(text);
    return found(kProvinces, {MyDB::likeContains(text)});
}

QList<Found> searchPlaces(const QString& text)
{
    const QString key = Utility::searchKey(text);
    // Punctuation alone is no name: it finds nothing, not everything.
    if (key.isEmpty() && !text.trimmed().isEmpty())
        return {};
    return found(kUnchosenPlaces, {MyDB::likeContains(key), key, MyDB::likeStarts(key)});
}

std::optional<double> readDegrees(const QString& text)
{
    QString t = foundation::Digits::western(text).trimmed();
    t.remove(QChar(0x00B0));  // °
    t.replace(QChar(0x060C), QLatin1Char('.'));  // the Arabic comma, typed for a decimal point
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    static const QRegularExpression number(QStringLiteral("^-?[0-9]{1,3}([.][0-9]+)?$"));
    if (!number.match(t.trimmed()).hasMatch())
        return std::nullopt;
    return t.trimmed().toDouble();
}

bool inIran(double latitude, double longitude)
{
    return latitude >= kSouthmost && latitude <= kNorthmost && longitude >= kWestmost && longitude <= kEastmost;
}

namespace {

// A degree of longitude is shorter than one of latitude, by the cosine of
// the latitude: near enough over a province.
double squeezeAt(double latitude)
{
    return std::pow(std::cos(latitude * M_PI / 180.0), 2);
}

} // namespace

std::pair<int, QString> nearestProvince(double latitude, double longitude)
{
    const double squeeze = squeezeAt(latitude);
    const RowSet rows = db()->run(QString::fromLatin1(kNearest), {latitude, longitude, squeeze});
    if (rows.isEmpty())
        return {0, QString()};
    return {rows.first().value(QStringLiteral("StateID")).toInt(), rows.first().value(QStringLiteral("Name"))};
}

bool choose(int stateId)
{
    return db()->ExecuteTransaction({{QString::fromLatin1(kChoose), {stateId}}});
}

bool remove(int stateId)
{
    QList<Statement> statements{{QStringLiteral("DELETE FROM tSelectedStates WHERE StateID = ?"), {stateId}},
        {QStringLiteral("DELETE FROM tPreferences WHERE Key = ? AND Value = ?"), {kAzanCityKey, QString::number(stateId)}}};
    if (isUserCity(stateId)) {
        statements.append({QStringLiteral("DELETE FROM tStates WHERE StateID = ?"), {stateId}});
        statements.append({QStringLiteral("DELETE FROM tTimes WHERE StateID = ?"), {stateId}});
        statements.append({QStringLiteral("DELETE FROM tCoordinates WHERE StateID = ?"), {stateId}});
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

namespace {

Statement chooseNewest()
{
    return {QStringLiteral("INSERT INTO tSelectedStates(StateID, Ordering)VALUES(") + QString::fromLatin1(kNewest)
            + QStringLiteral(", (SELECT COUNT(*) FROM tSelectedStates) + 1)"),
        {}};
}

} // namespace

bool choosePlace(int placeId)
{
    const QString newest = QString::fromLatin1(kNewest);
    // Nothing at all when there is no such place: no row may attach to the
    // newest city that is there.
    return db()->ExecuteTransaction({
        {QStringLiteral("INSERT INTO tStates(Name, ParentID, IsCenter) SELECT Name, ProvinceID, 0 FROM tPlaces WHERE PlaceID = ? AND IsCenter <> 1"),
            {placeId}, true},
        {QStringLiteral("INSERT INTO tCoordinates(StateID, Latitude, Longitude) SELECT ") + newest
                + QStringLiteral(", Latitude, Longitude FROM tPlaces WHERE PlaceID = ?"),
            {placeId}, true},
        chooseNewest(),
    });
}

bool createAt(const QString& name, int provinceId, double latitude, double longitude)
{
    if (!inIran(latitude, longitude))
        return false;
    return db()->ExecuteTransaction({
        {QStringLiteral("INSERT INTO tStates(Name, ParentID, IsCenter) VALUES(?, ?, 0)"), {name, provinceId}},
        {QStringLiteral("INSERT INTO tCoordinates(StateID, Latitude, Longitude) VALUES(") + QString::fromLatin1(kNewest)
                + QStringLiteral(", ?, ?)"),
            {latitude, longitude}},
        chooseNewest(),
    });
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
        chooseNewest(),
    });
}

std::optional<Location> location(int stateId)
{
    const RowSet rows = db()->run(QString::fromLatin1(kLocation), {stateId});
    if (rows.isEmpty())
        return std::nullopt;
    const Row& row = rows.first();
    bool north = false;
    bool east = false;
    Location own{row.value(QStringLiteral("OwnLatitude")).toDouble(&north), row.value(QStringLiteral("OwnLongitude")).toDouble(&east), false};
    if (north && east)
        return own;
    Location centre{row.value(QStringLiteral("CentreLatitude")).toDouble(&north), row.value(QStringLiteral("CentreLongitude")).toDouble(&east),
        !isProvinceCentre(row)};
    if (north && east)
        return centre;
    return std::nullopt;
}

std::optional<NearestPlace> nearestPlace(double latitude, double longitude)
{
    if (!std::isfinite(latitude) || !std::isfinite(longitude))
        return std::nullopt;
    const RowSet rows = db()->run(QString::fromLatin1(kNearestPlaces), {latitude, longitude, squeezeAt(latitude), kNearestCandidates});
    std::optional<NearestPlace> nearest;
    const geodesy::Point here{latitude, longitude};
    for (const Row& row : rows) {
        const geodesy::Point there{row.value(QStringLiteral("Latitude")).toDouble(), row.value(QStringLiteral("Longitude")).toDouble()};
        const double km = geodesy::distanceKm(here, there);
        if (nearest && nearest->distanceKm <= km)
            continue;
        nearest = NearestPlace{row.value(QStringLiteral("StateID")).toInt(), row.value(QStringLiteral("PlaceID")).toInt(), row.value(QStringLiteral("Name")),
            row.value(QStringLiteral("StateName")), km, row.value(QStringLiteral("Chosen")) == QLatin1String("1")};
    }
    return nearest;
}

bool chooseNearest(const NearestPlace& place)
{
    if (place.chosen)
        return false;
    return place.stateId != 0 ? choose(place.stateId) : choosePlace(place.placeId);
}

bool locatedInIran(double latitude, double longitude, const NearestPlace& nearest)
{
    return inIran(latitude, longitude) && (geodesy::insideIranOutline({latitude, longitude}) || nearest.distanceKm <= kNearAPlaceKm);
}

} // namespace cities

#pragma once

#include "MyDB.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>
#include <utility>

// The cities: which the user chose and in what order, the shipped province
// centres and the cities the user made. How a city's times are found is
// days::cityTimes().
namespace cities {

// Shipped rows have StateIDs up to this one; a larger StateID is a city the
// user made.
constexpr int kLastShippedStateId = 62;
constexpr int kOffsets = 6;

// A city is a centre only when its IsCenter reads "1".
bool isProvinceCentre(const Row& city);
bool isUserCity(int stateId);

// The chosen cities in the user's order, each with its StateID and its
// shown name "city (province)".
RowSet chosenList();
// The SQL expression of the name a city of tStates, aliased "c" in the
// query, goes by where it is shown alone (a day page's title, a
// notification, the tray, an export): its name, and its province in
// brackets when a place or a city of another province has the same name,
// "اردکان (یزد)" beside "اردکان (فارس)".
QString shownNameSql();

// The city the user chose for the azans and reminders to follow, from
// among the chosen ("AzanCity" in tPreferences); 0 when none is chosen or
// it cannot be read: the first chosen city that has times is then the one.
// Removing the city forgets the choice.
int azanCity();
bool chooseAzanCity(int stateId);
// What a search offers: a city of tStates (`stateId`, a province in the
// provinces' search, a shipped centre in the places') or a place of
// tPlaces (`placeId`), with the name it is listed by. Read by position, not
// as rows: a keystroke reads up to all 1,130 places.
struct Found {
    int stateId = 0;
    int placeId = 0;
    QString name;
};
// The provinces whose name contains `text`, taken literally.
QList<Found> search(const QString& text, bool provinces);
// The places of Iran not chosen yet whose name, Latin name or province
// holds `text` (as Utility::searchKey compares names), each with its shown
// name "city (province)": the province centres first (`stateId` set), then
// the other places (`placeId` set), an exact or a prefix match before one
// inside the name, the larger place first. Nothing when it cannot be read.
QList<Found> searchPlaces(const QString& text);

// Changes; each is all or nothing and says whether it was stored.
bool choose(int stateId);
// A user-made city goes altogether, its times with it.
bool remove(int stateId);
// Orderings 0 ... n-1 in the given order.
bool reorder(const QList<int>& stateIds);
// A city of the user's own, chosen at the end of the list.
bool create(const QString& name, int provinceId, const std::array<int, kOffsets>& offsets);
// A place of tPlaces, chosen at the end of the list: it becomes a city of
// the user's own with the place's name, province and coordinates.
bool choosePlace(int placeId);
// A city of the user's own at the given coordinates, chosen at the end.
bool createAt(const QString& name, int provinceId, double latitude, double longitude);

// Iran's extent, within which coordinates make a place of the app.
constexpr double kSouthmost = 24.0;
constexpr double kNorthmost = 40.5;
constexpr double kWestmost = 43.5;
constexpr double kEastmost = 63.5;
bool inIran(double latitude, double longitude);
// Degrees as a person types them: Persian, Arabic-Indic or Latin digits, a
// point or the Persian decimal separator, a degree sign or none; nothing
// for anything else.
std::optional<double> readDegrees(const QString& text);
// The province of the place nearest to the coordinates: its StateID and
// name; 0 when there is none.
std::pair<int, QString> nearestProvince(double latitude, double longitude);

// Where a chosen city lies: a centre or a place at its own coordinates; a
// city the user made from offsets at its province centre's (`ofCentre`).
// Nothing for a province or a city not there.
struct Location {
    double latitude = 0;
    double longitude = 0;
    bool ofCentre = false;
};
std::optional<Location> location(int stateId);

// The place of Iran nearest to a point, by the distance on the ellipsoid,
// and how to choose it: a province centre by its StateID, another place by
// its PlaceID; `chosen` when it is among the user's cities already.
struct NearestPlace {
    int stateId = 0;
    int placeId = 0;
    QString name;
    QString shownName;  // "city (province)", as the search lists it
    double distanceKm = 0;
    bool chosen = false;
};
std::optional<NearestPlace> nearestPlace(double latitude, double longitude);
// Stores the place as chosen, as a tap on it in the search does.
bool chooseNearest(const NearestPlace& place);

// Whether a point that the desktop located lies in Iran: inside the
// country's outline, or this near one of its places (the outline is drawn
// coarsely, and leaves the islands out).
constexpr double kNearAPlaceKm = 30;
bool locatedInIran(double latitude, double longitude, const NearestPlace& nearest);

} // namespace cities

// Where a chosen city lies, the place nearest to a point, and whether a
// located point is in Iran.
#include "store/Cities.h"

#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

TEST(WhereCitiesLie, EachKindOfCityHasItsPlace)
{
    Sandbox box;
    // A centre: its place among the places of Iran.
    const std::optional<cities::Location> tehran = cities::location(Sandbox::kTehran);
    ASSERT_TRUE(tehran);
    EXPECT_NEAR(tehran->latitude, 35.694, 1e-9);
    EXPECT_NEAR(tehran->longitude, 51.421, 1e-9);
    EXPECT_FALSE(tehran->ofCentre);
    // A place chosen: its own coordinates.
    ASSERT_TRUE(cities::choosePlace(box.scalar("SELECT PlaceID FROM tPlaces WHERE Name = 'کاشان'").toInt()));
    const std::optional<cities::Location> kashan = cities::location(box.scalar("SELECT MAX(StateID) FROM tStates").toInt());
    ASSERT_TRUE(kashan);
    EXPECT_NEAR(kashan->latitude, 33.9824, 1e-9);
    EXPECT_FALSE(kashan->ofCentre);
    // A city of offsets: its province centre's, and said so.
    const int own = box.makeCity("ورامین من", Sandbox::kTehranProvince, {1, 1, 1, 1, 1, 1});
    const std::optional<cities::Location> offsets = cities::location(own);
    ASSERT_TRUE(offsets);
    EXPECT_NEAR(offsets->latitude, 35.694, 1e-9);
    EXPECT_TRUE(offsets->ofCentre);
    // A province, and a city not there.
    EXPECT_FALSE(cities::location(Sandbox::kTehranProvince));
    EXPECT_FALSE(cities::location(999999));
}

TEST(WhereCitiesLie, TheNearestPlaceByTheEllipsoid)
{
    Sandbox box;
    const std::optional<cities::NearestPlace> kashan = cities::nearestPlace(33.995, 51.455);
    ASSERT_TRUE(kashan);
    EXPECT_EQ(kashan->name, "کاشان");
    EXPECT_EQ(kashan->shownName, "کاشان (اصفهان)");
    EXPECT_NE(kashan->placeId, 0);
    EXPECT_EQ(kashan->stateId, 0);
    // GeodSolve -i: 2883.754 m.
    EXPECT_NEAR(kashan->distanceKm, 2.884, 0.001);
    EXPECT_FALSE(kashan->chosen);
    // A province centre is chosen by its StateID, and is then chosen.
    const std::optional<cities::NearestPlace> tehran = cities::nearestPlace(35.70, 51.42);
    ASSERT_TRUE(tehran);
    EXPECT_EQ(tehran->stateId, Sandbox::kTehran);
    EXPECT_TRUE(cities::chooseNearest(*tehran));
    EXPECT_TRUE(cities::nearestPlace(35.70, 51.42)->chosen);
    EXPECT_FALSE(cities::chooseNearest(*cities::nearestPlace(35.70, 51.42)));
    EXPECT_FALSE(cities::nearestPlace(std::nan(""), 51.0));
}

TEST(WhereCitiesLie, ALocatedPointIsInIranInsideItsOutlineOrNearItsPlaces)
{
    Sandbox box;
    struct Case {
        const char* name;
        double latitude;
        double longitude;
        bool inIran;
    };
    const Case cases[] = {
        {"Kashan", 33.995, 51.455, true},
        // In the Lut, far from any place but inside the outline.
        {"the Lut", 30.5, 58.8, true},
        // Outside the coarse outline, near places of Iran.
        {"Kish", 26.53, 53.98, true},
        {"Astara", 38.43, 48.87, true},
        {"Herat", 34.3482, 62.1997, false},
        {"Baghdad", 33.31, 44.37, false},
        {"Musandam", 26.2, 56.3, false},
    };
    for (const Case& c : cases) {
        const std::optional<cities::NearestPlace> nearest = cities::nearestPlace(c.latitude, c.longitude);
        ASSERT_TRUE(nearest) << c.name;
        EXPECT_EQ(cities::locatedInIran(c.latitude, c.longitude, *nearest), c.inIran) << c.name;
    }
}

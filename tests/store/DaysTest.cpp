// The main screen's one query for every chosen city gives what the query
// of each city gives.
#include "store/Cities.h"
#include "store/Days.h"

#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

namespace {

struct Page {
    QString city;
    Row day;
    std::optional<Row> offsets;
    bool operator==(const Page&) const = default;
};

// City by city, as the main screen first asked.
QList<Page> oneByOne(int key)
{
    QList<Page> pages;
    for (const Row& city : cities::chosenForPages()) {
        const std::optional<Row> day = days::dayRow(cities::timesSource(city), key);
        if (!day)
            continue;
        const bool centre = cities::isProvinceCentre(city);
        const std::optional<Row> offsets = centre ? std::nullopt : cities::offsets(city.value("StateID").toInt());
        pages.append({city.value("StateID"), *day, offsets});
    }
    return pages;
}

// All at once.
QList<Page> together(int key)
{
    QList<Page> pages;
    for (const Row& r : days::pageRows(key)) {
        Row day;
        for (const char* column : {"Name", "StateID", "Date", "T1", "T2", "T3", "T4", "T5", "T6", "T7", "T8", "Description"})
            day.insert(column, r.value(column));
        std::optional<Row> offsets;
        if (!r.value("OffsetsDate").isEmpty()) {
            offsets = Row();
            for (int k = 1; k <= 8; ++k)
                offsets->insert(QString::number(k), r.value(QStringLiteral("O%1").arg(k <= 6 ? k : k - 6)));
        }
        pages.append({r.value("CityID"), day, offsets});
    }
    return pages;
}

TEST(PageRows, OneQueryGivesWhatEachCitysQueriesGive)
{
    Sandbox box;
    const int own = box.makeCity("شهرک", Sandbox::kTehranProvince, {3, 0, -2, 1, 3, -2});
    const int bare = box.makeCity("بی‌اختلاف", 11, {0, 0, 0, 0, 0, 0});
    box.exec(QStringLiteral("DELETE FROM tTimes WHERE StateID = %1").arg(bare));
    box.choose({Sandbox::kMashhad, own, Sandbox::kTabriz, bare, 50});
    // A province whose centre lost its flag: its city has no times.
    box.exec("UPDATE tStates SET IsCenter = 0 WHERE StateID = 50");
    for (int key : {910101, 911230, 1050916, 1101229, 1110101, 14000101}) {
        const QList<Page> expected = oneByOne(key);
        EXPECT_EQ(together(key), expected) << key;
    }
    // A day without its events row has no pages, either way.
    box.exec("DELETE FROM tEvents WHERE Date = 1050916");
    EXPECT_TRUE(together(1050916).isEmpty());
    EXPECT_TRUE(oneByOne(1050916).isEmpty());
    // The next day: every city with a centre, the one without offsets too
    // (the screen leaves that one out), but not the city without a centre.
    EXPECT_EQ(together(1050917).size(), 4);
}

} // namespace

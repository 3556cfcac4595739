// Every city's times come from one place, and the main screen, the
// notifications and the calendar's "show times" read them there.
#include "store/Cities.h"
#include "store/Days.h"
#include "store/HijriMonths.h"
#include "store/Reminders.h"
#include "calendar/Utility.h"

#include "calendar/ClockTime.h"
#include "calendar/LunarCalendar.h"
#include "tests/support/Sandbox.h"

#include <QTimeZone>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>

namespace {

// A centre's row of vTimes, as stored.
days::Times stored(const Sandbox& box, int stateId, int key)
{
    days::Times day{key, {}};
    for (int k = 0; k < kTimesOnPage; ++k)
        day.stored[static_cast<size_t>(k)]
            = ClockTime::readStrict(box.scalar(QStringLiteral("SELECT T%1 FROM vTimes WHERE StateID = %2 AND Date = %3").arg(k + 1).arg(stateId).arg(key)));
    return day;
}

TEST(CityTimes, ACentresAreStoredAndAUserCitysAreItsCentresMovedByItsOffsets)
{
    Sandbox box;
    const int own = box.makeCity("شهرک", Sandbox::kTehranProvince, {3, 0, -2, 1, 3, 15});
    const QList<days::Times> centre = days::cityTimes(Sandbox::kTehran, 1050916, 3).value();
    ASSERT_EQ(centre.size(), 3);
    EXPECT_EQ(centre[0], stored(box, Sandbox::kTehran, 1050916));
    EXPECT_EQ(centre[2].key, 1050918);

    const QList<days::Times> city = days::cityTimes(own, 1050916, 3).value();
    ASSERT_EQ(city.size(), 3);
    const int offsets[8] = {3, 0, -2, 1, 3, 15, 3, 0};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(city[i].key, centre[i].key);
        for (int k = 0; k < kTimesOnPage; ++k)
            EXPECT_EQ(city[i].stored[k]->minutes(),
                (centre[i].stored[k]->minutes() + offsets[k] + ClockTime::kMinutesPerDay) % ClockTime::kMinutesPerDay)
                << i << " T" << k + 1;
    }
    // Religious midnight moved past 24:00 comes round the clock.
    box.exec("UPDATE tTimes SET T6 = '23:50' WHERE StateID = 39 AND Date = 1050916");
    const days::Times moved = days::cityTimes(own, 1050916, 1).value().first();
    EXPECT_EQ(moved.at(DayTime::Midnight), (ClockTime{0, 5}));
    // ... and falls in the night after the day, as a midnight past 00:00 does.
    EXPECT_EQ(moved.moment(DayTime::Midnight), QDateTime(QDate(2026, 12, 8), QTime(0, 5), QTimeZone("Asia/Tehran")));
}

TEST(CityTimes, OnlyTheDaysTheDataHoldsAndOnlyFromTheDayAsked)
{
    Sandbox box;
    // The last day has its next day's dawn and sunrise, but that day is no
    // day of the data.
    const QList<days::Times> last = days::cityTimes(Sandbox::kTehran, 1101228, 5).value();
    ASSERT_EQ(last.size(), 2);
    EXPECT_EQ(last[1].key, 1101229);
    EXPECT_TRUE(last[1].at(DayTime::NextDawn).has_value());
    EXPECT_TRUE(days::cityTimes(Sandbox::kTehran, 1110101, 5).value().isEmpty());
    // Before the data: nothing from its first days either.
    EXPECT_TRUE(days::cityTimes(Sandbox::kTehran, 901225, 5).value().isEmpty());
    // 29 Esfand 1390 and the next four days: the first day of 1391 is the
    // fifth.
    EXPECT_EQ(days::cityTimes(Sandbox::kTehran, 901225, 6).value().size(), 1);
}

TEST(CityTimes, ACityWithoutWhatItsTimesNeedHasNone)
{
    Sandbox box;
    const int bare = box.makeCity("بی‌اختلاف", 11, {0, 0, 0, 0, 0, 0});
    box.exec(QStringLiteral("DELETE FROM tTimes WHERE StateID = %1").arg(bare));
    EXPECT_TRUE(days::cityTimes(bare, 1050916, 5).value().isEmpty());
    // A province, a city whose centre lost its flag, no city at all.
    EXPECT_TRUE(days::cityTimes(Sandbox::kTehranProvince, 1050916, 5).value().isEmpty());
    const int orphan = box.makeCity("یتیم", 19, {1, 1, 1, 1, 1, 1});
    box.exec("UPDATE tStates SET IsCenter = 0 WHERE StateID = 50");
    EXPECT_TRUE(days::cityTimes(orphan, 1050916, 5).value().isEmpty());
    EXPECT_TRUE(days::cityTimes(50, 1050916, 5).value().isEmpty());
    EXPECT_TRUE(days::cityTimes(9999, 1050916, 5).value().isEmpty());
}

TEST(Pages, EachChosenCitysOwnTimesLastChosenFirstAndAPageForACityWithout)
{
    Sandbox box;
    const int own = box.makeCity("شهرک", Sandbox::kTehranProvince, {3, 0, -2, 1, 3, -2});
    const int bare = box.makeCity("بی‌اختلاف", 11, {0, 0, 0, 0, 0, 0});
    box.exec(QStringLiteral("DELETE FROM tTimes WHERE StateID = %1").arg(bare));
    box.choose({Sandbox::kMashhad, own, Sandbox::kTabriz, bare, Sandbox::kTehranProvince});

    const QList<days::Page> pages = days::pages(1050916).value();
    ASSERT_EQ(pages.size(), 5);
    const QList<int> order = {Sandbox::kTehranProvince, bare, Sandbox::kTabriz, own, Sandbox::kMashhad};
    for (int i = 0; i < pages.size(); ++i) {
        const days::Page& page = pages[i];
        EXPECT_EQ(page.cityId, order[i]);
        EXPECT_EQ(page.events.description, box.scalar("SELECT Description FROM tEvents WHERE Date = 1050916"));
        const QList<days::Times> times = days::cityTimes(order[i], 1050916, 1).value();
        if (times.isEmpty()) {
            EXPECT_EQ(page.noTimes, days::Page::NoTimes::NoCityTimes) << i;
            EXPECT_FALSE(page.times.has_value());
            continue;
        }
        EXPECT_EQ(page.noTimes, days::Page::NoTimes::None);
        EXPECT_EQ(page.times, times.first()) << i;
    }
    EXPECT_EQ(pages[3].name, "شهرک");

    // A day outside the data: every city's page says so.
    for (int key : {1110101, 901229}) {
        const QList<days::Page> outside = days::pages(key).value();
        ASSERT_EQ(outside.size(), 5);
        for (const days::Page& page : outside)
            EXPECT_EQ(page.noTimes, days::Page::NoTimes::OutsideData) << key;
    }
    // A day whose events are lost still shows its times.
    box.exec("DELETE FROM tEventRules");
    EXPECT_EQ(days::pages(1050916).value().value(4).times, stored(box, Sandbox::kMashhad, 1050916));
    // A database that cannot be read is no list at all, not an empty one.
    box.exec("DROP TABLE tSelectedStates");
    EXPECT_FALSE(days::pages(1050916).has_value());
}

TEST(FirstWithTimes, TheFirstChosenCityThatHasTimes)
{
    Sandbox box;
    const int bare = box.makeCity("بی‌اختلاف", 11, {0, 0, 0, 0, 0, 0});
    box.exec(QStringLiteral("DELETE FROM tTimes WHERE StateID = %1").arg(bare));
    box.choose({Sandbox::kTehranProvince, bare, 9999, Sandbox::kTehran, Sandbox::kMashhad});
    const days::CityDays city = days::firstWithTimes(1050916, 5).value();
    EXPECT_EQ(city.cityId, Sandbox::kTehran);
    EXPECT_EQ(city.name, "تهران");
    EXPECT_EQ(city.days.size(), 5);
    // On a day outside the data no city has times.
    EXPECT_TRUE(days::firstWithTimes(1110101, 5).value().days.isEmpty());
}

TEST(FirstWithTimes, TheCityChosenForTheAzansFirstWhileItHasTimesAndChosen)
{
    Sandbox box;
    const int bare = box.makeCity("بی‌اختلاف", 11, {0, 0, 0, 0, 0, 0});
    box.exec(QStringLiteral("DELETE FROM tTimes WHERE StateID = %1").arg(bare));
    box.choose({Sandbox::kTehran, Sandbox::kMashhad, bare});
    EXPECT_EQ(cities::azanCity(), 0);
    ASSERT_TRUE(cities::chooseAzanCity(Sandbox::kMashhad));
    EXPECT_EQ(cities::azanCity(), Sandbox::kMashhad);
    EXPECT_EQ(days::firstWithTimes(1050916, 1).value().cityId, Sandbox::kMashhad);
    // Only a chosen city; a city without times gives way to the first with.
    EXPECT_FALSE(cities::chooseAzanCity(Sandbox::kTabriz));
    ASSERT_TRUE(cities::chooseAzanCity(bare));
    EXPECT_EQ(days::firstWithTimes(1050916, 1).value().cityId, Sandbox::kTehran);
    // Kept in the user's copy, and forgotten with the city.
    ASSERT_TRUE(cities::chooseAzanCity(Sandbox::kMashhad));
    EXPECT_EQ(box.scalar("SELECT Value FROM tPreferences WHERE Key = 'AzanCity'"), QString::number(Sandbox::kMashhad));
    ASSERT_TRUE(cities::remove(Sandbox::kMashhad));
    EXPECT_EQ(cities::azanCity(), 0);
    ASSERT_TRUE(cities::choose(Sandbox::kMashhad));
    EXPECT_EQ(days::firstWithTimes(1050916, 1).value().cityId, Sandbox::kTehran);
    // A damaged value is no choice.
    box.exec("INSERT OR REPLACE INTO tPreferences(Key, Value) VALUES('AzanCity', 'x')");
    EXPECT_EQ(cities::azanCity(), 0);
    EXPECT_EQ(days::firstWithTimes(1050916, 1).value().cityId, Sandbox::kTehran);
}

TEST(ShownName, ANameAnotherProvinceHasTooComesWithItsProvince)
{
    Sandbox box;
    // Ardakan of Fars and of Yazd, and Tehran, whose name is its own.
    const QString fars = box.scalar("SELECT p.PlaceID FROM tPlaces p JOIN tStates s ON s.StateID = p.ProvinceID WHERE p.Name = 'اردکان' AND s.Name = 'فارس'");
    const QString yazd = box.scalar("SELECT p.PlaceID FROM tPlaces p JOIN tStates s ON s.StateID = p.ProvinceID WHERE p.Name = 'اردکان' AND s.Name = 'یزد'");
    box.choose({Sandbox::kTehran});
    ASSERT_TRUE(cities::choosePlace(fars.toInt()));
    ASSERT_TRUE(cities::choosePlace(yazd.toInt()));
    QStringList names;
    const QList<days::Page> shown = days::pages(1050916).value();
    for (const days::Page& page : shown)
        names.append(page.name);
    EXPECT_EQ(names, (QStringList{"اردکان (یزد)", "اردکان (فارس)", "تهران"}));
    // The notifications' city too.
    ASSERT_TRUE(cities::remove(Sandbox::kTehran));
    EXPECT_EQ(days::firstWithTimes(1050916, 1).value().name, "اردکان (فارس)");
    // A city of the user's own named as a place of another province.
    const int own = box.makeCity("اردکان", Sandbox::kTehranProvince, {0, 0, 0, 0, 0, 0});
    box.exec(QStringLiteral("INSERT INTO tSelectedStates(StateID, Ordering) VALUES(%1, 100)").arg(own));
    EXPECT_EQ(days::pages(1050916).value().first().name, "اردکان (تهران)");
    box.exec(QStringLiteral("UPDATE tStates SET Name = 'شهرک' WHERE StateID = %1").arg(own));
    EXPECT_EQ(days::pages(1050916).value().first().name, "شهرک");
}

TEST(DayEvents, PlacedAtRunTimeTheyAreTheShippedDaysUntilAMonthIsAnnouncedOtherwise)
{
    Sandbox box;
    const QList<days::DayEvents> all = days::events(910101, 1101229).value();
    const RowSet shipped = box.db()->Execute("SELECT Date, Description, IsHoliday FROM tEvents ORDER BY Date");
    ASSERT_EQ(all.size(), shipped.size());
    for (int i = 0; i < all.size(); ++i) {
        ASSERT_EQ(all[i].key, shipped[i].value("Date").toInt());
        EXPECT_EQ(all[i].description, shipped[i].value("Description")) << all[i].key;
        EXPECT_EQ(all[i].holiday, shipped[i].value("IsHoliday") == "1") << all[i].key;
    }
    // A lunar event of a predicted month says so; one of the official
    // calendar's does not.
    const days::DayEvents muharram = days::events(1060316, 1060316).value().first();
    ASSERT_EQ(LunarCalendar::fromGregorian(QDate(2027, 6, 6)).month, 1);
    ASSERT_FALSE(muharram.events.isEmpty());
    EXPECT_TRUE(std::any_of(muharram.events.begin(), muharram.events.end(), [](const auto& e) { return e.predicted; }));
    const QString kFatima = QStringLiteral("شهادت حضرت فاطمهٔ زهرا (س)");
    const days::DayEvents fatima = days::events(1050822, 1050822).value().first();
    EXPECT_EQ(fatima.events.first().text, kFatima);
    EXPECT_TRUE(fatima.holiday);
    EXPECT_FALSE(fatima.events.first().predicted);

    // Jumada II 1448 announced a day earlier than printed: 3 Jumada II and
    // its holiday a day earlier, in the month's rows too.
    const QDate today(2026, 12, 8);
    ASSERT_TRUE(hijri::setCorrection(1448, 6, 1, today));
    EXPECT_EQ(hijri::correction(1448, 6), 1);
    EXPECT_EQ(days::events(1050821, 1050821).value().first().events.first().text, kFatima);
    EXPECT_FALSE(days::events(1050822, 1050822).value().first().holiday);
    EXPECT_TRUE(days::events(1050801, 1050830).value().value(20).holiday);
    // Kept in the user's copy: a new start has it.
    MyDB::resetShared();
    EXPECT_EQ(hijri::correction(1448, 6), 1);
    ASSERT_TRUE(hijri::setCorrection(1448, 6, 0, today));
    EXPECT_TRUE(days::events(1050822, 1050822).value().first().holiday);

    // A month of the last Hijri year: Dhu al-Hijja 1447 a day later moves
    // Eid al-Adha from 6 to 7 Khordad 1405.
    EXPECT_TRUE(days::events(1050306, 1050306).value().first().description.contains("عید سعید قربان"));
    ASSERT_TRUE(hijri::setCorrection(1447, 12, -1, today));
    EXPECT_FALSE(days::events(1050306, 1050306).value().first().description.contains("عید سعید قربان"));
    EXPECT_TRUE(days::events(1050307, 1050307).value().first().description.contains("عید سعید قربان"));
    EXPECT_TRUE(days::events(1050307, 1050307).value().first().holiday);
    ASSERT_TRUE(hijri::setCorrection(1447, 12, 0, today));

    // What cannot be: a correction the month before does not allow, a
    // month two Hijri years back, a month that has not begun.
    EXPECT_FALSE(hijri::setCorrection(1448, 6, -1, today));
    EXPECT_FALSE(hijri::setCorrection(1446, 9, 1, today));
    EXPECT_FALSE(hijri::setCorrection(1448, 8, 1, today));
    EXPECT_EQ(hijri::correctable(today).first(), (HijriDate{1448, 6, 1}));
    EXPECT_EQ(hijri::correctable(today).last(), (HijriDate{1447, 1, 1}));
    EXPECT_EQ(hijri::correctable(today).size(), 18);
}

} // namespace

namespace {

TEST(DayEvents, TheOccasionsKeptBetweenReadsFollowEveryWriteOfTheirTable)
{
    Sandbox box;
    auto textOf = [] { return days::events(910412, 910412).value().first().description; };
    EXPECT_FALSE(textOf().contains("نخست"));
    // Written through the app's own connection.
    box.exec("INSERT INTO tEventRules(Ord, Calendar, Month, Day, IsHoliday, FirstYear, LastYear, Description) "
             "VALUES(5001, 0, 4, '12', 0, 1391, 1391, 'نخست')");
    EXPECT_TRUE(textOf().contains("نخست"));
    // And by another connection, as another process would.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(box.db()->getDBPath().toUtf8().constData(), &other), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(other, "UPDATE tEventRules SET Description = 'دوم' WHERE Ord = 5001", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);
    EXPECT_TRUE(textOf().contains("دوم"));
    EXPECT_FALSE(textOf().contains("نخست"));
}

TEST(StoredReminders, OddKeysAreWrittenAsTheAppWritesThemAndWhatCannotBeReadIsToldOnce)
{
    Sandbox box;
    const QString json = QStringLiteral("{\"minutes\":-20,\"ramadan\":false,\"time\":2,\"weekdays\":[]}");
    box.exec("INSERT INTO tPreferences VALUES('Reminder:007', ?), ('Reminder: 8', ?), ('Reminder:9', 'no json'), ('Reminder:x', ?)",
        {json, json, json});
    const QList<reminders::TimeReminder> read = reminders::timeReminders().value();
    ASSERT_EQ(read.size(), 2);
    EXPECT_EQ(read[0].id, 7);
    EXPECT_EQ(read[1].id, 8);
    // Kept under the keys a change or a removal finds.
    EXPECT_EQ(box.scalar("SELECT group_concat(Key, ' ') FROM (SELECT Key FROM tPreferences WHERE Key LIKE 'Reminder:%' ORDER BY Key)"),
        "Reminder:7 Reminder:8 Reminder:9 Reminder:x");
    ASSERT_TRUE(reminders::removeTimeReminder(7));
    EXPECT_EQ(reminders::timeReminders().value().size(), 1);
    // The two left out are told once, however often they are read.
    EXPECT_EQ(reminders::takeLeftOut(), QStringLiteral("%1 یادآوری خوانده نشد و کنار گذاشته شد.").arg(Utility::ConvertToPersian("2")));
    reminders::timeReminders();
    EXPECT_FALSE(reminders::takeLeftOut().has_value());

    // A text grown past what the form takes is read cut.
    box.exec("INSERT INTO tPreferences VALUES('DateReminder:1', ?)",
        {QStringLiteral("{\"repeat\":1,\"year\":1405,\"month\":9,\"day\":17,\"text\":\"%1\",\"time\":\"21:00\"}").arg(QString(5000, QChar(0x0628)))});
    const QList<reminders::DateReminder> dated = reminders::dateReminders().value();
    ASSERT_EQ(dated.size(), 1);
    EXPECT_EQ(dated[0].text.size(), reminders::kMaxText);
}

} // namespace

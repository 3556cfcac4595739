-- The database "Icons". Date keys are the numbers "%d%02d%02d" of year minus
-- 1300, month and day (910105, 1050916) with integer affinity, so comparisons
-- and sorting by date are numeric and the sentinel 14000101 of a user-made
-- city's offsets row sorts after every day.

-- Provinces (ParentID NULL) and cities. AUTOINCREMENT keeps every new
-- StateID above all earlier ones, even after deletions.
CREATE TABLE tStates (
    StateID INTEGER PRIMARY KEY AUTOINCREMENT,
    Name TEXT NOT NULL,
    ParentID INTEGER REFERENCES tStates(StateID),
    IsCenter INTEGER NOT NULL DEFAULT 0
);

-- The user's chosen cities and their order.
CREATE TABLE tSelectedStates (
    StateID INTEGER NOT NULL UNIQUE,
    Ordering INTEGER NOT NULL
);

-- Daily times of the province centres (standard time, "H:MM"), and one row
-- of minute offsets, dated 14000101, per user-made city. Keyed by city and
-- day, with no separate row id: twenty years of times stay small.
CREATE TABLE tTimes (
    StateID INTEGER NOT NULL,
    Date INTEGER NOT NULL,
    T1 TEXT, T2 TEXT, T3 TEXT, T4 TEXT, T5 TEXT, T6 TEXT,
    PRIMARY KEY (StateID, Date)
) WITHOUT ROWID;

-- Every day of the data with the key of the day after it, so that no query
-- needs to know month lengths or leap years.
CREATE TABLE tDays (
    Date INTEGER PRIMARY KEY,
    NextDate INTEGER NOT NULL
);

-- Every place of Iran the app knows, the province centres among them
-- (resources/data/iran-places.tsv): found by its name, its Latin name or its
-- province's, and chosen. The keys are the names as the search compares
-- them (calendar/Utility's searchKey). A chosen place becomes a city of the
-- user's own with its coordinates (tCoordinates).
CREATE TABLE tPlaces (
    PlaceID INTEGER PRIMARY KEY,
    Name TEXT NOT NULL,
    ProvinceID INTEGER NOT NULL REFERENCES tStates(StateID),
    Latitude REAL NOT NULL,
    Longitude REAL NOT NULL,
    IsCenter INTEGER NOT NULL DEFAULT 0,
    NameLatin TEXT,
    Population INTEGER,
    NameKey TEXT NOT NULL,
    LatinKey TEXT NOT NULL,
    ProvinceKey TEXT NOT NULL,
    -- How far the point can be trusted, and who gives it (the table's check
    -- and sources columns).
    Checked TEXT,
    Sources TEXT
);

-- A place by its name: a city's name shown alone takes its province when a
-- place of another province has the same name (store/Cities), asked for
-- every chosen city on every refresh.
CREATE INDEX tPlacesByName ON tPlaces(Name);

-- Where a city of the user's own lies when its times are computed from its
-- coordinates (a place chosen from tPlaces, or coordinates typed in): degrees
-- north and east.
CREATE TABLE tCoordinates (
    StateID INTEGER PRIMARY KEY,
    Latitude REAL NOT NULL,
    Longitude REAL NOT NULL
);

-- The sun's apparent place every six hours over the data's years, as the
-- prayer-times engine computed it for the shipped centres
-- (astronomy/PrayerTimes: sample 0 is 0h UT of 1 January 2000): the app
-- computes any other place's times from the same numbers.
CREATE TABLE tSun (
    Sample INTEGER PRIMARY KEY,
    RightAscension REAL NOT NULL,
    Declination REAL NOT NULL,
    SiderealLead REAL NOT NULL
);

-- The rules the events of every day come from (resources/data: events-*.tsv
-- for 1391, official-events.json from 1392 on; calendar/EventRules), in
-- order: Calendar 0 Solar Hijri, 1 lunar, 2 Gregorian; Day the day of the
-- month, "last", "last-friday", "2-friday" or "yearday-256"; Kind whose
-- occasion it is ("Iran", "AncientIran", "International", "Afghanistan");
-- Description short enough for the day page, Note the whole text where
-- that is longer. The app places them on the days as the lunar months
-- stand, a month the user says was announced otherwise included, and
-- only the kinds the user shows ("EventKinds" in tPreferences); tEvents
-- holds each day as the shipped months place them, with Iran's own.
CREATE TABLE tEventRules (
    Ord INTEGER PRIMARY KEY,
    Calendar INTEGER NOT NULL,
    Month INTEGER NOT NULL,
    Day TEXT NOT NULL,
    IsHoliday INTEGER NOT NULL,
    FirstYear INTEGER NOT NULL,
    LastYear INTEGER NOT NULL,
    Description TEXT NOT NULL,
    Kind TEXT NOT NULL DEFAULT 'Iran',
    Note TEXT
);

-- What the user chose that the settings row has no column for, one value
-- a key ("HijriMonth:1448-6": a lunar month announced to begin on another
-- day than the table or the prediction, its first day; "EventKinds": the
-- kinds of occasions shown, "Iran,International"; the reminders the user
-- made).
CREATE TABLE tPreferences (
    Key TEXT PRIMARY KEY,
    Value TEXT NOT NULL
);

-- The events of every day, in date order; several joined with "@".
CREATE TABLE tEvents (
    Date INTEGER PRIMARY KEY,
    Description TEXT,
    IsHoliday INTEGER NOT NULL DEFAULT 0
);

-- The one settings row.
CREATE TABLE tSetting (
    Item0 INTEGER, Item1 INTEGER, Item2 INTEGER,
    Item3 INTEGER, Item4 INTEGER, Item5 INTEGER,
    Item6 INTEGER, Item7 TEXT
);

-- Each day's times with the next day's dawn azan and sunrise as T7 and T8.
CREATE VIEW vTimes AS
SELECT a.StateID AS StateID, a.Date AS Date,
       a.T1 AS T1, a.T2 AS T2, a.T3 AS T3, a.T4 AS T4, a.T5 AS T5, a.T6 AS T6,
       b.T1 AS T7, b.T2 AS T8
FROM tTimes AS a
INNER JOIN tDays AS d ON d.Date = a.Date
INNER JOIN tTimes AS b ON b.StateID = a.StateID AND b.Date = d.NextDate;

-- The data version: a user's copy with a smaller one is rebuilt from this
-- file when the app starts, with the user's own rows carried over. Raise it
-- whenever the shipped data or this schema changes.
PRAGMA user_version = 5;

#pragma once

#include "astronomy/SunCompass.h"
#include "geodesy/Qibla.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// What the Qibla screen says of a city on a day: the way to the Kaaba and
// how far it is, the sun's way over the day with the moments it stands in
// line with the Qibla, and the two days of the Persian year on which it
// passes overhead at the Kaaba. Texts in Persian, digits Arabic-Indic as
// the rest of the app writes them (the screen draws their Persian shapes).
struct QiblaFacts {
    QString cityName;
    // A city made from offsets lies where its province centre lies.
    bool ofCentre = false;
    Place place;
    QDate day;
    geodesy::Bearing bearing;
    QList<astronomy::CompassMoment> moments;
    // Where the sun stands at each of the moments.
    QList<astronomy::SunDirection> atMoments;
    // Sunrise to sunset.
    QList<astronomy::SunDirection> path;
    QList<astronomy::Overhead> overKaaba;

    // The facts of a chosen city; nothing for one whose place is unknown.
    static std::optional<QiblaFacts> ofCity(int cityId, const QString& name, const QDate& day);
    static QiblaFacts at(const QString& name, const Place& place, bool ofCentre, const QDate& day);

    // "۲۱۸٫۵ درجه از شمال، ۱٬۹۴۱ کیلومتر تا کعبه"
    QString bearingText() const;
    // "۳۸٫۵ درجه از جنوب به سوی غرب" and the like: how a Qibla is told
    // against the nearest of south or north.
    QString deviationText() const;
    // "خورشید در راستای قبله: ساعت ۱۴:۲۵", or that it is not today.
    QString sunText() const;
    // "سایه در راستای قبله: ..." likewise, for the sun behind.
    QString shadowText() const;
    // The days and moments the sun passes over the Kaaba.
    QString overKaabaText() const;
    // What a screen reader says for the picture.
    QString pictureName(const std::optional<astronomy::SunDirection>& sunNow) const;

    // A moment as Iran's clock shows it, to the minute: "14:25".
    static QString clock(const QDateTime& moment);
    // One decimal, the Persian decimal separator.
    static QString degrees(double value);
    // Whole kilometres, thousands grouped.
    static QString kilometres(double value);
    // "جنوب غربی" and the like, for an azimuth.
    static QString windName(double azimuth);

    // How often the sun's way is sampled, minutes.
    static constexpr int kPathStepMinutes = 10;
};

#pragma once

#include "platform/location/Position.h"
#include "store/Cities.h"

#include <QObject>
#include <QString>

#include <functional>

// "Where am I": the position from the desktop's location service, and the
// place of Iran nearest to it, told in Persian. A position outside Iran, or
// none at all, is a sentence that says why, and nothing else.
class WhereAmI {
public:
    struct Found {
        double latitude = 0;
        double longitude = 0;
        cities::NearestPlace nearest;
    };

    // Asks the location service. `found` or `failed` comes once, later,
    // unless `context` is gone first or a new question took its place.
    static void find(QObject* context, std::function<void(const Found&)> found, std::function<void(const QString& why)> failed);

    // What is said while the service looks.
    static QString lookingText();
    // Why there is no position.
    static QString failureText(location::Failure failure);
    // The position is not in Iran.
    static QString outsideText();
    // "نزدیک‌ترین: کاشان، ۳ کیلومتر"
    static QString nearestText(const cities::NearestPlace& place);
    // "۳ کیلومتر", or under a kilometre.
    static QString distanceText(double km);
};

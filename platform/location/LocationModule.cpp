#include "LocationModule.h"

#include "platform/foundation/Log.h"

#include <QCoreApplication>
#include <QLibrary>

namespace location {

LocationModule* LocationModule::shared()
{
    static LocationModule* module = []() -> LocationModule* {
        // Beside the executable, as built and as installed; the build's own
        // folder for the tests, whose executables live elsewhere.
        QStringList places = {QCoreApplication::applicationDirPath()};
#ifdef KELVARO_LOCATION_MODULE_DIR
        places.append(QStringLiteral(KELVARO_LOCATION_MODULE_DIR));
#endif
        QString errors;
        for (const QString& place : places) {
            QLibrary library(place + QStringLiteral("/kelvaro-location"));
            if (auto make = reinterpret_cast<LocationModule* (*)()>(library.resolve("kelvaroLocationModule")))
                return make();
            errors += QLatin1Char(' ') + library.errorString();
        }
        foundation::Log::write(QStringLiteral("no location module: positions cannot be found (%1)").arg(errors.trimmed()));
        return nullptr;
    }();
    return module;
}

} // namespace location

#include "LocationModule.h"

#include "platform/foundation/Directories.h"
#include "platform/foundation/Log.h"

#include <QLibrary>

namespace location {

LocationModule* LocationModule::shared()
{
    static LocationModule* module = []() -> LocationModule* {
        // Where the app's modules are, as built and as installed (the tests
        // name the build's folder themselves).
        QLibrary library(foundation::Directories::modulePath() + QStringLiteral("/kelvaro-location"));
        if (auto make = reinterpret_cast<LocationModule* (*)()>(library.resolve("kelvaroLocationModule")))
            return make();
        foundation::Log::write(QStringLiteral("no location module: positions cannot be found (%1)").arg(library.errorString()));
        return nullptr;
    }();
    return module;
}

} // namespace location

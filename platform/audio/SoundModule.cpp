#include "SoundModule.h"

#include "platform/foundation/Log.h"

#include <QCoreApplication>
#include <QLibrary>

namespace audio {

SoundModule* SoundModule::shared()
{
    static SoundModule* module = [] () -> SoundModule* {
        // Beside the executable, as built and as installed; the build's own
        // folder for the tests, whose executables live elsewhere.
        QStringList places = {QCoreApplication::applicationDirPath()};
#ifdef KELVARO_SOUND_MODULE_DIR
        places.append(QStringLiteral(KELVARO_SOUND_MODULE_DIR));
#endif
        QString errors;
        for (const QString& place : places) {
            QLibrary library(place + QStringLiteral("/kelvaro-sound"));
            if (auto make = reinterpret_cast<SoundModule* (*)()>(library.resolve("kelvaroSoundModule")))
                return make();
            errors += QLatin1Char(' ') + library.errorString();
        }
        foundation::Log::write(QStringLiteral("no sound module: sounds are not heard (%1)").arg(errors.trimmed()));
        return nullptr;
    }();
    return module;
}

} // namespace audio

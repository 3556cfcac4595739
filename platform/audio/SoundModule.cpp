#include "SoundModule.h"

#include "platform/foundation/Directories.h"
#include "platform/foundation/Log.h"

#include <QLibrary>

namespace audio {

SoundModule* SoundModule::shared()
{
    static SoundModule* module = [] () -> SoundModule* {
        // In the app's module folder: beside the executable as built, in
        // lib/<architecture>/kelvaro as installed (foundation::Directories);
        // the tests name their build's folder.
        QLibrary library(foundation::Directories::modulePath() + QStringLiteral("/kelvaro-sound"));
        if (auto make = reinterpret_cast<SoundModule* (*)()>(library.resolve("kelvaroSoundModule")))
            return make();
        foundation::Log::write(QStringLiteral("no sound module: sounds are not heard (%1)").arg(library.errorString()));
        return nullptr;
    }();
    return module;
}

} // namespace audio

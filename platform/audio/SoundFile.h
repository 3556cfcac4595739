#pragma once

#include <QString>

namespace audio {

// The sounds a notification may name: plain file names of the resource
// folder. Anything else (a path, a file that is not there) plays the
// default sound; no name plays nothing.
class SoundFile {
public:
    static constexpr const char* kDefault = "alarm.wav";

    // The file that plays for `name`, or empty for silence.
    static QString resolve(const QString& name);
    // How long a WAV file plays, in milliseconds; 0 when it is not one.
    static qint64 durationMs(const QString& path);
};

} // namespace audio

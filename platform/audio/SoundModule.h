#pragma once

#include <QString>

#include <memory>

namespace audio {

// One sound file, ready to play.
class SoundEffect {
public:
    virtual ~SoundEffect() = default;
    // Plays the sound from its start.
    virtual void play() = 0;
    virtual void stop() = 0;
    // Playing, or still loading to play.
    virtual bool isPlaying() const = 0;
    // The loudness as a listener hears it, 0 silent to 1 the file's own
    // (the module turns it into the output's linear gain); at once, also
    // while playing.
    virtual void setVolume(double heard) = 0;
};

// What makes sounds heard. It lives in a module of its own, with the
// multimedia libraries it needs, loaded the first time a sound plays: a
// start that plays nothing never loads them.
class SoundModule {
public:
    virtual ~SoundModule() = default;
    // Whether the machine has any audio output.
    virtual bool hasOutput() const = 0;
    virtual std::unique_ptr<SoundEffect> effect(const QString& path) = 0;

    // The module, loaded on the first call; nothing when it cannot be
    // loaded (said once in the log).
    static SoundModule* shared();
};

} // namespace audio

// What the module exports: its one SoundModule.
extern "C" audio::SoundModule* kelvaroSoundModule();

#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace audio {

class SoundEffect;

// Plays one WAV file at once and stops on request.
class AudioPlayer {
public:
    // A player for `path`, or none when there is no such file.
    static std::unique_ptr<AudioPlayer> create(const QString& path);
    // Told of every sound that starts (tests listen here).
    static void setObserver(std::function<void(const QString& path)> observer);

    ~AudioPlayer();
    void play();
    void stop();
    bool isPlaying() const;
    QString path() const { return path_; }
    // The loudness as heard, 0 to 1 (1 the file's own); kept for the next
    // play when set before it.
    void setVolume(double heard);
    double volume() const { return volume_; }

private:
    explicit AudioPlayer(const QString& path);

    QString path_;
    std::unique_ptr<SoundEffect> effect_;
    bool playing_ = false;
    double volume_ = 1.0;
};

} // namespace audio

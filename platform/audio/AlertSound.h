#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

namespace audio {

class AudioPlayer;

// How loud a sound plays: a share of the file's own loudness, as heard,
// reached at once or rising to it from silence over AlertSound::kRiseMs.
struct Loudness {
    int percent = 100;
    bool rises = false;
    bool operator==(const Loudness&) const = default;
};

// The sound of a notification: one at a time (a new one takes the place of
// the one playing), heard to its end unless someone stops it. It counts as
// playing for the sound's length even where there is no audio output, so
// that what stops it works the same everywhere.
class AlertSound {
public:
    AlertSound();
    ~AlertSound();

    using Loudness = audio::Loudness;
    static constexpr int kRiseMs = 12000;
    static constexpr int kRiseStepMs = 200;
    // The loudness heard `elapsedMs` after the start, 0 to 1.
    static double heardAt(const Loudness& loudness, qint64 elapsedMs);

    // Starts the sound a notification names (SoundFile::resolve); returns
    // its token, or 0 when the notification has no sound.
    quint64 play(const QString& soundName, const Loudness& loudness = Loudness());
    // Stops the sound of `token` if it is the one still playing.
    void stop(quint64 token);
    // Stops whatever plays.
    void stop();
    bool isPlaying() const { return token_ != 0; }
    // The token of the sound playing, 0 for none.
    quint64 token() const { return token_; }
    // The file name of the sound playing.
    QString current() const { return name_; }
    // How loud the sound playing is now, 0 to 1, whether or not there is an
    // output to hear it; 0 when none plays.
    double volume() const { return token_ == 0 ? 0.0 : volume_; }
    Loudness loudness() const { return loudness_; }

    // Told when a sound starts or ends.
    void setChangeHandler(std::function<void()> handler) { changed_ = std::move(handler); }

private:
    void end();
    void applyVolume();

    quint64 token_ = 0;
    quint64 lastToken_ = 0;
    QString name_;
    std::unique_ptr<AudioPlayer> player_;
    QTimer ends_;
    QTimer rise_;
    QElapsedTimer started_;
    Loudness loudness_;
    double volume_ = 0.0;
    bool toldNoOutput_ = false;
    std::function<void()> changed_;
};

} // namespace audio

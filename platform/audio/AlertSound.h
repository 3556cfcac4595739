#pragma once

#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

namespace audio {

class AudioPlayer;

// The sound of a notification: one at a time (a new one takes the place of
// the one playing), heard to its end unless someone stops it. It counts as
// playing for the sound's length even where there is no audio output, so
// that what stops it works the same everywhere.
class AlertSound {
public:
    AlertSound();
    ~AlertSound();

    // Starts the sound a notification names (SoundFile::resolve); returns
    // its token, or 0 when the notification has no sound.
    quint64 play(const QString& soundName);
    // Stops the sound of `token` if it is the one still playing.
    void stop(quint64 token);
    // Stops whatever plays.
    void stop();
    bool isPlaying() const { return token_ != 0; }
    // The token of the sound playing, 0 for none.
    quint64 token() const { return token_; }
    // The file name of the sound playing.
    QString current() const { return name_; }

    // Told when a sound starts or ends.
    void setChangeHandler(std::function<void()> handler) { changed_ = std::move(handler); }

private:
    void end();

    quint64 token_ = 0;
    quint64 lastToken_ = 0;
    QString name_;
    std::unique_ptr<AudioPlayer> player_;
    QTimer ends_;
    bool toldNoOutput_ = false;
    std::function<void()> changed_;
};

} // namespace audio

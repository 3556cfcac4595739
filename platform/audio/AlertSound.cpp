#include "AlertSound.h"

#include "AudioPlayer.h"
#include "SoundFile.h"
#include "SoundModule.h"

#include "platform/foundation/Log.h"

#include <QFileInfo>

namespace audio {

AlertSound::AlertSound()
{
    ends_.setSingleShot(true);
    ends_.callOnTimeout([this] { end(); });
}

AlertSound::~AlertSound() = default;

quint64 AlertSound::play(const QString& soundName)
{
    const QString path = SoundFile::resolve(soundName);
    if (path.isEmpty())
        return 0;
    end();
    token_ = ++lastToken_;
    name_ = QFileInfo(path).fileName();
    foundation::Log::write(QStringLiteral("sound: ") + name_
        + (name_ == soundName ? QString() : QStringLiteral(" (in place of \"%1\")").arg(soundName)));
    ends_.start(static_cast<int>(SoundFile::durationMs(path)));
    SoundModule* module = SoundModule::shared();
    if (!module || !module->hasOutput()) {
        if (!toldNoOutput_)
            foundation::Log::write(QStringLiteral("no audio output: sounds are not heard"));
        toldNoOutput_ = true;
    } else {
        player_ = AudioPlayer::create(path);
        if (player_)
            player_->play();
    }
    if (changed_)
        changed_();
    return token_;
}

void AlertSound::stop(quint64 token)
{
    if (token != 0 && token == token_) {
        foundation::Log::write(QStringLiteral("sound stopped: ") + name_);
        end();
    }
}

void AlertSound::stop()
{
    stop(token_);
}

void AlertSound::end()
{
    if (token_ == 0)
        return;
    ends_.stop();
    player_.reset();
    token_ = 0;
    name_.clear();
    if (changed_)
        changed_();
}

} // namespace audio

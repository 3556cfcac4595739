#include "AudioPlayer.h"

#include "SoundModule.h"

#include <QFileInfo>

#include <algorithm>

namespace audio {

namespace {
std::function<void(const QString&)>& observer()
{
    static std::function<void(const QString&)> o;
    return o;
}
} // namespace

std::unique_ptr<AudioPlayer> AudioPlayer::create(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return nullptr;
    return std::unique_ptr<AudioPlayer>(new AudioPlayer(path));
}

void AudioPlayer::setObserver(std::function<void(const QString&)> o)
{
    observer() = std::move(o);
}

AudioPlayer::AudioPlayer(const QString& path)
    : path_(path)
{
}

AudioPlayer::~AudioPlayer()
{
    stop();
}

void AudioPlayer::play()
{
    if (!effect_) {
        if (SoundModule* module = SoundModule::shared())
            effect_ = module->effect(path_);
    }
    if (effect_) {
        effect_->setVolume(volume_);
        effect_->play();
    }
    playing_ = true;
    if (observer())
        observer()(path_);
}

void AudioPlayer::setVolume(double heard)
{
    volume_ = std::clamp(heard, 0.0, 1.0);
    if (effect_)
        effect_->setVolume(volume_);
}

void AudioPlayer::stop()
{
    if (effect_)
        effect_->stop();
    playing_ = false;
}

bool AudioPlayer::isPlaying() const
{
    return playing_ && (!effect_ || effect_->isPlaying());
}

} // namespace audio

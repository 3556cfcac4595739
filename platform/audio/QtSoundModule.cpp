// The sound module: Qt Multimedia behind SoundModule.
#include "SoundModule.h"

#include <QAudio>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include <algorithm>

namespace {

class QtSoundEffect final : public audio::SoundEffect {
public:
    explicit QtSoundEffect(const QString& path) { effect_.setSource(QUrl::fromLocalFile(path)); }

    void play() override
    {
        effect_.stop();
        effect_.play();
    }
    void stop() override { effect_.stop(); }
    bool isPlaying() const override { return effect_.isPlaying() || effect_.status() == QSoundEffect::Loading; }
    void setVolume(double heard) override
    {
        effect_.setVolume(static_cast<float>(
            QAudio::convertVolume(std::clamp(heard, 0.0, 1.0), QAudio::LogarithmicVolumeScale, QAudio::LinearVolumeScale)));
    }

private:
    QSoundEffect effect_;
};

class QtSoundModule final : public audio::SoundModule {
public:
    bool hasOutput() const override { return !QMediaDevices::audioOutputs().isEmpty(); }
    std::unique_ptr<audio::SoundEffect> effect(const QString& path) override { return std::make_unique<QtSoundEffect>(path); }
};

} // namespace

extern "C" Q_DECL_EXPORT audio::SoundModule* kelvaroSoundModule()
{
    static QtSoundModule module;
    return &module;
}

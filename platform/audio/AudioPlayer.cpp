#include "AudioPlayer.h"

#include "platform/foundation/Directories.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

#include <map>

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

void AudioPlayer::playSound(const QString& name)
{
    // The players of notification sounds live until the app ends (not
    // beyond: the audio service goes with it); at most one per sound,
    // restarted when the sound comes again.
    static std::map<QString, std::unique_ptr<AudioPlayer>> players;
    static bool cleanup = false;
    if (!cleanup && QCoreApplication::instance()) {
        cleanup = true;
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, [] { players.clear(); });
    }
    if (name.isEmpty())
        return;
    const QString path = QDir(foundation::Directories::resourcePath()).filePath(name);
    auto& player = players[path];
    if (!player)
        player = create(path);
    if (player)
        player->play();
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
        effect_ = std::make_unique<QSoundEffect>();
        effect_->setSource(QUrl::fromLocalFile(path_));
    }
    effect_->stop();
    effect_->play();
    playing_ = true;
    if (observer())
        observer()(path_);
}

void AudioPlayer::stop()
{
    if (effect_)
        effect_->stop();
    playing_ = false;
}

bool AudioPlayer::isPlaying() const
{
    return playing_ && (!effect_ || effect_->isPlaying() || effect_->status() == QSoundEffect::Loading);
}

} // namespace audio

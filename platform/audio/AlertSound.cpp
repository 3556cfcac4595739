#include "AlertSound.h"

#include "AudioPlayer.h"
#include "SoundFile.h"
#include "SoundModule.h"

#include "platform/foundation/Log.h"

#include <QFileInfo>

#include <algorithm>

namespace audio {

AlertSound::AlertSound()
{
    ends_.setSingleShot(true);
    ends_.callOnTimeout([this] { end(); });
    rise_.setInterval(kRiseStepMs);
    rise_.callOnTimeout([this] { applyVolume(); });
}

double AlertSound::heardAt(const Loudness& loudness, qint64 elapsedMs)
{
    const double full = std::clamp(loudness.percent, 0, 100) / 100.0;
    if (!loudness.rises || elapsedMs >= kRiseMs)
        return full;
    return full * static_cast<double>(std::max<qint64>(elapsedMs, 0)) / kRiseMs;
}

void AlertSound::applyVolume()
{
    volume_ = heardAt(loudness_, started_.isValid() ? started_.elapsed() : 0);
    if (player_)
        player_->setVolume(volume_);
    if (!loudness_.rises || started_.elapsed() >= kRiseMs)
        rise_.stop();
}

AlertSound::~AlertSound() = default;

quint64 AlertSound::play(const QString& soundName, const Loudness& loudness)
{
    const QString path = SoundFile::resolve(soundName);
    if (path.isEmpty())
        return 0;
    end();
    token_ = ++lastToken_;
    name_ = QFileInfo(path).fileName();
    loudness_ = loudness;
    QString how;
    if (loudness != Loudness{})
        how = QStringLiteral(" at %1%").arg(std::clamp(loudness.percent, 0, 100)) + (loudness.rises ? QStringLiteral(", rising") : QString());
    foundation::Log::write(QStringLiteral("sound: ") + name_
        + (name_ == soundName ? QString() : QStringLiteral(" (in place of \"%1\")").arg(soundName)) + how);
    ends_.start(static_cast<int>(SoundFile::durationMs(path)));
    SoundModule* module = SoundModule::shared();
    if (!module || !module->hasOutput()) {
        if (!toldNoOutput_)
            foundation::Log::write(QStringLiteral("no audio output: sounds are not heard"));
        toldNoOutput_ = true;
    } else {
        player_ = AudioPlayer::create(path);
    }
    started_.start();
    applyVolume();
    if (loudness_.rises)
        rise_.start();
    if (player_)
        player_->play();
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
    rise_.stop();
    player_.reset();
    token_ = 0;
    name_.clear();
    if (changed_)
        changed_();
}

} // namespace audio

#include "Stillness.h"

#include "platform/ui/Application.h"
#include "platform/ui/Window.h"

#include <QAbstractAnimation>

namespace device {

bool Stillness::anythingMoving()
{
    ui::Window* window = ui::Application::shared()->keyWindow();
    if (!window)
        return false;
    const QList<QAbstractAnimation*> animations = window->findChildren<QAbstractAnimation*>();
    for (QAbstractAnimation* a : animations)
        if (a->state() == QAbstractAnimation::Running)
            return true;
    return false;
}

void Stillness::whenStill(std::function<void()> then)
{
    then_ = std::move(then);
    stillPolls_ = 0;
    waitedMs_ = 0;
    timer_.setInterval(kPollMs);
    timer_.callOnTimeout(this, [this] { poll(); });
    QTimer::singleShot(kFirstLookMs, this, [this] { timer_.start(); });
}

void Stillness::poll()
{
    waitedMs_ += kPollMs;
    stillPolls_ = anythingMoving() ? 0 : stillPolls_ + 1;
    if (stillPolls_ < 2 && waitedMs_ < kGiveUpMs)
        return;
    timer_.stop();
    if (then_)
        std::exchange(then_, nullptr)();
}

} // namespace device

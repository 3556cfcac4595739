#include "Lifecycle.h"

#include "System.h"

#include "platform/ui/Application.h"
#include "platform/ui/UnsavedChanges.h"
#include "platform/ui/Window.h"

#include <QEvent>
#include <QWidget>

namespace device {

bool Lifecycle::eventFilter(QObject* watched, QEvent* event)
{
    auto* window = qobject_cast<QWidget*>(watched);
    if (window && event->type() == QEvent::WindowStateChange) {
        if (window->isMinimized())
            ui::Application::shared()->enterBackground();
        else if (window->isVisible())
            ui::Application::shared()->enterForeground();
    } else if (event->type() == QEvent::Hide && window && window->isMinimized()) {
        ui::Application::shared()->enterBackground();
    } else if (event->type() == QEvent::Close) {
        // Closing is not quitting: as a phone's app, this one goes on out of
        // sight and its notifications come.
        event->ignore();
        const System& system = system_;
        ui::Window* key = ui::Application::shared()->keyWindow();
        ui::unsaved::confirmLeaving(key ? key->rootViewController() : nullptr, [&system] { system.closeToBackground(); });
        return true;
    }
    return false;
}

} // namespace device

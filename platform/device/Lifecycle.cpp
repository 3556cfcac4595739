#include "Lifecycle.h"

#include "System.h"

#include "platform/foundation/Log.h"
#include "platform/ui/Application.h"

#include <QApplication>
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
        if (system_.tray) {
            event->ignore();
            foundation::Log::write(QStringLiteral("closed into the tray"));
            system_.sendToBackground();
            return true;
        }
        ui::Application::shared()->terminate();
        QApplication::quit();
    }
    return false;
}

} // namespace device

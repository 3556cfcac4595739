#pragma once

#include <QString>

namespace ui {
class Window;
}

namespace device {

// Shows a notification's text while the app is not in front: on the
// desktop's notification service when a session bus is there, otherwise as
// a banner at the top of the device window.
void showBanner(ui::Window* window, const QString& text);

} // namespace device

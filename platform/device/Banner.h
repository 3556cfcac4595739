#pragma once

#include <QString>

namespace ui {
class Window;
}

namespace device {

// A notification's text for a few seconds at the top of the device window,
// where the desktop has no notification service.
void showBanner(ui::Window* window, const QString& text);

} // namespace device

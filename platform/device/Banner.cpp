#include "Banner.h"

#include "platform/ui/Label.h"
#include "platform/ui/Style.h"
#include "platform/ui/Window.h"

#include <QTimer>

namespace device {

namespace {
constexpr int kBannerMs = 6000;
}

void showBanner(ui::Window* window, const QString& text)
{
    auto* banner = new ui::Label(QRect(6, 6, ui::Window::kWidth - 12, 64));
    banner->setParent(window);
    banner->setBackgroundColor(QColor(20, 20, 28, 235));
    banner->setCornerRadius(10);
    banner->setTextColor(Qt::white);
    banner->setNumberOfLines(0);
    banner->setTextAlignment(ui::TextAlignment::Center);
    banner->setTextFont(ui::font(QStringLiteral("Helvetica"), 15));
    banner->setText(text);
    banner->show();
    banner->raise();
    QTimer::singleShot(kBannerMs, banner, [banner] { banner->removeFromSuperview(); });
}

} // namespace device

#include "AppDelegate.h"

#include "platform/device/Device.h"

int main(int argc, char** argv)
{
    return device::ApplicationMain(argc, argv, [] { return std::make_unique<AppDelegate>(); },
        {QStringLiteral("MainView.png"), QStringLiteral("calendarBtn.png"), QStringLiteral("qiblaBtn.png")}, QStringLiteral(KELVARO_VERSION));
}

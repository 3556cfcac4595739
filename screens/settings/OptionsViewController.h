#pragma once

#include "screens/common/CustomUITabBarController.h"

#include "platform/ui/ViewController.h"

// Builds the settings container: its tab bar controller with the five tabs.
class OptionsViewController : public ui::ViewController {
public:
    // Made on first use; the caller takes ownership when it presents it.
    CustomUITabBarController* tabBarControl();

private:
    CustomUITabBarController* tabBarControl_ = nullptr;
};

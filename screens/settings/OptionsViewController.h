#pragma once

#include "screens/common/CustomUITabBarController.h"

#include "platform/ui/ViewController.h"

// Builds the settings container: its tab bar controller with the five tabs.
class OptionsViewController : public ui::ViewController {
public:
    // The first tab is `cities`, the chosen cities' screen, which the caller
    // makes (the settings do not know it); it gets the search on the left
    // of its bar and Done on the right. The caller takes ownership of the
    // tab bar controller when it presents it.
    CustomUITabBarController* tabBarControl(ui::ViewController* cities);
};

#include "OptionsViewController.h"

CustomUITabBarController* OptionsViewController::tabBarControl()
{
    if (!tabBarControl_)
        tabBarControl_ = new CustomUITabBarController;
    return tabBarControl_;
}

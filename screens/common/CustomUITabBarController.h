#pragma once

#include "platform/ui/TabBarController.h"

class SelectionControllerDelegate;

// The settings' tab bar controller; it carries the screen that opened it.
class CustomUITabBarController : public ui::TabBarController {
public:
    void setParentDelegate(SelectionControllerDelegate* delegate) { parentDelegate_ = delegate; }
    SelectionControllerDelegate* parentDelegate() const { return parentDelegate_; }

private:
    SelectionControllerDelegate* parentDelegate_ = nullptr;
};

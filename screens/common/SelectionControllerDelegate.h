#pragma once

// The screen that opened the settings; Done hands control back to it.
class SelectionControllerDelegate {
public:
    virtual ~SelectionControllerDelegate() = default;
    virtual void closeForm() = 0;
};

#pragma once

#include <QString>

// The screen that opened the search; it removes the search when it is over.
class SearchControllerDelegate {
public:
    virtual ~SearchControllerDelegate() = default;
    virtual void closeForm() = 0;
    // A province was chosen (provinces mode only).
    virtual void setProvince(int, const QString&) {}
};

#pragma once

#include <QString>

#include <functional>

namespace foundation {

// Opens a URL with whatever the system has for it (browser, mail program).
// The user-interface layer installs the real handler; without one the
// request is only logged.
class UrlOpener {
public:
    static bool open(const QString& url);
    static void setHandler(std::function<bool(const QString&)> handler);
};

} // namespace foundation

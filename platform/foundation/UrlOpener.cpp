#include "UrlOpener.h"

#include "Log.h"

namespace foundation {

namespace {
std::function<bool(const QString&)>& handlerRef()
{
    static std::function<bool(const QString&)> handler;
    return handler;
}
} // namespace

bool UrlOpener::open(const QString& url)
{
    if (handlerRef())
        return handlerRef()(url);
    Log::write(QStringLiteral("open %1").arg(url));
    return false;
}

void UrlOpener::setHandler(std::function<bool(const QString&)> handler)
{
    handlerRef() = std::move(handler);
}

} // namespace foundation

// The reader of the pending-notifications file, which outlives the app and
// may be damaged or written by anyone: it never crashes, keeps only what is
// a notification, and what it keeps is written and read back the same.
#include "platform/notifications/NotificationCenter.h"

#include <cstdint>
#include <cstdlib>

using notifications::LocalNotification;
using notifications::NotificationCenter;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QList<LocalNotification> list = NotificationCenter::read(bytes);
    for (const LocalNotification& n : list)
        if (!n.fireDate.isValid())
            std::abort();
    const QList<LocalNotification> again = NotificationCenter::read(NotificationCenter::write(list));
    if (again.size() != list.size())
        std::abort();
    (void)NotificationCenter::describe(list);
    return 0;
}

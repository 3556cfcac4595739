#include "platform/device/SingleInstance.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using device::SingleInstance;

// Runs the event loop until `done` or a few seconds have passed.
bool waitFor(const std::function<bool()>& done)
{
    const QDeadlineTimer deadline(5000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return done();
}

TEST(SingleInstanceTest, ALaterStartOnTheSameSandboxOnlyAsksTheFirstToShow)
{
    QTemporaryDir dir;
    const QString home = dir.filePath("phone");
    int shown = 0;
    auto first = std::make_unique<SingleInstance>(home);
    ASSERT_TRUE(first->acquire());
    first->setShowHandler([&shown] { ++shown; });

    SingleInstance second(home);
    EXPECT_FALSE(second.acquire());
    // The same folder by another spelling is the same sandbox.
    SingleInstance third(home + "/Library/..");
    EXPECT_FALSE(third.acquire());
    EXPECT_TRUE(second.askToShow());
    EXPECT_TRUE(waitFor([&shown] { return shown == 1; }));

    // Another sandbox runs on its own.
    SingleInstance other(dir.filePath("other"));
    EXPECT_TRUE(other.acquire());

    // Once the first has gone (however it ended), the sandbox is free again
    // and a new start listens under the same name.
    first.reset();
    SingleInstance again(home);
    ASSERT_TRUE(again.acquire());
    int shownAgain = 0;
    again.setShowHandler([&shownAgain] { ++shownAgain; });
    EXPECT_TRUE(SingleInstance(home).askToShow());
    EXPECT_TRUE(waitFor([&shownAgain] { return shownAgain == 1; }));
    EXPECT_EQ(shown, 1);
}

} // namespace

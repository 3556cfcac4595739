// Where the user is, through the location module and Qt Positioning's NMEA
// plugin reading logs written for the tests; and each way there is none.
#include "platform/location/Locator.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace std::chrono_literals;

namespace {

QString log(const char* name)
{
    return QStringLiteral(KELVARO_SOURCE_DIR "/tests/data/positions/") + QString::fromLatin1(name);
}

class LocatorTest : public ::testing::Test {
protected:
    void SetUp() override { locator->setTimeout(location::Locator::kTimeout); }
    void TearDown() override
    {
        locator->cancel();
        locator->setSource(QString());
        locator->setTimeout(location::Locator::kTimeout);
    }

    // Asks, and waits for the answer (at most `wait`).
    std::optional<location::Answer> ask(const QString& source, std::chrono::milliseconds wait = 10s)
    {
        locator->setSource(source);
        std::optional<location::Answer> answer;
        locator->locate(&context, [&answer](const location::Answer& a) { answer = a; });
        const QDeadlineTimer deadline(wait);
        while (!answer && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return answer;
    }

    location::Locator* locator = location::Locator::shared();
    QObject context;
};

} // namespace

// The answers through the search are tested with its screen
// (WhereAmITest); here, what only the locator decides.
TEST_F(LocatorTest, ALogThatCannotBeReadIsNoService)
{
    const std::optional<location::Answer> answer = ask(log("no-such-log.nmea"));
    ASSERT_TRUE(answer);
    EXPECT_FALSE(answer->fix);
    EXPECT_EQ(answer->failure, location::Failure::NoService);
    EXPECT_FALSE(locator->isLocating());
}

TEST_F(LocatorTest, NoFixInTimeIsSaidWhenTheTimeIsUp)
{
    // A receiver that hears no satellite: its log has sentences, none with
    // a fix. The wait is the device's to set; here a quarter of a second.
    locator->setTimeout(250ms);
    const std::optional<location::Answer> answer = ask(log("no-fix.nmea"));
    ASSERT_TRUE(answer);
    EXPECT_FALSE(answer->fix);
    EXPECT_EQ(answer->failure, location::Failure::NoFix);
}

TEST_F(LocatorTest, AnAnswerGoesOnlyToTheLatestAskerStillThere)
{
    locator->setSource(log("near-kashan.nmea"));
    // The first asker's request is replaced by the second's.
    int first = 0;
    int second = 0;
    locator->locate(&context, [&first](const location::Answer&) { ++first; });
    locator->locate(&context, [&second](const location::Answer&) { ++second; });
    // An asker that is gone gets nothing.
    int gone = 0;
    {
        auto screen = std::make_unique<QObject>();
        QObject* asker = screen.get();
        const QDeadlineTimer deadline(5s);
        while (second == 0 && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        locator->locate(asker, [&gone](const location::Answer&) { ++gone; });
    }
    const QDeadlineTimer deadline(1500ms);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
    EXPECT_EQ(gone, 0);
    EXPECT_FALSE(locator->isLocating());
}

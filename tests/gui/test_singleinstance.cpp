// One running instance per user: a later start is refused and brings the first forward.

#include "app/ui/singleinstance.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QUuid>
#include <gtest/gtest.h>

namespace {

TEST(SingleInstance, SecondClaimIsRefusedAndReachesTheFirst)
{
    const QString name = QStringLiteral("orvane-test-") + QUuid::createUuid().toString(QUuid::Id128);
    SingleInstance first(name);
    ASSERT_TRUE(first.claim());
    QSignalSpy raised(&first, &SingleInstance::anotherStartRequested);

    SingleInstance second(name);
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(second.notifyRunning());
    EXPECT_TRUE(raised.count() > 0 || raised.wait(3000));
}

TEST(SingleInstance, ReleasedInstanceCanBeClaimedAgain)
{
    const QString name = QStringLiteral("orvane-test-") + QUuid::createUuid().toString(QUuid::Id128);
    {
        SingleInstance first(name);
        ASSERT_TRUE(first.claim());
    }
    SingleInstance again(name);
    EXPECT_TRUE(again.claim());
}

TEST(SingleInstance, MessageNamesTheExecutableOnItsOwnLine)
{
    EXPECT_EQ(SingleInstance::alreadyRunningMessage(QStringLiteral("/opt/orvane/orvane")),
              QStringLiteral("/opt/orvane/orvane\r起動済みです｡"));
}

} // namespace

// One running instance per settings file: a later start that would share the settings
// file is refused and brings the first forward, whatever its environment.

#include "app/ui/singleinstance.h"
#include "base/globals.h"
#include "support/testdir.h"

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(SingleInstance, SecondClaimIsRefusedAndReachesTheFirst)
{
    TestDir dir;
    SingleInstance first(dir.path());
    ASSERT_TRUE(first.claim());
    QSignalSpy raised(&first, &SingleInstance::anotherStartRequested);

    SingleInstance second(dir.path());
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(second.notifyRunning());
    EXPECT_TRUE(raised.count() > 0 || raised.wait(3000));
}

TEST(SingleInstance, ReleasedInstanceCanBeClaimedAgain)
{
    TestDir dir;
    {
        SingleInstance first(dir.path());
        ASSERT_TRUE(first.claim());
    }
    SingleInstance again(dir.path());
    EXPECT_TRUE(again.claim());
}

TEST(SingleInstance, KeyedOnTheSettingsFolderNotTheEnvironment)
{
    TestDir dir;
    dir.createDir(QStringLiteral("exe1"));
    dir.createDir(QStringLiteral("exe2"));
    dir.createDir(QStringLiteral("run1"));
    dir.createDir(QStringLiteral("run2"));
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray tmp = qgetenv("TMPDIR");

    // The same copy started with different runtime and temporary folders.
    GlobalInit(dir.file(QStringLiteral("exe1/orvane")));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir.file(QStringLiteral("run1"))));
    qputenv("TMPDIR", QFile::encodeName(dir.file(QStringLiteral("run1"))));
    EXPECT_EQ(SingleInstance::settingsFolder(), dir.file(QStringLiteral("exe1")));
    SingleInstance first(SingleInstance::settingsFolder());
    ASSERT_TRUE(first.claim());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir.file(QStringLiteral("run2"))));
    qputenv("TMPDIR", QFile::encodeName(dir.file(QStringLiteral("run2"))));
    SingleInstance sameCopy(SingleInstance::settingsFolder());
    EXPECT_FALSE(sameCopy.claim());
    EXPECT_TRUE(sameCopy.notifyRunning());
    // Reached through another path to the same folder.
    SingleInstance otherPath(dir.file(QStringLiteral("run1/../exe1")));
    EXPECT_FALSE(otherPath.claim());

    // Another copy with a settings file of its own runs beside it.
    GlobalInit(dir.file(QStringLiteral("exe2/orvane")));
    SingleInstance otherCopy(SingleInstance::settingsFolder());
    EXPECT_TRUE(otherCopy.claim());

    runtime.isNull() ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", runtime);
    tmp.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmp);
}

TEST(SingleInstance, MessageNamesTheExecutableOnItsOwnLine)
{
    EXPECT_EQ(SingleInstance::alreadyRunningMessage(QStringLiteral("/opt/orvane/orvane")),
              QStringLiteral("/opt/orvane/orvane\r起動済みです｡"));
}

} // namespace

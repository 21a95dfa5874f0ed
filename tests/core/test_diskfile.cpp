// Whole-file writes: atomic, permission-keeping, and refusing read-only files even as root.

#include "base/diskfile.h"
#include "support/testdir.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

TEST(DiskFile, WriteReplacesTheWholeFileAndKeepsPermissions)
{
    TestDir dir;
    dir.createFile(QStringLiteral("a.txt"), "old content that is longer");
    QFile::setPermissions(dir.file(QStringLiteral("a.txt")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    QString error;
    ASSERT_TRUE(DiskFile::writeAtomic(dir.file(QStringLiteral("a.txt")), "new", &error)) << error.toStdString();
    EXPECT_EQ(dir.read(QStringLiteral("a.txt")), QByteArray("new"));
    EXPECT_EQ(QFile::permissions(dir.file(QStringLiteral("a.txt"))),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::ReadUser | QFile::WriteUser);
}

TEST(DiskFile, RefusalsNameTheFileAndChangeNothing)
{
    TestDir dir;
    dir.createFile(QStringLiteral("ro.txt"), "keep");
    QFile::setPermissions(dir.file(QStringLiteral("ro.txt")), QFile::ReadOwner | QFile::ReadOther);
    dir.createDir(QStringLiteral("folder"));
    const QString cases[] = {QStringLiteral("ro.txt"), QStringLiteral("folder"), QStringLiteral("missing/x.txt")};
    for (const QString &name : cases) {
        QString error;
        EXPECT_FALSE(DiskFile::writeAtomic(dir.file(name), "x", &error)) << name.toStdString();
        EXPECT_TRUE(error.contains(dir.file(name))) << error.toStdString();
    }
    EXPECT_EQ(dir.read(QStringLiteral("ro.txt")), QByteArray("keep"));
    EXPECT_FALSE(dir.exists(QStringLiteral("missing")));
}

TEST(DiskFile, WriteTextRefusesWhatShiftJisCannotHold)
{
    TestDir dir;
    dir.createFile(QStringLiteral("a.txt"), "keep");
    QString error;
    EXPECT_FALSE(DiskFile::writeText(dir.file(QStringLiteral("a.txt")), QString::fromUtf16(u"caf\u00e9"), &error));
    EXPECT_TRUE(error.contains(QString::fromUtf16(u"\u00e9")));
    EXPECT_EQ(dir.read(QStringLiteral("a.txt")), QByteArray("keep"));
    ASSERT_TRUE(DiskFile::writeText(dir.file(QStringLiteral("a.txt")), QString::fromUtf16(u"～①")));
    EXPECT_EQ(dir.read(QStringLiteral("a.txt")), QByteArray::fromHex("81608740"));
}

TEST(DiskFile, WritingThroughALinkChangesItsTargetAndKeepsTheLink)
{
    TestDir dir;
    dir.createFile(QStringLiteral("target.txt"), "old");
    QFile::link(dir.file(QStringLiteral("target.txt")), dir.file(QStringLiteral("link.txt")));
    ASSERT_TRUE(DiskFile::writeAtomic(dir.file(QStringLiteral("link.txt")), "new"));
    EXPECT_EQ(dir.read(QStringLiteral("target.txt")), QByteArray("new"));
    EXPECT_TRUE(QFileInfo(dir.file(QStringLiteral("link.txt"))).isSymLink());
}

} // namespace

// Whole-file writes: atomic, permission-keeping, and refusing read-only files even as root.

#include "base/diskfile.h"
#include "base/filefaults.h"
#include "support/testdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

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

// Every step of a write failing in turn: the previous file stays byte for byte (or stays
// missing), nothing is left beside it, and the error names the file and the reason.
TEST(DiskFile, EveryFailingStepLeavesThePreviousFile)
{
    using FileFaults::Operation;
    struct Step { Operation op; int after; };
    // A 200 KB write takes several write calls; the third one fails too.
    const Step steps[] = {{Operation::Write, 0}, {Operation::Write, 2}, {Operation::Flush, 0}, {Operation::Rename, 0}};
    const QByteArray large(200 * 1024, 'n');
    for (const Step &step : steps) {
        for (const int error : {ENOSPC, EACCES, EIO}) {
            for (const bool existed : {true, false}) {
                TestDir dir;
                if (existed)
                    dir.createFile(QStringLiteral("a.txt"), "previous");
                QString message;
                FileFaults::Scope fault(step.op, error, step.after);
                EXPECT_FALSE(DiskFile::writeAtomic(dir.file(QStringLiteral("a.txt")), large, &message));
                EXPECT_FALSE(FileFaults::pending());
                EXPECT_TRUE(message.contains(dir.file(QStringLiteral("a.txt"))));
                EXPECT_TRUE(message.contains(QString::fromLocal8Bit(std::strerror(error)))) << message.toStdString();
                if (existed)
                    EXPECT_EQ(dir.read(QStringLiteral("a.txt")), QByteArray("previous"));
                const QStringList left = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
                EXPECT_EQ(left, existed ? QStringList{QStringLiteral("a.txt")} : QStringList{}) << left.join(u',').toStdString();
            }
        }
    }
    // Unarmed, the same write goes through.
    TestDir dir;
    ASSERT_TRUE(DiskFile::writeAtomic(dir.file(QStringLiteral("a.txt")), large));
    EXPECT_EQ(dir.read(QStringLiteral("a.txt")), large);
}

TEST(DiskFile, ANewFileGetsTheUsualPermissions)
{
    TestDir dir;
    ASSERT_TRUE(DiskFile::writeAtomic(dir.file(QStringLiteral("new.txt")), "x"));
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const QFileDevice::Permissions perms = QFile::permissions(dir.file(QStringLiteral("new.txt")));
    EXPECT_EQ(bool(perms & QFileDevice::ReadOther), !(mask & S_IROTH));
    EXPECT_TRUE(perms & QFileDevice::WriteOwner);
}

} // namespace

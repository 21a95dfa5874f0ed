// A file that another program has open, or that another open file holds a lock on, is
// held; a read-only file is not.

#include "nodeops/fileheld.h"
#include "support/testdir.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

int openFd(const QString &path, int flags)
{
    return ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
}

TEST(FileHeld, PlainFileFolderAndNothingAreNotHeld)
{
    TestDir dir;
    dir.createFile(QStringLiteral("a.txt"), "x");
    dir.createDir(QStringLiteral("sub"));
    EXPECT_FALSE(FileHeld(dir.file(QStringLiteral("a.txt"))));
    EXPECT_FALSE(FileHeld(dir.file(QStringLiteral("sub"))));
    EXPECT_FALSE(FileHeld(dir.file(QStringLiteral("missing"))));
    EXPECT_FALSE(FileHeld(QString()));
}

TEST(FileHeld, ReadOnlyFileIsNotHeld)
{
    TestDir dir;
    dir.createFile(QStringLiteral("a.txt"), "x");
    const QString path = dir.file(QStringLiteral("a.txt"));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    EXPECT_FALSE(FileHeld(path));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST(FileHeld, FileOpenInAnotherProgramIsHeldUntilItIsClosed)
{
    TestDir dir;
    dir.createFile(QStringLiteral("a.pdf"), "%PDF");
    dir.createFile(QStringLiteral("b.pdf"), "%PDF");
    const QString path = dir.file(QStringLiteral("a.pdf"));
    // Another program reading the file: its standard input is the file.
    QProcess reader;
    reader.setStandardInputFile(path);
    reader.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    ASSERT_TRUE(reader.waitForStarted());
    EXPECT_TRUE(FileHeld(path));
    EXPECT_FALSE(FileHeld(dir.file(QStringLiteral("b.pdf"))));
    reader.kill();
    ASSERT_TRUE(reader.waitForFinished());
    EXPECT_FALSE(FileHeld(path));

    // This program's own open files do not count.
    const int own = openFd(path, O_RDONLY);
    ASSERT_GE(own, 0);
    EXPECT_FALSE(FileHeld(path));
    ::close(own);
}

TEST(FileHeld, LockTakenThroughAnotherOpenFileIsSeenAndReleased)
{
    TestDir dir;
    dir.createFile(QStringLiteral("a.jpg"), "x");
    const QString path = dir.file(QStringLiteral("a.jpg"));

    const int whole = openFd(path, O_RDONLY);
    ASSERT_GE(whole, 0);
    ASSERT_EQ(::flock(whole, LOCK_SH), 0);
    EXPECT_TRUE(FileHeld(path));
    ::close(whole);
    EXPECT_FALSE(FileHeld(path));

    const int record = openFd(path, O_RDWR);
    ASSERT_GE(record, 0);
    struct flock lock = {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    ASSERT_EQ(::fcntl(record, F_OFD_SETLK, &lock), 0);
    EXPECT_TRUE(FileHeld(path));
    ::close(record);
    EXPECT_FALSE(FileHeld(path));
}

} // namespace

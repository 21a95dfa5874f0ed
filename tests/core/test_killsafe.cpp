// Whole-file writes survive being killed at any moment: a child process saves one file
// in a loop and is killed with SIGKILL at random moments; each time the file holds one
// complete version, never an empty file and never a mix of two.

#include "base/diskfile.h"
#include "support/testdir.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Version n: a header naming it, then a body whose length and bytes depend on n, so a
// file made of parts of two versions, or cut short, matches no version.
QByteArray version(quint32 n)
{
    QByteArray bytes = "version " + QByteArray::number(n) + "\r\n";
    const int length = 512 + int((n * 7919u) % 60000u);
    bytes.append(QByteArray(length, char('a' + n % 26)));
    bytes.append("\r\nend " + QByteArray::number(n) + "\r\n");
    return bytes;
}

// The version the bytes are, or -1.
qint64 whichVersion(const QByteArray &bytes)
{
    if (!bytes.startsWith("version "))
        return -1;
    const qsizetype eol = bytes.indexOf("\r\n");
    bool ok = false;
    const quint32 n = bytes.mid(8, eol - 8).toUInt(&ok);
    return ok && bytes == version(n) ? qint64(n) : -1;
}

TEST(KillSafeWrite, AKilledSaverLeavesOneCompleteVersion)
{
    TestDir dir;
    const QString path = dir.file(QStringLiteral("memo.txt"));
    ASSERT_TRUE(DiskFile::writeAtomic(path, version(0)));

    QRandomGenerator random(20261211);
    quint32 next = 1;
    qint64 lastSeen = 0;
    int killedMidWay = 0;
    for (int round = 0; round < 200; ++round) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const quint32 first = next;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            for (quint32 n = first;; ++n) {
                QString error;
                if (!DiskFile::writeAtomic(path, version(n), &error)) {
                    std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
                    ::_exit(3);
                }
                if (n == first) {
                    const char c = 1;
                    (void)!::write(ready[1], &c, 1);
                }
            }
        }
        ::close(ready[1]);
        // The child has saved once; kill it somewhere in one of its next saves.
        char c = 0;
        ASSERT_EQ(::read(ready[0], &c, 1), 1);
        ::close(ready[0]);
        ::usleep(useconds_t(random.bounded(3000)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saver stopped by itself in round " << round;

        const QByteArray bytes = dir.read(QStringLiteral("memo.txt"));
        const qint64 seen = whichVersion(bytes);
        ASSERT_GE(seen, qint64(first)) << "round " << round << ": " << bytes.size() << " bytes, not a whole version";
        ASSERT_GE(seen, lastSeen);
        lastSeen = seen;
        next = quint32(seen) + 100000; // fresh numbers for the next child
        ++killedMidWay;
    }
    EXPECT_EQ(killedMidWay, 200);
}

} // namespace

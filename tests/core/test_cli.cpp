// orvane-cli list: the tree as the application reads it, one node per line.

#include "support/testdir.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun runCli(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(ORVANE_BINARY_DIR "/orvane-cli"), args);
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

TEST(Cli, ListsIndexLevelKindFolderPathAndName)
{
    TestDir dir;
    dir.createSjisFile(QStringLiteral("T.Orvan"), QStringLiteral("日記\r\n\tメモ.txt\r\n\t写真.jpg\r\n\t\tx\r\n他.doc\r\n"));
    dir.createDir(QStringLiteral("日記"));
    dir.createFile(QStringLiteral("日記/メモ.txt"));
    dir.createFile(QStringLiteral("日記/写真.jpg"));
    dir.createFile(QStringLiteral("他.doc"));
    const CliRun r = runCli({QStringLiteral("list"), dir.file(QStringLiteral("T.Orvan"))});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("0\t0\t0\t\\\t日記\n"
                                    "1\t1\t1\t\\日記\\\tメモ.txt\n"
                                    "2\t1\t3\t\\日記\\\t写真.jpg\n"
                                    "3\t2\t5\t\\日記\\写真.jpg\\\tx\n"
                                    "4\t0\t4\t\\\t他.doc\n"));
}

TEST(Cli, LevelJumpPrintsNodesBeforeThenOneErrorLine)
{
    TestDir dir;
    dir.createFile(QStringLiteral("T.Orvan"), "A\r\n\t\tDeep\r\n");
    const CliRun r = runCli({QStringLiteral("list"), dir.file(QStringLiteral("T.Orvan"))});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, QStringLiteral("0\t0\t5\t\\\tA\n"));
    const QStringList errLines = r.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(errLines.size(), 1);
    EXPECT_TRUE(errLines[0].contains(dir.file(QStringLiteral("T.Orvan"))));
    EXPECT_TRUE(errLines[0].contains(QStringLiteral("Deep")));
    EXPECT_TRUE(errLines[0].contains(QStringLiteral("2")));
}

TEST(Cli, UnreadableFileAndBadUsage)
{
    TestDir dir;
    const CliRun missing = runCli({QStringLiteral("list"), dir.file(QStringLiteral("none.Orvan"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_TRUE(missing.err.contains(dir.file(QStringLiteral("none.Orvan"))));
    EXPECT_EQ(runCli({QStringLiteral("frobnicate")}).exitCode, 2);
}

} // namespace

// orvane-cli list: the tree as the application reads it, one node per line; help and
// version of both programs.

#include "support/clirun.h"
#include "support/testdir.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

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

TEST(CliCheck, ListsNodesWithoutFilesAndEntriesWithoutNodesAndChangesNothing)
{
    TestDir dir;
    dir.createSjisFile(QStringLiteral("T.Orvan"),
                       QStringLiteral("日記\r\n\tメモ.txt\r\n\t消えた.txt\r\n写真.jpg\r\n空\r\n"));
    dir.createFile(QStringLiteral("日記/メモ.txt"), "m");
    dir.createFile(QStringLiteral("日記/新しい.txt"), "n");
    dir.createFile(QStringLiteral("日記/.git/config"), "hidden folders are not listed");
    dir.createFile(QStringLiteral("写真.jpg"), "j");
    dir.createFile(QStringLiteral("写真.jpg.TMEM"), "comment of an existing node");
    dir.createDir(QStringLiteral("もう一つ"));
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    const QByteArray treeBefore = dir.read(QStringLiteral("T.Orvan"));
    const CliRun r = runCli({QStringLiteral("check"), dir.file(QStringLiteral("T.Orvan"))});
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("no-node\t\\\tもう一つ\n"
                                    "no-node\t\\日記\\\t新しい.txt\n"
                                    "no-file\t2\t\\日記\\\t消えた.txt\n"
                                    "no-file\t4\t\\\t空\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
    EXPECT_EQ(dir.read(QStringLiteral("T.Orvan")), treeBefore);
}

TEST(CliCheck, ExitStatuses)
{
    TestDir dir;
    dir.createSjisFile(QStringLiteral("T.Orvan"), QStringLiteral("a.txt\r\n"));
    dir.createFile(QStringLiteral("a.txt"));
    const CliRun ok = runCli({QStringLiteral("check"), dir.file(QStringLiteral("T.Orvan"))});
    EXPECT_EQ(ok.exitCode, 0);
    EXPECT_TRUE(ok.out.isEmpty());

    dir.createFile(QStringLiteral("Bad.Orvan"), "A\r\n\t\tDeep\r\n");
    const CliRun bad = runCli({QStringLiteral("check"), dir.file(QStringLiteral("Bad.Orvan"))});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.out.isEmpty());
    EXPECT_FALSE(bad.err.isEmpty());
    EXPECT_EQ(runCli({QStringLiteral("check"), dir.file(QStringLiteral("none.Orvan"))}).exitCode, 2);
    EXPECT_EQ(runCli({QStringLiteral("check")}).exitCode, 2);
    EXPECT_EQ(runCli({QStringLiteral("check"), dir.file(QStringLiteral("T.Orvan")), QStringLiteral("x")}).exitCode, 2);
}

} // namespace

namespace {

CliRun runProgram(const QString &program, const QStringList &args, bool withoutDisplay = false)
{
    QProcess p;
    if (withoutDisplay) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        p.setProcessEnvironment(env);
    }
    p.start(program, args);
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

// Help and version print on stdout and end with 0; a wrong request for help is bad usage.
TEST(CliHelp, HelpVersionAndUsageOfOneCommand)
{
    const CliRun overview = runCli({QStringLiteral("--help")});
    EXPECT_EQ(overview.exitCode, 0);
    EXPECT_TRUE(overview.err.isEmpty());
    EXPECT_TRUE(overview.out.startsWith(QStringLiteral("usage: orvane-cli COMMAND [ARGUMENTS]\n")));
    EXPECT_TRUE(overview.out.contains(QStringLiteral("\n  list TREE ")));
    EXPECT_TRUE(overview.out.contains(QStringLiteral("\n  help [COMMAND] ")));
    EXPECT_TRUE(overview.out.contains(QStringLiteral("exit status: 0 success, 1 ")));
    EXPECT_EQ(runCli({QStringLiteral("-h")}).out, overview.out);
    EXPECT_EQ(runCli({QStringLiteral("help")}).out, overview.out);

    const CliRun list = runCli({QStringLiteral("help"), QStringLiteral("list")});
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_EQ(list.out, QStringLiteral("usage: orvane-cli list TREE\n"
                                       "one line per node: index, level, kind, folder path, name\n"));

    const CliRun version = runCli({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("orvane-cli " ORVANE_VERSION "\n"));

    struct Bad {
        QStringList args;
        QString err; // the start of what stderr says
    };
    const Bad bad[] = {
        {{}, QStringLiteral("usage: orvane-cli COMMAND")},
        {{QStringLiteral("help"), QStringLiteral("nosuch")}, QStringLiteral("usage: orvane-cli help [COMMAND]")},
        {{QStringLiteral("help"), QStringLiteral("list"), QStringLiteral("x")}, QStringLiteral("usage: orvane-cli help")},
        {{QStringLiteral("--version"), QStringLiteral("x")}, QStringLiteral("usage: orvane-cli --version")},
        {{QStringLiteral("list")}, QStringLiteral("usage: orvane-cli list TREE")},
    };
    for (const Bad &b : bad) {
        const CliRun r = runCli(b.args);
        EXPECT_EQ(r.exitCode, 2) << b.args.join(u' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << b.args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.startsWith(b.err)) << r.err.toStdString();
    }
}

// The application answers --help and --version on the terminal, with no display at all.
TEST(CliHelp, ApplicationHelpAndVersionNeedNoDisplay)
{
    const QString orvane = QStringLiteral(ORVANE_BINARY_DIR "/orvane");
    const CliRun help = runProgram(orvane, {QStringLiteral("--help")}, true);
    EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("usage: orvane [TREE]\n")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("--version")));
    const CliRun version = runProgram(orvane, {QStringLiteral("--version")}, true);
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("orvane " ORVANE_VERSION "\n"));
}

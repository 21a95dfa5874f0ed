// orvane-cli export: the dialog's engine and settings file from the command line.

#include "support/clirun.h"
#include "support/fileattrs.h"
#include "support/testdir.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// A tree with two chapters, a body for 目的, and a settings file "S.Ini".
struct CliFixture {
    TestDir dir;
    CliFixture()
    {
        dir.createSjisFile(QStringLiteral("T.Orvan"), QStringLiteral("概要\r\n\t目的\r\n\t範囲\r\n設計\r\n\t目的\r\n"));
        dir.createSjisFile(QStringLiteral("目的.TXT"), QStringLiteral("本文\r\n"));
        dir.createSjisFile(QStringLiteral("S.Ini"),
                           QStringLiteral("[OUTLINE]\r\nOUTLIN=3\r\nKUGISW=1\r\nKUGIRI=．\r\nINDSW=1\r\nINDENT=TAB\r\n"
                                          "INDADDSW=1\r\nMOKUJI=1\r\nSEPA0=1\r\nSEPA1=＊\r\n"));
    }
    QString f(const char *name) const { return dir.file(QString::fromUtf8(name)); }
};

TEST(CliExport, ExportsWithTheSettingsFileAndWritesTheContentsWhenAsked)
{
    CliFixture fx;
    const CliRun r = runCli({"export", fx.f("T.Orvan"), fx.f("o/OUT.TXT"), "--toc", fx.f("TOC.TXT"),
                             "--settings", fx.f("S.Ini")});
    fx.dir.createDir(QStringLiteral("o"));
    ASSERT_EQ(r.exitCode, 1) << "OUT's folder is not made"; // o/ did not exist at the run
    const CliRun ok = runCli({"export", fx.f("T.Orvan"), fx.f("o/OUT.TXT"), "--toc", fx.f("TOC.TXT"),
                              "--settings", fx.f("S.Ini")});
    ASSERT_EQ(ok.exitCode, 0) << ok.err.toStdString();
    EXPECT_TRUE(ok.out.isEmpty());
    EXPECT_EQ(fx.dir.read(QStringLiteral("o/OUT.TXT")),
              sjis(QStringLiteral("1．概要\r\n\t1-1．目的\r\n\t\t本文\r\n＊\r\n\t1-2．範囲\r\n"
                                  "2．設計\r\n\t2-1．目的\r\n\t\t本文\r\n＊\r\n")));
    EXPECT_EQ(fx.dir.read(QStringLiteral("TOC.TXT")),
              sjis(QStringLiteral("1．概要\r\n\t1-1．目的\r\n\t1-2．範囲\r\n2．設計\r\n\t2-1．目的\r\n")));

    // A second run appends; without --toc no contents are written even though MOKUJI is set.
    ASSERT_EQ(runCli({"export", fx.f("T.Orvan"), fx.f("o/OUT.TXT"), "--settings", fx.f("S.Ini")}).exitCode, 0);
    EXPECT_EQ(fx.dir.read(QStringLiteral("o/OUT.TXT")).count(sjis(QStringLiteral("1．概要\r\n"))), 2);
    EXPECT_EQ(fx.dir.read(QStringLiteral("TOC.TXT")).count(sjis(QStringLiteral("1．概要\r\n"))), 1);
}

TEST(CliExport, BranchStartsAtTheFirstNodeWithTheTextAndTakesItsLevel)
{
    CliFixture fx;
    const CliRun r = runCli({"export", fx.f("T.Orvan"), fx.f("OUT.TXT"), "--settings", fx.f("S.Ini"), "--branch", "概要"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(fx.dir.read(QStringLiteral("OUT.TXT")),
              sjis(QStringLiteral("1．概要\r\n\t1-1．目的\r\n\t\t本文\r\n＊\r\n\t1-2．範囲\r\n")));

    // 目的 is first met on level 2: every node with that text starts a run.
    const CliRun both = runCli({"export", fx.f("T.Orvan"), fx.f("B.TXT"), "--settings", fx.f("S.Ini"), "--branch", "目的"});
    ASSERT_EQ(both.exitCode, 0) << both.err.toStdString();
    EXPECT_EQ(fx.dir.read(QStringLiteral("B.TXT")),
              sjis(QStringLiteral("\t1-1．目的\r\n\t\t本文\r\n＊\r\n\t2-1．目的\r\n\t\t本文\r\n＊\r\n")));

    const CliRun none = runCli({"export", fx.f("T.Orvan"), fx.f("N.TXT"), "--branch", "無い"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.err.contains(QStringLiteral("無い"))) << none.err.toStdString();
}

TEST(CliExport, SettingsBesideTheExecutableOrDefaults)
{
    CliFixture fx;
    fx.dir.createDir(QStringLiteral("bin"));
    const QString exe = fx.f("bin/orvane-cli");
    ASSERT_TRUE(QFile::copy(QStringLiteral(ORVANE_BINARY_DIR "/orvane-cli"), exe));
    // No settings file: preset 2 without separator or indentation, and no contents
    // (the file named by --toc is made all the same).
    ASSERT_EQ(runCli({"export", fx.f("T.Orvan"), fx.f("D.TXT"), "--toc", fx.f("DT.TXT")}, exe).exitCode, 0);
    EXPECT_TRUE(fx.dir.exists(QStringLiteral("DT.TXT")));
    EXPECT_TRUE(fx.dir.read(QStringLiteral("DT.TXT")).isEmpty());
    EXPECT_EQ(fx.dir.read(QStringLiteral("D.TXT")),
              sjis(QStringLiteral("第1章概要\r\n第1節目的\r\n本文\r\n第2節範囲\r\n第2章設計\r\n第1節目的\r\n本文\r\n")));
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("bin/BTxtOut.Ini"))) << "the command line writes no settings";

    QFile::copy(fx.f("S.Ini"), fx.f("bin/BTxtOut.Ini"));
    const QByteArray settings = fx.dir.read(QStringLiteral("bin/BTxtOut.Ini"));
    ASSERT_EQ(runCli({"export", fx.f("T.Orvan"), fx.f("E.TXT"), "--branch", "設計"}, exe).exitCode, 0);
    EXPECT_EQ(fx.dir.read(QStringLiteral("E.TXT")), sjis(QStringLiteral("2．設計\r\n\t2-1．目的\r\n\t\t本文\r\n＊\r\n")));
    EXPECT_EQ(fx.dir.read(QStringLiteral("bin/BTxtOut.Ini")), settings);
}

// A body that cannot be read half way through the walk: nothing is written and the
// file is named. File permissions hold only for an ordinary user, so the command runs
// as uid 65534 when the test runs as root.
TEST(CliExport, AnUnreadableBodyStopsTheRunWithTheEarlierOutputWhole)
{
    CliFixture fx;
    fx.dir.createSjisFile(QStringLiteral("概要.TXT"), QStringLiteral("最初の本文\r\n"));
    fx.dir.createFile(QStringLiteral("OUT.TXT"), "earlier\r\n");
    const auto all = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup
                     | QFile::ReadOther | QFile::WriteOther;
    QFile::setPermissions(fx.dir.path(), all | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
    for (const char *name : {"T.Orvan", "S.Ini", "概要.TXT", "OUT.TXT"})
        QFile::setPermissions(fx.f(name), all);
    QFile::setPermissions(fx.f("目的.TXT"), QFileDevice::Permissions());

    QProcess p;
    p.setChildProcessModifier([] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(99);
    });
    p.start(QStringLiteral(ORVANE_BINARY_DIR "/orvane-cli"),
            {"export", fx.f("T.Orvan"), fx.f("OUT.TXT"), "--settings", fx.f("S.Ini")});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_EQ(p.exitCode(), 1) << err.toStdString();
    EXPECT_TRUE(err.contains(fx.f("目的.TXT"))) << err.toStdString();
    EXPECT_EQ(fx.dir.read(QStringLiteral("OUT.TXT")), QByteArray("earlier\r\n"));
}

TEST(CliExport, RefusalsFailuresAndBadUsage)
{
    CliFixture fx;
    const CliRun noTree = runCli({"export", fx.f("none.Orvan"), fx.f("OUT.TXT")});
    EXPECT_EQ(noTree.exitCode, 1);
    EXPECT_TRUE(noTree.err.contains(QStringLiteral("Treeファイルが有りません"))) << noTree.err.toStdString();
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("OUT.TXT")));

    fx.dir.createFile(QStringLiteral("RO.TXT"), "earlier");
    setReadOnly(fx.f("RO.TXT"), true);
    const CliRun readOnly = runCli({"export", fx.f("T.Orvan"), fx.f("RO.TXT")});
    EXPECT_EQ(readOnly.exitCode, 1);
    EXPECT_TRUE(readOnly.err.contains(fx.f("RO.TXT"))) << readOnly.err.toStdString();
    EXPECT_EQ(fx.dir.read(QStringLiteral("RO.TXT")), QByteArray("earlier"));

    fx.dir.createFile(QStringLiteral("bad.Orvan"), "A\r\n\t\tdeep\r\n");
    EXPECT_EQ(runCli({"export", fx.f("bad.Orvan"), fx.f("OUT.TXT")}).exitCode, 2);

    const QList<QStringList> badUsage = {
        {"export"},
        {"export", fx.f("T.Orvan")},
        {"export", fx.f("T.Orvan"), fx.f("OUT.TXT"), "extra"},
        {"export", fx.f("T.Orvan"), fx.f("OUT.TXT"), "--toc"},
        {"export", fx.f("T.Orvan"), fx.f("OUT.TXT"), "--frob", "x"},
        {"export", fx.f("T.Orvan"), fx.f("OUT.TXT"), "--settings", fx.f("missing.Ini")},
    };
    for (const QStringList &args : badUsage) {
        const CliRun r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty());
    }
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("OUT.TXT")));
}

} // namespace

// orvane-cli pdf: a node printed into a PDF file through the report code, with the
// print options of a settings file; refusals and bad input by exit status.

#include "support/clirun.h"
#include "support/pdftext.h"
#include "support/picturefixtures.h"
#include "support/testdir.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct PdfTree {
    TestDir dir;
    QString tree;
    PdfTree()
    {
        dir.createSjisFile(QStringLiteral("T.Orvan"),
                           QStringLiteral("日記\r\n\t今日.txt\r\n\t写真.bmp\r\n\t書式.rtf\r\n他.doc\r\n"));
        dir.createSjisFile(QStringLiteral("日記/今日.txt"), QStringLiteral("晴れのち雨\r\n\t字下げ"));
        dir.createFile(QStringLiteral("日記/写真.bmp"),
                       PictureFixtures::encoded(PictureFixtures::twoColour(QSize(40, 30), Qt::red, Qt::blue), "BMP"));
        dir.createSjisFile(QStringLiteral("日記/写真.bmp.TMEM"), QStringLiteral("海辺で撮影"));
        dir.createFile(QStringLiteral("日記/書式.rtf"), "{\\rtf1\\ansi {\\b bold} words\\par}");
        dir.createFile(QStringLiteral("他.doc"), "x");
        dir.createSjisFile(QStringLiteral("title.ini"),
                           QStringLiteral("[印刷]\r\nタイトル=1\r\nファイル名=1\r\nページ数=1\r\n"));
        tree = dir.file(QStringLiteral("T.Orvan"));
    }
    QString out() const { return dir.file(QStringLiteral("out.pdf")); }
};

TEST(CliPdf, EachPrintableKindIsWrittenWithTheSettingsGiven)
{
    PdfTree fx;
    struct Case {
        int index;
        QStringList extra;
        QStringList expected;
        QStringList absent;
    };
    const QString memoPath = fx.dir.file(QStringLiteral("日記/今日.txt"));
    const Case cases[] = {
        {1, {}, {QStringLiteral("晴れのち雨"), QStringLiteral("字下げ")}, {QStringLiteral("今日.txt"), QStringLiteral("P.")}},
        {1, {QStringLiteral("--settings"), fx.dir.file(QStringLiteral("title.ini"))},
         {QStringLiteral("晴れのち雨"), memoPath, QStringLiteral("P. 1")}, {}},
        {2, {QStringLiteral("--settings"), fx.dir.file(QStringLiteral("title.ini"))},
         {QStringLiteral("写真.bmp"), QStringLiteral("海辺で撮影")}, {QStringLiteral("P.")}},
        {3, {}, {QStringLiteral("bold words")}, {}},
    };
    for (const Case &c : cases) {
        QFile::remove(fx.out());
        const CliRun r = runCli(QStringList{QStringLiteral("pdf"), fx.tree, QString::number(c.index), fx.out()} + c.extra);
        SCOPED_TRACE(c.index);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(PdfText::pageCount(fx.out()), 1);
        const QString text = PdfText::text(fx.out());
        for (const QString &e : c.expected)
            EXPECT_TRUE(text.contains(e)) << e.toStdString() << "\n" << text.toStdString();
        for (const QString &a : c.absent)
            EXPECT_FALSE(text.contains(a)) << a.toStdString();
    }
    // The memo file is only read.
    EXPECT_EQ(fx.dir.read(QStringLiteral("日記/今日.txt")), sjis(QStringLiteral("晴れのち雨\r\n\t字下げ")));
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("日記/今日.txt.TMEM")));
}

TEST(CliPdf, DefaultSettingsAreTheApplicationsIniBesideTheProgram)
{
    PdfTree fx;
    // A copy of the program in a folder of its own, with the application's settings beside it.
    const QString exe = fx.dir.makeExeDir() + QStringLiteral("-cli");
    ASSERT_TRUE(QFile::copy(QStringLiteral(ORVANE_BINARY_DIR "/orvane-cli"), exe));
    QFile::setPermissions(exe, QFile::permissions(exe) | QFile::ExeOwner);
    const QString memoPath = fx.dir.file(QStringLiteral("日記/今日.txt"));
    const CliRun plain = runCli({QStringLiteral("pdf"), fx.tree, QStringLiteral("1"), fx.out()}, exe);
    ASSERT_EQ(plain.exitCode, 0) << plain.err.toStdString();
    EXPECT_FALSE(PdfText::text(fx.out()).contains(memoPath));
    QFile::copy(fx.dir.file(QStringLiteral("title.ini")), fx.dir.file(QStringLiteral("exe/ORVANE.Ini")));
    const CliRun titled = runCli({QStringLiteral("pdf"), fx.tree, QStringLiteral("1"), fx.out()}, exe);
    ASSERT_EQ(titled.exitCode, 0) << titled.err.toStdString();
    EXPECT_TRUE(PdfText::text(fx.out()).contains(memoPath));
}

TEST(CliPdf, RefusalsAndBadInputByExitStatus)
{
    PdfTree fx;
    for (const char *index : {"0", "4"}) { // a folder, another file
        const CliRun r = runCli({QStringLiteral("pdf"), fx.tree, QLatin1String(index), fx.out()});
        EXPECT_EQ(r.exitCode, 1) << index;
        EXPECT_TRUE(r.err.contains(QStringLiteral("ﾉｰﾄﾞ印刷できません"))) << index;
        EXPECT_FALSE(fx.dir.exists(QStringLiteral("out.pdf"))) << index;
    }
    fx.dir.createFile(QStringLiteral("bad.Orvan"), "A\r\n\t\tDeep\r\n");
    const QStringList bad[] = {
        {QStringLiteral("pdf")},
        {QStringLiteral("pdf"), fx.tree, QStringLiteral("1")},
        {QStringLiteral("pdf"), fx.tree, QStringLiteral("one"), fx.out()},
        {QStringLiteral("pdf"), fx.tree, QStringLiteral("-1"), fx.out()},
        {QStringLiteral("pdf"), fx.tree, QStringLiteral("1"), fx.out(), QStringLiteral("--settings")},
        {QStringLiteral("pdf"), fx.tree, QStringLiteral("99"), fx.out()},                      // no such node
        {QStringLiteral("pdf"), fx.dir.file(QStringLiteral("none.Orvan")), QStringLiteral("0"), fx.out()},
        {QStringLiteral("pdf"), fx.dir.file(QStringLiteral("bad.Orvan")), QStringLiteral("0"), fx.out()},
        {QStringLiteral("pdf"), fx.tree, QStringLiteral("1"), fx.out(), QStringLiteral("--settings"),
         fx.dir.file(QStringLiteral("missing.ini"))},
        {QStringLiteral("pdf"), fx.tree, QStringLiteral("1"), fx.dir.file(QStringLiteral("no/such/dir/out.pdf"))},
    };
    for (const QStringList &args : bad) {
        const CliRun r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_FALSE(fx.dir.exists(QStringLiteral("out.pdf")));
    }
}

} // namespace

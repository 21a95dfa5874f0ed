// The bulk text export run: the outline and its bodies, page breaks, after-body lines,
// the branch scope, the table of contents, appending, and failures that must leave the
// earlier output whole.

#include "base/sjiscodec.h"
#include "export/bulkexport.h"
#include "support/fileattrs.h"
#include "support/testdir.h"
#include "tree/treefile.h"

#include <gtest/gtest.h>

namespace {

// A tree file "T.Orvan" in a temporary folder, empty output files, and a request on them.
struct ExportFixture {
    TestDir dir;
    BulkExportRequest request;

    explicit ExportFixture(const QString &treeText)
    {
        dir.createSjisFile(QStringLiteral("T.Orvan"), treeText);
        dir.createFile(QStringLiteral("out/OUT.TXT"));
        dir.createFile(QStringLiteral("out/TOC.TXT"));
        request.treeFileName = dir.file(QStringLiteral("T.Orvan"));
        request.nodes = parseTreeFile(dir.read(QStringLiteral("T.Orvan"))).nodes;
        request.outPath = dir.file(QStringLiteral("out/OUT.TXT"));
        request.tocPath = dir.file(QStringLiteral("out/TOC.TXT"));
        request.settings.outlin = 1; // no labels unless a test asks for them
    }
    void body(const QString &node, const QString &text) const { dir.createSjisFile(node + ".TXT", text); }
    BulkExportResult run() { return BulkExport::run(request); }
    QByteArray out() const { return dir.read(QStringLiteral("out/OUT.TXT")); }
    QByteArray toc() const { return dir.read(QStringLiteral("out/TOC.TXT")); }
};

TEST(BulkExport, WritesTheNumberedOutlineWithBodiesAndTheTableOfContents)
{
    ExportFixture fx(QStringLiteral("概要\r\n\t目的\r\n\t範囲\r\n設計\r\n"));
    fx.body(QStringLiteral("目的"), QStringLiteral("一行目\r\n二行目\r\n"));
    BulkExportSettings &s = fx.request.settings;
    s.outlin = 2;
    s.kugiSw = true;
    s.kugiri = QStringLiteral("．");
    s.indSw = true;
    s.indent = QStringLiteral("TAB");
    s.indMax = 5;
    s.indAddSw = true;
    s.mokuji = true;
    const BulkExportResult r = fx.run();
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.headings, 4);
    EXPECT_EQ(r.bodies, 1);
    EXPECT_EQ(fx.out(), sjis(QStringLiteral("第1章．概要\r\n\t第1節．目的\r\n\t\t一行目\r\n\t\t二行目\r\n"
                                           "\t第2節．範囲\r\n第2章．設計\r\n")));
    EXPECT_EQ(fx.toc(), sjis(QStringLiteral("第1章．概要\r\n\t第1節．目的\r\n\t第2節．範囲\r\n第2章．設計\r\n")));
}

TEST(BulkExport, PageBreaksAndAfterBodyLines)
{
    QString body;
    for (int i = 1; i <= 120; ++i)
        body += QStringLiteral("L%1\r\n").arg(i);
    struct Case {
        bool page;
        int pageL;
        QList<int> breaksBefore; // line numbers preceded by a form feed
        bool closingBreak;
    } cases[] = {
        {true, 50, {51, 101}, true},
        {true, 0, {}, true},
        {true, 120, {}, true},
        {true, 119, {120}, true},
        {false, 50, {}, false},
    };
    for (const Case &c : cases) {
        ExportFixture fx(QStringLiteral("N\r\n"));
        fx.body(QStringLiteral("N"), body);
        fx.request.settings.page = c.page;
        fx.request.settings.pageL = c.pageL;
        fx.request.settings.sepa = {QStringLiteral("――"), QString()};
        ASSERT_TRUE(fx.run().ok);
        QByteArray expected = "N\r\n";
        for (int i = 1; i <= 120; ++i) {
            if (c.breaksBefore.contains(i))
                expected += '\x0C';
            expected += "L" + QByteArray::number(i) + "\r\n";
        }
        if (c.closingBreak)
            expected += '\x0C';
        expected += sjis(QStringLiteral("――")) + "\r\n\r\n";
        EXPECT_EQ(fx.out(), expected) << "PAGE " << c.page << " PAGEL " << c.pageL;
    }
}

TEST(BulkExport, BodiesAreFoundBesideTheTreeFileByTheNodeTextAlone)
{
    ExportFixture fx(QStringLiteral("A\r\n\tB\r\n\tC.TXT\r\n\tD/E\r\n\tF\r\n"));
    fx.body(QStringLiteral("B"), QStringLiteral("b-body"));        // last line without a break
    fx.dir.createSjisFile(QStringLiteral("A/B.TXT"), QStringLiteral("not this one"));
    fx.body(QStringLiteral("C.TXT"), QStringLiteral("c-body\n"));  // looked up as C.TXT.TXT
    fx.dir.createSjisFile(QStringLiteral("C.TXT"), QStringLiteral("nor this"));
    fx.dir.createSjisFile(QStringLiteral("D/E.TXT"), QStringLiteral("a name with a slash has no body"));
    fx.dir.createDir(QStringLiteral("F.TXT"));                     // a folder is no body
    fx.request.settings.page = true;                               // form feed after each body only
    fx.request.settings.sepa = {QStringLiteral("--")};
    const BulkExportResult r = fx.run();
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.bodies, 2);
    EXPECT_EQ(fx.out(), QByteArray("A\r\nB\r\nb-body\r\n\x0C--\r\nC.TXT\r\nc-body\r\n\x0C--\r\nD/E\r\nF\r\n"));
}

TEST(BulkExport, BodyBytesAreCopiedAndUtf8BodiesConverted)
{
    ExportFixture fx(QStringLiteral("S\r\nU\r\nE\r\n"));
    // Shift-JIS with a byte pair no decoder maps, mixed line ends and text after a NUL.
    fx.dir.createFile(QStringLiteral("S.TXT"), sjis(QStringLiteral("表①")) + QByteArray("\x85\x40x\rCR\nLF\r\n\r\nend\0hidden", 23));
    fx.dir.createFile(QStringLiteral("U.TXT"), QStringLiteral("ユーティーエフ〜\n2行目\n").toUtf8());
    fx.dir.createFile(QStringLiteral("E.TXT"));
    const BulkExportResult r = fx.run();
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(fx.out(), "S\r\n" + sjis(QStringLiteral("表①")) + "\x85\x40x\r\nCR\r\nLF\r\n\r\nend\r\n"
                        "U\r\n" + sjis(QStringLiteral("ユーティーエフ～")) + "\r\n" + sjis(QStringLiteral("2行目")) + "\r\n"
                        "E\r\n");
}

TEST(BulkExport, LineBreaksOfEveryKindBecomeCrLf)
{
    const struct {
        QByteArray body;
        QByteArray lines;
    } cases[] = {
        {"", ""},
        {"a", "a\r\n"},
        {"a\n", "a\r\n"},
        {"a\r", "a\r\n"},
        {"\r\n", "\r\n"},
        {"\n\n", "\r\n\r\n"},
        {"a\r\r\n", "a\r\n\r\n"},
        {"a\n\rb", "a\r\n\r\nb\r\n"},
        {"a\rb\nc\r\nd", "a\r\nb\r\nc\r\nd\r\n"},
    };
    for (const auto &c : cases) {
        ExportFixture fx(QStringLiteral("N\r\n"));
        fx.dir.createFile(QStringLiteral("N.TXT"), c.body);
        ASSERT_TRUE(fx.run().ok);
        EXPECT_EQ(fx.out(), "N\r\n" + c.lines) << c.body.toStdString();
    }

    // Indentation far longer than the lines: the output grows well past the body's size.
    ExportFixture fx(QStringLiteral("N\r\n"));
    fx.dir.createFile(QStringLiteral("N.TXT"), QByteArray(1000, '\n'));
    fx.request.settings.indSw = fx.request.settings.indAddSw = true;
    fx.request.settings.indent = QString(100, u'x');
    ASSERT_TRUE(fx.run().ok);
    EXPECT_EQ(fx.out(), "N\r\n" + (QByteArray(100, 'x') + "\r\n").repeated(1000));
}

TEST(BulkExport, BranchScopeKeepsWholeTreeNumbersAndFindsEveryPlaceOfTheText)
{
    // "章" occurs twice: both branches are exported, each up to the next node at its level.
    ExportFixture fx(QStringLiteral("前\r\n\t章\r\n\t\tx\r\n\t\ty\r\n\t後\r\n別\r\n\t章\r\n\t\tz\r\n末\r\n"));
    fx.request.settings.outlin = 3;
    fx.request.all = false;
    fx.request.chosenText = QStringLiteral("章");
    fx.request.chosenLevel = 2;
    fx.request.settings.mokuji = true;
    ASSERT_TRUE(fx.run().ok);
    const QByteArray expected = sjis(QStringLiteral("1-1章\r\n1)x\r\n2)y\r\n2-1章\r\n1)z\r\n"));
    EXPECT_EQ(fx.out(), expected);
    EXPECT_EQ(fx.toc(), expected);

    // The chosen level decides where a run ends: at level 1 the run from the first "章"
    // goes on through 後 and stops at 別.
    ExportFixture wide(QStringLiteral("前\r\n\t章\r\n\t\tx\r\n\t後\r\n別\r\n"));
    wide.request.all = false;
    wide.request.chosenText = QStringLiteral("章");
    wide.request.chosenLevel = 1;
    ASSERT_TRUE(wide.run().ok);
    EXPECT_EQ(wide.out(), sjis(QStringLiteral("章\r\nx\r\n後\r\n")));
}

TEST(BulkExport, RunningTwiceAppendsASecondOutlineAndKeepsEarlierBytes)
{
    ExportFixture fx(QStringLiteral("A\r\n\tB\r\n"));
    fx.body(QStringLiteral("B"), QStringLiteral("本文\r\n"));
    const QByteArray earlier("\xFF\xFE earlier bytes, no line end");
    fx.dir.createFile(QStringLiteral("out/OUT.TXT"), earlier);
    fx.request.settings.outlin = 3;
    fx.request.settings.mokuji = true;
    ASSERT_TRUE(fx.run().ok);
    ASSERT_TRUE(fx.run().ok);
    const QByteArray outline = sjis(QStringLiteral("1A\r\n1-1B\r\n本文\r\n"));
    EXPECT_EQ(fx.out(), earlier + outline + outline);
    EXPECT_EQ(fx.toc(), sjis(QStringLiteral("1A\r\n1-1B\r\n1A\r\n1-1B\r\n")));

    // One file named for both: the outline, then the contents, in one write.
    fx.request.tocPath = fx.request.outPath;
    ASSERT_TRUE(fx.run().ok);
    EXPECT_EQ(fx.out(), earlier + outline + outline + outline + sjis(QStringLiteral("1A\r\n1-1B\r\n")));
}

TEST(BulkExport, ChecksStopTheRunBeforeAnythingIsWritten)
{
    ExportFixture fx(QStringLiteral("A\r\n"));
    const auto refusal = [&](auto change) {
        BulkExportRequest r = fx.request;
        r.settings.mokuji = true;
        change(r);
        const BulkExportResult result = BulkExport::run(r);
        EXPECT_FALSE(result.ok);
        return result.message;
    };
    EXPECT_EQ(refusal([&](BulkExportRequest &r) { r.treeFileName = fx.dir.file("none.Orvan"); }),
              QStringLiteral("Treeファイルが有りません"));
    EXPECT_EQ(refusal([](BulkExportRequest &r) { r.outPath.clear(); }), QStringLiteral("Outファイル(*.TXT)を指定して下さい"));
    EXPECT_EQ(refusal([&](BulkExportRequest &r) { r.outPath = fx.dir.file("out/none.TXT"); }),
              QStringLiteral("Outファイルが有りません"));
    EXPECT_EQ(refusal([](BulkExportRequest &r) { r.tocPath.clear(); }), QStringLiteral("目次ファイル(*.TXT)を指定して下さい"));
    EXPECT_EQ(refusal([&](BulkExportRequest &r) { r.tocPath = fx.dir.file("none/TOC.TXT"); }),
              QStringLiteral("目次ファイルの指定Dirが有りません"));
    EXPECT_TRUE(fx.out().isEmpty());
    EXPECT_TRUE(fx.toc().isEmpty());
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("out/none.TXT")));
}

TEST(BulkExport, TextShiftJisCannotHoldStopsTheRunAndNothingIsWritten)
{
    ExportFixture fx(QStringLiteral("A\r\nB\r\nC\r\n"));
    fx.body(QStringLiteral("A"), QStringLiteral("fine"));
    fx.dir.createFile(QStringLiteral("B.TXT"), QStringLiteral("한국어 😀\n").toUtf8()); // found half way
    fx.dir.createFile(QStringLiteral("out/OUT.TXT"), "earlier\r\n");
    fx.request.settings.mokuji = true;
    BulkExportResult r = fx.run();
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(fx.dir.file(QStringLiteral("B.TXT")))) << r.message.toStdString();
    EXPECT_TRUE(r.message.contains(QStringLiteral("한"))) << r.message.toStdString();
    EXPECT_EQ(fx.out(), QByteArray("earlier\r\n"));
    EXPECT_TRUE(fx.toc().isEmpty());

    // A separator or an after-body line the file cannot hold is refused the same way.
    fx.dir.createFile(QStringLiteral("B.TXT"));
    fx.request.settings.sepa = {QStringLiteral("ok"), QStringLiteral("✓")};
    r = fx.run();
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(QStringLiteral("✓"))) << r.message.toStdString();
    EXPECT_EQ(fx.out(), QByteArray("earlier\r\n"));
}

TEST(BulkExport, AFailedWriteLeavesTheEarlierOutputWholeAndNamesTheFile)
{
    ExportFixture fx(QStringLiteral("A\r\n"));
    fx.body(QStringLiteral("A"), QStringLiteral("body"));
    fx.dir.createFile(QStringLiteral("out/OUT.TXT"), "earlier\r\n");
    setReadOnly(fx.request.outPath, true);
    const BulkExportResult r = fx.run();
    setReadOnly(fx.request.outPath, false);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(fx.request.outPath)) << r.message.toStdString();
    EXPECT_EQ(fx.out(), QByteArray("earlier\r\n"));

    // The contents file failing after the outline was written is reported by its name.
    fx.request.settings.mokuji = true;
    setReadOnly(fx.request.tocPath, true);
    const BulkExportResult toc = fx.run();
    setReadOnly(fx.request.tocPath, false);
    EXPECT_FALSE(toc.ok);
    EXPECT_TRUE(toc.message.contains(fx.request.tocPath)) << toc.message.toStdString();
    EXPECT_TRUE(fx.toc().isEmpty());
}

TEST(BulkExport, ProgressReportsEveryNodeInTreeOrder)
{
    ExportFixture fx(QStringLiteral("A\r\n\tB\r\nC\r\n"));
    fx.request.all = false;
    fx.request.chosenText = QStringLiteral("C");
    QStringList seen;
    BulkExport::run(fx.request, [&](int k, int level, const QString &text) {
        seen << BulkExport::progressText(k, level, text);
    });
    EXPECT_EQ(seen, (QStringList{"一括出力中･･･[1-L1:A]", "一括出力中･･･[2-L2:B]", "一括出力中･･･[3-L1:C]"}));
}

} // namespace

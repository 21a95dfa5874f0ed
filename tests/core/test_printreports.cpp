// The two reports drawn into PDF files and read back with poppler: the header and its
// switches, the memo flowing over pages, tab expansion, rich text, and the picture
// report with its name, picture and comment.

#include "base/appsettings.h"
#include "print/nodeprint.h"
#include "print/picturereport.h"
#include "print/textreport.h"
#include "support/pdftext.h"
#include "support/picturefixtures.h"
#include "support/testdir.h"
#include "tree/nodekind.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// Fills the report for a node file of the test folder and writes it to out.pdf.
struct Printed {
    QString pdf;
    QString text;
    int pages = 0;
};

Printed printNode(const TestDir &dir, const AppSettings &settings, int kind, const QString &relative)
{
    TListF text;
    TListG picture;
    text.setDate(QDate(2024, 1, 5));
    QString error;
    const NodePrint::Painter paint =
        NodePrint::fillFromFiles(text, picture, settings, kind, dir.file(relative), relative.section(u'/', -1), &error);
    EXPECT_TRUE(bool(paint)) << error.toStdString();
    Printed out;
    out.pdf = dir.file(QStringLiteral("out.pdf"));
    if (!paint)
        return out;
    EXPECT_TRUE(NodePrint::writePdf(paint, out.pdf, &error)) << error.toStdString();
    out.text = PdfText::text(out.pdf);
    out.pages = PdfText::pageCount(out.pdf);
    return out;
}

AppSettings withHeader(bool title, bool fileName, bool date, bool pages, bool separator)
{
    AppSettings s;
    s.PrintTitle = title;
    s.PrintFileName = fileName;
    s.PrintDate = date;
    s.PrintPageCount = pages;
    s.PrintSeparator = separator;
    return s;
}

TEST(TextReport, HeaderItemsFollowTheirSwitches)
{
    TestDir dir;
    dir.createSjisFile(QStringLiteral("docs/日記.txt"), QStringLiteral("本文の一行目\r\n二行目"));
    const QString fullPath = dir.file(QStringLiteral("docs/日記.txt"));
    const QString separator(20, u'-');
    struct Case {
        const char *what;
        AppSettings settings;
        bool name, path, date, page, line;
    };
    const Case cases[] = {
        {"title off ignores the other switches", withHeader(false, true, true, true, true), false, false, false, false, false},
        {"title alone", withHeader(true, false, false, false, false), true, false, false, false, false},
        {"everything", withHeader(true, false, true, true, true), true, false, true, true, true},
        {"full path", withHeader(true, true, false, true, false), true, true, false, true, false},
    };
    for (const Case &c : cases) {
        const Printed p = printNode(dir, c.settings, KindMemo, QStringLiteral("docs/日記.txt"));
        SCOPED_TRACE(c.what);
        EXPECT_EQ(p.pages, 1);
        EXPECT_TRUE(p.text.contains(QStringLiteral("本文の一行目")));
        // The body's own line is "本文の一行目"; the title is the name or the path.
        EXPECT_EQ(p.text.contains(QStringLiteral("日記.txt")), c.name);
        EXPECT_EQ(p.text.contains(fullPath), c.path);
        EXPECT_EQ(p.text.contains(QStringLiteral("2024/01/05")), c.date);
        EXPECT_EQ(p.text.contains(QRegularExpression(QStringLiteral("P\\.\\s*1"))), c.page);
        EXPECT_EQ(p.text.contains(separator), c.line);
    }
}

TEST(TextReport, HeaderItemsSitAtTheirPlaces)
{
    TestDir dir;
    dir.createSjisFile(QStringLiteral("m.txt"), QStringLiteral("body"));
    const Printed p = printNode(dir, withHeader(true, false, true, true, true), KindMemo, QStringLiteral("m.txt"));
    QMap<QString, QRectF> at;
    for (const PdfText::Word &w : PdfText::words(p.pdf))
        at.insert(w.text, w.boxMm);
    ASSERT_TRUE(at.contains(QStringLiteral("2024/01/05")));
    ASSERT_TRUE(at.contains(QStringLiteral("m.txt")));
    ASSERT_TRUE(at.contains(QStringLiteral("body")));
    // Millimetres from the paper's edge: 10 mm margin plus the item's place.
    EXPECT_NEAR(at[QStringLiteral("m.txt")].left(), 10.0, 1.0);
    EXPECT_NEAR(at[QStringLiteral("2024/01/05")].left(), 10.0 + 153.9, 1.0);
    EXPECT_NEAR(at[QStringLiteral("m.txt")].top(), 10.0, 1.5);
    // The body starts below the header band (7.35 mm).
    EXPECT_GT(at[QStringLiteral("body")].top(), 10.0 + 7.0);
    EXPECT_LT(at[QStringLiteral("body")].top(), 10.0 + 7.35 + 3.0);
}

TEST(TextReport, TwoHundredLinesSpanPagesEachLineOnceWithPageNumbers)
{
    TestDir dir;
    QString memo;
    for (int i = 1; i <= 200; ++i)
        memo += QStringLiteral("行%1 の内容\r\n").arg(i, 3, 10, QLatin1Char('0'));
    dir.createSjisFile(QStringLiteral("long.txt"), memo);
    AppSettings s = withHeader(true, false, false, true, false);
    s.Memo.FontSize = 12;
    const Printed p = printNode(dir, s, KindMemo, QStringLiteral("long.txt"));
    ASSERT_GE(p.pages, 3);
    QStringList seen;
    for (int page = 1; page <= p.pages; ++page) {
        const QString text = PdfText::text(p.pdf, page);
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("P\\.\\s*%1\\b").arg(page)))) << page;
        for (const QRegularExpressionMatch &m : QRegularExpression(QStringLiteral("行(\\d{3})")).globalMatch(text))
            seen.append(m.captured(1));
    }
    ASSERT_EQ(seen.size(), 200); // no line lost or printed twice at a page break
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(seen.at(i).toInt(), i + 1);
    EXPECT_TRUE(PdfText::text(p.pdf, 1).contains(QStringLiteral("行001")));
    EXPECT_TRUE(PdfText::text(p.pdf, p.pages).contains(QStringLiteral("行200")));
}

TEST(TextReport, LongLinesWrapAtTheBandInsteadOfBeingCut)
{
    TestDir dir;
    QString line;
    for (int i = 0; i < 60; ++i)
        line += QStringLiteral("語%1").arg(i % 10);
    dir.createSjisFile(QStringLiteral("wide.txt"), line + QStringLiteral("終わり"));
    const Printed p = printNode(dir, AppSettings(), KindMemo, QStringLiteral("wide.txt"));
    QString joined = p.text;
    joined.remove(QRegularExpression(QStringLiteral("\\s")));
    EXPECT_TRUE(joined.contains(line + QStringLiteral("終わり")));
    EXPECT_GE(p.text.trimmed().split(u'\n').size(), 2);
    for (const PdfText::Word &w : PdfText::words(p.pdf))
        EXPECT_LE(w.boxMm.right(), 200.5) << w.text.toStdString();
}

TEST(TextReport, TabsExpandInBytesWithTheMemoTabWidth)
{
    struct Case {
        QString line;
        int width;
        QString printed;
    };
    const Case cases[] = {
        {QStringLiteral("abc\tX"), 4, QStringLiteral("abc X")},
        {QStringLiteral("あ\tX"), 4, QStringLiteral("あ  X")},      // a kanji is two bytes
        {QStringLiteral("ab\tc\td"), 3, QStringLiteral("ab c  d")},
        {QStringLiteral("abc\tX"), 0, QStringLiteral("abc\tX")},    // 0 leaves tabs alone
    };
    for (const Case &c : cases) {
        AppSettings s;
        s.MemoTabWidth = c.width;
        TListF report;
        report.prepareHeader(s, QStringLiteral("n.txt"), QStringLiteral("/x/n.txt"));
        report.setMemo(QStringLiteral("first\n") + c.line, s);
        ASSERT_EQ(report.memoLines().size(), 2);
        EXPECT_EQ(report.memoLines().at(1), c.printed) << c.line.toStdString();
    }
    // And on paper, in a fixed-pitch 9-point font (half-width letters 4.5 points wide):
    // with width 8, "a\tb" puts b eight columns right of a.
    TestDir dir;
    dir.createSjisFile(QStringLiteral("t.txt"), QStringLiteral("a\tb"));
    AppSettings s;
    s.MemoTabWidth = 8;
    s.Memo.FontName = QStringLiteral("ＭＳ ゴシック");
    const Printed p = printNode(dir, s, KindMemo, QStringLiteral("t.txt"));
    QMap<QString, double> left;
    for (const PdfText::Word &w : PdfText::words(p.pdf))
        left.insert(w.text, w.boxMm.left());
    ASSERT_TRUE(left.contains(QStringLiteral("a")) && left.contains(QStringLiteral("b")));
    EXPECT_NEAR(left[QStringLiteral("b")] - left[QStringLiteral("a")], 8 * 4.5 * 25.4 / 72, 0.6);
}

TEST(TextReport, RichTextPrintsItsTextAndAnEmptyNodeStillGivesAPage)
{
    TestDir dir;
    dir.createFile(QStringLiteral("r.rtf"),
                   "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fcharset128 MS Gothic;}}"
                   "\\f0\\fs24 \\b \\'91\\'be\\'8e\\'9a\\b0  plain\\par second line\\par}");
    const Printed rich = printNode(dir, withHeader(true, false, false, false, false), KindRich, QStringLiteral("r.rtf"));
    EXPECT_EQ(rich.pages, 1);
    EXPECT_TRUE(rich.text.contains(QStringLiteral("太字"))) << rich.text.toStdString();
    EXPECT_TRUE(rich.text.contains(QStringLiteral("second line")));
    EXPECT_TRUE(rich.text.contains(QStringLiteral("r.rtf")));

    dir.createFile(QStringLiteral("empty.txt"));
    EXPECT_EQ(printNode(dir, AppSettings(), KindMemo, QStringLiteral("empty.txt")).pages, 1);
}

TEST(PictureReport, NameSizedPictureAndCommentWithNoHeaderWhateverTheOptions)
{
    TestDir dir;
    dir.createFile(QStringLiteral("絵/夜空.bmp"),
                   PictureFixtures::encoded(PictureFixtures::twoColour(QSize(200, 100), Qt::blue, Qt::yellow), "BMP"));
    dir.createSjisFile(QStringLiteral("絵/夜空.bmp.TMEM"), QStringLiteral("星の多い夜\r\n二行目のコメント"));
    const Printed p = printNode(dir, withHeader(true, true, true, true, true), KindImage, QStringLiteral("絵/夜空.bmp"));
    EXPECT_EQ(p.pages, 1);
    EXPECT_TRUE(p.text.contains(QStringLiteral("夜空.bmp")));
    EXPECT_FALSE(p.text.contains(dir.file(QStringLiteral("絵"))));
    EXPECT_FALSE(p.text.contains(QStringLiteral("P.")));
    EXPECT_FALSE(p.text.contains(QStringLiteral("----")));
    EXPECT_FALSE(p.text.contains(QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"))));
    const PdfText::Images images = PdfText::images(p.pdf);
    EXPECT_EQ(images.count, 1);
    EXPECT_EQ(images.firstSize, QSize(200, 100));

    // The comment starts 10 pixels below the picture: 20 + 100 + 10 pixels from the band's top.
    double commentTop = -1;
    for (const PdfText::Word &w : PdfText::words(p.pdf))
        if (w.text.startsWith(QStringLiteral("星")))
            commentTop = w.boxMm.top();
    EXPECT_NEAR(commentTop, 10.0 + 130 * 25.4 / 96, 1.5);
}

TEST(PictureReport, APictureLargerThanThePageIsScaledDownKeepingItsProportions)
{
    TListG report;
    report.fill(QStringLiteral("big.jpg"), QImage(4000, 3000, QImage::Format_RGB32), QString());
    const QRectF r = report.pictureRectMm();
    EXPECT_NEAR(r.left(), 1.32, 0.01);
    EXPECT_NEAR(r.top(), 5.29, 0.01);
    EXPECT_LE(r.right(), 190.0 + 1e-6);
    EXPECT_LE(r.bottom(), 277.0 + 1e-6);
    EXPECT_NEAR(r.width() / r.height(), 4.0 / 3.0, 1e-6);
    EXPECT_NEAR(r.right(), 190.0, 1e-6); // as wide as the band allows

    TListG small;
    small.fill(QStringLiteral("s.bmp"), QImage(96, 48, QImage::Format_RGB32), QString());
    EXPECT_NEAR(small.pictureRectMm().width(), 25.4, 1e-6); // 96 pixels are one inch
    EXPECT_NEAR(small.commentTopMm(), (48 + 30) * 25.4 / 96, 1e-6);
}

TEST(PictureReport, ACommentBelowAPageHighPictureGoesOnTheNextPages)
{
    TestDir dir;
    dir.createFile(QStringLiteral("tall.bmp"),
                   PictureFixtures::encoded(PictureFixtures::twoColour(QSize(300, 1200), Qt::red, Qt::green), "BMP"));
    QString comment = QStringLiteral("最初のコメント\r\n");
    for (int i = 0; i < 120; ++i)
        comment += QStringLiteral("コメント行%1\r\n").arg(i);
    dir.createSjisFile(QStringLiteral("tall.bmp.TMEM"), comment + QStringLiteral("最後の行"));
    const Printed p = printNode(dir, AppSettings(), KindImage, QStringLiteral("tall.bmp"));
    ASSERT_GE(p.pages, 3);
    EXPECT_FALSE(PdfText::text(p.pdf, 1).contains(QStringLiteral("最初のコメント")));
    EXPECT_TRUE(PdfText::text(p.pdf, 2).contains(QStringLiteral("最初のコメント")));
    EXPECT_TRUE(PdfText::text(p.pdf, p.pages).contains(QStringLiteral("最後の行")));
}

TEST(NodePrint, OnlyMemosRichTextAndPicturesPrint)
{
    TestDir dir;
    dir.createDir(QStringLiteral("folder"));
    dir.createFile(QStringLiteral("other.doc"), "x");
    for (int kind : {KindFolder, KindOle, KindUnknown}) {
        TListF text;
        TListG picture;
        QString error;
        const QString path = dir.file(kind == KindFolder ? QStringLiteral("folder") : QStringLiteral("other.doc"));
        EXPECT_FALSE(NodePrint::fillFromFiles(text, picture, AppSettings(), kind, path, QStringLiteral("n"), &error));
        EXPECT_EQ(error, QStringLiteral("ﾉｰﾄﾞ印刷できません"));
    }
    // A memo whose file is gone does not print either.
    TListF text;
    TListG picture;
    QString error;
    EXPECT_FALSE(NodePrint::fillFromFiles(text, picture, AppSettings(), KindMemo, dir.file(QStringLiteral("gone.txt")),
                                          QStringLiteral("gone.txt"), &error));
}

TEST(NodePrint, APdfThatCannotBeWrittenIsAFailureAndLeavesNothing)
{
    TestDir dir;
    TListF text;
    text.prepareHeader(AppSettings(), QStringLiteral("n"), QStringLiteral("n"));
    QString error;
    const QString out = dir.file(QStringLiteral("no-such-folder/out.pdf"));
    EXPECT_FALSE(NodePrint::writePdf([&text](QPagedPaintDevice *d) { return text.print(d); }, out, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(dir.exists(QStringLiteral("no-such-folder/out.pdf")));
}

} // namespace

// Printing and preview from the main window: the report that fits the node, filled
// from what the views hold; refusals for other kinds; the message when no printer and
// no PDF were chosen.

#include "base/appsettings.h"
#include "base/globals.h"
#include "support/pdftext.h"
#include "support/picturefixtures.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

struct PrintTree : WindowFixture {
    PrintTree()
        : WindowFixture(QStringLiteral("メモ.txt\r\n絵.bmp\r\nFolder\r\nother.doc\r\nrich.rtf\r\ngone.txt\r\n"), false)
    {
        dir.createSjisFile(QStringLiteral("docs/メモ.txt"), QStringLiteral("保存済みの本文"));
        dir.createFile(QStringLiteral("docs/絵.bmp"),
                       PictureFixtures::encoded(PictureFixtures::twoColour(QSize(64, 32), Qt::red, Qt::blue), "BMP"));
        dir.createSjisFile(QStringLiteral("docs/絵.bmp.TMEM"), QStringLiteral("絵のコメント"));
        dir.createDir(QStringLiteral("docs/Folder"));
        dir.createFile(QStringLiteral("docs/other.doc"), "x");
        dir.createFile(QStringLiteral("docs/rich.rtf"), "{\\rtf1\\ansi rich body\\par}");
        window->FormActivate();
        ui.printPdfPath = dir.file(QStringLiteral("printed.pdf"));
        ui.clear();
    }
    QString printedText() { return PdfText::text(ui.printPdfPath); }
};

TEST(Printing, PreviewShowsTheMemoAsEditedAfterSavingIt)
{
    PrintTree fx;
    Cfg.PrintTitle = true;
    fx.click(0);
    fx.w().Memo1->setPlainText(QStringLiteral("編集した本文\n二行目"));
    SkipActivate = false;
    fx.w().MenuNPV->trigger();
    EXPECT_EQ(fx.ui.count(QStringLiteral("preview")), 1);
    EXPECT_TRUE(SkipActivate);
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/メモ.txt")), sjis(QStringLiteral("編集した本文\r\n二行目")));
    const QString text = fx.printedText();
    EXPECT_TRUE(text.contains(QStringLiteral("編集した本文")));
    EXPECT_TRUE(text.contains(QStringLiteral("メモ.txt")));
    EXPECT_EQ(fx.w().MenuNPV->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    Cfg.PrintTitle = false;
}

TEST(Printing, ThePictureReportTakesThePictureAndTheCommentShown)
{
    PrintTree fx;
    fx.click(1);
    fx.w().MemoG->setPlainText(QStringLiteral("書き直したコメント"));
    fx.w().ToolButtonP->trigger();
    ASSERT_EQ(fx.ui.count(QStringLiteral("preview")), 1);
    const QString text = fx.printedText();
    EXPECT_TRUE(text.contains(QStringLiteral("絵.bmp")));
    EXPECT_TRUE(text.contains(QStringLiteral("書き直したコメント")));
    EXPECT_EQ(PdfText::images(fx.ui.printPdfPath).firstSize, QSize(64, 32));
}

TEST(Printing, RichTextPrintsFromItsFile)
{
    PrintTree fx;
    fx.click(4);
    fx.w().MenuNP->trigger();
    ASSERT_EQ(fx.ui.count(QStringLiteral("print")), 1);
    EXPECT_TRUE(fx.printedText().contains(QStringLiteral("rich body")));
}

TEST(Printing, OtherKindsAreRefusedWithABeep)
{
    PrintTree fx;
    for (int index : {2, 3, 5}) { // folder, other file, missing file
        fx.click(index);
        fx.ui.clear();
        fx.w().ToolButtonPClick();
        fx.w().MenuNPClick();
        EXPECT_EQ(fx.w().statusText(2), QStringLiteral("ﾉｰﾄﾞ印刷できません")) << index;
        EXPECT_EQ(fx.ui.count(QStringLiteral("beep")), 2) << index;
        EXPECT_EQ(fx.ui.count(QStringLiteral("preview")) + fx.ui.count(QStringLiteral("print")), 0) << index;
    }
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("printed.pdf")));
}

TEST(Printing, NoPrinterAndNoPdfChosenIsToldNotSilent)
{
    PrintTree fx;
    fx.click(0);
    fx.ui.printOutcomes.enqueue(UiPort::PrintOutcome::NothingChosen);
    fx.w().MenuNPClick();
    ASSERT_EQ(fx.ui.count(QStringLiteral("print")), 1);
    EXPECT_TRUE(fx.ui.texts(QStringLiteral("print")).first().endsWith(QStringLiteral("/メモ.pdf")));
    const QStringList messages = fx.ui.texts(QStringLiteral("message"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains(QStringLiteral("プリンター")));

    fx.ui.clear();
    fx.ui.printOutcomes.enqueue(UiPort::PrintOutcome::Printed);
    fx.w().MenuNPClick();
    EXPECT_EQ(fx.ui.count(QStringLiteral("message")), 0);
}

} // namespace

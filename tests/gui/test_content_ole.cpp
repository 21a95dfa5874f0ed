// Other files (neither memo, rich text nor picture) in the main window: their icon or a
// look at their content, opening them in their program, and their comment.

#include "base/appsettings.h"
#include "base/globals.h"
#include "support/picturefixtures.h"
#include "support/windowfixture.h"
#include "tree/filepreview.h"
#include "tree/ui/oleview.h"

#include <QApplication>
#include <QBuffer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QTreeWidgetItem>
#include <gtest/gtest.h>

namespace {

QByteArray pdfBytes()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A6));
    QPainter p(&writer);
    p.fillRect(QRect(0, 0, 400, 400), Qt::red);
    p.end();
    return bytes;
}

// Records the files the view asked to open instead of starting programs.
struct OpenerStub {
    QStringList opened;
    bool succeed = true;
    OpenerStub()
    {
        OleView::setOpener([this](const QString &path) {
            opened.append(path);
            return succeed;
        });
    }
    ~OpenerStub() { OleView::setOpener(nullptr); }
};

struct OtherFilesTree : WindowFixture {
    explicit OtherFilesTree(bool iconic)
        : WindowFixture(QStringLiteral("notes.log\r\npic.png\r\ndata.bin\r\ndoc.pdf\r\nmemo.txt\r\n"), false)
    {
        dir.createFile(QStringLiteral("docs/notes.log"), sjis(QStringLiteral("記録 1\r\n記録 2\r\n")));
        dir.createFile(QStringLiteral("docs/pic.png"),
                       PictureFixtures::encoded(PictureFixtures::twoColour(QSize(24, 16), Qt::red, Qt::blue), "PNG"));
        dir.createFile(QStringLiteral("docs/data.bin"), QByteArray(1234, '\x01'));
        dir.createFile(QStringLiteral("docs/doc.pdf"), pdfBytes());
        dir.createFile(QStringLiteral("docs/memo.txt"), "memo");
        window->FormActivate();
        Cfg.OleIconic = iconic;
        click(4);
    }
    OleView *view() { return window->OleContainer1; }
};

TEST(ContentOle, IconicShowsTheLargeIconAndName)
{
    OtherFilesTree fx(true);
    for (int i : {0, 1, 2}) {
        fx.click(i);
        ASSERT_TRUE(fx.w().PanelOLE->isVisibleTo(&fx.w())) << i;
        EXPECT_EQ(fx.view()->shown(), OleView::Shown::Icon) << i;
        EXPECT_EQ(fx.view()->shownText(), fx.item(i)->text(0));
    }
}

TEST(ContentOle, OtherwiseShowsTheContentWhereItCan)
{
    OtherFilesTree fx(false);
    fx.click(0);
    EXPECT_EQ(fx.view()->shown(), OleView::Shown::Text);
    EXPECT_EQ(fx.view()->shownText(), QStringLiteral("記録 1\n記録 2\n"));
    fx.click(1);
    EXPECT_EQ(fx.view()->shown(), OleView::Shown::Picture);
    fx.click(2);
    EXPECT_EQ(fx.view()->shown(), OleView::Shown::Details);
    EXPECT_TRUE(fx.view()->shownText().contains(QStringLiteral("data.bin")));
    EXPECT_TRUE(fx.view()->shownText().contains(QStringLiteral("バイト")));
    fx.click(3);
    EXPECT_EQ(fx.view()->shown(), pdfPreviewAvailable() ? OleView::Shown::Picture : OleView::Shown::Details);
    // Nothing the view shows is ever written to the file.
    fx.click(4);
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/data.bin")), QByteArray(1234, '\x01'));
}

TEST(ContentOle, PdfFirstPageIsRendered)
{
    if (!pdfPreviewAvailable())
        GTEST_SKIP() << "built without the PDF renderer";
    TestDir dir;
    dir.createFile(QStringLiteral("d.pdf"), pdfBytes());
    const FilePreview preview = previewFile(dir.file(QStringLiteral("d.pdf")), QSize(300, 300));
    ASSERT_EQ(preview.kind, FilePreview::Kind::Picture);
    EXPECT_LE(preview.image.height(), 300);
    EXPECT_EQ(preview.image.pixelColor(5, 5).red(), 255);
}

TEST(ContentOle, DoubleClickAndEnterOpenTheFileAndAFailureIsReported)
{
    OpenerStub opener;
    OtherFilesTree fx(true);
    fx.click(2);
    const QString path = fx.dir.file(QStringLiteral("docs/data.bin"));
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(fx.view(), &dbl);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(fx.view(), &enter);
    EXPECT_EQ(opener.opened, (QStringList{path, path}));
    EXPECT_TRUE(fx.ui.texts(QStringLiteral("report")).isEmpty());

    opener.succeed = false;
    fx.click(0); // a text preview takes the double click too
    QApplication::sendEvent(fx.view()->findChild<QPlainTextEdit *>()->viewport(), &dbl);
    ASSERT_EQ(fx.ui.count(QStringLiteral("report")), 1);
    EXPECT_TRUE(fx.ui.texts(QStringLiteral("report")).first().contains(QStringLiteral("notes.log")));
}

TEST(ContentOle, TheCommentWorksAsForPictures)
{
    OtherFilesTree fx(true);
    fx.click(2);
    ASSERT_TRUE(fx.dir.exists(QStringLiteral("docs/data.bin.TMEM")));
    EXPECT_EQ(fx.w().statusText(2), QStringLiteral("コメント情報を追加しました"));
    EXPECT_TRUE(fx.w().MemoOLE->toPlainText().startsWith(QStringLiteral("[コメント]\n")));
    fx.w().MemoOLE->moveCursor(QTextCursor::Start);
    fx.w().MemoOLE->insertPlainText(QStringLiteral("測定データ\n"));
    fx.click(4);
    EXPECT_TRUE(fx.dir.read(QStringLiteral("docs/data.bin.TMEM")).startsWith(sjis(QStringLiteral("測定データ\r\n[コメント]\r\n"))));

    // A side file in UTF-8 from another program is shown right and left untouched.
    fx.dir.createFile(QStringLiteral("docs/pic.png.TMEM"), QStringLiteral("写真のコメント").toUtf8());
    fx.click(1);
    EXPECT_EQ(fx.w().MemoOLE->toPlainText(), QStringLiteral("写真のコメント"));
    EXPECT_EQ(fx.w().statusText(2), QStringLiteral("UTF-8 で表示しています"));
    fx.click(4);
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/pic.png.TMEM")), QStringLiteral("写真のコメント").toUtf8());

    // Shift-JIS half-width katakana that are valid UTF-8 as well stay Shift-JIS.
    const QByteArray kana = QByteArray::fromHex("c5b620c3b720313030"); // ﾅｶ ﾃｷ 100
    fx.dir.createFile(QStringLiteral("docs/pic.png.TMEM"), kana);
    fx.click(1);
    EXPECT_EQ(fx.w().MemoOLE->toPlainText(), QStringLiteral("ﾅｶ ﾃｷ 100"));
    EXPECT_NE(fx.w().statusText(2), QStringLiteral("UTF-8 で表示しています"));
    fx.w().MemoOLE->moveCursor(QTextCursor::End);
    fx.w().MemoOLE->insertPlainText(QStringLiteral("枚"));
    fx.click(4);
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/pic.png.TMEM")), kana + sjis(QStringLiteral("枚")));
}

} // namespace

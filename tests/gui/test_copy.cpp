// Copying nodes: the numbered "のCopy" names, the place of the copy in the tree, the
// content saved first, the refusals, and NodeFileCopy's file-and-comment unit.

#include "base/globals.h"
#include "support/nodefiles.h"
#include "support/windowfixture.h"
#include "tree/nodekind.h"
#include "tree/ui/nodetreewidget.h"

#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTreeWidgetItem>
#include <gtest/gtest.h>

namespace {

QStringList treeTexts(TOrvaneF &w)
{
    QStringList out;
    for (int i = 0; i < w.nodeCount(); ++i)
        out.append(w.nodeAt(i)->text(0));
    return out;
}

TEST(CopyNode, NumberedCopiesArePlacedAboveAndBecomeCurrent)
{
    WindowFixture fx(QStringLiteral("Docs\r\n\tfirst.TXT\r\n\tmemo.TXT\r\n"), false);
    fx.dir.createFile(QStringLiteral("docs/Docs/first.TXT"), "1");
    fx.dir.createFile(QStringLiteral("docs/Docs/memo.TXT"), "memo");
    fx.w().FormActivate();
    fx.w().TreeView1->expandAll();

    fx.click(2);
    fx.w().ToolButtonNCClick();
    EXPECT_EQ(treeTexts(fx.w()), (QStringList{"Docs", "first.TXT", "memoのCopy.TXT", "memo.TXT"}));
    EXPECT_EQ(fx.w().TreeView1->currentItem(), fx.item(2));
    EXPECT_EQ(NodeName, QStringLiteral("memoのCopy.TXT"));
    EXPECT_EQ(NodePath, QStringLiteral("\\Docs\\"));
    EXPECT_EQ(NodeKind, KindMemo);
    EXPECT_EQ(fx.w().Memo1->toPlainText(), QStringLiteral("memo"));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/Docs/memoのCopy.TXT")), QByteArray("memo"));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/T.Orvan")),
              sjis(QStringLiteral("Docs\r\n\tfirst.TXT\r\n\tmemoのCopy.TXT\r\n\tmemo.TXT\r\n")));

    // The original again, twice: each copy lands directly above it.
    fx.click(3);
    fx.w().ToolButtonNCClick();
    fx.click(4);
    fx.w().ToolButtonNCClick();
    EXPECT_EQ(treeTexts(fx.w()),
              (QStringList{"Docs", "first.TXT", "memoのCopy.TXT", "memoのCopy2.TXT", "memoのCopy3.TXT", "memo.TXT"}));
    EXPECT_EQ(NodeName, QStringLiteral("memoのCopy3.TXT"));

    // Copying again without reselecting copies the copy.
    fx.w().ToolButtonNCClick();
    EXPECT_EQ(NodeName, QStringLiteral("memoのCopy3のCopy.TXT"));
    EXPECT_EQ(fx.item(4)->text(0), QStringLiteral("memoのCopy3のCopy.TXT"));
    EXPECT_TRUE(fx.ui.texts(QStringLiteral("message")).isEmpty());
}

TEST(CopyNode, TheCopyGetsTheTextInTheEditor)
{
    WindowFixture fx(QStringLiteral("memo.TXT\r\n"), false);
    fx.dir.createFile(QStringLiteral("docs/memo.TXT"), "old");
    fx.w().FormActivate();
    fx.w().Memo1->setPlainText(QStringLiteral("typed"));
    fx.w().ToolButtonNCClick();
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/memo.TXT")), QByteArray("typed"));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/memoのCopy.TXT")), QByteArray("typed"));
}

TEST(CopyNode, NameWithoutExtensionKeepsTheDot)
{
    WindowFixture fx(QStringLiteral("README\r\n"), false);
    fx.dir.createFile(QStringLiteral("docs/README"), "read me");
    fx.w().FormActivate();
    fx.w().ToolButtonNCClick();
    EXPECT_EQ(NodeName, QStringLiteral("READMEのCopy."));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/READMEのCopy.")), QByteArray("read me"));
    EXPECT_EQ(NodeKind, KindOle);
}

TEST(CopyNode, PictureIsCopiedWithoutItsComment)
{
    WindowFixture fx(QStringLiteral("pic.BMP\r\n"), false);
    fx.dir.createFile(QStringLiteral("docs/pic.BMP"), bmpBytes());
    fx.dir.createFile(QStringLiteral("docs/pic.BMP.TMEM"), "my comment\r\n");
    fx.w().FormActivate();
    fx.w().ToolButtonNCClick();
    EXPECT_EQ(NodeName, QStringLiteral("picのCopy.BMP"));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/picのCopy.BMP")), bmpBytes());
    // The copy got a fresh comment when it was shown, not the original's.
    EXPECT_NE(fx.dir.read(QStringLiteral("docs/picのCopy.BMP.TMEM")), QByteArray("my comment\r\n"));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/pic.BMP.TMEM")), QByteArray("my comment\r\n"));
}

TEST(CopyNode, AnythingOfTheNameIsPassedOver)
{
    // A folder with the first name: the copy must not stand for it.
    WindowFixture fx(QStringLiteral("a.TXT\r\n"), false);
    fx.dir.createFile(QStringLiteral("docs/a.TXT"), "a");
    fx.dir.createDir(QStringLiteral("docs/aのCopy.TXT"));
    fx.dir.createFile(QStringLiteral("docs/aのCopy2.TXT"), "other");
    fx.w().FormActivate();
    fx.w().ToolButtonNCClick();
    EXPECT_EQ(NodeName, QStringLiteral("aのCopy3.TXT"));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/aのCopy2.TXT")), QByteArray("other"));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/aのCopy3.TXT")), QByteArray("a"));
}

TEST(CopyNode, FoldersAndUnknownNodesAreRefusedWithoutABeep)
{
    struct Row {
        int index;
        QString status;
    };
    const Row rows[] = {
        {0, QStringLiteral("ﾌｫﾙﾀﾞｰﾉｰﾄﾞは複写出来ません")},
        {1, QStringLiteral("不明ﾉｰﾄﾞは複写出来ません")},
    };
    for (const Row &r : rows) {
        WindowFixture fx(QStringLiteral("Folder\r\ngone.TXT\r\n"), false);
        fx.dir.createDir(QStringLiteral("docs/Folder"));
        fx.w().FormActivate();
        const QByteArray tree = fx.dir.read(QStringLiteral("docs/T.Orvan"));
        const QStringList disk = diskListing(fx.dir);
        fx.click(r.index);
        fx.ui.clear();
        fx.w().ToolButtonNCClick();
        EXPECT_EQ(fx.w().statusText(2), r.status);
        EXPECT_EQ(fx.ui.count(QStringLiteral("beep")), 0);
        EXPECT_EQ(fx.w().nodeCount(), 2);
        EXPECT_EQ(fx.w().TreeView1->currentItem(), fx.item(r.index));
        EXPECT_EQ(fx.dir.read(QStringLiteral("docs/T.Orvan")), tree);
        EXPECT_EQ(diskListing(fx.dir), disk);
    }
}

TEST(CopyNode, NoSelectionIsReported)
{
    WindowFixture fx(QStringLiteral("a.TXT\r\n"), false);
    fx.dir.createFile(QStringLiteral("docs/a.TXT"));
    fx.w().FormActivate();
    fx.w().TreeView1->setCurrentItem(nullptr);
    fx.w().ToolButtonNCClick();
    EXPECT_EQ(fx.w().statusText(2), QStringLiteral("ﾉｰﾄﾞが選択されていません"));
    EXPECT_EQ(fx.w().nodeCount(), 1);
}

TEST(CopyNode, MenuShortcutRunsTheCopy)
{
    WindowFixture fx(QStringLiteral("a.TXT\r\n"), false);
    fx.dir.createFile(QStringLiteral("docs/a.TXT"));
    fx.w().FormActivate();
    EXPECT_EQ(fx.w().MenuNCC->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
    fx.w().MenuNCC->trigger();
    EXPECT_EQ(NodeName, QStringLiteral("aのCopy.TXT"));
}

TEST(NodeFileCopy, FileAndCommentTravelTogether)
{
    WindowFixture fx(QStringLiteral("pic.bmp\r\nTo\r\n"), false);
    fx.dir.createFile(QStringLiteral("docs/pic.bmp"), bmpBytes());
    fx.dir.createFile(QStringLiteral("docs/pic.bmp.TMEM"), "comment");
    fx.dir.createDir(QStringLiteral("docs/To"));
    fx.w().FormActivate();
    ASSERT_EQ(NodeKind, KindImage);
    const QString from = fx.dir.file(QStringLiteral("docs/pic.bmp"));
    EXPECT_FALSE(fx.w().NodeFileCopy(from, fx.dir.file(QStringLiteral("docs/To/pic.bmp"))));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/To/pic.bmp")), bmpBytes());
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/To/pic.bmp.TMEM")), QByteArray("comment"));
    // A source that is not there: the failure is reported back.
    EXPECT_TRUE(fx.w().NodeFileCopy(fx.dir.file(QStringLiteral("docs/none.bmp")),
                                    fx.dir.file(QStringLiteral("docs/To/none.bmp"))));
}

} // namespace

TEST(CopyNode, ACopyOfALinkedFileIsAFileOfItsOwn)
{
    // Edits to the copy must never reach the file the original node's link names.
    WindowFixture fx(QStringLiteral("memo.TXT\r\n"), false);
    fx.dir.createFile(QStringLiteral("outside/real.TXT"), "original");
    ASSERT_TRUE(QFile::link(QStringLiteral("../outside/real.TXT"), fx.dir.file(QStringLiteral("docs/memo.TXT"))));
    fx.w().FormActivate();
    fx.click(0);
    fx.w().ToolButtonNCClick();
    ASSERT_EQ(NodeName, QStringLiteral("memoのCopy.TXT"));
    EXPECT_FALSE(QFileInfo(fx.dir.file(QStringLiteral("docs/memoのCopy.TXT"))).isSymLink());
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/memoのCopy.TXT")), QByteArray("original"));

    fx.w().Memo1->setPlainText(QStringLiteral("changed in the copy"));
    fx.click(1);
    EXPECT_EQ(fx.dir.read(QStringLiteral("outside/real.TXT")), QByteArray("original"));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/memoのCopy.TXT")), QByteArray("changed in the copy"));
}

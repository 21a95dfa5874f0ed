// View modes: word wrap, the second pane, hiding the tree, expanding and collapsing the
// tree and the enabling of its pop-up menu.

#include "base/appsettings.h"
#include "base/globals.h"
#include "support/nodefiles.h"
#include "support/windowfixture.h"
#include "tree/ui/nodetreewidget.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextBlock>

#include <gtest/gtest.h>

namespace {

// 0 F (folder) / 1 F/in.txt, 2 a.txt memo, 3 pic.bmp picture
struct ViewTree : WindowFixture {
    ViewTree() : WindowFixture(QStringLiteral("F\r\n\tin.txt\r\na.txt\r\npic.bmp\r\n"), false)
    {
        dir.createFile(QStringLiteral("docs/F/in.txt"), "inner");
        dir.createFile(QStringLiteral("docs/a.txt"), sjis(QStringLiteral("一行目\r\n二行目")));
        dir.createFile(QStringLiteral("docs/pic.bmp"), bmpBytes());
        window->FormActivate();
    }
    bool wraps(QPlainTextEdit *memo) { return memo->lineWrapMode() == QPlainTextEdit::WidgetWidth; }
};

} // namespace

TEST(ViewModes, WrapTogglesTheMemosAndTheSecondPaneButNotSearchResults)
{
    ViewTree fx;
    const bool initial = Cfg.MemoWrap;
    for (const QString &caption : {QStringLiteral("検索"), QStringLiteral("2画面")}) {
        fx.w().PageControl1->setTabText(0, caption);
        const bool paneBefore = fx.wraps(fx.w().MemoF);
        fx.w().ToolButtonWClick();
        EXPECT_EQ(Cfg.MemoWrap, !initial);
        for (QPlainTextEdit *memo : {fx.w().Memo1, fx.w().MemoG, fx.w().MemoOLE}) {
            EXPECT_EQ(fx.wraps(memo), !initial) << memo->objectName().toStdString();
            EXPECT_EQ(memo->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff, !initial);
        }
        EXPECT_EQ(fx.wraps(fx.w().MemoF), caption == u"2画面" ? !initial : paneBefore);
        fx.w().MenuNW->trigger(); // the menu item does the same
        EXPECT_EQ(Cfg.MemoWrap, initial);
        for (QPlainTextEdit *memo : {fx.w().Memo1, fx.w().MemoG, fx.w().MemoOLE})
            EXPECT_EQ(fx.wraps(memo), initial);
    }
}

TEST(ViewModes, SecondPaneShowsTheSavedMemoReadOnlyAndOnlyForMemos)
{
    ViewTree fx;
    fx.click(3); // picture: nothing happens
    fx.w().ToolButton2Click();
    EXPECT_FALSE(fx.w().PanelB->isVisibleTo(&fx.w()));

    fx.click(2);
    fx.w().Memo1->moveCursor(QTextCursor::End);
    fx.w().Memo1->insertPlainText(QStringLiteral("です"));
    fx.w().MenuN2->trigger();
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/a.txt")), sjis(QStringLiteral("一行目\r\n二行目です")));
    EXPECT_TRUE(fx.w().PanelB->isVisibleTo(&fx.w()));
    EXPECT_TRUE(BottomPanelOn);
    EXPECT_EQ(fx.w().PageControl1->tabText(0), QStringLiteral("2画面"));
    EXPECT_TRUE(fx.w().PageControl1->isTabVisible(0));
    for (int i = 1; i < fx.w().PageControl1->count(); ++i)
        EXPECT_FALSE(fx.w().PageControl1->isTabVisible(i));
    EXPECT_EQ(fx.w().MemoF->toPlainText(), QStringLiteral("一行目\n二行目です"));
    EXPECT_TRUE(fx.w().MemoF->isReadOnly());

    // Typing in the memo leaves the pane; a double click there is no jump.
    fx.w().Memo1->insertPlainText(QStringLiteral("。"));
    EXPECT_EQ(fx.w().MemoF->toPlainText(), QStringLiteral("一行目\n二行目です"));
    fx.w().MemoF->setPlainText(QStringLiteral("h\nh\n3,1,0,1,pic.bmp:x"));
    fx.w().MemoF->setTextCursor(QTextCursor(fx.w().MemoF->document()->findBlockByNumber(2)));
    fx.w().MemoFDblClick();
    EXPECT_EQ(fx.w().TreeView1->currentItem(), fx.item(2));

    // The same command closes it, and it stays closed at the next node.
    fx.w().ToolButton2Click();
    EXPECT_FALSE(fx.w().PanelB->isVisibleTo(&fx.w()));
    fx.click(1);
    EXPECT_FALSE(fx.w().PanelB->isVisibleTo(&fx.w()));
}

TEST(ViewModes, HidingTheTreeAndExpandingAndCollapsingIt)
{
    ViewTree fx;
    fx.w().MenuFTV->trigger();
    EXPECT_TRUE(fx.w().PanelTree->isHidden());
    EXPECT_EQ(fx.w().MenuFTV->text(), QStringLiteral("表示"));
    fx.w().MenuFTV->trigger();
    EXPECT_FALSE(fx.w().PanelTree->isHidden());
    EXPECT_EQ(fx.w().MenuFTV->text(), QStringLiteral("非表示"));

    QTreeWidgetItem *folder = fx.item(0);
    fx.w().PMenuTreeOpen->trigger();
    EXPECT_TRUE(folder->isExpanded());
    fx.w().PMenuTreeClose->trigger();
    EXPECT_FALSE(folder->isExpanded());
}

TEST(ViewModes, PopupEnablesFolderCommandsOnlyOnFolders)
{
    ViewTree fx;
    struct Case { int node; bool folderItems; };
    for (const Case &c : {Case{2, false}, Case{0, true}, Case{3, false}}) {
        fx.click(c.node);
        emit fx.w().PopupMenuTree->aboutToShow();
        EXPECT_TRUE(fx.w().PMenuTreeOpen->isEnabled());
        EXPECT_TRUE(fx.w().PMenuTreeClose->isEnabled());
        EXPECT_EQ(fx.w().PMenuTreeG->isEnabled(), c.folderItems) << c.node;
        EXPECT_EQ(fx.w().MenuTreeM->isEnabled(), c.folderItems) << c.node;
    }
}

// Opening a tree in the main window: kinds and icons, selection and status texts,
// writing the tree file, and the guards around a tree file that failed to read.

#include "base/globals.h"
#include "settings/oleiconregistry.h"
#include "support/windowfixture.h"
#include "tree/nodekind.h"
#include "tree/ui/nodetreewidget.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTreeWidgetItem>
#include <gtest/gtest.h>

namespace {

int iconOf(QTreeWidgetItem *item)
{
    return item->data(0, NodeTreeWidget::IconIndexRole).toInt();
}

// A tree whose nodes exist on disk as different kinds.
struct KindsTree : WindowFixture {
    KindsTree()
        : WindowFixture(QStringLiteral("Docs\r\n\ta.txt\r\n\tpic.bmp\r\n\tPhoto.JPE\r\n\tREADME\r\n\tnote.rtf\r\n"
                                       "\tgone.txt\r\nDocs2\r\n\ta.txt\r\n"),
                        false)
    {
        dir.createDir(QStringLiteral("docs/Docs/pic.bmp")); // a folder named like a picture
        dir.createFile(QStringLiteral("docs/Docs/a.txt"), "x");
        dir.createFile(QStringLiteral("docs/Docs/Photo.JPE"));
        dir.createFile(QStringLiteral("docs/Docs/README"));
        dir.createFile(QStringLiteral("docs/Docs/note.rtf"));
        dir.createDir(QStringLiteral("docs/Docs2"));
        dir.createFile(QStringLiteral("docs/Docs2/a.txt"), "y");
        window->FormActivate();
    }
};

TEST(TreeWindow, OpeningGivesEveryNodeItsKindIcon)
{
    KindsTree fx;
    ASSERT_TRUE(TreeReady);
    EXPECT_EQ(BaseDir, fx.dir.file(QStringLiteral("docs")));
    EXPECT_EQ(fx.w().windowTitle(), QStringLiteral("ORVANE：") + fx.treePath);
    const int expected[] = {KindFolder, KindMemo, KindFolder, KindImage, KindOle, KindRich, KindUnknown,
                            KindFolder, KindMemo};
    ASSERT_EQ(fx.w().nodeCount(), 9);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(iconOf(fx.item(i)), expected[i]) << i;
    // The first node is current, collapsed tree, status shows level and position.
    EXPECT_EQ(NodeName, QStringLiteral("Docs"));
    EXPECT_EQ(NodePath, QStringLiteral("\\"));
    EXPECT_EQ(fx.w().statusText(0), QStringLiteral("第1階層"));
    EXPECT_EQ(fx.w().statusText(1), QStringLiteral(" 1/9"));
    EXPECT_FALSE(fx.item(0)->isExpanded());
}

TEST(TreeWindow, SelectingANodeSetsCurrentStateCommandsAndStatus)
{
    KindsTree fx;
    fx.click(1);
    EXPECT_EQ(NodePath, QStringLiteral("\\Docs\\"));
    EXPECT_EQ(NodeName, QStringLiteral("a.txt"));
    EXPECT_EQ(NodeExt, QStringLiteral("TXT"));
    EXPECT_EQ(NodeKind, KindMemo);
    EXPECT_EQ(fx.w().statusText(0), QStringLiteral("第2階層"));
    EXPECT_EQ(fx.w().statusText(1), QStringLiteral(" 2/9"));

    struct Row { int index; bool child; bool print; bool twoPane; };
    const Row rows[] = {{0, true, false, false}, {1, false, true, true}, {3, false, true, false},
                        {6, false, true, false}};
    for (const Row &r : rows) {
        fx.click(r.index);
        EXPECT_EQ(fx.w().ToolButtonI->isEnabled(), r.child) << r.index;
        EXPECT_EQ(fx.w().MenuNC->isEnabled(), r.child) << r.index;
        EXPECT_EQ(fx.w().ToolButtonP->isEnabled(), r.print) << r.index;
        EXPECT_EQ(fx.w().MenuNP->isEnabled(), r.print) << r.index;
        EXPECT_EQ(fx.w().ToolButton2->isEnabled(), r.twoPane) << r.index;
        EXPECT_EQ(fx.w().MenuNTAdd->isEnabled(), r.twoPane) << r.index;
    }
}

TEST(TreeWindow, NoSelectionIsReported)
{
    KindsTree fx;
    fx.w().TreeView1->setCurrentItem(nullptr);
    fx.w().TreeView();
    EXPECT_EQ(fx.w().statusText(2), QStringLiteral("指定ﾉｰﾄﾞなし"));
    EXPECT_EQ(NodeName, QStringLiteral("Docs"));
}

TEST(TreeWindow, TreeIniSelTellsSameNamesApartByFolderPath)
{
    KindsTree fx;
    fx.w().TreeIniSel(QStringLiteral("\\Docs2\\"), QStringLiteral("a.txt"));
    EXPECT_EQ(fx.w().TreeView1->currentItem(), fx.item(8));
    EXPECT_EQ(NodePath, QStringLiteral("\\Docs2\\"));
    fx.w().TreeIniSel(QStringLiteral("\\Nowhere\\"), QStringLiteral("a.txt"));
    EXPECT_EQ(fx.w().TreeView1->currentItem(), fx.item(8));
}

TEST(TreeWindow, NamesThatWouldLeaveTheTreeFolderAreUnknown)
{
    WindowFixture fx(QStringLiteral("..\r\n.\r\nx/..\r\na\\..\\b\r\nSub\r\n\t..\r\n"), false);
    fx.dir.createFile(QStringLiteral("b"));
    fx.dir.createDir(QStringLiteral("docs/Sub"));
    fx.w().FormActivate();
    for (int i : {0, 1, 2, 3, 5})
        EXPECT_EQ(iconOf(fx.item(i)), KindUnknown) << i;
    EXPECT_EQ(iconOf(fx.item(4)), KindFolder);
}

TEST(TreeWindow, AChildOfANodeWithoutAPathHasNoPath)
{
    // "a\b" is no folder of the tree; its child must not reach docs/a/b/child.TXT.
    WindowFixture fx(QStringLiteral("a\\b\r\n\tchild.TXT\r\nlast.TXT\r\n"), false);
    fx.dir.createFile(QStringLiteral("docs/a/b/child.TXT"), "not this one");
    fx.dir.createFile(QStringLiteral("docs/last.TXT"), "last");
    fx.w().FormActivate();
    fx.w().TreeView1->expandAll();
    EXPECT_EQ(iconOf(fx.item(1)), KindUnknown);
    fx.click(1);
    EXPECT_EQ(NodeName, QStringLiteral("child.TXT"));
    EXPECT_EQ(NodePath, QString());
    EXPECT_EQ(NodeKind, KindUnknown);
    EXPECT_FALSE(fx.w().PanelMemo->isVisibleTo(&fx.w()));
    fx.w().Memo1->setPlainText(QStringLiteral("typed"));
    fx.click(2);
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/a/b/child.TXT")), QByteArray("not this one"));
}

TEST(TreeWindow, OleNodesTakeTheirRegisteredIcon)
{
    // The registry is loaded when the window is created; the tree follows it when opened.
    TestDir dir;
    const QString exe = dir.makeExeDir();
    dir.createFile(QStringLiteral("exe/Res/OLEFEX.ini"), "[OLEIcon]\r\nCount=2\r\nExt1=PDF\r\nExp1=a\r\nExt2=\r\nExp2=b\r\n");
    dir.createSjisFile(QStringLiteral("docs/T.Orvan"), QStringLiteral("a.pdf\r\nREADME\r\nb.doc\r\n"));
    for (const char *name : {"docs/a.pdf", "docs/README", "docs/b.doc"})
        dir.createFile(QString::fromLatin1(name));
    RecordingUi ui;
    TOrvaneF w(exe, {dir.file(QStringLiteral("docs/T.Orvan"))});
    w.FormActivate();
    EXPECT_EQ(iconOf(w.nodeAt(0)), 10);
    EXPECT_EQ(iconOf(w.nodeAt(1)), 11);
    EXPECT_EQ(iconOf(w.nodeAt(2)), 4);
    EXPECT_EQ(w.ImageList2.size(), 12);
}

TEST(TreeWindow, TreeWriteIsByteExactAndKeepsUnusualBytes)
{
    // 0xED40 does not survive decode and encode: an unchanged name must go back as read.
    const QByteArray original = QByteArray("A\n B\r\t\tC\r\n") + QByteArray::fromHex("ed40") + "\r\n";
    WindowFixture fx;
    fx.dir.createFile(QStringLiteral("docs/T.Orvan"), original);
    fx.w().OpenTree(fx.treePath);
    ASSERT_TRUE(fx.w().TreeWrite());
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/T.Orvan")),
              QByteArray("A\r\n\tB\r\n\t\tC\r\n") + QByteArray::fromHex("ed40") + "\r\n");
}

TEST(TreeWindow, BytesAfterANulStayOnDiskWhileTheTreeIsUntouched)
{
    const QByteArray original("A\r\n\tB\r\nC\0\r\nD\r\nE\r\n", 17);
    WindowFixture fx;
    fx.dir.createSjisFile(QStringLiteral("other/O.Orvan"), QStringLiteral("X\r\n"));
    const QString other = fx.dir.file(QStringLiteral("other/O.Orvan"));
    fx.dir.createFile(QStringLiteral("docs/T.Orvan"), original);
    ASSERT_TRUE(fx.w().OpenTree(fx.treePath));
    EXPECT_EQ(fx.w().nodeCount(), 3);
    fx.ui.clear();
    // Left for another tree, opened again, left at close: never rewritten, nothing said.
    fx.w().HistoryItems = QStringList{fx.treePath, other};
    fx.w().MenuFTRNewClick(1);
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/T.Orvan")), original);
    fx.w().MenuFTRNewClick(int(fx.w().HistoryItems.indexOf(fx.treePath)));
    ASSERT_EQ(TreeFileName, fx.treePath);
    EXPECT_TRUE(fx.w().TreeWrite());
    fx.close();
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/T.Orvan")), original);
    EXPECT_EQ(QDir(fx.dir.file(QStringLiteral("docs"))).entryList(QDir::Files), QStringList{"T.Orvan"});
    EXPECT_TRUE(fx.ui.events.isEmpty());
}

TEST(TreeWindow, TheFirstWriteThatDropsBytesKeepsTheOriginalBesideAndSaysWhere)
{
    const QByteArray original("A\r\n\tB\r\nC\0\r\nD\r\nE\r\n", 17);
    WindowFixture fx;
    fx.dir.createFile(QStringLiteral("docs/T.Orvan"), original);
    ASSERT_TRUE(fx.w().OpenTree(fx.treePath));
    fx.ui.clear();
    fx.w().TreeView1->addTopLevelItem(NodeTreeWidget::newNodeItem(QStringLiteral("F")));
    ASSERT_TRUE(fx.w().TreeWrite());
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/T.Orvan")), QByteArray("A\r\n\tB\r\nC\r\nF\r\n"));
    const QStringList kept = QDir(fx.dir.file(QStringLiteral("docs")))
                                 .entryList({QStringLiteral("T.Orvan.*.bak")}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/") + kept.first()), original);
    ASSERT_EQ(fx.ui.texts(QStringLiteral("message")).size(), 1);
    EXPECT_TRUE(fx.ui.texts(QStringLiteral("message")).first().contains(fx.dir.file(QStringLiteral("docs/") + kept.first())));
    // Kept once: later writes go ahead without another copy or word.
    fx.w().TreeView1->addTopLevelItem(NodeTreeWidget::newNodeItem(QStringLiteral("G")));
    ASSERT_TRUE(fx.w().TreeWrite());
    EXPECT_EQ(QDir(fx.dir.file(QStringLiteral("docs"))).entryList({QStringLiteral("T.Orvan.*")}, QDir::Files).size(), 1);
    EXPECT_EQ(fx.ui.texts(QStringLiteral("message")).size(), 1);
}

TEST(TreeWindow, AFailedReadIsToldOnceNotAtEverySwitch)
{
    WindowFixture fx(QStringLiteral("A\r\n"));
    fx.dir.createSjisFile(QStringLiteral("bad/B.Orvan"), QStringLiteral("A\r\n\t\tDeep\r\n"));
    fx.dir.createSjisFile(QStringLiteral("other/O.Orvan"), QStringLiteral("X\r\n"));
    const QString bad = fx.dir.file(QStringLiteral("bad/B.Orvan"));
    const QString other = fx.dir.file(QStringLiteral("other/O.Orvan"));
    fx.w().HistoryItems = QStringList{fx.treePath, bad, other};
    fx.ui.clear();
    fx.w().MenuFTRNewClick(1);
    ASSERT_EQ(fx.ui.count(QStringLiteral("report")), 1);
    EXPECT_TRUE(fx.ui.texts(QStringLiteral("report")).first().contains(QStringLiteral("書き込みません")));
    fx.ui.clear();
    fx.w().MenuFTRNewClick(int(fx.w().HistoryItems.indexOf(other)));
    EXPECT_EQ(TreeFileName, other);
    EXPECT_EQ(fx.ui.count(QStringLiteral("report")), 0);
    EXPECT_EQ(fx.dir.read(QStringLiteral("bad/B.Orvan")), sjis(QStringLiteral("A\r\n\t\tDeep\r\n")));
}

TEST(TreeWindow, EmptyTreeFileIsReadyWithNothingShown)
{
    WindowFixture fx;
    EXPECT_TRUE(TreeReady);
    EXPECT_EQ(fx.w().nodeCount(), 0);
    ASSERT_TRUE(fx.w().TreeWrite());
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/T.Orvan")), QByteArray());
}

TEST(TreeWindow, LevelErrorKeepsNodesReadAndNeverOverwritesTheFile)
{
    const QByteArray bytes("A\r\n\tB\r\n\t\t\tDeep\r\nC\r\n");
    WindowFixture fx;
    fx.dir.createFile(QStringLiteral("docs/T.Orvan"), bytes);
    fx.ui.clear();
    EXPECT_FALSE(fx.w().OpenTree(fx.treePath));
    ASSERT_EQ(fx.ui.count(QStringLiteral("report")), 1);
    EXPECT_TRUE(fx.ui.texts(QStringLiteral("report")).first().contains(QStringLiteral("Deep")));
    EXPECT_EQ(fx.w().nodeCount(), 2);
    EXPECT_TRUE(TreeBusy);
    // Neither an explicit write nor the timer replaces the file with the partial tree.
    EXPECT_FALSE(fx.w().TreeWrite());
    TreeDirty = true;
    fx.w().Timer1Timer();
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/T.Orvan")), bytes);
    // Selection is ignored while the failed tree is shown.
    fx.click(1);
    EXPECT_NE(NodeName, QStringLiteral("B"));
}

TEST(TreeWindow, UnreadableTreeFileLeavesThePreviousTree)
{
    WindowFixture fx(QStringLiteral("A\r\n"));
    fx.ui.clear();
    EXPECT_FALSE(fx.w().OpenTree(fx.dir.file(QStringLiteral("missing.Orvan"))));
    EXPECT_EQ(fx.ui.count(QStringLiteral("report")), 1);
    EXPECT_EQ(fx.w().nodeCount(), 1);
    EXPECT_TRUE(fx.w().TreeWrite()); // the previous tree still belongs to its own file
}

TEST(TreeWindow, TreeLeftFromAFileThatCouldNotBeOpenedNeverGoesIntoIt)
{
    // A history entry naming a tree file that has gone away: the previous tree stays on
    // screen while TreeFileName names the missing file. Opening the next tree must not
    // write the previous tree there.
    WindowFixture fx(QStringLiteral("A\r\n"));
    fx.dir.createSjisFile(QStringLiteral("other/O.Orvan"), QStringLiteral("X\r\n"));
    const QString missing = fx.dir.file(QStringLiteral("gone/G.Orvan"));
    const QString other = fx.dir.file(QStringLiteral("other/O.Orvan"));
    fx.dir.createDir(QStringLiteral("gone"));
    fx.w().HistoryItems = QStringList{fx.treePath, missing, other};
    fx.w().MenuFTRNewClick(1);
    EXPECT_EQ(TreeFileName, missing);
    EXPECT_EQ(fx.w().nodeCount(), 1);
    fx.w().MenuFTRNewClick(2);
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("gone/G.Orvan")));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/T.Orvan")), QByteArray("A\r\n"));
    EXPECT_EQ(TreeFileName, other);
    EXPECT_EQ(NodeName, QStringLiteral("X"));
}

struct DialogCase {
    const char *name;
    bool create;          // "新規Orvan" instead of "Orvan開く"
    QString chosen;       // relative to the test folder; empty = cancel
    QString status;       // expected status panel 2
    bool beep;
};

TEST(TreeWindow, OpenAndNewTreeRefusals)
{
    const DialogCase cases[] = {
        {"open cancelled", false, {}, {}, false},
        {"open wrong extension", false, QStringLiteral("docs/x.txt"), QStringLiteral("拡張子がOrvanでありません"), true},
        {"open missing", false, QStringLiteral("docs/none.Orvan"), QStringLiteral("Orvanファイルがありません"), true},
        {"new wrong extension", true, QStringLiteral("docs/x.txt"), QStringLiteral("拡張子がOrvanでありません"), true},
        {"new existing", true, QStringLiteral("docs/T.Orvan"), QStringLiteral("Orvanファイルが既にあります"), true},
    };
    for (const DialogCase &c : cases) {
        WindowFixture fx(QStringLiteral("A\r\n"));
        fx.dir.createFile(QStringLiteral("docs/x.txt"));
        const QByteArray before = fx.dir.read(QStringLiteral("docs/T.Orvan"));
        fx.w().setStatus(2, QString());
        fx.ui.clear();
        if (!c.chosen.isEmpty())
            fx.ui.fileAnswers.enqueue(fx.dir.file(c.chosen));
        c.create ? fx.w().ToolButtonTNClick() : fx.w().ToolButtonTOClick();
        EXPECT_EQ(fx.w().statusText(2).trimmed(), c.status) << c.name;
        EXPECT_EQ(fx.ui.count(QStringLiteral("beep")), c.beep ? 1 : 0) << c.name;
        EXPECT_EQ(TreeFileName, fx.treePath) << c.name;
        EXPECT_EQ(fx.dir.read(QStringLiteral("docs/T.Orvan")), before) << c.name;
        EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/none.Orvan"))) << c.name;
    }
}

TEST(TreeWindow, OpenAnotherTreeWritesTheCurrentOneFirst)
{
    WindowFixture fx(QStringLiteral("A\n\tB\n"));
    fx.dir.createSjisFile(QStringLiteral("other/O.Orvan"), QStringLiteral("X\r\nY\r\n"));
    fx.ui.fileAnswers.enqueue(fx.dir.file(QStringLiteral("other/O.Orvan")));
    fx.w().ToolButtonTOClick();
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/T.Orvan")), QByteArray("A\r\n\tB\r\n"));
    EXPECT_EQ(TreeFileName, fx.dir.file(QStringLiteral("other/O.Orvan")));
    EXPECT_EQ(BaseDir, fx.dir.file(QStringLiteral("other")));
    EXPECT_EQ(NodeName, QStringLiteral("X"));
    EXPECT_EQ(fx.w().statusText(1), QStringLiteral(" 1/2"));
}

TEST(TreeWindow, NewTreeIsCreatedEmptyAndOpened)
{
    WindowFixture fx(QStringLiteral("A\r\n"));
    fx.ui.fileAnswers.enqueue(fx.dir.file(QStringLiteral("docs/New.Orvan")));
    fx.w().ToolButtonTNClick();
    EXPECT_TRUE(fx.dir.exists(QStringLiteral("docs/New.Orvan")));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/New.Orvan")), QByteArray());
    EXPECT_EQ(TreeFileName, fx.dir.file(QStringLiteral("docs/New.Orvan")));
    EXPECT_EQ(fx.w().nodeCount(), 0);
    EXPECT_TRUE(TreeReady);
    EXPECT_TRUE(NodeName.isEmpty());
}

TEST(TreeWindow, MissingBusyCursorIsReportedAndTheTreeStillOpens)
{
    WindowFixture fx(QStringLiteral("A\r\n"), false);
    QFile::remove(ExeDir + QStringLiteral("/Res/Ac.ani"));
    fx.ui.clear();
    fx.w().FormActivate();
    EXPECT_EQ(fx.ui.texts(QStringLiteral("message")), QStringList{QStringLiteral("アニメーションカーソルが読み込めません")});
    EXPECT_EQ(fx.w().nodeCount(), 1);
    EXPECT_TRUE(TreeReady);
}

TEST(TreeWindow, StatusPanelsFollowTheWindowWidth)
{
    WindowFixture fx;
    fx.w().resize(800, 500);
    fx.w().show();
    fx.w().FormResize();
    ASSERT_GT(fx.w().StatusBar1->width(), 180);
    const int w = fx.w().StatusBar1->width();
    EXPECT_EQ(fx.w().StatusPanels[0]->width(), 60);
    EXPECT_EQ(fx.w().StatusPanels[1]->width(), 60);
    EXPECT_EQ(fx.w().StatusPanels[3]->width(), 60);
    EXPECT_EQ(fx.w().StatusPanels[2]->maximumWidth(), w - 180);
}

} // namespace

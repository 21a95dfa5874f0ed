// Adding, inserting and adding child nodes in the main window, driven through the node
// dialog's port: where the node lands, what the tree file and the disk hold afterwards,
// the refusals that change nothing, and what stays when a step after the tree-file
// write fails.

#include "base/globals.h"
#include "base/sjiscodec.h"
#include "nodeops/nodedialogmodel.h"
#include "support/windowfixture.h"
#include "tree/nodekind.h"
#include "tree/ui/nodetreewidget.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidgetItem>
#include <gtest/gtest.h>

namespace {

// What the node dialog returns for a name typed (or a file picked) with a kind chosen.
NodeDialogResult typed(const QString &name, int choice = ChoiceText, const QString &templ = QStringLiteral("なし"),
                       const QString &file = {})
{
    NodeDialog::OkInput in;
    in.nameText = name;
    in.choice = choice;
    in.templateText = templ;
    in.file = file;
    const NodeDialog::OkOutcome out = NodeDialog::pressOk(in);
    EXPECT_TRUE(out.accepted) << name.toStdString();
    return out.result;
}

// A folder Box with two memos, and a memo at the top level.
//   0 Box / 1 a.TXT / 2 b.TXT / 3 c.TXT
struct AddTree : WindowFixture {
    explicit AddTree(const QString &tree = QStringLiteral("Box\r\n\ta.TXT\r\n\tb.TXT\r\nc.TXT\r\n"))
        : WindowFixture(tree, false)
    {
        dir.createDir(QStringLiteral("docs/Box"));
        dir.createFile(QStringLiteral("docs/Box/a.TXT"), "a");
        dir.createFile(QStringLiteral("docs/Box/b.TXT"), "b");
        dir.createFile(QStringLiteral("docs/c.TXT"), "c");
        window->FormActivate();
    }
    QByteArray treeBytes() const { return dir.read(QStringLiteral("docs/T.Orvan")); }
    QString treeText() const { return Sjis::decode(treeBytes()); }
    // Every path below docs/, to see that nothing appeared or went.
    QStringList listing() const
    {
        QStringList out;
        const QString root = dir.file(QStringLiteral("docs"));
        QDir d(root);
        for (const QFileInfo &i : d.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
            out << i.fileName() + (i.isDir() ? QStringLiteral("/") + QDir(i.filePath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).join(u',') : QString());
        return out;
    }
    void answer(const NodeDialogResult &r) { ui.nodeDialogAnswers.enqueue(r); }
    QString current() const { return window->TreeView1->currentItem() ? window->TreeView1->currentItem()->text(0) : QString(); }
};

using Command = void (TOrvaneF::*)();

} // namespace

TEST(AddNodes, EachCommandPutsTheNodeInItsPlace)
{
    struct Case {
        const char *what;
        Command command;
        int clicked;
        int mode;
        const char *tree;
        const char *file;
        const char *nodePath;
    };
    const Case cases[] = {
        {"add below a first child lands after the last sibling", &TOrvaneF::ToolButtonAClick, 1, DlgAddNode,
         "Box\r\n\ta.TXT\r\n\tb.TXT\r\n\tnew.TXT\r\nc.TXT\r\n", "docs/Box/new.TXT", "\\Box\\"},
        {"add at the top level", &TOrvaneF::ToolButtonAClick, 0, DlgAddNode,
         "Box\r\n\ta.TXT\r\n\tb.TXT\r\nc.TXT\r\nnew.TXT\r\n", "docs/new.TXT", "\\"},
        {"insert lands directly before the selected node", &TOrvaneF::ToolButtonACClick, 2, DlgInsertNode,
         "Box\r\n\ta.TXT\r\n\tnew.TXT\r\n\tb.TXT\r\nc.TXT\r\n", "docs/Box/new.TXT", "\\Box\\"},
        {"insert before the first top-level node", &TOrvaneF::ToolButtonACClick, 0, DlgInsertNode,
         "new.TXT\r\nBox\r\n\ta.TXT\r\n\tb.TXT\r\nc.TXT\r\n", "docs/new.TXT", "\\"},
        {"add child lands as the last child", &TOrvaneF::ToolButtonIClick, 0, DlgAddChildNode,
         "Box\r\n\ta.TXT\r\n\tb.TXT\r\n\tnew.TXT\r\nc.TXT\r\n", "docs/Box/new.TXT", "\\Box\\"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        AddTree fx;
        fx.click(c.clicked);
        fx.answer(typed(QStringLiteral("new")));
        (fx.w().*c.command)();

        ASSERT_EQ(fx.ui.nodeDialogRequests.size(), 1);
        EXPECT_EQ(fx.ui.nodeDialogRequests[0].mode, c.mode);
        EXPECT_EQ(fx.treeText(), QString::fromUtf8(c.tree));
        ASSERT_TRUE(fx.dir.exists(QString::fromUtf8(c.file)));
        EXPECT_EQ(QFileInfo(fx.dir.file(QString::fromUtf8(c.file))).size(), 0);
        // The new node is the current node, shown as a text memo.
        EXPECT_EQ(fx.current(), QStringLiteral("new.TXT"));
        EXPECT_EQ(NodeName, QStringLiteral("new.TXT"));
        EXPECT_EQ(NodePath, QString::fromUtf8(c.nodePath));
        EXPECT_EQ(NodeKind, KindMemo);
        EXPECT_EQ(fx.w().TreeView1->currentItem()->data(0, NodeTreeWidget::IconIndexRole).toInt(), KindMemo);
        EXPECT_TRUE(fx.w().PanelMemo->isVisibleTo(&fx.w()));
        EXPECT_EQ(fx.ui.count(QStringLiteral("beep")), 0);
    }
}

TEST(AddNodes, AddChildExpandsTheFolderAndEverythingBelowIt)
{
    AddTree fx(QStringLiteral("Box\r\n\tInner\r\n\t\tx.TXT\r\nc.TXT\r\n"));
    fx.dir.createDir(QStringLiteral("docs/Box/Inner"));
    fx.dir.createFile(QStringLiteral("docs/Box/Inner/x.TXT"));
    fx.w().FormActivate();
    fx.click(0);
    ASSERT_FALSE(fx.item(1)->isExpanded());
    fx.answer(typed(QStringLiteral("Sub"), ChoiceFolder));
    fx.w().ToolButtonIClick();
    EXPECT_EQ(fx.treeText(), QStringLiteral("Box\r\n\tInner\r\n\t\tx.TXT\r\n\tSub\r\nc.TXT\r\n"));
    EXPECT_TRUE(QFileInfo(fx.dir.file(QStringLiteral("docs/Box/Sub"))).isDir());
    EXPECT_TRUE(fx.item(0)->isExpanded());
    EXPECT_TRUE(fx.item(1)->isExpanded());
    EXPECT_EQ(NodeKind, KindFolder);
}

TEST(AddNodes, AddingToAnEmptyTreeMakesTheFirstNodeInTheTreeFolder)
{
    WindowFixture fx{QString()};
    ASSERT_EQ(fx.w().nodeCount(), 0);
    fx.ui.nodeDialogAnswers.enqueue(typed(QStringLiteral("first")));
    fx.w().ToolButtonAClick();
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/T.Orvan")), QByteArray("first.TXT\r\n"));
    EXPECT_TRUE(QFileInfo(fx.dir.file(QStringLiteral("docs/first.TXT"))).isFile());
    EXPECT_EQ(NodePath, QStringLiteral("\\"));
    EXPECT_EQ(NodeName, QStringLiteral("first.TXT"));
}

TEST(AddNodes, EachKindGetsItsFileOrFolder)
{
    AddTree fx;
    // A template with bytes a rewrite would change: a second byte 0x5C, a lone LF, no
    // line break at the end.
    const QByteArray templateBytes = sjis(QStringLiteral("ソ表\n")) + QByteArray("tail");
    fx.dir.createFile(QStringLiteral("exe/Res/様式Memo議事録.TXT"), templateBytes);
    QByteArray picture;
    {
        QBuffer buffer(&picture);
        buffer.open(QIODevice::WriteOnly);
        QImage image(3, 2, QImage::Format_RGB32);
        image.fill(Qt::red);
        image.save(&buffer, "BMP");
    }
    fx.dir.createFile(QStringLiteral("elsewhere/photo.bmp"), picture);
    fx.dir.createFile(QStringLiteral("elsewhere/sheet.ods"), "ods");

    struct Case {
        NodeDialogResult answer;
        const char *path;
        QByteArray bytes;
        int kind;
    };
    const Case cases[] = {
        {typed(QStringLiteral("plain")), "docs/plain.TXT", {}, KindMemo},
        {typed(QStringLiteral("rich"), ChoiceRich), "docs/rich.RTF", {}, KindRich},
        {typed(QStringLiteral("from"), ChoiceText, QStringLiteral("議事録")), "docs/from.TXT", templateBytes, KindMemo},
        {typed(QStringLiteral("photo.bmp"), ChoiceImage, {}, fx.dir.file(QStringLiteral("elsewhere/photo.bmp"))),
         "docs/photo.bmp", picture, KindImage},
        {typed(QStringLiteral("sheet.ods"), ChoiceOle, {}, fx.dir.file(QStringLiteral("elsewhere/sheet.ods"))),
         "docs/sheet.ods", "ods", KindOle},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        fx.click(3);
        fx.answer(c.answer);
        fx.w().ToolButtonAClick();
        const QString name = QFileInfo(QString::fromUtf8(c.path)).fileName();
        EXPECT_EQ(fx.current(), name);
        EXPECT_EQ(NodeKind, c.kind);
        EXPECT_EQ(fx.dir.read(QString::fromUtf8(c.path)), c.bytes);
        EXPECT_TRUE(fx.treeText().endsWith(name + QStringLiteral("\r\n")));
    }
    // The picked files stay where they were.
    EXPECT_EQ(fx.dir.read(QStringLiteral("elsewhere/photo.bmp")), picture);
    EXPECT_TRUE(fx.dir.exists(QStringLiteral("elsewhere/sheet.ods")));
    EXPECT_TRUE(fx.ui.texts(QStringLiteral("message")).isEmpty());
    EXPECT_TRUE(fx.ui.texts(QStringLiteral("report")).isEmpty());
}

TEST(AddNodes, RefusalsChangeNothing)
{
    struct Case {
        const char *what;
        Command command;
        int clicked; // -1: no node selected
        NodeDialogResult answer;
        const char *status;
        bool beep;
        bool dialogShown;
    };
    NodeDialogResult unencodable;
    unencodable.ok = true;
    unencodable.name = QStringLiteral("絵文字😀.TXT"); // not through the dialog, which would clean it
    unencodable.kind = 1;
    NodeDialogResult withTab = unencodable;
    withTab.name = QStringLiteral("a\tb.TXT");
    const Case cases[] = {
        {"a file of that name exists", &TOrvaneF::ToolButtonAClick, 3, typed(QStringLiteral("c")),
         "ﾌｧｲﾙ c.TXT既にあります", true, true},
        {"a folder of that name exists", &TOrvaneF::ToolButtonACClick, 3, typed(QStringLiteral("Box"), ChoiceFolder),
         "ﾌｫﾙﾀﾞｰ Box 既にあります", true, true},
        {"the picked file is in the node's folder already", &TOrvaneF::ToolButtonAClick, 3,
         typed(QStringLiteral("c.TXT"), ChoiceOle, {}, QStringLiteral("/elsewhere/c.TXT")), "ﾌｧｲﾙ c.TXT既にあります", true,
         true},
        {"a name that leads out of the folder", &TOrvaneF::ToolButtonAClick, 3, typed(QStringLiteral(".."), ChoiceFolder),
         "ﾉｰﾄﾞ名 .. は使用できません", true, true},
        {"a name the tree file cannot hold", &TOrvaneF::ToolButtonAClick, 3, unencodable,
         "ﾉｰﾄﾞ名 絵文字😀.TXT は使用できません", true, true},
        {"a name with a TAB", &TOrvaneF::ToolButtonIClick, 0, withTab, "ﾉｰﾄﾞ名 a\tb.TXT は使用できません", true, true},
        {"add child on a memo", &TOrvaneF::ToolButtonIClick, 3, typed(QStringLiteral("x")),
         "ﾌｫﾙﾀﾞｰﾉｰﾄﾞのみ子ﾉｰﾄﾞ作成可能です", true, false},
        {"insert without a selection", &TOrvaneF::ToolButtonACClick, -1, typed(QStringLiteral("x")),
         "ﾉｰﾄﾞが選択されていません", false, false},
        {"add child without a selection", &TOrvaneF::ToolButtonIClick, -1, typed(QStringLiteral("x")),
         "ﾉｰﾄﾞが選択されていません", false, false},
        {"the dialog cancelled", &TOrvaneF::ToolButtonAClick, 3, NodeDialogResult(), "", false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        AddTree fx;
        if (c.clicked >= 0)
            fx.click(c.clicked);
        else
            fx.w().TreeView1->setCurrentItem(nullptr);
        const QByteArray treeBefore = fx.treeBytes();
        const QStringList filesBefore = fx.listing();
        fx.ui.clear();
        fx.answer(c.answer);
        (fx.w().*c.command)();

        EXPECT_EQ(fx.ui.count(QStringLiteral("nodedialog")), c.dialogShown ? 1 : 0);
        EXPECT_EQ(fx.w().statusText(2).trimmed(), QString::fromUtf8(c.status));
        EXPECT_EQ(fx.ui.count(QStringLiteral("beep")), c.beep ? 1 : 0);
        EXPECT_EQ(fx.treeBytes(), treeBefore);
        EXPECT_EQ(fx.listing(), filesBefore);
        EXPECT_EQ(fx.w().nodeCount(), 4);
        EXPECT_TRUE(fx.ui.texts(QStringLiteral("message")).isEmpty());
    }
}

// The file or folder cannot be made after the tree file took the node: the failure is
// named, and the node goes out of the tree and the tree file again, so the command leaves
// nothing half done.
TEST(AddNodes, AFailureAfterTheTreeFileWriteTakesTheNodeOutAgain)
{
    struct Case {
        const char *what;
        NodeDialogResult answer;
        const char *message;  // shown by the utility routine, if any
        const char *report;   // the start of the application's error report, if any
    };
    const Case cases[] = {
        {"a file blocks the new folder", typed(QStringLiteral("d"), ChoiceFolder), nullptr, "フォルダー "},
        {"image kind with nothing picked", typed(QStringLiteral("left.png"), ChoiceImage), "Copy入力ファイルなし",
         nullptr},
        {"a typed template that does not exist", typed(QStringLiteral("t"), ChoiceText, QStringLiteral("無い様式")),
         "Copy入力ファイルなし", nullptr},
        {"a folder blocks the new memo", typed(QStringLiteral("e")), nullptr, "ファイル "},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        AddTree fx;
        fx.dir.createFile(QStringLiteral("docs/d"), "d");
        fx.dir.createDir(QStringLiteral("docs/e.TXT"));
        fx.click(3);
        const QStringList filesBefore = fx.listing();
        fx.ui.clear();
        fx.answer(c.answer);
        fx.w().ToolButtonAClick();

        EXPECT_EQ(fx.treeText(), QStringLiteral("Box\r\n\ta.TXT\r\n\tb.TXT\r\nc.TXT\r\n"));
        EXPECT_EQ(fx.w().nodeCount(), 4);
        EXPECT_EQ(fx.listing(), filesBefore);
        EXPECT_EQ(fx.current(), QStringLiteral("c.TXT"));
        if (c.message)
            EXPECT_EQ(fx.ui.texts(QStringLiteral("message")), QStringList{QString::fromUtf8(c.message)});
        else
            EXPECT_TRUE(fx.ui.texts(QStringLiteral("message")).isEmpty());
        const QStringList reports = fx.ui.texts(QStringLiteral("report"));
        EXPECT_EQ(reports.size(), c.report ? 1 : 0);
        if (c.report && !reports.isEmpty())
            EXPECT_TRUE(reports.first().startsWith(QString::fromUtf8(c.report))) << reports.first().toStdString();
    }
}

TEST(AddNodes, ATreeFileThatCannotBeWrittenTakesTheNodeOutAgain)
{
    AddTree fx;
    fx.click(3);
    // Something that is not a file has taken the tree file's place.
    ASSERT_TRUE(QFile::remove(fx.treePath));
    ASSERT_TRUE(QDir().mkdir(fx.treePath));
    fx.answer(typed(QStringLiteral("new")));
    fx.w().ToolButtonAClick();

    EXPECT_EQ(fx.ui.count(QStringLiteral("report")), 1);
    EXPECT_TRUE(QFileInfo(fx.treePath).isDir());
    EXPECT_EQ(fx.w().nodeCount(), 4);
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/new.TXT")));
    EXPECT_EQ(fx.current(), QStringLiteral("c.TXT"));
}

TEST(AddNodes, ToolbarMenuAndShortcutReachTheCommands)
{
    AddTree fx;
    EXPECT_EQ(fx.w().MenuNA->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    fx.click(0);
    const QList<QPair<QAction *, int>> triggers = {
        {fx.w().ToolButtonA, DlgAddNode},      {fx.w().MenuNA, DlgAddNode},
        {fx.w().ToolButtonAC, DlgInsertNode},  {fx.w().MenuNI, DlgInsertNode},
        {fx.w().ToolButtonI, DlgAddChildNode}, {fx.w().MenuNC, DlgAddChildNode},
    };
    for (const auto &t : triggers)
        t.first->trigger();
    ASSERT_EQ(fx.ui.nodeDialogRequests.size(), triggers.size());
    for (int i = 0; i < triggers.size(); ++i)
        EXPECT_EQ(fx.ui.nodeDialogRequests[i].mode, triggers[i].second) << i;
    EXPECT_EQ(fx.treeText(), QStringLiteral("Box\r\n\ta.TXT\r\n\tb.TXT\r\nc.TXT\r\n")); // all cancelled
}

TEST(AddNodes, TheCaretGoesIntoTheEditorOfANewMemo)
{
    AddTree fx;
    fx.w().show();
    QApplication::setActiveWindow(&fx.w());
    fx.click(3);
    fx.answer(typed(QStringLiteral("typing")));
    fx.w().ToolButtonAClick();
    QTRY_VERIFY(fx.w().Memo1->hasFocus());

    fx.answer(typed(QStringLiteral("folder"), ChoiceFolder));
    fx.w().ToolButtonAClick();
    QTRY_VERIFY(fx.w().TreeView1->hasFocus()); // a folder leaves the focus in the tree
}

TEST(AddNodes, APickedLinkGivesACopyOfTheFileItNames)
{
    // The node's file must be the picture itself: a link copied as a link would point
    // nowhere from the tree's folder, or at a file the tree does not hold.
    AddTree fx;
    fx.dir.createFile(QStringLiteral("elsewhere/2024/photo.bmp"), "BM picture");
    ASSERT_TRUE(QFile::link(QStringLiteral("2024/photo.bmp"), fx.dir.file(QStringLiteral("elsewhere/latest.bmp"))));
    fx.click(3);
    fx.answer(typed(QStringLiteral("latest.bmp"), ChoiceOle, {}, fx.dir.file(QStringLiteral("elsewhere/latest.bmp"))));
    fx.w().ToolButtonAClick();
    const QFileInfo node(fx.dir.file(QStringLiteral("docs/latest.bmp")));
    EXPECT_FALSE(node.isSymLink());
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/latest.bmp")), QByteArray("BM picture"));
    EXPECT_EQ(fx.current(), QStringLiteral("latest.bmp"));
    EXPECT_TRUE(QFileInfo(fx.dir.file(QStringLiteral("elsewhere/latest.bmp"))).isSymLink());
}

// Deleting nodes: the node only or with its file or folder, the refusals, and what is
// current afterwards. Every refusal leaves disk, tree and tree file as they were.

#include "base/globals.h"
#include "nodeops/nodedialogmodel.h"
#include "support/nodefiles.h"
#include "support/windowfixture.h"
#include "tree/nodekind.h"
#include "tree/ui/nodetreewidget.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QTreeWidgetItem>
#include <gtest/gtest.h>

#include <memory>

namespace {

// A tree with a folder holding a memo, a picture with its comment, another file with
// its comment, an empty folder and a folder holding a file that has no node; with
// `single`, then a folder node with exactly one child (indexes 7 and 8).
struct DeleteTree : WindowFixture {
    explicit DeleteTree(bool single = false)
        : WindowFixture(QStringLiteral("Docs\r\n\tmemo.TXT\r\n\tpic.bmp\r\n\tdoc.pdf\r\nEmpty\r\nStray\r\nlast.TXT\r\n")
                            + (single ? QStringLiteral("Single\r\n\tone.TXT\r\n") : QString()),
                        false)
    {
        if (single)
            dir.createFile(QStringLiteral("docs/Single/one.TXT"), "one");
        dir.createFile(QStringLiteral("docs/Docs/memo.TXT"), "memo");
        dir.createFile(QStringLiteral("docs/Docs/pic.bmp"), bmpBytes());
        dir.createFile(QStringLiteral("docs/Docs/pic.bmp.TMEM"), "comment");
        dir.createFile(QStringLiteral("docs/Docs/doc.pdf"), "%PDF");
        dir.createFile(QStringLiteral("docs/Docs/doc.pdf.TMEM"), "comment");
        dir.createDir(QStringLiteral("docs/Empty"));
        dir.createFile(QStringLiteral("docs/Stray/unknown.txt"), "x");
        dir.createFile(QStringLiteral("docs/last.TXT"), "last");
        window->FormActivate();
        w().TreeView1->expandAll();
    }
    QByteArray treeFile() const { return dir.read(QStringLiteral("docs/T.Orvan")); }
    // Runs the deletion of node `index` in mode 5 (node only) or 6 (with its file).
    void deleteNode(int index, int mode, bool confirm = true)
    {
        click(index);
        ui.clear();
        if (confirm)
            ui.nodeDialogAnswers.enqueue(confirmedDialog());
        if (mode == DlgDeleteNode)
            w().ToolButtonNDClick();
        else
            w().ToolButtonDClick();
    }
};

TEST(DeleteNode, NodeOnlyOrWithFileAndSideFile)
{
    struct Row {
        int index;
        int mode;
        QStringList gone;      // below docs/
        QStringList stays;
        QByteArray treeAfter;
    };
    const QByteArray rest = "Empty\r\nStray\r\nlast.TXT\r\n";
    const Row rows[] = {
        {1, DlgDeleteNode, {}, {"Docs/memo.TXT"}, "Docs\r\n\tpic.bmp\r\n\tdoc.pdf\r\n" + rest},
        {1, DlgDeleteWithFile, {"Docs/memo.TXT"}, {"Docs/pic.bmp"}, "Docs\r\n\tpic.bmp\r\n\tdoc.pdf\r\n" + rest},
        {2, DlgDeleteNode, {}, {"Docs/pic.bmp", "Docs/pic.bmp.TMEM"}, "Docs\r\n\tmemo.TXT\r\n\tdoc.pdf\r\n" + rest},
        {2, DlgDeleteWithFile, {"Docs/pic.bmp", "Docs/pic.bmp.TMEM"}, {"Docs/memo.TXT"},
         "Docs\r\n\tmemo.TXT\r\n\tdoc.pdf\r\n" + rest},
        {3, DlgDeleteWithFile, {"Docs/doc.pdf", "Docs/doc.pdf.TMEM"}, {"Docs/pic.bmp.TMEM"},
         "Docs\r\n\tmemo.TXT\r\n\tpic.bmp\r\n" + rest},
        {4, DlgDeleteNode, {}, {"Empty"}, "Docs\r\n\tmemo.TXT\r\n\tpic.bmp\r\n\tdoc.pdf\r\nStray\r\nlast.TXT\r\n"},
        {4, DlgDeleteWithFile, {"Empty"}, {"Stray/unknown.txt"},
         "Docs\r\n\tmemo.TXT\r\n\tpic.bmp\r\n\tdoc.pdf\r\nStray\r\nlast.TXT\r\n"},
    };
    for (const Row &r : rows) {
        DeleteTree fx;
        const QString name = fx.item(r.index)->text(0);
        fx.deleteNode(r.index, r.mode);
        const QString row = name + u' ' + QString::number(r.mode);
        ASSERT_EQ(fx.ui.nodeDialogRequests.size(), 1) << row.toStdString();
        EXPECT_EQ(fx.ui.nodeDialogRequests[0].mode, r.mode);
        EXPECT_EQ(fx.ui.nodeDialogRequests[0].nodeName, name);
        for (const QString &g : r.gone)
            EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/") + g)) << row.toStdString() << " " << g.toStdString();
        for (const QString &s : r.stays)
            EXPECT_TRUE(fx.dir.exists(QStringLiteral("docs/") + s)) << row.toStdString() << " " << s.toStdString();
        EXPECT_EQ(fx.treeFile(), r.treeAfter) << row.toStdString();
        EXPECT_EQ(fx.ui.count(QStringLiteral("message")), 0) << row.toStdString();
        EXPECT_EQ(fx.ui.count(QStringLiteral("beep")), 0) << row.toStdString();
        EXPECT_FALSE(SaveSuppressed);
    }
}

TEST(DeleteNode, FileAlreadyMissingIsSimplyRemoved)
{
    WindowFixture fx(QStringLiteral("gone.TXT\r\nb.TXT\r\n"));
    fx.dir.createFile(QStringLiteral("docs/b.TXT"));
    fx.click(0);
    fx.ui.clear();
    fx.ui.nodeDialogAnswers.enqueue(confirmedDialog());
    fx.w().ToolButtonDClick();
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/T.Orvan")), QByteArray("b.TXT\r\n"));
    EXPECT_TRUE(fx.ui.texts(QStringLiteral("message")).isEmpty());
}

TEST(DeleteNode, NextCurrentNodeIsTheOneTheTreeSelects)
{
    struct Row {
        int index;
        QString next; // the node that is current after the deletion
        QString path;
    };
    // Docs(memo, pic, doc), Empty, Stray, last
    const Row rows[] = {
        {1, QStringLiteral("pic.bmp"), QStringLiteral("\\Docs\\")},   // the next sibling
        {3, QStringLiteral("pic.bmp"), QStringLiteral("\\Docs\\")},   // the last child: the one before
        {6, QStringLiteral("Stray"), QStringLiteral("\\")},            // the last root
    };
    for (const Row &r : rows) {
        DeleteTree fx;
        fx.deleteNode(r.index, DlgDeleteNode);
        ASSERT_NE(fx.w().TreeView1->currentItem(), nullptr);
        EXPECT_EQ(fx.w().TreeView1->currentItem()->text(0), r.next) << r.index;
        EXPECT_TRUE(fx.w().TreeView1->currentItem()->isSelected()) << r.index;
        EXPECT_EQ(NodeName, r.next) << r.index;
        EXPECT_EQ(NodePath, r.path) << r.index;
    }

    // An only child leaves its parent current.
    WindowFixture fx(QStringLiteral("Top\r\n\tonly.TXT\r\n"), false);
    fx.dir.createFile(QStringLiteral("docs/Top/only.TXT"));
    fx.w().FormActivate();
    fx.w().TreeView1->expandAll();
    fx.click(1);
    fx.ui.nodeDialogAnswers.enqueue(confirmedDialog());
    fx.w().ToolButtonNDClick();
    EXPECT_EQ(NodeName, QStringLiteral("Top"));
    EXPECT_EQ(NodePath, QStringLiteral("\\"));
}

TEST(DeleteNode, RefusalsLeaveEverythingAsItWas)
{
    struct Row {
        const char *what;
        int index;
        int mode;
        bool confirm;
        QString status;   // status panel 2 afterwards
        int beeps;
        bool dialog;      // the confirmation was asked
    };
    const Row rows[] = {
        {"children, node only", 0, DlgDeleteNode, true, QStringLiteral("子ﾉｰﾄﾞがありますので削除できません"), 1, false},
        {"children, with files", 0, DlgDeleteWithFile, true, QStringLiteral("子ﾉｰﾄﾞがありますので削除できません"), 1, false},
        {"one child, node only", 7, DlgDeleteNode, true, QStringLiteral("子ﾉｰﾄﾞがありますので削除できません"), 1, false},
        {"one child, with files", 7, DlgDeleteWithFile, true, QStringLiteral("子ﾉｰﾄﾞがありますので削除できません"), 1, false},
        {"cancel, node only", 1, DlgDeleteNode, false, QString(), 0, true},
        {"cancel, with file", 1, DlgDeleteWithFile, false, QString(), 0, true},
        {"folder with a file it has no node for", 5, DlgDeleteWithFile, true,
         QStringLiteral("ﾌｫﾙﾀﾞｰﾉｰﾄﾞが削除できません([ﾌｫﾙﾀﾞｰﾉｰﾄﾞ修復]処理を実行してください)"), 1, true},
    };
    for (const Row &r : rows) {
        DeleteTree fx(true);
        const QByteArray tree = fx.treeFile();
        const QStringList disk = diskListing(fx.dir);
        const int count = fx.w().nodeCount();
        QTreeWidgetItem *node = fx.item(r.index);
        fx.deleteNode(r.index, r.mode, r.confirm);
        EXPECT_EQ(fx.treeFile(), tree) << r.what;
        EXPECT_EQ(diskListing(fx.dir), disk) << r.what;
        EXPECT_EQ(fx.w().nodeCount(), count) << r.what;
        EXPECT_EQ(fx.w().TreeView1->currentItem(), node) << r.what;
        EXPECT_EQ(NodeName, node->text(0)) << r.what;
        EXPECT_EQ(fx.w().statusText(2), r.status) << r.what;
        EXPECT_EQ(fx.ui.count(QStringLiteral("beep")), r.beeps) << r.what;
        EXPECT_EQ(fx.ui.nodeDialogRequests.size(), r.dialog ? 1 : 0) << r.what;
        EXPECT_FALSE(SaveSuppressed) << r.what;
    }
}

TEST(DeleteNode, NoSelectionIsReported)
{
    DeleteTree fx;
    const QByteArray tree = fx.treeFile();
    fx.w().TreeView1->setCurrentItem(nullptr);
    fx.w().ToolButtonDClick();
    EXPECT_EQ(fx.w().statusText(2), QStringLiteral("ﾉｰﾄﾞが選択されていません"));
    EXPECT_TRUE(fx.ui.nodeDialogRequests.isEmpty());
    EXPECT_EQ(fx.treeFile(), tree);
}

TEST(DeleteNode, HeldFileIsRefused)
{
    // Another program opens the picture while the confirmation is up: the message
    // names the path and the node stays.
    {
        DeleteTree fx;
        DialogHookUi hook;
        const QString pic = fx.dir.file(QStringLiteral("docs/Docs/pic.bmp"));
        std::unique_ptr<HeldFile> held;
        hook.onNodeDialog = [&] { held = std::make_unique<HeldFile>(pic); };
        fx.click(2);
        const QByteArray tree = fx.treeFile();
        const QStringList disk = diskListing(fx.dir);
        hook.nodeDialogAnswers.enqueue(confirmedDialog());
        fx.w().ToolButtonDClick();
        EXPECT_EQ(hook.texts(QStringLiteral("message")),
                  QStringList{QStringLiteral("ノードの削除に失敗しました。\r") + pic
                              + QStringLiteral("\r他のアプリケーションでオープンしていませんか?")});
        EXPECT_EQ(hook.count(QStringLiteral("beep")), 1);
        EXPECT_EQ(diskListing(fx.dir), disk);
        EXPECT_EQ(fx.treeFile(), tree);
        EXPECT_EQ(fx.w().nodeCount(), 7);
        EXPECT_EQ(NodeName, QStringLiteral("pic.bmp"));
        EXPECT_FALSE(SaveSuppressed);
    }
    // A memo that cannot be deleted is refused with the same message, naming the file.
    for (bool held : {false, true}) {
        DeleteTree fx;
        DialogHookUi hook;
        const QString memo = fx.dir.file(QStringLiteral("docs/Docs/memo.TXT"));
        const QString folder = fx.dir.file(QStringLiteral("docs/Docs"));
        std::unique_ptr<HeldFile> holder;
        hook.onNodeDialog = [&] {
            if (held)
                holder = std::make_unique<HeldFile>(memo);
            else // a folder whose owner write bit is clear keeps its entries
                QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        };
        fx.click(1);
        const QByteArray tree = fx.treeFile();
        hook.nodeDialogAnswers.enqueue(confirmedDialog());
        fx.w().ToolButtonDClick();
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        EXPECT_TRUE(fx.dir.exists(QStringLiteral("docs/Docs/memo.TXT"))) << held;
        EXPECT_EQ(fx.treeFile(), tree) << held;
        EXPECT_EQ(fx.w().nodeCount(), 7) << held;
        EXPECT_EQ(hook.texts(QStringLiteral("message")),
                  QStringList{QStringLiteral("ノードの削除に失敗しました。\r") + memo
                              + QStringLiteral("\r他のアプリケーションでオープンしていませんか?")})
            << held;
        EXPECT_EQ(hook.count(QStringLiteral("beep")), 1) << held;
    }
}

TEST(DeleteNode, ReadOnlyFilesAreDeletedWithTheirNode)
{
    // Read-only is no hold: the file and its comment go as a writable one would.
    struct Row { int index; QStringList files; };
    const Row rows[] = {
        {1, {QStringLiteral("docs/Docs/memo.TXT")}},
        {2, {QStringLiteral("docs/Docs/pic.bmp"), QStringLiteral("docs/Docs/pic.bmp.TMEM")}},
        {3, {QStringLiteral("docs/Docs/doc.pdf"), QStringLiteral("docs/Docs/doc.pdf.TMEM")}},
    };
    for (const Row &r : rows) {
        DeleteTree fx;
        for (const QString &f : r.files)
            QFile::setPermissions(fx.dir.file(f), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        fx.deleteNode(r.index, DlgDeleteWithFile);
        for (const QString &f : r.files)
            EXPECT_FALSE(fx.dir.exists(f)) << r.index << f.toStdString();
        EXPECT_EQ(fx.w().nodeCount(), 6) << r.index;
        EXPECT_TRUE(fx.ui.texts(QStringLiteral("message")).isEmpty()) << r.index;
        EXPECT_EQ(fx.ui.count(QStringLiteral("beep")), 0) << r.index;
    }
}

TEST(DeleteNode, SideFileThatCannotGoStaysAndTheNodeGoes)
{
    DeleteTree fx;
    DialogHookUi hook;
    const QString side = fx.dir.file(QStringLiteral("docs/Docs/doc.pdf.TMEM"));
    std::unique_ptr<HeldFile> held;
    hook.onNodeDialog = [&] { held = std::make_unique<HeldFile>(side); };
    fx.click(3);
    hook.nodeDialogAnswers.enqueue(confirmedDialog());
    fx.w().ToolButtonDClick();
    EXPECT_EQ(hook.texts(QStringLiteral("message")),
              QStringList{QStringLiteral("ノードコメントの削除に失敗しました。\r") + side
                          + QStringLiteral("\r追加コメントが残っています")});
    EXPECT_EQ(hook.count(QStringLiteral("beep")), 1);
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/Docs/doc.pdf")));
    EXPECT_TRUE(fx.dir.exists(QStringLiteral("docs/Docs/doc.pdf.TMEM")));
    EXPECT_EQ(fx.treeFile(), QByteArray("Docs\r\n\tmemo.TXT\r\n\tpic.bmp\r\nEmpty\r\nStray\r\nlast.TXT\r\n"));
}

TEST(DeleteNode, SavingResumesAfterARefusal)
{
    DeleteTree fx;
    fx.deleteNode(1, DlgDeleteWithFile, false); // cancelled
    fx.w().Memo1->setPlainText(QStringLiteral("edited"));
    fx.click(6);
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/Docs/memo.TXT")), QByteArray("edited"));
}

TEST(DeleteNode, DeletedFileIsNotWrittenBack)
{
    DeleteTree fx;
    fx.click(1);
    fx.w().Memo1->setPlainText(QStringLiteral("edited"));
    fx.ui.nodeDialogAnswers.enqueue(confirmedDialog());
    fx.w().ToolButtonDClick();
    ASSERT_FALSE(fx.dir.exists(QStringLiteral("docs/Docs/memo.TXT")));
    fx.click(0);
    fx.click(5);
    fx.close();
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/Docs/memo.TXT")));
}

TEST(DeleteNode, LastNodeLeavesAnEmptyState)
{
    WindowFixture fx(QStringLiteral("only.TXT\r\n"), false);
    fx.dir.createFile(QStringLiteral("docs/only.TXT"), "x");
    fx.w().FormActivate();
    ASSERT_EQ(NodeName, QStringLiteral("only.TXT"));
    ASSERT_TRUE(fx.w().PanelMemo->isVisibleTo(&fx.w()));
    fx.ui.nodeDialogAnswers.enqueue(confirmedDialog());
    fx.w().ToolButtonDClick();
    EXPECT_EQ(fx.w().nodeCount(), 0);
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/T.Orvan")), QByteArray());
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/only.TXT")));
    EXPECT_TRUE(NodePath.isEmpty());
    EXPECT_TRUE(NodeName.isEmpty());
    EXPECT_TRUE(NodeExt.isEmpty());
    EXPECT_EQ(NodeKind, 0);
    for (QWidget *panel : {fx.w().PanelMemo, fx.w().PanelRichEdit, fx.w().PanelGra, fx.w().PanelOLE, fx.w().PanelSam})
        EXPECT_FALSE(panel->isVisibleTo(&fx.w()));
}

TEST(DeleteNode, NamesNeverReachOtherFiles)
{
    // ".." names the folder above the tree's folder; "x*.TXT" is a name, not a pattern.
    WindowFixture fx(QStringLiteral("..\r\nx*.TXT\r\nkeep.TXT\r\n"), false);
    fx.dir.createFile(QStringLiteral("x1.TXT"));
    fx.dir.createFile(QStringLiteral("docs/x1.TXT"), "1");
    fx.dir.createFile(QStringLiteral("docs/x2.TXT"), "2");
    fx.dir.createFile(QStringLiteral("docs/keep.TXT"));
    fx.w().FormActivate();
    const QStringList before = diskListing(fx.dir, QStringLiteral("."));

    fx.click(0);
    fx.ui.nodeDialogAnswers.enqueue(confirmedDialog());
    fx.w().ToolButtonDClick();
    fx.click(0);
    ASSERT_EQ(NodeName, QStringLiteral("x*.TXT"));
    fx.ui.nodeDialogAnswers.enqueue(confirmedDialog());
    fx.w().ToolButtonDClick();

    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/T.Orvan")), QByteArray("keep.TXT\r\n"));
    QStringList after = diskListing(fx.dir, QStringLiteral("."));
    EXPECT_EQ(after, before);
}

} // namespace

TEST(DeleteNode, TreeFileThatCannotBeWrittenKeepsNodeAndFile)
{
    // The tree file must never go on naming a file the deletion took away.
    for (int mode : {DlgDeleteNode, DlgDeleteWithFile}) {
        DeleteTree fx;
        const QByteArray before = fx.treeFile();
        QFile::setPermissions(fx.treePath, QFileDevice::ReadOwner);
        const QStringList disk = diskListing(fx.dir);
        fx.deleteNode(1, mode);
        EXPECT_EQ(fx.item(1)->text(0), QStringLiteral("memo.TXT")) << mode;
        EXPECT_EQ(diskListing(fx.dir), disk) << mode;
        EXPECT_FALSE(SaveSuppressed) << mode;
        EXPECT_FALSE(fx.ui.texts(QStringLiteral("report")).isEmpty()) << mode;
        fx.close();
        QFile::setPermissions(fx.treePath, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        EXPECT_EQ(fx.treeFile(), before) << mode;
    }
}

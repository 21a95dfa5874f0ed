// Folder-node repair: nodes for the entries of a folder node's folder that have none,
// in two passes, with the messages, the icons and the current node afterwards.

#include "base/globals.h"
#include "support/filetimes.h"
#include "support/nodefiles.h"
#include "support/windowfixture.h"
#include "tree/nodekind.h"
#include "tree/ui/nodetreewidget.h"

#include <QAction>
#include <QTreeWidgetItem>
#include <gtest/gtest.h>

namespace {

const QString kAsk = QStringLiteral("フォルダーノードの修復処理を実行しますか？\r(同一階層を実ファイルにあわせてノードの追加処理をおこないます)");
const QString kNone = QStringLiteral("フォルダーノードを修復しました。\r追加ノードはありません");

QString addedMessage(int n)
{
    return QStringLiteral("フォルダーノードを修復しました。\r追加件数は、%1件です。\r不要なノードは確認のうえ削除して下さい。").arg(n);
}

// 0 F (1 existing.txt, 2 gone.txt), 3 memo.TXT; F holds more than its nodes.
struct RepairTree : WindowFixture {
    RepairTree()
        : WindowFixture(QStringLiteral("F\r\n\texisting.txt\r\n\tgone.txt\r\nmemo.TXT\r\n"), false)
    {
        dir.createFile(QStringLiteral("docs/F/existing.txt"), "e");
        dir.createFile(QStringLiteral("docs/F/S/inner.txt"), "i");
        dir.createFile(QStringLiteral("docs/F/a.txt"), "a");
        dir.createFile(QStringLiteral("docs/F/b.bmp"), bmpBytes());
        dir.createFile(QStringLiteral("docs/F/b.bmp.TMEM"), "comment");
        dir.createFile(QStringLiteral("docs/F/EXISTING.TXT"), "another file when letter case counts");
        dir.createDir(QStringLiteral("docs/F/v1.2"));
        dir.createFile(QStringLiteral("docs/memo.TXT"), "m");
        window->FormActivate();
        ui.clear();
    }
    QByteArray treeFile() const { return dir.read(QStringLiteral("docs/T.Orvan")); }
    QStringList childrenOf(int index)
    {
        QStringList out;
        for (int i = 0; i < item(index)->childCount(); ++i)
            out.append(item(index)->child(i)->text(0));
        return out;
    }
};

TEST(FolderRepair, AddsEachMissingEntryOnceAndReports)
{
    RepairTree fx;
    fx.click(0);
    fx.ui.yesNoAnswers.enqueue(true);
    fx.w().MenuTreeMClick();
    EXPECT_EQ(fx.ui.texts(QStringLiteral("ask")), QStringList{kAsk});
    EXPECT_EQ(fx.ui.texts(QStringLiteral("message")), QStringList{addedMessage(4)});
    const QStringList children = fx.childrenOf(0);
    ASSERT_EQ(children.size(), 6);
    EXPECT_EQ(children.mid(0, 3), (QStringList{"existing.txt", "gone.txt", "S"}));
    const QStringList second = children.mid(3);
    EXPECT_EQ(QSet<QString>(second.begin(), second.end()), (QSet<QString>{"a.txt", "b.bmp", "EXISTING.TXT"}));
    QByteArray expected = "F\r\n\texisting.txt\r\n\tgone.txt\r\n\tS\r\n";
    for (const QString &n : second)
        expected += "\t" + n.toLatin1() + "\r\n";
    expected += "memo.TXT\r\n";
    EXPECT_EQ(fx.treeFile(), expected);
    // Icons follow each node's kind; the last addition of the second pass is current.
    const QHash<QString, int> kinds{{"S", KindFolder}, {"a.txt", KindMemo}, {"b.bmp", KindImage}, {"EXISTING.TXT", KindMemo}};
    for (int i = 2; i < 6; ++i) {
        QTreeWidgetItem *child = fx.item(0)->child(i);
        EXPECT_EQ(child->data(0, NodeTreeWidget::IconIndexRole).toInt(), kinds.value(child->text(0))) << i;
    }
    EXPECT_EQ(NodeName, second.last());
    EXPECT_EQ(NodePath, QStringLiteral("\\F\\"));
    EXPECT_TRUE(fx.item(0)->isExpanded());
    EXPECT_FALSE(TreeBusy);

    // A second run adds nothing and does not write the tree file.
    setModified(fx.treePath, QDateTime::currentDateTime().addDays(-1));
    const QDateTime written = modified(fx.treePath);
    fx.click(0);
    fx.ui.clear();
    fx.ui.yesNoAnswers.enqueue(true);
    fx.w().MenuTreeMClick();
    EXPECT_EQ(fx.ui.texts(QStringLiteral("message")), QStringList{kNone});
    EXPECT_EQ(modified(fx.treePath), written);
}

TEST(FolderRepair, RefusalsAndTheSelectionUsed)
{
    {
        RepairTree fx; // a memo as current node: nothing at all
        fx.click(3);
        fx.w().MenuTreeMClick();
        EXPECT_TRUE(fx.ui.events.isEmpty());
    }
    {
        RepairTree fx; // answered No
        fx.click(0);
        const QByteArray before = fx.treeFile();
        fx.w().MenuTreeMClick();
        EXPECT_EQ(fx.ui.texts(QStringLiteral("ask")).size(), 1);
        EXPECT_EQ(fx.treeFile(), before);
        EXPECT_EQ(fx.childrenOf(0).size(), 2);
    }
    {
        RepairTree fx; // no node selected
        fx.w().TreeView1->setCurrentItem(nullptr);
        fx.w().MenuTreeMClick();
        EXPECT_EQ(fx.w().statusText(2), QStringLiteral("ﾉｰﾄﾞが選択されていません"));
    }
    {
        // The selection moved without the selection handler (arrow keys): the repair
        // works on the selected folder node, not on the node shown before.
        RepairTree fx;
        fx.click(3);
        fx.w().TreeView1->setCurrentItem(fx.item(0));
        fx.ui.yesNoAnswers.enqueue(true);
        fx.w().MenuTreeMClick();
        EXPECT_EQ(fx.ui.texts(QStringLiteral("message")), QStringList{addedMessage(4)});
        EXPECT_EQ(fx.childrenOf(0).size(), 6);
    }
}

TEST(FolderRepair, BothMenuItemsRunIt)
{
    for (const bool popup : {false, true}) {
        RepairTree fx;
        fx.click(0);
        fx.ui.yesNoAnswers.enqueue(true);
        (popup ? fx.w().MenuTreeM : fx.w().MenuTooLNM)->trigger();
        EXPECT_EQ(fx.ui.texts(QStringLiteral("message")), QStringList{addedMessage(4)}) << popup;
    }
}

} // namespace

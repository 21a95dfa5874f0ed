// Folder-node repair: every file and sub-folder directly inside a folder node's folder
// that no child node names gets one. Nodes are only added, never removed or renamed.

#include "app/ui/mainwindow.h"

#include "base/globals.h"
#include "base/uiport.h"
#include "nodeops/folderdiff.h"
#include "tree/nodekind.h"
#include "tree/nodepath.h"
#include "tree/treefile.h"
#include "tree/ui/nodetreewidget.h"

#include <QSet>
#include <QTreeWidgetItem>

namespace {

void expandWithAllBelow(QTreeWidgetItem *node)
{
    if (node->childCount() == 0)
        return;
    node->setExpanded(true);
    for (int i = 0; i < node->childCount(); ++i)
        expandWithAllBelow(node->child(i));
}

} // namespace

void TOrvaneF::MenuTreeMClick()
{
    QTreeWidgetItem *folderNode = TreeView1->currentItem();
    if (!folderNode) {
        setStatus(2, QStringLiteral("ﾉｰﾄﾞが選択されていません"));
        return;
    }
    // The folder read from disk and the node the additions go under must be one node.
    TreeView();
    if (TreeView1->currentItem() != folderNode || folderNode->text(0) != NodeName
        || GetPateNode(folderNode) != NodePath)
        return;
    if (NodeKind != KindFolder)
        return;
    if (!ui().askYesNo(ProgName, QStringLiteral("フォルダーノードの修復処理を実行しますか？\r"
                                                "(同一階層を実ファイルにあわせてノードの追加処理をおこないます)")))
        return;

    const QString dir = NodePaths::fullPath(BaseDir, NodePath, NodeName) + u'/';
    LoadBusyCursor();
    QSet<QString> children;
    for (int i = 0; i < folderNode->childCount(); ++i)
        children.insert(folderNode->child(i)->text(0));
    const FolderDiff::RepairPasses passes = FolderDiff::repairAdditions(FolderDiff::entriesWithoutNode(dir, children));

    int added = 0;
    QList<QTreeWidgetItem *> addedItems;
    QStringList unstorable;
    for (const QStringList &pass : {passes.first, passes.second}) {
        // Only the last addition of a pass is made current and shown; a folder with many
        // new files is repaired without loading each of them.
        QList<QTreeWidgetItem *> items;
        for (const QString &name : pass) {
            if (!nameFitsTreeFile(name) || !NodePaths::isSafeName(name)) {
                unstorable.append(name);
                continue;
            }
            const QString ext = NodePaths::extOf(name);
            QTreeWidgetItem *item = NodeTreeWidget::newNodeItem(name);
            setNodeIcon(item, iconIndexFor(NodeTypeSet(dir + name, ext), ext));
            items.append(item);
        }
        if (items.isEmpty())
            continue;
        TreeBusy = true; // no selection runs while the nodes go in
        folderNode->addChildren(items);
        expandWithAllBelow(folderNode);
        added += int(items.size());
        addedItems += items;
        TreeBusy = false;
        TreeView1->setCurrentItem(items.last());
        TreeView();
        TreeView1->viewport()->update();
        TreeView1->setFocus();
    }
    TreeBusy = false;
    RestoreCursor();

    if (!unstorable.isEmpty())
        ui().showMessage(QStringLiteral("次の名前はTreeﾌｧｲﾙに保存できないためノードを追加しませんでした\r")
                         + unstorable.join(u'\r'));
    if (added > 0) {
        if (!TreeWrite()) {
            // Reported. The tree file is as it was, so the tree on screen is too: the
            // repair can be made again once the disk allows.
            TreeBusy = true;
            for (QTreeWidgetItem *item : std::as_const(addedItems))
                delete item;
            TreeBusy = false;
            TreeView1->setCurrentItem(folderNode);
            TreeView();
            return;
        }
        ui().showMessage(QStringLiteral("フォルダーノードを修復しました。\r追加件数は、%1件です。\r"
                                        "不要なノードは確認のうえ削除して下さい。")
                             .arg(added));
    } else {
        ui().showMessage(QStringLiteral("フォルダーノードを修復しました。\r追加ノードはありません"));
    }
}

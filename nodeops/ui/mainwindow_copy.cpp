// Copying a node: a second file beside the node's file under a numbered "のCopy" name,
// with a node for it placed directly before the copied one and made current.

#include "app/ui/mainwindow.h"

#include "base/globals.h"
#include "nodeops/copyname.h"
#include "nodeops/fsentry.h"
#include "nodeops/functionu.h"
#include "nodeops/nodefiles.h"
#include "tree/nodekind.h"
#include "tree/nodepath.h"
#include "tree/ui/nodetreewidget.h"

#include <QTreeWidgetItem>

void TOrvaneF::ToolButtonNCClick()
{
    setStatus(2, QString());
    QTreeWidgetItem *node = TreeView1->currentItem();
    if (!node) {
        setStatus(2, QStringLiteral("ﾉｰﾄﾞが選択されていません"));
        return;
    }
    TreeView();
    // The selection handler stays on the previous node when its edits could not be written.
    if (TreeView1->currentItem() != node || node->text(0) != NodeName || GetPateNode(node) != NodePath)
        return;
    if (NodeKind == KindFolder) {
        setStatus(2, QStringLiteral("ﾌｫﾙﾀﾞｰﾉｰﾄﾞは複写出来ません"));
        return;
    }
    if (NodeKind == KindUnknown) {
        setStatus(2, QStringLiteral("不明ﾉｰﾄﾞは複写出来ません"));
        return;
    }

    // Anything of the name, a folder too, makes it taken: the copy must never stand for
    // something else. The name is a name, never a pattern.
    const QString copyName = CopyName::firstFree(PathNoExt(NodeName), PathExt(NodeName), [](const QString &name) {
        return FsEntry::typeAt(NodePaths::fullPath(BaseDir, NodePath, name)) != FsEntry::Type::None;
    });
    if (!TSaveNode(NodeName))
        return;
    // A copy that failed (reported by FileCopyChk) gets no node; a tree file that cannot
    // take the new node (reported by TreeWrite) leaves no copy behind.
    const QString copyPath = NodePaths::fullPath(BaseDir, NodePath, copyName);
    if (FileCopyChk(NodePaths::fullPath(BaseDir, NodePath, NodeName), copyPath) != FuDone)
        return;

    QTreeWidgetItem *copy = NodeTreeWidget::newNodeItem(copyName);
    if (QTreeWidgetItem *parent = node->parent())
        parent->insertChild(parent->indexOfChild(node), copy);
    else
        TreeView1->insertTopLevelItem(TreeView1->indexOfTopLevelItem(node), copy);
    if (!TreeWrite()) {
        delete copy;
        TreeView1->setCurrentItem(node);
        FunctionUDetail::patDel(copyPath, true);
        return;
    }
    TreeView1->setCurrentItem(copy);
    TreeView();
}

bool TOrvaneF::NodeFileCopy(const QString &source, const QString &destination)
{
    return NodeFiles::copy(NodeKind, source, destination);
}

// Deleting a node: the node only, or the node with its file or folder. Both are
// confirmed in the node dialog and both refuse a node that still has children. A file
// and its comment side file are treated as one unit by NodeFileDel.

#include "app/ui/mainwindow.h"

#include "base/globals.h"
#include "base/uiport.h"
#include "nodeops/functionu.h"
#include "nodeops/nodedialogmodel.h"
#include "nodeops/nodefiles.h"
#include "nodeops/nodetrash.h"
#include "tree/nodekind.h"
#include "tree/nodepath.h"
#include "tree/ui/nodetreewidget.h"

#include <QTreeWidgetItem>

namespace {

// An empty folder goes to the trash where there is one; RmDirChk refuses a folder that
// still holds anything.
bool deleteNodeFolder(const QString &path)
{
    return NodeTrash::moveToTrash(path) || RmDirChk(path);
}

} // namespace

void TOrvaneF::ToolButtonNDClick()
{
    DlgMode = DlgDeleteNode;
    NodeDel();
    TreeView1->setFocus();
}

void TOrvaneF::ToolButtonDClick()
{
    DlgMode = DlgDeleteWithFile;
    NodeDel();
    TreeView1->setFocus();
}

void TOrvaneF::NodeDel()
{
    if (!TreeView1->currentItem()) {
        setStatus(2, QStringLiteral("ﾉｰﾄﾞが選択されていません"));
        return;
    }
    QTreeWidgetItem *node = TreeView1->currentItem();
    TreeView();
    setStatus(2, QString());
    // The selection handler stays on the previous node when its edits could not be written.
    if (TreeView1->currentItem() != node || node->text(0) != NodeName || GetPateNode(node) != NodePath)
        return;
    if (node->childCount() > 0) {
        setStatus(2, QStringLiteral("子ﾉｰﾄﾞがありますので削除できません"));
        ui().beep();
        return;
    }
    ShowNodeDialog();
    if (!DlgOK)
        return;
    // The tree file is written after the disk work; one that cannot be written now (read
    // only, or never read) would go on naming what the deletion took away. TreeWrite
    // reports why.
    if (!TreeWrite())
        return;

    SaveSuppressed = true;
    const QString path = NodePaths::fullPath(BaseDir, NodePath, NodeName);
    bool blocked = false;
    if (DlgMode == DlgDeleteWithFile && !path.isEmpty()) {
        if (NodeKind != KindFolder) {
            // A node's name is a name, never a pattern.
            blocked = NodeFiles::fileAt(path) && NodeFileDel(path);
        } else if (DExist(path) && !deleteNodeFolder(path)) {
            setStatus(2, QStringLiteral("ﾌｫﾙﾀﾞｰﾉｰﾄﾞが削除できません([ﾌｫﾙﾀﾞｰﾉｰﾄﾞ修復]処理を実行してください)"));
            ui().beep();
            blocked = true;
        }
    }
    if (blocked) {
        SaveSuppressed = false;
        return;
    }

    delete node; // the tree control moves the selection to a neighbour or the parent
    TreeWrite();
    NodeName.clear();
    SaveSuppressed = false;
    if (QTreeWidgetItem *next = TreeView1->currentItem())
        TreeView1->setCurrentItem(next); // selected as well as current
    TreeView();
    if (TreeView1->topLevelItemCount() == 0) {
        NodePath.clear();
        NodeName.clear();
        NodeExt.clear();
        NodeKind = KindFolder;
        HideContentPanels();
    }
}

bool TOrvaneF::NodeFileDel(const QString &path)
{
    return NodeFiles::remove(NodeKind, path, false, NodeFiles::Disposal::ToTrash);
}

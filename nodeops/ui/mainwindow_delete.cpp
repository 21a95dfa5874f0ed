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

#include <cerrno>
#include <cstring>

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
    // The tree file is written without the node first: when it cannot be written (read
    // only, never read, full disk; TreeWrite reports why) nothing has changed. When the
    // file or folder then cannot be removed, the node goes back and the tree file with it.
    QTreeWidgetItem *parent = node->parent();
    const int index = parent ? parent->indexOfChild(node) : TreeView1->indexOfTopLevelItem(node);
    auto putBack = [&] {
        if (parent)
            parent->insertChild(index, node);
        else
            TreeView1->insertTopLevelItem(index, node);
        TreeView1->setCurrentItem(node);
    };
    TreeBusy = true; // the selection moving off the taken node is not a user's selection
    if (parent)
        parent->takeChild(index);
    else
        TreeView1->takeTopLevelItem(index);
    const bool written = TreeWrite();
    if (!written)
        putBack();
    TreeBusy = false;
    if (!written)
        return;

    SaveSuppressed = true;
    const QString path = NodePaths::fullPath(BaseDir, NodePath, NodeName);
    bool blocked = false;
    if (DlgMode == DlgDeleteWithFile && !path.isEmpty()) {
        if (NodeKind != KindFolder) {
            // A node's name is a name, never a pattern.
            blocked = NodeFiles::fileAt(path) && NodeFileDel(path);
        } else if (DExist(path) && !deleteNodeFolder(path)) {
            const int why = errno;
            setStatus(2, QStringLiteral("ﾌｫﾙﾀﾞｰﾉｰﾄﾞが削除できません([ﾌｫﾙﾀﾞｰﾉｰﾄﾞ修復]処理を実行してください)"));
            ui().beep();
            // A folder that still holds entries is what the status says; any other cause
            // (a disk error) is named with the folder.
            if (why != ENOTEMPTY && why != EEXIST)
                ui().reportError(QStringLiteral("フォルダー %1 を削除できません。(%2)")
                                     .arg(path, QString::fromLocal8Bit(std::strerror(why))));
            blocked = true;
        }
    }
    if (blocked) {
        TreeBusy = true;
        putBack();
        TreeBusy = false;
        // Should the tree file not take the node back, the node goes from the screen too:
        // the tree on screen is always the tree file.
        if (!TreeWrite()) {
            TreeBusy = true;
            if (parent)
                parent->takeChild(index);
            else
                TreeView1->takeTopLevelItem(index);
            TreeBusy = false;
            delete node;
            NodeName.clear();
            TreeView();
        }
        SaveSuppressed = false;
        return;
    }

    delete node; // taken out of the tree above; the tree moved the selection on
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
    // A file that cannot be deleted is named to the user, whatever its kind: a deletion
    // that stops without a word looks like one that was not asked for.
    return NodeFiles::remove(NodeKind, path, true, NodeFiles::Disposal::ToTrash);
}

// Deleting a node: the node only, or the node with its file or folder. Both are
// confirmed in the node dialog and both refuse a node that still has children. A file
// and its comment side file are treated as one unit by NodeFileDel.

#include "app/ui/mainwindow.h"

#include "base/globals.h"
#include "base/uiport.h"
#include "nodeops/fileheld.h"
#include "nodeops/fsentry.h"
#include "nodeops/functionu.h"
#include "nodeops/nodedialogmodel.h"
#include "tree/nodekind.h"
#include "tree/nodepath.h"
#include "tree/ui/nodetreewidget.h"

#include <QTreeWidgetItem>

namespace {

const QString kSideSuffix = QStringLiteral(".TMEM");

// A node's name is a name, never a pattern: a "*" or "?" in it (possible on this file
// system) must not make a deletion reach other files.
bool fileAt(const QString &path)
{
    const FsEntry::Type type = FsEntry::typeAt(path);
    return type != FsEntry::Type::None && type != FsEntry::Type::Folder;
}

// PatDel of exactly this file (read-only files included), refusing a file that another
// program holds, as a file system that locks open files would; -1 like a file PatDel
// could not delete.
int deleteNodeFile(const QString &path)
{
    return FileHeld(path) ? FuNotDeleted : FunctionUDetail::patDel(path, true);
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
            blocked = fileAt(path) && NodeFileDel(path);
        } else if (DExist(path) && !RmDirChk(path)) {
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
    if (NodeKind == KindMemo || NodeKind == KindRich)
        return deleteNodeFile(path) != 0;

    if (deleteNodeFile(path) != 0) {
        ui().showMessage(QStringLiteral("ノードの削除に失敗しました。\r") + path
                         + QStringLiteral("\r他のアプリケーションでオープンしていませんか?"));
        ui().beep();
        return true;
    }
    const QString side = path + kSideSuffix;
    if (fileAt(side) && deleteNodeFile(side) != 0) {
        ui().showMessage(QStringLiteral("ノードコメントの削除に失敗しました。\r") + side
                         + QStringLiteral("\r追加コメントが残っています"));
        ui().beep();
    }
    return false;
}

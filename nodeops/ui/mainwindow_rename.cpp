// Renaming a node in place: the file or folder behind it is renamed at once, with the
// comment side file of a picture or other file. The extension stays, so the kind of a
// node never changes through a rename. The tree file follows through the one-second
// timer: this handler runs before the tree control takes the new text over.

#include "app/ui/mainwindow.h"

#include "base/globals.h"
#include "base/uiport.h"
#include "nodeops/fileheld.h"
#include "nodeops/functionu.h"
#include "nodeops/nodenamechars.h"
#include "tree/nodekind.h"
#include "tree/nodepath.h"

#include <QTreeWidgetItem>

namespace {

const QString kSideSuffix = QStringLiteral(".TMEM");

// The name as typed, trimmed and without what a file name or the tree file cannot hold.
QString cleanedName(const QString &typed, bool *removed)
{
    const QString name = NodeNameChars::cleaned(SpaceTrim(typed), removed);
    // Spaces left at an end by a removed character would be taken for levels in the tree file.
    return SpaceTrim(name);
}

// ReName, refusing a file that another program holds, with the message ReName shows
// when the file system refuses, as a file system that locks open files would.
bool renameNodeFile(const QString &from, const QString &to)
{
    if (FileHeld(from)) {
        ui().showMessage(QStringLiteral("ﾌｧｲﾙ名の変更に失敗 [") + from + QStringLiteral("]->[") + to + u']');
        return false;
    }
    return ReName(from, to);
}

} // namespace

void TOrvaneF::TreeView1Edited(QTreeWidgetItem *node, QString &S)
{
    LabelEditing = false;
    if (S.isEmpty()) {
        S = NodeName;
        return;
    }
    // The edit is of the current node; anything else keeps its text.
    if (!node || node->text(0) != NodeName || GetPateNode(node) != NodePath) {
        S = node ? node->text(0) : NodeName;
        return;
    }

    bool removed = false;
    S = cleanedName(S, &removed);
    if (removed)
        ui().showMessage(QStringLiteral("File名に不具合なｷｬﾗｸﾀｰを削除しました。\rノード名=") + S
                         + QStringLiteral(" に変更しました。"));
    if (PathNoExt(S).isEmpty()) {
        S = NodeName;
        return;
    }

    const QString oldPath = NodePaths::fullPath(BaseDir, NodePath, NodeName);
    const QString newPath = NodePaths::fullPath(BaseDir, NodePath, S);
    if (oldPath.isEmpty() || newPath.isEmpty()) { // ".." or a node outside the tree's folder
        S = NodeName;
        return;
    }

    const QString newExt = PathExt(S).toUpper();
    if (newExt != NodeExt) {
        ui().beep();
        setStatus(2, QStringLiteral("拡張子の変更はできません ") + newExt);
        ui().beep();
        S = NodeName;
        return;
    }
    const bool exists = NodeKind == KindFolder ? DExist(newPath) : FExist(newPath);
    if (exists) {
        ui().beep();
        setStatus(2, QStringLiteral("同一ﾉｰﾄﾞ名があります ") + S);
        ui().beep();
        S = NodeName;
        return;
    }

    // The timer writes the new name later; a tree file that cannot be written now (read
    // only, or never read) would go on naming a file the rename took away. TreeWrite
    // reports why.
    if (!TreeWrite()) {
        S = NodeName;
        return;
    }
    if (!TSaveNode(NodeName) || !renameNodeFile(oldPath, newPath)) {
        S = NodeName;
        return;
    }
    // The file and its comment side file are one unit: when the side file is there but
    // cannot follow (reported by ReName), the file takes its old name again.
    if (NodeKind >= KindImage && !renameNodeFile(oldPath + kSideSuffix, newPath + kSideSuffix)
        && FExist(oldPath + kSideSuffix) && ReName(newPath, oldPath)) {
        S = NodeName;
        return;
    }
    NodeName = S;
    TreeDirty = true;
}

// Moving a node by dragging it inside the tree. Among its own siblings the node only
// changes its place; into another folder its file (with its comment) or its whole
// folder moves on disk first, and the tree changes only when that worked.

#include "app/ui/mainwindow.h"

#include "base/globals.h"
#include "base/uiport.h"
#include "nodeops/dropplace.h"
#include "nodeops/nodemove.h"
#include "nodeops/ui/filedropfilter.h"
#include "tree/nodekind.h"
#include "tree/nodepath.h"
#include "tree/ui/nodetreewidget.h"

#include <QMenu>
#include <QTreeWidgetItem>

namespace {

bool isBelow(QTreeWidgetItem *node, QTreeWidgetItem *ancestor)
{
    for (QTreeWidgetItem *p = node ? node->parent() : nullptr; p; p = p->parent())
        if (p == ancestor)
            return true;
    return false;
}

// Takes the node out of the tree with everything below it.
void takeOut(QTreeWidget *tree, QTreeWidgetItem *node)
{
    if (QTreeWidgetItem *parent = node->parent())
        parent->takeChild(parent->indexOfChild(node));
    else
        tree->takeTopLevelItem(tree->indexOfTopLevelItem(node));
}

void putBefore(QTreeWidget *tree, QTreeWidgetItem *node, QTreeWidgetItem *before)
{
    if (QTreeWidgetItem *parent = before->parent())
        parent->insertChild(parent->indexOfChild(before), node);
    else
        tree->insertTopLevelItem(tree->indexOfTopLevelItem(before), node);
}

} // namespace

void TOrvaneF::connectNodeMoving()
{
    TreeView1->dragOverHandler = [this](const QPoint &pos) { return TreeView1DragOver(pos); };
    TreeView1->dropHandler = [this](const QPoint &pos) { TreeView1DragDrop(pos); };
    new FileDropFilter(this, [this](const QStringList &paths) { FormDropFiles(paths); });
    connect(MenuTooLNM, &QAction::triggered, this, &TOrvaneF::MenuTreeMClick);
    connect(MenuTreeM, &QAction::triggered, this, &TOrvaneF::MenuTreeMClick);
    connect(PopupMenuTree, &QMenu::aboutToShow, this, [this] { MenuTreeM->setEnabled(NodeKind == KindFolder); });
}

bool TOrvaneF::TreeView1DragOver(const QPoint &pos)
{
    if (!TreeView1->currentItem() || dropPositionOf(TreeView1->hitAt(pos)) == DropPosition::None)
        return false;
    DragNode = TreeView1->currentItem();
    setStatus(2, QString());
    return true;
}

void TOrvaneF::TreeView1DragDrop(const QPoint &pos)
{
    DragNode = TreeView1->currentItem(); // the node being dragged is the selected one
    if (!DragNode)
        return;
    DropNode = TreeView1->itemAt(pos);
    const DropNodeInfo src{GetPateNode(DragNode), DragNode->text(0), 0};
    DropNodeInfo dragged = src;
    dragged.kind = NodeTypeSet(NodePaths::fullPath(BaseDir, src.folderPath, src.name), NodePaths::extOf(src.name));
    std::optional<DropNodeInfo> target;
    if (DropNode) {
        target = DropNodeInfo{GetPateNode(DropNode), DropNode->text(0), 0};
        target->kind = NodeTypeSet(NodePaths::fullPath(BaseDir, target->folderPath, target->name),
                                   NodePaths::extOf(target->name));
    }
    const DropPosition position = dropPositionOf(TreeView1->hitAt(pos));
    const DropPlan plan = planDrop(BaseDir, dragged, target, position, DragNode == DropNode, isBelow(DropNode, DragNode));

    QTreeWidgetItem *node = DragNode;
    switch (plan.action) {
    case DropPlan::Nothing:
        return;
    case DropPlan::Refuse:
        if (!plan.message.isEmpty())
            setStatus(2, plan.message);
        ui().beep();
        return;
    case DropPlan::Reorder:
        takeOut(TreeView1, node);
        putBefore(TreeView1, node, DropNode);
        TreeView1->setCurrentItem(node);
        TreeWrite();
        return;
    case DropPlan::Move:
        break;
    }

    // The tree file must be writable before anything moves on disk, or it would go on
    // naming the old place. TreeWrite reports why it is not.
    if (!TreeWrite())
        return;
    if (!TSaveNode(NodeName))
        return; // the view holds text that could not be written; nothing moves
    const QString currentFull = NodePaths::fullPath(BaseDir, NodePath, NodeName);
    const NodeMove::Result moved = dragged.kind == KindFolder
        ? NodeMove::moveFolder(plan.srcFull, plan.newFull)
        : NodeMove::moveFile(dragged.kind, plan.srcFull, plan.newFull);
    if (moved != NodeMove::Result::Moved)
        return;
    // Nothing may be saved into a path that went away. A current node elsewhere keeps
    // its name, so that what the user types into it next is still saved.
    const QString nameBefore = NodeName;
    if (currentFull == plan.srcFull || currentFull.startsWith(plan.srcFull + u'/'))
        NodeName.clear();

    QTreeWidgetItem *oldParent = node->parent();
    const int oldIndex = oldParent ? oldParent->indexOfChild(node) : TreeView1->indexOfTopLevelItem(node);
    takeOut(TreeView1, node);
    if (position == DropPosition::Into)
        DropNode->addChild(node);
    else if (position == DropPosition::Before)
        putBefore(TreeView1, node, DropNode);
    else
        TreeView1->addTopLevelItem(node);
    // The node stays selected; the content area keeps what it showed until the user
    // selects a node again.
    TreeView1->setCurrentItem(node);
    TreeView1->scrollToItem(node);
    if (TreeWrite())
        return;
    // The tree file (reported) still names the old place: the file goes back there and
    // the node with it, so that the tree file and the disk agree again.
    const NodeMove::Result back = dragged.kind == KindFolder
        ? NodeMove::moveFolder(plan.newFull, plan.srcFull)
        : NodeMove::moveFile(dragged.kind, plan.newFull, plan.srcFull);
    if (back != NodeMove::Result::Moved) {
        TreeDirty = true; // the tree on screen names where the file is; the timer writes it
        return;
    }
    takeOut(TreeView1, node);
    if (oldParent)
        oldParent->insertChild(oldIndex, node);
    else
        TreeView1->insertTopLevelItem(oldIndex, node);
    NodeName = nameBefore;
    TreeView1->setCurrentItem(node);
    TreeView1->scrollToItem(node);
}

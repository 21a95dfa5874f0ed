// Node paths, kinds and the selection handler: what happens when a node is chosen.

#include "app/ui/mainwindow.h"

#include "base/globals.h"
#include "settings/oleiconregistry.h"
#include "tree/nodekind.h"
#include "tree/nodepath.h"
#include "tree/ui/nodetreewidget.h"

#include <QAction>

QString TOrvaneF::GetPateNode(QTreeWidgetItem *node) const
{
    QStringList ancestors;
    for (QTreeWidgetItem *p = node ? node->parent() : nullptr; p; p = p->parent())
        ancestors.prepend(p->text(0));
    return NodePaths::folderPath(ancestors);
}

QString TOrvaneF::fullPathOf(QTreeWidgetItem *node) const
{
    return NodePaths::fullPath(BaseDir, GetPateNode(node), node->text(0));
}

int TOrvaneF::iconIndexFor(int kind, const QString &upperExt) const
{
    return kind == KindOle ? OLEImageNo(upperExt) : kind;
}

void TOrvaneF::setNodeIcon(QTreeWidgetItem *node, int index)
{
    node->setData(0, NodeTreeWidget::IconIndexRole, index);
    // Node items take their icon from the tree's list by that index; any other item
    // carries its own.
    if (node->type() != QTreeWidgetItem::UserType)
        node->setIcon(0, index >= 0 && index < ImageList2.size() ? ImageList2.at(index) : QIcon());
}

QTreeWidgetItem *TOrvaneF::nodeAt(int absoluteIndex) const
{
    return TreeView1->nodeAt(absoluteIndex);
}

int TOrvaneF::absoluteIndexOf(QTreeWidgetItem *node) const
{
    return TreeView1->absoluteIndexOf(node);
}

int TOrvaneF::levelOf(QTreeWidgetItem *node)
{
    int level = 0;
    for (QTreeWidgetItem *p = node->parent(); p; p = p->parent())
        ++level;
    return level;
}

QTreeWidgetItem *TOrvaneF::findNode(const QString &folderPath, const QString &name) const
{
    // "\A\B\" names the ancestors A and B; "\" a top-level node.
    if (!folderPath.startsWith(u'\\') || !folderPath.endsWith(u'\\'))
        return nullptr;
    const QStringList ancestors = folderPath.size() == 1
                                      ? QStringList()
                                      : folderPath.mid(1, folderPath.size() - 2).split(u'\\');
    return TreeView1->findByPath(ancestors, name);
}

int TOrvaneF::nodeCount() const
{
    return TreeView1->nodeCount();
}

void TOrvaneF::TreeView()
{
    if (TreeView1->topLevelItemCount() == 0 || TreeBusy)
        return;
    setStatus(0, QString());
    setStatus(1, QString());
    setStatus(2, QString());
    QTreeWidgetItem *node = TreeView1->currentItem();
    if (!node) {
        setStatus(2, QStringLiteral("指定ﾉｰﾄﾞなし"));
        return;
    }
    if (!NodeName.isEmpty() && !TSaveNode(NodeName)) {
        // The view holds text that could not be written: stay on its node.
        if (QTreeWidgetItem *current = findNode(NodePath, NodeName))
            TreeView1->setCurrentItem(current);
        return;
    }

    NodePath = GetPateNode(node);
    NodeName = node->text(0);
    NodeExt = NodePaths::extOf(NodeName);
    NodeKind = NodeTypeSet(NodePaths::fullPath(BaseDir, NodePath, NodeName), NodeExt);
    setNodeIcon(node, iconIndexFor(NodeKind, NodeExt));
    MenuDsp();
    if (TreeReady) {
        TReadNode();
        setStatus(0, QStringLiteral("第%1階層").arg(levelOf(node) + 1));
        setStatus(1, QStringLiteral(" %1/%2").arg(absoluteIndexOf(node) + 1).arg(nodeCount()));
    }
}

void TOrvaneF::TreeIniSel(const QString &folderPath, const QString &name)
{
    QTreeWidgetItem *node = findNode(folderPath, name);
    if (!node)
        return;
    TreeView1->setCurrentItem(node);
    TreeView();
    TreeView1->viewport()->update();
    TreeView1->setFocus();
}

void TOrvaneF::MenuDsp()
{
    const bool folder = NodeKind == KindFolder;
    const bool memo = NodeKind == KindMemo;
    ToolButtonI->setEnabled(folder);
    MenuNC->setEnabled(folder);
    ToolButtonP->setEnabled(!folder);
    MenuNPV->setEnabled(!folder);
    MenuNP->setEnabled(!folder);
    ToolButton2->setEnabled(memo);
    MenuN2->setEnabled(memo);
    MenuNTAdd->setEnabled(memo);
    MenuNTDel->setEnabled(memo);
}

void TOrvaneF::HideContentPanels()
{
    for (QWidget *panel : {PanelMemo, PanelRichEdit, PanelGra, PanelSam, PanelOLE})
        panel->hide();
    PanelB->setVisible(BottomPanelOn);
    setStatus(0, QStringLiteral(" "));
    setStatus(1, QStringLiteral(" "));
    setStatus(2, QStringLiteral(" "));
}

void TOrvaneF::TreeView1MouseUp()
{
    TreeView();
    TreeView1->setFocus();
}

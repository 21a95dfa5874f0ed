// Adding nodes: add after the last sibling, insert before the selected node, add a last
// child to a folder node. Each command asks the node dialog for the name and kind; its
// worker then refuses a name that exists already, puts the node into the tree, writes
// the tree file, makes the file or folder, and selects the new node.

#include "app/ui/mainwindow.h"

#include "base/globals.h"
#include "base/sjiscodec.h"
#include "base/uiport.h"
#include "nodeops/functionu.h"
#include "nodeops/nodedialogmodel.h"
#include "nodeops/nodenamechars.h"
#include "tree/nodekind.h"
#include "tree/nodepath.h"
#include "tree/ui/nodetreewidget.h"

#include <QPlainTextEdit>
#include <QTextEdit>

#include <cerrno>
#include <cstring>

namespace {

enum class Place {
    AfterLastSibling, // add: after every sibling of the selected node (top level without one)
    BeforeSelected,   // insert: directly before the selected node
    LastChild,        // add child: after every child of the selected node
};

const QString kNoSelection = QStringLiteral("ﾉｰﾄﾞが選択されていません");

void expandAll(QTreeWidgetItem *item)
{
    item->setExpanded(true);
    for (int i = 0; i < item->childCount(); ++i)
        expandAll(item->child(i));
}

// A name the tree file gives back unchanged and the file system takes as one name in the
// node's folder. The node dialog cleans what the user types; this guards every caller.
bool nameStorable(const QString &name)
{
    return !name.isEmpty() && NodeNameChars::cleaned(name) == name;
}

void putIntoTree(TOrvaneF &w, Place place, QTreeWidgetItem *selected, QTreeWidgetItem *item)
{
    switch (place) {
    case Place::AfterLastSibling:
        if (selected && selected->parent())
            selected->parent()->addChild(item);
        else
            w.TreeView1->addTopLevelItem(item);
        break;
    case Place::BeforeSelected:
        if (QTreeWidgetItem *parent = selected->parent())
            parent->insertChild(parent->indexOfChild(selected), item);
        else
            w.TreeView1->insertTopLevelItem(w.TreeView1->indexOfTopLevelItem(selected), item);
        break;
    case Place::LastChild:
        selected->addChild(item);
        expandAll(selected);
        break;
    }
}

void takeOutOfTree(TOrvaneF &w, QTreeWidgetItem *item)
{
    if (QTreeWidgetItem *parent = item->parent())
        parent->removeChild(item);
    else
        w.TreeView1->takeTopLevelItem(w.TreeView1->indexOfTopLevelItem(item));
    delete item;
}

// The one shape of the three workers. `selected` is the node the command started on
// (null only for an add without a selection); the new node's folder path follows from it.
void addNode(TOrvaneF &w, Place place, const QString &name)
{
    QTreeWidgetItem *selected = w.TreeView1->currentItem();
    QString folder;
    if (place == Place::LastChild)
        folder = NodePaths::childFolderPath(w.GetPateNode(selected), selected->text(0));
    else
        folder = selected ? w.GetPateNode(selected) : QStringLiteral("\\");
    const QString target = NodePaths::fullPath(BaseDir, folder, name);

    // Refusals: nothing has changed yet.
    if (target.isEmpty() || !nameStorable(name)) {
        w.setStatus(2, QStringLiteral("ﾉｰﾄﾞ名 ") + name + QStringLiteral(" は使用できません"));
        ui().beep();
        return;
    }
    if (DlgKind == KindFolder ? DExist(target) : FExist(target)) {
        w.setStatus(2, DlgKind == KindFolder ? QStringLiteral("ﾌｫﾙﾀﾞｰ ") + name + QStringLiteral(" 既にあります")
                                             : QStringLiteral("ﾌｧｲﾙ ") + name + QStringLiteral("既にあります"));
        ui().beep();
        return;
    }

    QTreeWidgetItem *item = NodeTreeWidget::newNodeItem(name);
    putIntoTree(w, place, selected, item);
    // The tree file is written before anything exists on disk. When it cannot be
    // written (reported by TreeWrite), the node goes again: tree and disk stay as they were.
    if (!w.TreeWrite()) {
        takeOutOfTree(w, item);
        return;
    }

    // A file or folder that cannot be made (reported where it failed) takes its node
    // away again, so the tree and its file stay as they were before the command.
    bool made = false;
    switch (DlgKind) {
    case KindFolder:
        made = w.TNewDir(target);
        break;
    case KindMemo:
    case KindRich:
        made = w.TNewMemo(target);
        break;
    default:
        made = FileCopyChk(DlgFile, target) == FuDone;
        break;
    }
    if (!made) {
        // Should the tree file not take the node back out, the node stays: the tree on
        // screen is always the tree file.
        QTreeWidgetItem *parent = item->parent();
        const int index = parent ? parent->indexOfChild(item) : w.TreeView1->indexOfTopLevelItem(item);
        if (parent)
            parent->takeChild(index);
        else
            w.TreeView1->takeTopLevelItem(index);
        if (selected)
            w.TreeView1->setCurrentItem(selected);
        if (w.TreeWrite()) {
            delete item;
        } else if (parent) {
            parent->insertChild(index, item);
        } else {
            w.TreeView1->insertTopLevelItem(index, item);
        }
        return;
    }
    w.TreeIniSel(folder, name);
    w.TNodeSetFocus();
}

} // namespace

void TOrvaneF::ToolButtonAClick()
{
    setStatus(2, QString());
    TreeView();
    DlgMode = DlgAddNode;
    ShowNodeDialog();
    // Text that could not be written to its file stays in front of the user: no new
    // node takes its place.
    if (DlgOK && !DlgName.isEmpty() && TSaveNode(NodeName))
        TNewNode(DlgName);
}

void TOrvaneF::ToolButtonIClick()
{
    if (!TreeView1->currentItem()) {
        setStatus(2, kNoSelection);
        return;
    }
    TreeView();
    setStatus(2, QString());
    if (NodeKind != KindFolder) {
        setStatus(2, QStringLiteral("ﾌｫﾙﾀﾞｰﾉｰﾄﾞのみ子ﾉｰﾄﾞ作成可能です"));
        ui().beep();
        return;
    }
    DlgMode = DlgAddChildNode;
    ShowNodeDialog();
    if (DlgOK && !DlgName.isEmpty() && TSaveNode(NodeName))
        TNewCNode(DlgName);
}

void TOrvaneF::ToolButtonACClick()
{
    setStatus(2, QString());
    if (!TreeView1->currentItem()) {
        setStatus(2, kNoSelection);
        return;
    }
    TreeView();
    DlgMode = DlgInsertNode;
    ShowNodeDialog();
    if (DlgOK && !DlgName.isEmpty() && TSaveNode(NodeName))
        TInsNode(DlgName);
}

void TOrvaneF::TNewNode(const QString &name)
{
    if (NodePath.isEmpty())
        NodePath = QStringLiteral("\\");
    addNode(*this, Place::AfterLastSibling, name);
}

void TOrvaneF::TInsNode(const QString &name)
{
    if (!TreeView1->currentItem())
        return;
    addNode(*this, Place::BeforeSelected, name);
}

void TOrvaneF::TNewCNode(const QString &name)
{
    if (!TreeView1->currentItem())
        return;
    addNode(*this, Place::LastChild, name);
}

bool TOrvaneF::TNewMemo(const QString &target)
{
    if (DlgKind == KindMemo && !DlgTemplate.isEmpty())
        return FileCopyChk(DlgTemplate, target) == FuDone;
    return FNewEmpty(target);
}

bool TOrvaneF::TNewDir(const QString &target)
{
    if (MkDirChk(target))
        return true;
    const int why = errno;
    if (!DExist(target)) // a folder that is there was reported by MkDirChk
        ui().reportError(QStringLiteral("フォルダー %1 を作成できません。(%2)")
                             .arg(target, QString::fromLocal8Bit(std::strerror(why))));
    return false;
}

void TOrvaneF::TNodeSetFocus()
{
    if (DlgKind == KindMemo)
        Memo1->setFocus();
    else if (DlgKind == KindRich)
        RichEdit1->setFocus();
}

// The tree control's keys: a few keys run the node commands and F2 starts the in-place
// rename. Keys typed into the in-place editor belong to the editor and never reach
// these handlers, so Delete there deletes a character, never the node.

#include "app/ui/mainwindow.h"

#include "tree/ui/nodetreewidget.h"

#include <QKeyEvent>

void TOrvaneF::connectNodeEditing()
{
    TreeView1->keyDownHandler = [this](QKeyEvent *event) {
        // A key the open editor left (Enter, Escape ...) arrives here too; it is the
        // editor's, and running the selection handler now would put the old name back
        // into the editor before it commits.
        if (TreeView1->isEditing())
            return false;
        int key = event->key();
        TreeView1KeyDown(key);
        if (key == 0)
            return true;
        // Delete makes no character; every key that does is a key press.
        const QString text = event->text();
        if (!text.isEmpty() && text.at(0) != QChar(0x7F))
            TreeView1KeyPress(text.at(0));
        return false;
    };
    TreeView1->editedHandler = [this](QTreeWidgetItem *node, QString &text) { TreeView1Edited(node, text); };
    // An edit left with Escape ends the name editing as well as a committed one.
    connect(TreeView1, &NodeTreeWidget::editEnded, this, [this] { LabelEditing = false; });
}

void TOrvaneF::TreeView1KeyDown(int &key)
{
    switch (key) {
    case Qt::Key_Control:
        CtrlDown = true;
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        TreeView();
        CtrlDown = false;
        TreeView1->setFocus();
        return;
    case Qt::Key_Right:
        if (!CtrlDown)
            break;
        key = 0;
        ToolButtonIClick();
        CtrlDown = false;
        return;
    case Qt::Key_Down:
        if (!CtrlDown)
            break;
        key = 0;
        ToolButtonAClick();
        CtrlDown = false;
        return;
    case Qt::Key_Delete:
        if (LabelEditing)
            return; // the editor's key; CtrlDown stays as it is
        key = 0;
        if (CtrlDown)
            ToolButtonDClick();
        else
            ToolButtonNDClick();
        CtrlDown = false;
        return;
    case Qt::Key_Insert:
        key = 0;
        ToolButtonACClick();
        CtrlDown = false;
        return;
    case Qt::Key_F2:
        if (QTreeWidgetItem *node = TreeView1->currentItem()) {
            key = 0;
            CtrlDown = false;
            LabelEditing = true;
            TreeView();
            node->setFlags(node->flags() | Qt::ItemIsEditable);
            TreeView1->editItem(node, 0);
            return;
        }
        break;
    default:
        break;
    }
    CtrlDown = false;
}

void TOrvaneF::TreeView1KeyPress(QChar key)
{
    Q_UNUSED(key);
    setStatus(2, QString());
}

#pragma once
// The tree control: a tree of node names, each item carrying its icon index. It only
// reports the events the main window handles (mouse up, keys, in-place edits, drops);
// what they do is decided by the window's handlers.

#include "nodeops/dropplace.h"

#include <QHash>
#include <QTreeWidget>
#include <functional>

class QMimeData;

class NodeTreeWidget : public QTreeWidget
{
    Q_OBJECT

public:
    explicit NodeTreeWidget(QWidget *parent = nullptr);
    ~NodeTreeWidget() override;

    // Data role holding a node's icon index.
    static constexpr int IconIndexRole = Qt::UserRole + 1;

    // A new node item with this name, editable in place and draggable. Its icon is the
    // entry of the tree's icon list at its icon index (IconIndexRole): a large tree keeps
    // one number per node instead of an icon of its own.
    static QTreeWidgetItem *newNodeItem(const QString &name);
    // The icons node items show, by icon index (owned by the caller, alive as long as
    // this tree).
    void setNodeIcons(const QList<QIcon> *icons) { m_nodeIcons = icons; }
    const QList<QIcon> *nodeIcons() const { return m_nodeIcons; }

    // Called for every key press before the tree's own handling; return true to
    // consume the key.
    std::function<bool(QKeyEvent *)> keyDownHandler;

    // Called when an in-place edit is committed, before the node takes the new text
    // over; the node shows whatever the handler leaves in the text.
    std::function<void(QTreeWidgetItem *, QString &)> editedHandler;
    // An in-place editor is open.
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }

    // Dragging a node inside the tree. dragOverHandler decides, at every move over the
    // tree, whether a drop there is accepted; dropHandler runs the drop. Both get the
    // point in viewport coordinates. Drags from anywhere else never reach them.
    std::function<bool(const QPoint &)> dragOverHandler;
    std::function<void(const QPoint &)> dropHandler;
    // What lies under a point of the viewport, for the drop position.
    DropHit hitAt(const QPoint &viewportPos) const;
    // The data of a drag of the current node, as this tree starts it.
    QMimeData *nodeDragMimeData() const;
    // The drag comes from this tree.
    bool isOwnDrag(const QDropEvent *event) const;
    // Nodes by their place in pre-order (the order of the tree file). Large trees stay
    // quick: each item's subtree size is remembered until something changes below it,
    // so these look a node up along one path instead of walking every node.
    int nodeCount() const;
    int absoluteIndexOf(QTreeWidgetItem *node) const; // -1 when not in this tree
    QTreeWidgetItem *nodeAt(int absoluteIndex) const; // null when out of range
    // The first node in pre-order whose ancestors' texts are `ancestors` and whose own
    // text is `name`, or null.
    QTreeWidgetItem *findByPath(const QStringList &ancestors, const QString &name) const;
    // Visits every node in pre-order with its level (0 for a top-level node).
    void forEachNode(const std::function<void(QTreeWidgetItem *, int level)> &visit) const;

signals:
    void mouseUp();
    void editEnded(); // the in-place editor closed, committed or cancelled

protected:
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    int subtreeSize(QTreeWidgetItem *item) const; // the item and all below it
    void forgetUpwards(QTreeWidgetItem *item);    // sizes of item and its ancestors
    void forgetSubtree(QTreeWidgetItem *item);

    mutable QHash<const QTreeWidgetItem *, int> m_subtreeSize;
    const QList<QIcon> *m_nodeIcons = nullptr;
};

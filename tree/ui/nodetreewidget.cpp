#include "tree/ui/nodetreewidget.h"

#include <QCoreApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace {

// Hands a committed name to the tree's editedHandler before the node takes it over.
class NodeNameDelegate : public QStyledItemDelegate
{
public:
    NodeNameDelegate(NodeTreeWidget *tree, std::function<QTreeWidgetItem *(const QModelIndex &)> itemOf)
        : QStyledItemDelegate(tree)
        , m_tree(tree)
        , m_itemOf(std::move(itemOf))
    {
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        auto *line = qobject_cast<QLineEdit *>(editor);
        if (!line || !m_tree->editedHandler) {
            QStyledItemDelegate::setModelData(editor, model, index);
            return;
        }
        QString text = line->text();
        m_tree->editedHandler(m_itemOf(index), text);
        model->setData(index, text, Qt::EditRole);
    }

private:
    NodeTreeWidget *m_tree;
    std::function<QTreeWidgetItem *(const QModelIndex &)> m_itemOf;
};

const QString kNodeDragFormat = QStringLiteral("application/x-orvane-tree-node");

} // namespace

NodeTreeWidget::NodeTreeWidget(QWidget *parent)
    : QTreeWidget(parent)
{
    setColumnCount(1);
    header()->hide();
    setIndentation(19);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setExpandsOnDoubleClick(true);
    // Nodes are dragged within the tree only; what a drop does is the window's handler's
    // decision, never the item model's.
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(false);
    setItemDelegate(new NodeNameDelegate(this, [this](const QModelIndex &index) { return itemFromIndex(index); }));
}

void NodeTreeWidget::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTreeWidget::closeEditor(editor, hint);
    emit editEnded();
}

QTreeWidgetItem *NodeTreeWidget::newNodeItem(const QString &name)
{
    auto *item = new QTreeWidgetItem;
    item->setText(0, name);
    item->setFlags(item->flags() | Qt::ItemIsEditable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled);
    return item;
}

void NodeTreeWidget::mouseReleaseEvent(QMouseEvent *event)
{
    QTreeWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        emit mouseUp();
}

void NodeTreeWidget::keyPressEvent(QKeyEvent *event)
{
    if (keyDownHandler && keyDownHandler(event)) {
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

namespace {
// Identifies the tree a node drag started in: this process and this widget.
QByteArray dragToken(const NodeTreeWidget *tree)
{
    return QByteArray::number(QCoreApplication::applicationPid()) + ':'
        + QByteArray::number(quintptr(tree), 16);
}
} // namespace

QMimeData *NodeTreeWidget::nodeDragMimeData() const
{
    auto *data = new QMimeData;
    data->setData(kNodeDragFormat, dragToken(this));
    return data;
}

bool NodeTreeWidget::isOwnDrag(const QDropEvent *event) const
{
    return event->source() == this || event->mimeData()->data(kNodeDragFormat) == dragToken(this);
}

DropHit NodeTreeWidget::hitAt(const QPoint &viewportPos) const
{
    DropHit hit;
    hit.x = viewportPos.x();
    QTreeWidgetItem *item = itemAt(viewportPos);
    if (!item) {
        // No row here: below the last node when the point lies under the last visible row.
        QTreeWidgetItem *last = topLevelItemCount() ? topLevelItem(topLevelItemCount() - 1) : nullptr;
        while (last && last->isExpanded() && last->childCount() > 0)
            last = last->child(last->childCount() - 1);
        const QRect lastRect = last ? visualItemRect(last) : QRect();
        hit.belowLastNode = last && viewportPos.y() > lastRect.bottom() && viewportPos.x() >= 0
            && viewportPos.x() < viewport()->width();
        return hit;
    }
    const QModelIndex index = indexFromItem(item);
    const QRect rect = visualRect(index); // the icon and text part of the row
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = rect;
    const int contentWidth = itemDelegateForIndex(index)->sizeHint(option, index).width();
    hit.onNode = true;
    hit.contentLeft = rect.left();
    hit.contentRight = rect.left() + contentWidth - 1;
    return hit;
}

void NodeTreeWidget::startDrag(Qt::DropActions)
{
    if (!currentItem())
        return;
    // The item model never removes or adds rows for a drop: the handler does the move.
    auto *drag = new QDrag(this);
    drag->setMimeData(nodeDragMimeData());
    drag->exec(Qt::MoveAction);
}

void NodeTreeWidget::dragEnterEvent(QDragEnterEvent *event)
{
    if (isOwnDrag(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void NodeTreeWidget::dragMoveEvent(QDragMoveEvent *event)
{
    if (!isOwnDrag(event)) {
        event->ignore();
        return;
    }
    QTreeWidget::dragMoveEvent(event); // scrolls and opens folders while the mouse waits
    const bool accept = dragOverHandler && dragOverHandler(event->position().toPoint());
    event->setDropAction(Qt::MoveAction);
    event->setAccepted(accept);
}

void NodeTreeWidget::dropEvent(QDropEvent *event)
{
    if (!isOwnDrag(event)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    if (dropHandler)
        dropHandler(event->position().toPoint());
}

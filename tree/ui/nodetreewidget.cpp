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

    // Remembered subtree sizes go when anything changes below them.
    QAbstractItemModel *m = model();
    connect(m, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &parent) {
        forgetUpwards(parent.isValid() ? itemFromIndex(parent) : invisibleRootItem());
    });
    connect(m, &QAbstractItemModel::rowsAboutToBeRemoved, this, [this](const QModelIndex &parent, int first, int last) {
        QTreeWidgetItem *p = parent.isValid() ? itemFromIndex(parent) : invisibleRootItem();
        for (int row = first; row <= last; ++row)
            forgetSubtree(p->child(row));
        forgetUpwards(p);
    });
    auto forgetAll = [this] { m_subtreeSize.clear(); };
    connect(m, &QAbstractItemModel::modelAboutToBeReset, this, forgetAll);
    connect(m, &QAbstractItemModel::rowsMoved, this, forgetAll);
    connect(m, &QAbstractItemModel::layoutChanged, this, forgetAll);
}

NodeTreeWidget::~NodeTreeWidget()
{
    // The model outlives this part of the object and empties itself later.
    model()->disconnect(this);
}

int NodeTreeWidget::subtreeSize(QTreeWidgetItem *item) const
{
    if (const auto it = m_subtreeSize.constFind(item); it != m_subtreeSize.cend())
        return *it;
    // Children before their parent, without recursion: a tree file may nest very deep.
    struct Frame { QTreeWidgetItem *item; int next; int size; };
    QList<Frame> stack{{item, 0, 1}};
    int done = 0;
    while (!stack.isEmpty()) {
        Frame &top = stack.last();
        if (top.next < top.item->childCount()) {
            QTreeWidgetItem *child = top.item->child(top.next++);
            if (const auto it = m_subtreeSize.constFind(child); it != m_subtreeSize.cend())
                top.size += *it;
            else
                stack.append({child, 0, 1});
            continue;
        }
        done = top.size;
        m_subtreeSize.insert(top.item, done);
        stack.removeLast();
        if (!stack.isEmpty())
            stack.last().size += done;
    }
    return done;
}

void NodeTreeWidget::forgetUpwards(QTreeWidgetItem *item)
{
    for (; item; item = item->parent())
        m_subtreeSize.remove(item);
    m_subtreeSize.remove(invisibleRootItem());
}

void NodeTreeWidget::forgetSubtree(QTreeWidgetItem *item)
{
    QList<QTreeWidgetItem *> pending{item};
    while (!pending.isEmpty() && !m_subtreeSize.isEmpty()) {
        QTreeWidgetItem *next = pending.takeLast();
        if (!next)
            continue;
        m_subtreeSize.remove(next);
        for (int i = 0, n = next->childCount(); i < n; ++i)
            pending.append(next->child(i));
    }
}

int NodeTreeWidget::nodeCount() const
{
    return subtreeSize(invisibleRootItem()) - 1;
}

int NodeTreeWidget::absoluteIndexOf(QTreeWidgetItem *node) const
{
    if (!node || node->treeWidget() != this)
        return -1;
    int index = 0;
    for (QTreeWidgetItem *item = node; item; item = item->parent()) {
        QTreeWidgetItem *parent = item->parent() ? item->parent() : invisibleRootItem();
        const int row = parent->indexOfChild(item);
        for (int i = 0; i < row; ++i)
            index += subtreeSize(parent->child(i));
        if (item->parent())
            index += 1; // the parent itself comes first
    }
    return index;
}

QTreeWidgetItem *NodeTreeWidget::nodeAt(int absoluteIndex) const
{
    if (absoluteIndex < 0)
        return nullptr;
    QTreeWidgetItem *parent = invisibleRootItem();
    int left = absoluteIndex;
    for (;;) {
        QTreeWidgetItem *found = nullptr;
        for (int i = 0, n = parent->childCount(); i < n; ++i) {
            QTreeWidgetItem *child = parent->child(i);
            const int size = subtreeSize(child);
            if (left < size) {
                found = child;
                break;
            }
            left -= size;
        }
        if (!found)
            return nullptr;
        if (left == 0)
            return found;
        left -= 1;
        parent = found;
    }
}

QTreeWidgetItem *NodeTreeWidget::findByPath(const QStringList &ancestors, const QString &name) const
{
    // Depth first along the names, so that of several nodes with the same path the
    // first in pre-order is found.
    std::function<QTreeWidgetItem *(QTreeWidgetItem *, int)> search = [&](QTreeWidgetItem *parent, int depth) -> QTreeWidgetItem * {
        const QString &want = depth < ancestors.size() ? ancestors.at(depth) : name;
        for (int i = 0, n = parent->childCount(); i < n; ++i) {
            QTreeWidgetItem *child = parent->child(i);
            if (child->text(0) != want)
                continue;
            if (depth == ancestors.size())
                return child;
            if (QTreeWidgetItem *hit = search(child, depth + 1))
                return hit;
        }
        return nullptr;
    };
    return search(invisibleRootItem(), 0);
}

void NodeTreeWidget::forEachNode(const std::function<void(QTreeWidgetItem *, int)> &visit) const
{
    // An explicit stack: deep trees must not run out of call stack.
    struct Frame { QTreeWidgetItem *parent; int next; };
    QList<Frame> stack{{invisibleRootItem(), 0}};
    while (!stack.isEmpty()) {
        Frame &top = stack.last();
        if (top.next >= top.parent->childCount()) {
            stack.removeLast();
            continue;
        }
        QTreeWidgetItem *item = top.parent->child(top.next++);
        visit(item, int(stack.size()) - 1);
        if (item->childCount() > 0)
            stack.append({item, 0});
    }
}

void NodeTreeWidget::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTreeWidget::closeEditor(editor, hint);
    emit editEnded();
}

namespace {

// A node of the tree: its icon index is a plain number and its icon comes from the
// tree's icon list when the view asks for it.
class NodeItem : public QTreeWidgetItem
{
public:
    NodeItem() : QTreeWidgetItem(UserType) {}

    QVariant data(int column, int role) const override
    {
        if (column == 0 && role == NodeTreeWidget::IconIndexRole)
            return m_iconIndex >= 0 ? QVariant(m_iconIndex) : QVariant();
        if (column == 0 && role == Qt::DecorationRole && m_iconIndex >= 0) {
            const auto *tree = qobject_cast<const NodeTreeWidget *>(treeWidget());
            const QList<QIcon> *icons = tree ? tree->nodeIcons() : nullptr;
            if (icons && m_iconIndex < icons->size())
                return icons->at(m_iconIndex);
        }
        return QTreeWidgetItem::data(column, role);
    }

    void setData(int column, int role, const QVariant &value) override
    {
        if (column == 0 && role == NodeTreeWidget::IconIndexRole) {
            const int index = value.isValid() ? value.toInt() : -1;
            if (index != m_iconIndex) {
                m_iconIndex = index;
                emitDataChanged();
            }
            return;
        }
        QTreeWidgetItem::setData(column, role, value);
    }

    QTreeWidgetItem *clone() const override
    {
        auto *copy = new NodeItem;
        *static_cast<QTreeWidgetItem *>(copy) = *this; // text, flags and other data
        copy->m_iconIndex = m_iconIndex;
        // A copy may go into a tree without the icon list: it carries its icon itself.
        const QVariant icon = data(0, Qt::DecorationRole);
        if (icon.isValid())
            copy->QTreeWidgetItem::setData(0, Qt::DecorationRole, icon);
        for (int i = 0; i < childCount(); ++i)
            copy->addChild(child(i)->clone());
        return copy;
    }

private:
    int m_iconIndex = -1;
};

} // namespace

QTreeWidgetItem *NodeTreeWidget::newNodeItem(const QString &name)
{
    auto *item = new NodeItem;
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

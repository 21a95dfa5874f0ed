#include "tree/ui/nodetreewidget.h"

#include <QHeaderView>
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

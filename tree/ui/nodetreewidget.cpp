#include "tree/ui/nodetreewidget.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

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

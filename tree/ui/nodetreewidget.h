#pragma once
// The tree control: a tree of node names, each item carrying its icon index. It only
// reports the events the main window handles (mouse up, keys, in-place edits, drops);
// what they do is decided by the window's handlers.

#include <QTreeWidget>
#include <functional>

class NodeTreeWidget : public QTreeWidget
{
    Q_OBJECT

public:
    explicit NodeTreeWidget(QWidget *parent = nullptr);

    // Data role holding a node's icon index.
    static constexpr int IconIndexRole = Qt::UserRole + 1;

    // A new node item with this name, editable in place and draggable.
    static QTreeWidgetItem *newNodeItem(const QString &name);

    // Called for every key press before the tree's own handling; return true to
    // consume the key.
    std::function<bool(QKeyEvent *)> keyDownHandler;

    // Called when an in-place edit is committed, before the node takes the new text
    // over; the node shows whatever the handler leaves in the text.
    std::function<void(QTreeWidgetItem *, QString &)> editedHandler;
    // An in-place editor is open.
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }

signals:
    void mouseUp();
    void editEnded(); // the in-place editor closed, committed or cancelled

protected:
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

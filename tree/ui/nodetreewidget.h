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

    // Called for every key press before the tree's own handling; return true to
    // consume the key.
    std::function<bool(QKeyEvent *)> keyDownHandler;

signals:
    void mouseUp();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

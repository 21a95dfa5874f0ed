#pragma once
// A read tree as a flat listing: each node with its folder path and kind, in pre-order.

#include "tree/treefile.h"

#include <QList>
#include <QString>

struct ListedNode {
    int index = 0;      // absolute (pre-order) index
    int level = 0;      // 0 for a root node
    int kind = 5;       // node kind
    QString folderPath; // stored "\" form
    QString name;
};

// Folder paths and kinds of the nodes below baseDir, classified with MemoExtList.
QList<ListedNode> listTree(const QList<TreeLine> &nodes, const QString &baseDir);

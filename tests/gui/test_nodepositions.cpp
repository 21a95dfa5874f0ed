// Node positions in the tree control (pre-order index, count, lookup by path) stay right
// while the tree changes: they are remembered between changes, so every kind of change
// must make them forget what it touched.

#include "tree/ui/nodetreewidget.h"

#include <QPixmap>
#include <QRandomGenerator>
#include <QTreeWidgetItemIterator>
#include <gtest/gtest.h>

namespace {

// What the positions must be: a plain walk of the control.
QList<QTreeWidgetItem *> preOrder(QTreeWidget &tree)
{
    QList<QTreeWidgetItem *> items;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        items.append(*it);
    return items;
}

void expectPositionsMatchWalk(NodeTreeWidget &tree, const char *after)
{
    const QList<QTreeWidgetItem *> items = preOrder(tree);
    ASSERT_EQ(tree.nodeCount(), items.size()) << after;
    for (int i = 0; i < items.size(); ++i) {
        ASSERT_EQ(tree.absoluteIndexOf(items[i]), i) << after;
        ASSERT_EQ(tree.nodeAt(i), items[i]) << after;
    }
    EXPECT_EQ(tree.nodeAt(int(items.size())), nullptr) << after;
    EXPECT_EQ(tree.nodeAt(-1), nullptr) << after;
}

QTreeWidgetItem *node(const QString &name, QList<QTreeWidgetItem *> children = {})
{
    QTreeWidgetItem *item = NodeTreeWidget::newNodeItem(name);
    item->addChildren(children);
    return item;
}

} // namespace

TEST(NodePositions, EveryKindOfChangeKeepsIndexCountAndLookupRight)
{
    NodeTreeWidget tree;
    //   A / A1 / A2 (A2a, A2b) / B / C (C1)
    tree.addTopLevelItems({node("A", {node("A1"), node("A2", {node("A2a"), node("A2b")})}), node("B"),
                           node("C", {node("C1")})});
    expectPositionsMatchWalk(tree, "filled");

    QTreeWidgetItem *a2 = tree.topLevelItem(0)->child(1);
    a2->addChild(node("A2c"));
    expectPositionsMatchWalk(tree, "child added at the end of a nested folder");

    tree.insertTopLevelItem(0, node("Z", {node("Z1")}));
    expectPositionsMatchWalk(tree, "top-level node inserted first");

    a2->insertChild(0, node("A2-"));
    expectPositionsMatchWalk(tree, "child inserted first");

    delete a2->child(1);
    expectPositionsMatchWalk(tree, "leaf deleted");

    // A folder moved with its content, as dragging does: taken out, then put in elsewhere.
    QTreeWidgetItem *moved = tree.topLevelItem(1)->takeChild(1);
    expectPositionsMatchWalk(tree, "folder taken out");
    moved->addChild(node("added while detached"));
    tree.topLevelItem(3)->addChild(moved);
    expectPositionsMatchWalk(tree, "folder put into another");

    tree.topLevelItem(2)->setText(0, QStringLiteral("B renamed"));
    expectPositionsMatchWalk(tree, "renamed");

    delete tree.takeTopLevelItem(0);
    expectPositionsMatchWalk(tree, "top-level folder deleted");

    tree.clear();
    expectPositionsMatchWalk(tree, "cleared");
    tree.addTopLevelItem(node("new"));
    expectPositionsMatchWalk(tree, "filled again");
}

TEST(NodePositions, RandomChangesAgreeWithAWalk)
{
    NodeTreeWidget tree;
    QRandomGenerator rnd(20261211);
    for (int step = 0; step < 400; ++step) {
        const QList<QTreeWidgetItem *> items = preOrder(tree);
        const int action = rnd.bounded(4);
        QTreeWidgetItem *target = items.isEmpty() ? nullptr : items.at(rnd.bounded(int(items.size())));
        if (action <= 1 || !target) {
            QTreeWidgetItem *parent = target ? target : tree.invisibleRootItem();
            parent->insertChild(rnd.bounded(parent->childCount() + 1), node(QString::number(step)));
        } else if (action == 2) {
            QTreeWidgetItem *parent = target->parent() ? target->parent() : tree.invisibleRootItem();
            delete parent->takeChild(parent->indexOfChild(target));
        } else {
            // Move a subtree under a node outside it.
            QTreeWidgetItem *parent = target->parent() ? target->parent() : tree.invisibleRootItem();
            QTreeWidgetItem *taken = parent->takeChild(parent->indexOfChild(target));
            const QList<QTreeWidgetItem *> rest = preOrder(tree);
            QTreeWidgetItem *to = rest.isEmpty() ? tree.invisibleRootItem() : rest.at(rnd.bounded(int(rest.size())));
            to->insertChild(rnd.bounded(to->childCount() + 1), taken);
        }
        // Ask for positions between changes, so that remembered sizes are in play.
        if (!tree.nodeCount() || rnd.bounded(3) == 0)
            continue;
        const QList<QTreeWidgetItem *> now = preOrder(tree);
        const int probe = rnd.bounded(int(now.size()));
        ASSERT_EQ(tree.absoluteIndexOf(now[probe]), probe) << "step " << step;
        ASSERT_EQ(tree.nodeAt(probe), now[probe]) << "step " << step;
    }
    expectPositionsMatchWalk(tree, "after random changes");
}

TEST(NodePositions, LookupByPathFindsTheFirstInTreeOrder)
{
    NodeTreeWidget tree;
    // Two folders named D: only the second holds x, so the search must look past the first.
    tree.addTopLevelItems({node("D", {node("y")}), node("D", {node("x"), node("x")}), node("x")});
    EXPECT_EQ(tree.findByPath({QStringLiteral("D")}, QStringLiteral("x")), tree.topLevelItem(1)->child(0));
    EXPECT_EQ(tree.findByPath({}, QStringLiteral("x")), tree.topLevelItem(2));
    EXPECT_EQ(tree.findByPath({}, QStringLiteral("D")), tree.topLevelItem(0));
    EXPECT_EQ(tree.findByPath({QStringLiteral("D")}, QStringLiteral("z")), nullptr);
    EXPECT_EQ(tree.findByPath({QStringLiteral("x")}, QStringLiteral("y")), nullptr);
}

TEST(NodePositions, VeryDeepTreeNeedsNoDeepCallStack)
{
    // A tree file may nest every line one level deeper than the one before.
    // Deep enough that one call frame per level would not fit a thread's stack; the
    // control itself takes a while over such a chain, so it is not deeper.
    constexpr int kDepth = 20000;
    NodeTreeWidget tree;
    QTreeWidgetItem *top = node("0");
    QTreeWidgetItem *last = top;
    for (int i = 1; i < kDepth; ++i) {
        QTreeWidgetItem *child = node(QString::number(i));
        last->addChild(child);
        last = child;
    }
    tree.addTopLevelItem(top);
    EXPECT_EQ(tree.nodeCount(), kDepth);
    EXPECT_EQ(tree.absoluteIndexOf(last), kDepth - 1);
    EXPECT_EQ(tree.nodeAt(kDepth - 1), last);
    int deepest = 0;
    tree.forEachNode([&deepest](QTreeWidgetItem *, int level) { deepest = std::max(deepest, level); });
    EXPECT_EQ(deepest, kDepth - 1);
    // Take the chain apart from the bottom, detached: the item destructor recurses.
    tree.takeTopLevelItem(0);
    while (last) {
        QTreeWidgetItem *parent = last->parent();
        delete last;
        last = parent;
    }
}

TEST(NodeIcons, NodesShowTheTreeIconAtTheirIndexAndCopiesKeepIt)
{
    // Node items hold an icon index, not an icon: the tree's list decides what shows.
    QPixmap red(16, 16), blue(16, 16);
    red.fill(Qt::red);
    blue.fill(Qt::blue);
    const QList<QIcon> icons{QIcon(red), QIcon(blue)};
    NodeTreeWidget tree;
    tree.setNodeIcons(&icons);
    QTreeWidgetItem *item = node("a");
    tree.addTopLevelItem(item);
    EXPECT_TRUE(item->icon(0).isNull());
    item->setData(0, NodeTreeWidget::IconIndexRole, 1);
    EXPECT_EQ(item->data(0, NodeTreeWidget::IconIndexRole).toInt(), 1);
    EXPECT_EQ(item->icon(0).cacheKey(), icons[1].cacheKey());
    // A changed index is a change the view repaints.
    int changes = 0;
    QObject::connect(tree.model(), &QAbstractItemModel::dataChanged, [&changes] { ++changes; });
    item->setData(0, NodeTreeWidget::IconIndexRole, 0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(item->icon(0).cacheKey(), icons[0].cacheKey());
    // A copy in a plain tree (the bulk output dialog's) shows the same picture.
    QTreeWidget plain;
    QTreeWidgetItem *copy = item->clone();
    plain.addTopLevelItem(copy);
    EXPECT_FALSE(copy->icon(0).isNull());
    EXPECT_EQ(copy->text(0), QStringLiteral("a"));
}

// Moving nodes by dragging them inside the tree: drag events synthesised at the points
// the hit test places as into, before and end, on a small tree whose files are checked
// byte for byte, together with the tree file, after every case.

#include "base/globals.h"
#include "support/disksnapshot.h"
#include "support/fileattrs.h"
#include "support/nodefiles.h"
#include "support/windowfixture.h"
#include "tree/ui/nodetreewidget.h"

#include <QApplication>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTreeWidgetItem>
#include <gtest/gtest.h>

namespace {

// 0 Docs (1 memo.TXT, 2 pic.bmp), 3 Other (4 x.TXT), 5 top.TXT, 6 last.TXT
struct DragTree : WindowFixture {
    DragTree()
        : WindowFixture(QStringLiteral("Docs\r\n\tmemo.TXT\r\n\tpic.bmp\r\nOther\r\n\tx.TXT\r\ntop.TXT\r\nlast.TXT\r\n"),
                        false)
    {
        dir.createFile(QStringLiteral("docs/Docs/memo.TXT"), "memo\r\n");
        dir.createFile(QStringLiteral("docs/Docs/pic.bmp"), bmpBytes());
        dir.createFile(QStringLiteral("docs/Docs/pic.bmp.TMEM"), "comment");
        dir.createFile(QStringLiteral("docs/Other/x.TXT"), "x");
        dir.createFile(QStringLiteral("docs/top.TXT"), "top");
        dir.createFile(QStringLiteral("docs/last.TXT"), "last");
        window->FormActivate();
        window->resize(900, 700);
        window->show();
        w().TreeView1->expandAll();
        click(5); // top.TXT is the current node
        ui.clear();
    }
    NodeTreeWidget *tree() { return w().TreeView1; }
    QByteArray treeFile() const { return dir.read(QStringLiteral("docs/T.Orvan")); }
    QStringList disk() const { return diskSnapshot(dir.file(QStringLiteral("docs"))); }

    QPoint into(int index)
    {
        const QRect r = tree()->visualItemRect(item(index));
        return {r.left() + 4, r.center().y()};
    }
    QPoint before(int index)
    {
        const QRect r = tree()->visualItemRect(item(index));
        return {r.left() - 6, r.center().y()};
    }
    QPoint below()
    {
        const QRect r = tree()->visualItemRect(item(nodeCount() - 1));
        return {r.left() + 4, r.bottom() + 15};
    }
    QPoint rightOfText(int index)
    {
        const QRect r = tree()->visualItemRect(item(index));
        return {tree()->hitAt(r.center()).contentRight + 12, r.center().y()};
    }
    int nodeCount() { return w().nodeCount(); }

    // Drags node `from` (it becomes the selected node, as pressing on it does) to `pos`.
    // Returns whether the tree accepted the drag there.
    bool drag(int from, const QPoint &pos, bool drop = true)
    {
        tree()->setCurrentItem(item(from));
        std::unique_ptr<QMimeData> data(tree()->nodeDragMimeData());
        QDragEnterEvent enter(pos, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree()->viewport(), &enter);
        QDragMoveEvent move(pos, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree()->viewport(), &move);
        const bool accepted = move.isAccepted();
        if (!drop)
            return accepted;
        QDropEvent dropEvent(QPointF(pos), Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree()->viewport(), &dropEvent);
        return accepted;
    }
};

const QByteArray kTree = "Docs\r\n\tmemo.TXT\r\n\tpic.bmp\r\nOther\r\n\tx.TXT\r\ntop.TXT\r\nlast.TXT\r\n";

TEST(DragNode, HitTestPositions)
{
    DragTree fx;
    EXPECT_EQ(dropPositionOf(fx.tree()->hitAt(fx.into(1))), DropPosition::Into);
    EXPECT_EQ(dropPositionOf(fx.tree()->hitAt(fx.before(1))), DropPosition::Before);
    EXPECT_EQ(dropPositionOf(fx.tree()->hitAt(fx.before(0))), DropPosition::Before);
    EXPECT_EQ(dropPositionOf(fx.tree()->hitAt(fx.below())), DropPosition::End);
    EXPECT_EQ(dropPositionOf(fx.tree()->hitAt(fx.rightOfText(1))), DropPosition::None);
}

TEST(DragNode, MovesRefusesOrReorders)
{
    struct Row {
        const char *what;
        int from;
        std::function<QPoint(DragTree &)> at;
        QByteArray treeAfter;
        QString movedFrom; // below docs/, "" when no file moves
        QString movedTo;
        QString status;    // status panel 2 afterwards
        bool beep;
        QString selected;  // the selected node afterwards
    };
    const Row rows[] = {
        {"memo into a folder", 1, [](DragTree &f) { return f.into(3); },
         "Docs\r\n\tpic.bmp\r\nOther\r\n\tx.TXT\r\n\tmemo.TXT\r\ntop.TXT\r\nlast.TXT\r\n", "Docs/memo.TXT",
         "Other/memo.TXT", {}, false, "memo.TXT"},
        {"memo onto another memo", 1, [](DragTree &f) { return f.into(5); }, kTree, {}, {},
         QStringLiteral("ﾄﾞﾛｯﾌﾟ先がﾌｫﾙﾀﾞｰでありません"), true, "memo.TXT"},
        {"before a sibling only reorders", 2, [](DragTree &f) { return f.before(1); },
         "Docs\r\n\tpic.bmp\r\n\tmemo.TXT\r\nOther\r\n\tx.TXT\r\ntop.TXT\r\nlast.TXT\r\n", {}, {}, {}, false,
         "pic.bmp"},
        {"before a node of another folder", 1, [](DragTree &f) { return f.before(4); },
         "Docs\r\n\tpic.bmp\r\nOther\r\n\tmemo.TXT\r\n\tx.TXT\r\ntop.TXT\r\nlast.TXT\r\n", "Docs/memo.TXT",
         "Other/memo.TXT", {}, false, "memo.TXT"},
        {"below the last node", 4, [](DragTree &f) { return f.below(); },
         "Docs\r\n\tmemo.TXT\r\n\tpic.bmp\r\nOther\r\ntop.TXT\r\nlast.TXT\r\nx.TXT\r\n", "Other/x.TXT", "x.TXT", {},
         false, "x.TXT"},
        {"below the last node, already at the top", 5, [](DragTree &f) { return f.below(); }, kTree, {}, {},
         QStringLiteral("ﾄﾞﾛｯﾌﾟ先に同一ﾌｧｲﾙがあります top.TXT"), true, "top.TXT"},
        {"onto its own parent", 1, [](DragTree &f) { return f.into(0); }, kTree, {}, {},
         QStringLiteral("ﾄﾞﾛｯﾌﾟ先に同一ﾌｧｲﾙがあります memo.TXT"), true, "memo.TXT"},
        {"picture with its comment, not the current node", 2, [](DragTree &f) { return f.into(3); },
         "Docs\r\n\tmemo.TXT\r\nOther\r\n\tx.TXT\r\n\tpic.bmp\r\ntop.TXT\r\nlast.TXT\r\n", "Docs/pic.bmp",
         "Other/pic.bmp", {}, false, "pic.bmp"},
        {"a folder with its children", 0, [](DragTree &f) { return f.into(3); },
         "Other\r\n\tx.TXT\r\n\tDocs\r\n\t\tmemo.TXT\r\n\t\tpic.bmp\r\ntop.TXT\r\nlast.TXT\r\n", "Docs", "Other/Docs",
         {}, false, "Docs"},
        {"a folder before its own child", 0, [](DragTree &f) { return f.before(2); }, kTree, {}, {},
         QStringLiteral("ﾌｫﾙﾀﾞｰﾉｰﾄﾞはその中へ移動できません"), true, "Docs"},
        {"right of a node's text", 1, [](DragTree &f) { return f.rightOfText(3); }, kTree, {}, {}, {}, true,
         "memo.TXT"},
        {"onto itself", 1, [](DragTree &f) { return f.into(1); }, kTree, {}, {}, {}, false, "memo.TXT"},
    };
    for (const Row &r : rows) {
        DragTree fx;
        const QStringList before = fx.disk();
        fx.drag(r.from, r.at(fx));
        EXPECT_EQ(fx.treeFile(), r.treeAfter) << r.what;
        const QStringList expected =
            r.movedFrom.isEmpty() ? before : movedSnapshot(before, r.movedFrom, r.movedTo);
        EXPECT_EQ(fx.disk(), expected) << r.what;
        EXPECT_EQ(fx.w().statusText(2).trimmed(), r.status) << r.what;
        EXPECT_EQ(fx.ui.count(QStringLiteral("beep")), r.beep ? 1 : 0) << r.what;
        EXPECT_EQ(fx.ui.count(QStringLiteral("message")), 0) << r.what;
        ASSERT_TRUE(fx.tree()->currentItem()) << r.what;
        EXPECT_EQ(fx.tree()->currentItem()->text(0), r.selected) << r.what;
        // The current node (top.TXT) did not move: it keeps its name.
        EXPECT_EQ(NodeName, QStringLiteral("top.TXT")) << r.what;
    }
}

TEST(DragNode, EditsOfTheShownNodeAfterMovingAnotherAreStillSaved)
{
    DragTree fx; // top.TXT is shown
    fx.drag(2, fx.into(3));
    ASSERT_TRUE(fx.dir.exists(QStringLiteral("docs/Other/pic.bmp.TMEM")));
    fx.w().Memo1->setPlainText(QStringLiteral("typed after the drop"));
    fx.click(6);
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/top.TXT")), QByteArray("typed after the drop"));
}

TEST(DragNode, MovingTheFolderOfTheShownNodeClearsItsName)
{
    DragTree fx;
    fx.click(1); // memo.TXT inside Docs is shown
    fx.drag(0, fx.into(3));
    ASSERT_TRUE(fx.dir.exists(QStringLiteral("docs/Other/Docs/memo.TXT")));
    EXPECT_TRUE(NodeName.isEmpty());
    EXPECT_EQ(fx.tree()->currentItem()->text(0), QStringLiteral("Docs"));
    fx.click(6);
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/Docs")));
}

TEST(DragNode, DragIsAcceptedOnlyWhereItCanBePlaced)
{
    DragTree fx;
    EXPECT_TRUE(fx.drag(1, fx.into(1), false));
    EXPECT_TRUE(fx.drag(1, fx.into(5), false)); // refused only at the drop, with its message
    EXPECT_TRUE(fx.drag(1, fx.before(3), false));
    EXPECT_TRUE(fx.drag(6, fx.below(), false));
    EXPECT_FALSE(fx.drag(1, fx.rightOfText(4), false));
    // A drag of anything else (text from another program) is not taken by the tree.
    QMimeData text;
    text.setText(QStringLiteral("words"));
    QDragMoveEvent move(fx.into(3), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(fx.tree()->viewport(), &move);
    EXPECT_FALSE(move.isAccepted());
    EXPECT_EQ(fx.treeFile(), kTree);
}

TEST(DragNode, EditsOfTheDraggedMemoAreSavedBeforeItMoves)
{
    DragTree fx;
    fx.click(1);
    fx.w().Memo1->setPlainText(QStringLiteral("typed just now"));
    fx.drag(1, fx.into(3));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/Other/memo.TXT")), QByteArray("typed just now"));
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/Docs/memo.TXT")));
    EXPECT_TRUE(NodeName.isEmpty());
    // Nothing is written anywhere when the user goes on to another node.
    fx.click(5);
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/Docs/memo.TXT")));
}

TEST(DragNode, FailedMovesChangeNothingAndSaySo)
{
    struct Row {
        const char *what;
        int from;
        std::function<void(DragTree &)> arrange;
        QString firstMessage;
    };
    const Row rows[] = {
        {"read-only destination folder", 1, [](DragTree &f) { setReadOnly(f.dir.file(QStringLiteral("docs/Other")), true); },
         QStringLiteral("ノードの移動に失敗しました。\r%1/Docs/memo.TXT\r移動元はそのまま残っています")},
        {"hidden file in a moved folder", 0, [](DragTree &f) { f.dir.createFile(QStringLiteral("docs/Docs/.hidden"), "h"); },
         QStringLiteral("フォルダーノードの削除に失敗しました\r%1/Docs/.hidden は移動できません\r移動元はそのまま残っています")},
        {"an existing side file at the target", 2,
         [](DragTree &f) { f.dir.createFile(QStringLiteral("docs/Other/pic.bmp.TMEM"), "stale"); },
         QStringLiteral("Copy出力ファイルは既にあります")},
    };
    for (const Row &r : rows) {
        DragTree fx;
        r.arrange(fx);
        const QStringList before = fx.disk();
        fx.drag(r.from, fx.into(3));
        EXPECT_EQ(fx.treeFile(), kTree) << r.what;
        EXPECT_EQ(fx.disk(), before) << r.what;
        const QStringList messages = fx.ui.texts(QStringLiteral("message"));
        ASSERT_FALSE(messages.isEmpty()) << r.what;
        EXPECT_EQ(messages.first(), QString(r.firstMessage).replace(QStringLiteral("%1"), fx.dir.file(QStringLiteral("docs"))))
            << r.what;
        EXPECT_EQ(fx.item(r.from)->text(0), fx.tree()->currentItem()->text(0)) << r.what;
        setReadOnly(fx.dir.file(QStringLiteral("docs/Other")), false);
    }
}

TEST(DragNode, ReadOnlyTreeFileStopsTheMoveBeforeTheDisk)
{
    DragTree fx;
    setReadOnly(fx.treePath, true);
    const QStringList before = fx.disk();
    fx.drag(1, fx.into(3));
    EXPECT_EQ(fx.disk(), before);
    EXPECT_EQ(fx.treeFile(), kTree);
    EXPECT_EQ(fx.ui.count(QStringLiteral("report")), 1);
    setReadOnly(fx.treePath, false);
}

} // namespace

// Files and folders dropped from the file manager onto any part of the window: the
// copies, the tree file byte for byte, and what is selected and shown afterwards.

#include "base/globals.h"
#include "support/disksnapshot.h"
#include "support/windowfixture.h"
#include "tree/ui/nodetreewidget.h"

#include <QApplication>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextEdit>
#include <QTreeWidgetItem>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// 0 Top (1 X.txt, 2 Y.txt), 3 last.TXT; dropped items come from src/ and other/.
struct DropTree : WindowFixture {
    explicit DropTree(const QString &tree = QStringLiteral("Top\r\n\tX.txt\r\n\tY.txt\r\nlast.TXT\r\n"))
        : WindowFixture(tree, false)
    {
        dir.createFile(QStringLiteral("docs/Top/X.txt"), "x");
        dir.createFile(QStringLiteral("docs/Top/Y.txt"), "y");
        dir.createFile(QStringLiteral("docs/last.TXT"), "last");
        dir.createFile(QStringLiteral("src/a.txt"), "A\r\n");
        dir.createFile(QStringLiteral("src/b.bmp"), "BM");
        dir.createFile(QStringLiteral("src/F/g.txt"), "G");
        dir.createFile(QStringLiteral("src/F/H/h.txt"), "HH");
        dir.createFile(QStringLiteral("other/c.txt"), "C");
        window->FormActivate();
        window->resize(900, 700);
        window->show();
        ui.clear();
    }
    QString src(const QString &rel) const { return dir.file(QStringLiteral("src/") + rel); }
    QByteArray treeFile() const { return dir.read(QStringLiteral("docs/T.Orvan")); }

    // Drops the paths on the widget as the file manager does; true when it was accepted.
    bool dropOn(QWidget *target, const QStringList &paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &p : paths)
            urls.append(QUrl::fromLocalFile(p));
        data.setUrls(urls);
        const QPoint at(target->width() / 2, target->height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QCoreApplication::processEvents(); // the import runs just after the drop
        return enter.isAccepted() && move.isAccepted() && drop.isAccepted();
    }
};

TEST(FileDrop, EveryPartOfTheWindowTakesTheDropAndNoTextViewSwallowsIt)
{
    struct Row {
        const char *what;
        std::function<QWidget *(TOrvaneF &)> target;
    };
    const Row rows[] = {
        {"memo view", [](TOrvaneF &w) { return w.Memo1->viewport(); }},
        {"rich-text view", [](TOrvaneF &w) { return w.RichEdit1->viewport(); }},
        {"comment of a picture", [](TOrvaneF &w) { return w.MemoG->viewport(); }},
        {"tree", [](TOrvaneF &w) { return static_cast<QWidget *>(w.TreeView1->viewport()); }},
        {"status bar", [](TOrvaneF &w) { return static_cast<QWidget *>(w.StatusBar1); }},
    };
    for (const Row &r : rows) {
        DropTree fx;
        fx.click(1); // X.txt: its memo is shown
        const QString memoText = fx.w().Memo1->toPlainText();
        EXPECT_TRUE(fx.dropOn(r.target(fx.w()), {fx.src("b.bmp"), fx.src("a.txt")})) << r.what;
        EXPECT_EQ(fx.treeFile(), QByteArray("Top\r\n\tb.bmp\r\n\ta.txt\r\n\tX.txt\r\n\tY.txt\r\nlast.TXT\r\n")) << r.what;
        EXPECT_EQ(fx.dir.read(QStringLiteral("docs/Top/a.txt")), QByteArray("A\r\n")) << r.what;
        EXPECT_EQ(fx.dir.read(QStringLiteral("docs/Top/b.bmp")), QByteArray("BM")) << r.what;
        EXPECT_EQ(fx.dir.read(QStringLiteral("docs/Top/X.txt")), QByteArray("x")) << r.what;
        EXPECT_TRUE(fx.dir.exists(QStringLiteral("src/a.txt"))) << r.what;
        EXPECT_FALSE(fx.w().RichEdit1->toPlainText().contains(QStringLiteral("file:"))) << r.what;
        EXPECT_FALSE(fx.w().Memo1->toPlainText().contains(QStringLiteral("file:"))) << r.what;
        // The anchor is selected again; the tree was read back collapsed and the first
        // node is the current one.
        ASSERT_TRUE(fx.w().TreeView1->currentItem()) << r.what;
        EXPECT_EQ(fx.w().TreeView1->currentItem(), fx.item(3)) << r.what;
        EXPECT_EQ(fx.item(3)->text(0), QStringLiteral("X.txt")) << r.what;
        EXPECT_TRUE(fx.item(0)->isExpanded()) << r.what; // only so that the anchor can be seen
        EXPECT_EQ(NodeName, QStringLiteral("Top")) << r.what;
        EXPECT_TRUE(fx.ui.events.isEmpty()) << r.what;
        (void)memoText;
    }
}

TEST(FileDrop, FolderWithItsContentAboveTheFiles)
{
    DropTree fx;
    fx.click(3); // last.TXT, at the top level
    fx.dropOn(fx.w().TreeView1->viewport(), {fx.src("a.txt"), fx.src("F"), fx.dir.file(QStringLiteral("other/c.txt"))});
    const QByteArray tree = fx.treeFile();
    const QByteArray start = "Top\r\n\tX.txt\r\n\tY.txt\r\nF\r\n";
    const QByteArray end = "a.txt\r\nc.txt\r\nlast.TXT\r\n";
    ASSERT_TRUE(tree.startsWith(start)) << tree.constData();
    ASSERT_TRUE(tree.endsWith(end)) << tree.constData();
    const QByteArray inside = tree.mid(start.size(), tree.size() - start.size() - end.size());
    EXPECT_TRUE(inside == "\tg.txt\r\n\tH\r\n\t\th.txt\r\n" || inside == "\tH\r\n\t\th.txt\r\n\tg.txt\r\n")
        << inside.constData();
    EXPECT_EQ(diskSnapshot(fx.dir.file(QStringLiteral("docs/F"))), diskSnapshot(fx.src("F")));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/c.txt")), QByteArray("C"));
    EXPECT_EQ(fx.w().TreeView1->currentItem()->text(0), QStringLiteral("last.TXT"));
    // Read back collapsed; the first node is the current one.
    EXPECT_FALSE(fx.item(0)->isExpanded());
    EXPECT_FALSE(fx.w().findNode(QStringLiteral("\\"), QStringLiteral("F"))->isExpanded());
    EXPECT_EQ(NodeName, QStringLiteral("Top"));
}

TEST(FileDrop, NothingHappensWhenEveryNameIsTakenOrTheTreeIsEmpty)
{
    {
        DropTree fx;
        fx.dir.createFile(QStringLiteral("src/X.txt"), "another X");
        fx.click(2);
        const QByteArray before = fx.treeFile();
        fx.dropOn(fx.w().Memo1->viewport(), {fx.src("X.txt")});
        EXPECT_EQ(fx.treeFile(), before);
        EXPECT_EQ(fx.dir.read(QStringLiteral("docs/Top/X.txt")), QByteArray("x"));
        EXPECT_TRUE(fx.ui.events.isEmpty());
        EXPECT_EQ(fx.w().TreeView1->currentItem()->text(0), QStringLiteral("Y.txt"));
    }
    {
        DropTree fx{QString()};
        fx.dropOn(fx.w().TreeView1->viewport(), {fx.src("a.txt")});
        EXPECT_EQ(fx.treeFile(), QByteArray());
        EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/a.txt")));
    }
}

TEST(FileDrop, NamesTheTreeFileCannotHoldAreNamedInOneMessage)
{
    DropTree fx;
    fx.dir.createFile(QStringLiteral("src/emoji😀.txt"), "e");
    fx.dir.createFile(QStringLiteral("src/K/bad😀.txt"), "e");
    fx.click(1);
    fx.dropOn(fx.w().TreeView1->viewport(), {fx.src("emoji😀.txt"), fx.src("K"), fx.src("a.txt")});
    EXPECT_EQ(fx.treeFile(), QByteArray("Top\r\n\ta.txt\r\n\tX.txt\r\n\tY.txt\r\nlast.TXT\r\n"));
    const QStringList messages = fx.ui.texts(QStringLiteral("message"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(fx.src("emoji😀.txt")));
    EXPECT_TRUE(messages[0].contains(fx.src("K")));
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/Top/K")));
}

TEST(FileDrop, APendingRenameReachesTheTreeFileFirst)
{
    DropTree fx;
    fx.click(2);
    // An in-place rename whose tree-file write still waits for the timer.
    ASSERT_TRUE(QFile::rename(fx.dir.file(QStringLiteral("docs/Top/Y.txt")), fx.dir.file(QStringLiteral("docs/Top/Z.txt"))));
    fx.item(2)->setText(0, QStringLiteral("Z.txt"));
    TreeDirty = true;
    fx.dropOn(fx.w().TreeView1->viewport(), {fx.src("a.txt")});
    EXPECT_EQ(fx.treeFile(), QByteArray("Top\r\n\tX.txt\r\n\ta.txt\r\n\tZ.txt\r\nlast.TXT\r\n"));
    EXPECT_FALSE(TreeDirty);
}

TEST(FileDrop, AFailedCopyStillGetsANodeThatShowsAsUnknown)
{
    DropTree fx;
    fx.click(1);
    fx.dropOn(fx.w().TreeView1->viewport(), {fx.src("vanished.txt")});
    EXPECT_EQ(fx.treeFile(), QByteArray("Top\r\n\tvanished.txt\r\n\tX.txt\r\n\tY.txt\r\nlast.TXT\r\n"));
    EXPECT_EQ(fx.ui.texts(QStringLiteral("message")), QStringList{QStringLiteral("Copy入力ファイルなし")});
    EXPECT_EQ(fx.item(1)->data(0, NodeTreeWidget::IconIndexRole).toInt(), 5);
}

} // namespace

// The tree's keys, row by row as the key table has them, and the same keys arriving as
// real key events (Ctrl then Delete, Delete inside the in-place editor).

#include "base/globals.h"
#include "support/nodefiles.h"
#include "support/windowfixture.h"
#include "tree/ui/nodetreewidget.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidgetItem>
#include <gtest/gtest.h>

namespace {

struct KeyTree : WindowFixture {
    KeyTree()
        : WindowFixture(QStringLiteral("Folder\r\n\tin.TXT\r\na.TXT\r\nb.TXT\r\n"), false)
    {
        dir.createFile(QStringLiteral("docs/Folder/in.TXT"), "in");
        dir.createFile(QStringLiteral("docs/a.TXT"), "a");
        dir.createFile(QStringLiteral("docs/b.TXT"), "b");
        window->FormActivate();
        w().show();
    }
};

TEST(TreeKeys, KeyTableRowByRow)
{
    enum : int { NoNode = -1 };
    struct Row {
        const char *what;
        int key;
        bool ctrlBefore;
        bool editingBefore;
        int selected;        // node selected (not made current) before the key; NoNode: none
        bool consumed;
        bool ctrlAfter;
        QString dialog;      // mode the node dialog was shown in, "" when not shown
        QString current;     // NodeName afterwards
        bool editingAfter;
    };
    const QString folder = QStringLiteral("Folder"), a = QStringLiteral("a.TXT");
    const Row rows[] = {
        {"Ctrl", Qt::Key_Control, false, false, 2, false, true, {}, folder, false},
        {"Enter", Qt::Key_Return, true, false, 2, false, false, {}, a, false},
        {"keypad Enter", Qt::Key_Enter, true, false, 2, false, false, {}, a, false},
        {"Ctrl, Right", Qt::Key_Right, true, false, 0, true, false, QStringLiteral("2"), folder, false},
        {"Ctrl, Down", Qt::Key_Down, true, false, 2, true, false, QStringLiteral("1"), a, false},
        {"Right", Qt::Key_Right, false, false, 2, false, false, {}, folder, false},
        {"Down", Qt::Key_Down, false, false, 2, false, false, {}, folder, false},
        {"Delete while editing, Ctrl down", Qt::Key_Delete, true, true, 2, false, true, {}, folder, true},
        {"Delete while editing", Qt::Key_Delete, false, true, 2, false, false, {}, folder, true},
        {"Ctrl, Delete", Qt::Key_Delete, true, false, 2, true, false, QStringLiteral("6"), a, false},
        {"Delete", Qt::Key_Delete, false, false, 2, true, false, QStringLiteral("5"), a, false},
        {"Insert", Qt::Key_Insert, true, false, 2, true, false, QStringLiteral("3"), a, false},
        {"F2", Qt::Key_F2, true, false, 2, true, false, {}, a, true},
        {"F2 without a selected node", Qt::Key_F2, true, false, NoNode, false, false, {}, folder, false},
        {"any other key", Qt::Key_A, true, false, 2, false, false, {}, folder, false},
    };
    for (const Row &r : rows) {
        KeyTree fx;
        ASSERT_EQ(NodeName, folder);
        fx.w().TreeView1->setCurrentItem(r.selected == NoNode ? nullptr : fx.item(r.selected));
        fx.w().CtrlDown = r.ctrlBefore;
        fx.w().LabelEditing = r.editingBefore;
        fx.ui.clear();
        int key = r.key;
        fx.w().TreeView1KeyDown(key);
        EXPECT_EQ(key == 0, r.consumed) << r.what;
        EXPECT_EQ(fx.w().CtrlDown, r.ctrlAfter) << r.what;
        EXPECT_EQ(fx.ui.texts(QStringLiteral("nodedialog")).join(u','), r.dialog) << r.what;
        EXPECT_EQ(NodeName, r.current) << r.what;
        EXPECT_EQ(fx.w().LabelEditing, r.editingAfter) << r.what;
        EXPECT_EQ(fx.w().nodeCount(), 4) << r.what; // every dialog was cancelled
    }
}

TEST(TreeKeys, CtrlReleasedThenDeleteDeletesNodeAndFile)
{
    KeyTree fx;
    fx.click(2);
    fx.ui.nodeDialogAnswers.enqueue(confirmedDialog());
    QTest::keyPress(fx.w().TreeView1, Qt::Key_Control);
    QTest::keyRelease(fx.w().TreeView1, Qt::Key_Control);
    QTest::keyClick(fx.w().TreeView1, Qt::Key_Delete);
    EXPECT_EQ(fx.ui.texts(QStringLiteral("nodedialog")), QStringList{QStringLiteral("6")});
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/a.TXT")));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/T.Orvan")), QByteArray("Folder\r\n\tin.TXT\r\nb.TXT\r\n"));
    EXPECT_FALSE(fx.w().CtrlDown);

    // Delete alone deletes the node only.
    fx.ui.nodeDialogAnswers.enqueue(confirmedDialog());
    QTest::keyClick(fx.w().TreeView1, Qt::Key_Delete);
    EXPECT_EQ(fx.ui.texts(QStringLiteral("nodedialog")).last(), QStringLiteral("5"));
    EXPECT_TRUE(fx.dir.exists(QStringLiteral("docs/b.TXT")));
    EXPECT_EQ(fx.w().nodeCount(), 2);
}

TEST(TreeKeys, DeleteInTheEditorDeletesACharacterNeverTheNode)
{
    KeyTree fx;
    fx.click(2);
    QTest::keyClick(fx.w().TreeView1, Qt::Key_F2);
    auto *editor = fx.openEditor();
    ASSERT_NE(editor, nullptr);
    editor->setFocus();
    editor->setCursorPosition(0);
    QTest::keyClick(editor, Qt::Key_Delete);
    EXPECT_EQ(editor->text(), QStringLiteral(".TXT"));
    EXPECT_TRUE(fx.ui.texts(QStringLiteral("nodedialog")).isEmpty());
    editor->setText(QStringLiteral("ab.TXT"));
    QSignalSpy ended(fx.w().TreeView1, &NodeTreeWidget::editEnded);
    QTest::keyClick(editor, Qt::Key_Return); // the view commits on its next turn
    ASSERT_TRUE(ended.count() > 0 || ended.wait(2000));
    EXPECT_EQ(fx.w().nodeCount(), 4);
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/ab.TXT")), QByteArray("a"));
}

TEST(TreeKeys, CharacterKeyClearsTheMessage)
{
    KeyTree fx;
    fx.w().setStatus(2, QStringLiteral("message"));
    QTest::keyClick(fx.w().TreeView1, Qt::Key_B);
    EXPECT_EQ(fx.w().statusText(2), QString());
    // A key that types no character leaves it.
    fx.w().setStatus(2, QStringLiteral("message"));
    QTest::keyClick(fx.w().TreeView1, Qt::Key_Shift);
    EXPECT_EQ(fx.w().statusText(2), QStringLiteral("message"));
}

} // namespace

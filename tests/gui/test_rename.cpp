// Renaming a node in place: the file and its comment renamed at once, the name cleaned,
// the extension kept, duplicates refused, and the tree file following within a second
// (or at close).

#include "base/globals.h"
#include "support/nodefiles.h"
#include "support/windowfixture.h"
#include "tree/nodekind.h"
#include "tree/ui/nodetreewidget.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidgetItem>
#include <gtest/gtest.h>

namespace {

struct RenameTree : WindowFixture {
    RenameTree()
        : WindowFixture(QStringLiteral("a.TXT\r\nc.TXT\r\npic.bmp\r\nabc\r\n\tin.TXT\r\nversion.2\r\ndoc.pdf\r\n"), false)
    {
        dir.createFile(QStringLiteral("docs/a.TXT"), "a");
        dir.createFile(QStringLiteral("docs/c.TXT"), "c");
        dir.createFile(QStringLiteral("docs/pic.bmp"), bmpBytes());
        dir.createFile(QStringLiteral("docs/pic.bmp.TMEM"), "comment\r\n");
        dir.createFile(QStringLiteral("docs/abc/in.TXT"), "in");
        dir.createDir(QStringLiteral("docs/version.2"));
        dir.createFile(QStringLiteral("docs/doc.pdf"), "%PDF");
        dir.createFile(QStringLiteral("docs/doc.pdf.TMEM"), "note\r\n");
        window->FormActivate();
    }
    QByteArray treeFile() const { return dir.read(QStringLiteral("docs/T.Orvan")); }
    // Commits an in-place edit of node `index` with `typed`, as the tree control does:
    // the node shows what the handler leaves. A node already current is not clicked
    // again (a click would save the view before the rename does).
    void rename(int index, const QString &typed)
    {
        if (w().TreeView1->currentItem() != item(index) || NodeName != item(index)->text(0))
            click(index);
        ui.clear();
        w().LabelEditing = true;
        QString s = typed;
        w().TreeView1Edited(item(index), s);
        item(index)->setText(0, s);
    }
};

TEST(RenameNode, FileIsRenamedAndTheTreeFileFollowsWithinASecond)
{
    RenameTree fx;
    const QByteArray before = fx.treeFile();
    fx.rename(0, QStringLiteral("b.TXT"));
    EXPECT_FALSE(fx.w().LabelEditing);
    EXPECT_EQ(fx.item(0)->text(0), QStringLiteral("b.TXT"));
    EXPECT_EQ(NodeName, QStringLiteral("b.TXT"));
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/a.TXT")));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/b.TXT")), QByteArray("a"));
    EXPECT_TRUE(TreeDirty);
    EXPECT_EQ(fx.treeFile(), before); // left to the timer

    QSignalSpy tick(fx.w().Timer1, &QTimer::timeout);
    ASSERT_TRUE(tick.wait(2500));
    EXPECT_FALSE(TreeDirty);
    EXPECT_EQ(fx.treeFile(), QByteArray("b.TXT\r\nc.TXT\r\npic.bmp\r\nabc\r\n\tin.TXT\r\nversion.2\r\ndoc.pdf\r\n"));
}

TEST(RenameNode, PendingRenameIsWrittenAtClose)
{
    RenameTree fx;
    fx.w().Timer1->stop();
    fx.rename(0, QStringLiteral("b.TXT"));
    ASSERT_TRUE(TreeDirty);
    fx.close();
    EXPECT_EQ(fx.treeFile(), QByteArray("b.TXT\r\nc.TXT\r\npic.bmp\r\nabc\r\n\tin.TXT\r\nversion.2\r\ndoc.pdf\r\n"));
}

TEST(RenameNode, RefusedNamesUndoTheEditAndChangeNothing)
{
    struct Row {
        int index;
        QString typed;
        QString status;  // status panel 2 afterwards
        int beeps;
        QString blocker; // made below docs/ first: a folder when it ends in "/", else a file
        int messages;
    };
    const Row rows[] = {
        {0, QString(), QString(), 0, {}, 0},
        {0, QStringLiteral("   "), QString(), 0, {}, 0},
        {0, QStringLiteral(".txt"), QString(), 0, {}, 0}, // only an extension
        {0, QStringLiteral(".."), QString(), 0, {}, 0},   // the folder above
        {0, QStringLiteral("b.RTF"), QStringLiteral("拡張子の変更はできません RTF"), 2, {}, 0},
        {0, QStringLiteral("b"), QStringLiteral("拡張子の変更はできません "), 2, {}, 0},
        {0, QStringLiteral("c.TXT"), QStringLiteral("同一ﾉｰﾄﾞ名があります c.TXT"), 2, {}, 0},
        {0, QStringLiteral("a.TXT"), QStringLiteral("同一ﾉｰﾄﾞ名があります a.TXT"), 2, {}, 0}, // unchanged
        {3, QStringLiteral("x.y"), QStringLiteral("拡張子の変更はできません Y"), 2, {}, 0},    // folder abc
        {3, QStringLiteral("version"), QStringLiteral("同一ﾉｰﾄﾞ名があります version"), 2, QStringLiteral("version/"), 0},
        {5, QStringLiteral("version.3"), QStringLiteral("拡張子の変更はできません 3"), 2, {}, 0},
        // a file does not count as a duplicate of a folder; the rename itself then fails
        {5, QStringLiteral("abc.2"), QString(), 0, QStringLiteral("abc.2"), 1},
    };
    for (const Row &r : rows) {
        RenameTree fx;
        if (r.blocker.endsWith(u'/'))
            fx.dir.createDir(QStringLiteral("docs/") + r.blocker);
        else if (!r.blocker.isEmpty())
            fx.dir.createFile(QStringLiteral("docs/") + r.blocker);
        const QByteArray tree = fx.treeFile();
        const QStringList disk = diskListing(fx.dir);
        const QString name = fx.item(r.index)->text(0);
        fx.click(r.index);
        const QString status = fx.w().statusText(2);
        fx.rename(r.index, r.typed);
        const std::string row = r.typed.toStdString();
        EXPECT_EQ(fx.item(r.index)->text(0), name) << row;
        EXPECT_EQ(NodeName, name) << row;
        EXPECT_EQ(fx.w().statusText(2), r.status.isEmpty() ? status : r.status) << row;
        EXPECT_EQ(fx.ui.count(QStringLiteral("beep")), r.beeps) << row;
        EXPECT_EQ(fx.ui.count(QStringLiteral("message")), r.messages) << row;
        EXPECT_FALSE(TreeDirty) << row;
        EXPECT_FALSE(fx.w().LabelEditing) << row;
        EXPECT_EQ(diskListing(fx.dir), disk) << row;
        fx.w().Timer1Timer();
        EXPECT_EQ(fx.treeFile(), tree) << row;
    }
}

TEST(RenameNode, ExtensionLetterCaseMayChange)
{
    RenameTree fx;
    fx.rename(0, QStringLiteral("b.txt"));
    EXPECT_EQ(NodeName, QStringLiteral("b.txt"));
    EXPECT_EQ(NodeExt, QStringLiteral("TXT"));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/b.txt")), QByteArray("a"));
}

TEST(RenameNode, NameIsTrimmedAndCleaned)
{
    RenameTree fx;
    fx.rename(0, QStringLiteral("  a:b.TXT "));
    EXPECT_EQ(fx.ui.texts(QStringLiteral("message")),
              QStringList{QStringLiteral("File名に不具合なｷｬﾗｸﾀｰを削除しました。\rノード名=ab.TXT に変更しました。")});
    EXPECT_EQ(fx.item(0)->text(0), QStringLiteral("ab.TXT"));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/ab.TXT")), QByteArray("a"));

    // A removed character would leave a space at the start, read back as a level.
    fx.rename(0, QStringLiteral(": d.TXT"));
    EXPECT_EQ(fx.item(0)->text(0), QStringLiteral("d.TXT"));
    // Text the tree file cannot carry is removed the same way.
    fx.rename(0, QStringLiteral("e😀\tf.TXT"));
    EXPECT_EQ(fx.item(0)->text(0), QStringLiteral("ef.TXT"));
    EXPECT_TRUE(fx.dir.exists(QStringLiteral("docs/ef.TXT")));
    fx.w().Timer1Timer();
    EXPECT_EQ(fx.treeFile().left(8), QByteArray("ef.TXT\r\n"));
}

TEST(RenameNode, FolderRenameKeepsItsChildren)
{
    RenameTree fx;
    fx.rename(3, QStringLiteral("abd"));
    EXPECT_TRUE(fx.dir.exists(QStringLiteral("docs/abd/in.TXT")));
    fx.w().TreeView1->expandAll();
    fx.click(4);
    EXPECT_EQ(NodePath, QStringLiteral("\\abd\\"));
    EXPECT_EQ(NodeKind, KindMemo);
    EXPECT_EQ(fx.w().Memo1->toPlainText(), QStringLiteral("in"));
}

TEST(RenameNode, CommentTravelsWithPictureAndOtherFile)
{
    for (int index : {2, 6}) {
        RenameTree fx;
        const QString oldName = fx.item(index)->text(0);
        const QByteArray comment = fx.dir.read(QStringLiteral("docs/") + oldName + QStringLiteral(".TMEM"));
        const QString newName = QStringLiteral("new.") + oldName.section(u'.', 1);
        fx.rename(index, newName);
        EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/") + oldName + QStringLiteral(".TMEM")));
        EXPECT_EQ(fx.dir.read(QStringLiteral("docs/") + newName + QStringLiteral(".TMEM")), comment);
        // Shown again, the comment is unchanged.
        fx.click(0);
        fx.click(index);
        EXPECT_EQ(fx.dir.read(QStringLiteral("docs/") + newName + QStringLiteral(".TMEM")), comment);
        QPlainTextEdit *view = index == 2 ? fx.w().MemoG : fx.w().MemoOLE;
        EXPECT_TRUE(view->toPlainText().startsWith(QString::fromLatin1(comment.trimmed()))) << index;
    }
}

TEST(RenameNode, UnsavedEditsArriveUnderTheNewName)
{
    RenameTree fx;
    fx.click(0);
    fx.w().Memo1->setPlainText(QStringLiteral("typed before the rename"));
    fx.rename(0, QStringLiteral("b.TXT"));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/b.TXT")), QByteArray("typed before the rename"));
    fx.w().Memo1->setPlainText(QStringLiteral("typed after"));
    fx.click(1);
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/b.TXT")), QByteArray("typed after"));
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/a.TXT")));
}

TEST(RenameNode, HeldFileIsRefused)
{
    RenameTree fx;
    const QString pdf = fx.dir.file(QStringLiteral("docs/doc.pdf"));
    HeldFile held(pdf);
    ASSERT_TRUE(held.ok());
    const QStringList disk = diskListing(fx.dir);
    fx.rename(6, QStringLiteral("other.pdf"));
    EXPECT_EQ(fx.ui.texts(QStringLiteral("message")),
              QStringList{QStringLiteral("ﾌｧｲﾙ名の変更に失敗 [") + pdf + QStringLiteral("]->[")
                          + fx.dir.file(QStringLiteral("docs/other.pdf")) + u']'});
    EXPECT_EQ(fx.item(6)->text(0), QStringLiteral("doc.pdf"));
    EXPECT_EQ(NodeName, QStringLiteral("doc.pdf"));
    EXPECT_FALSE(TreeDirty);
    EXPECT_EQ(diskListing(fx.dir), disk);
}

TEST(RenameNode, ReadOnlyFileIsRenamedWithItsComment)
{
    // A rename changes the folder, not the file: read-only files are renamed as any other.
    RenameTree fx;
    for (const char *f : {"docs/doc.pdf", "docs/doc.pdf.TMEM"})
        QFile::setPermissions(fx.dir.file(QString::fromLatin1(f)), QFileDevice::ReadOwner);
    fx.rename(6, QStringLiteral("other.pdf"));
    EXPECT_TRUE(fx.ui.texts(QStringLiteral("message")).isEmpty());
    EXPECT_EQ(fx.item(6)->text(0), QStringLiteral("other.pdf"));
    EXPECT_EQ(NodeName, QStringLiteral("other.pdf"));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/other.pdf")), QByteArray("%PDF"));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/other.pdf.TMEM")), QByteArray("note\r\n"));
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/doc.pdf")));
}

TEST(RenameNode, FileSystemRefusalShowsReNamesMessage)
{
    // A folder whose owner write bit is clear keeps its entries.
    RenameTree fx;
    fx.w().TreeView1->expandAll();
    const QString folder = fx.dir.file(QStringLiteral("docs/abc"));
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    fx.rename(4, QStringLiteral("out.TXT"));
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(fx.ui.texts(QStringLiteral("message")),
              QStringList{QStringLiteral("ﾌｧｲﾙ名の変更に失敗 [") + folder + QStringLiteral("/in.TXT]->[") + folder
                          + QStringLiteral("/out.TXT]")});
    EXPECT_EQ(fx.item(4)->text(0), QStringLiteral("in.TXT"));
    EXPECT_TRUE(fx.dir.exists(QStringLiteral("docs/abc/in.TXT")));
    EXPECT_FALSE(TreeDirty);
}

TEST(RenameNode, EditOfANodeThatIsNotCurrentKeepsItsText)
{
    RenameTree fx;
    fx.click(0);
    QString s = QStringLiteral("x.TXT");
    fx.w().TreeView1Edited(fx.item(1), s);
    EXPECT_EQ(s, QStringLiteral("c.TXT"));
    EXPECT_TRUE(fx.dir.exists(QStringLiteral("docs/c.TXT")));
    EXPECT_FALSE(TreeDirty);
}

TEST(RenameNode, F2EditsInPlaceAndEnterCommits)
{
    RenameTree fx;
    fx.w().show();
    fx.click(1);
    fx.click(0); // the edit starts on the selected node, whoever was current
    fx.w().TreeView1->setCurrentItem(fx.item(1));
    QTest::keyClick(fx.w().TreeView1, Qt::Key_F2);
    EXPECT_EQ(NodeName, QStringLiteral("c.TXT"));
    EXPECT_TRUE(fx.w().LabelEditing);
    auto *editor = fx.openEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("c.TXT"));
    editor->setText(QStringLiteral("d.TXT"));
    QSignalSpy ended(fx.w().TreeView1, &NodeTreeWidget::editEnded);
    QTest::keyClick(editor, Qt::Key_Return); // the view commits on its next turn
    ASSERT_TRUE(ended.count() > 0 || ended.wait(2000));
    EXPECT_EQ(fx.item(1)->text(0), QStringLiteral("d.TXT"));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/d.TXT")), QByteArray("c"));
    EXPECT_FALSE(fx.w().LabelEditing);

    // A refused name puts the old text back on screen.
    QTest::keyClick(fx.w().TreeView1, Qt::Key_F2);
    editor = fx.openEditor();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("d.RTF"));
    ended.clear();
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(ended.count() > 0 || ended.wait(2000));
    EXPECT_EQ(fx.item(1)->text(0), QStringLiteral("d.TXT"));

    // Escape ends the editing without a rename.
    QTest::keyClick(fx.w().TreeView1, Qt::Key_F2);
    editor = fx.openEditor();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("e.TXT"));
    ended.clear();
    QTest::keyClick(editor, Qt::Key_Escape);
    ASSERT_TRUE(ended.count() > 0 || ended.wait(2000));
    EXPECT_FALSE(fx.w().LabelEditing);
    EXPECT_EQ(fx.item(1)->text(0), QStringLiteral("d.TXT"));
    EXPECT_TRUE(fx.dir.exists(QStringLiteral("docs/d.TXT")));
}

} // namespace

TEST(RenameNode, TreeFileThatCannotBeWrittenKeepsTheOldName)
{
    // The tree file must never name a file the rename has taken away.
    RenameTree fx;
    const QByteArray before = fx.treeFile();
    QFile::setPermissions(fx.treePath, QFileDevice::ReadOwner);
    const QStringList disk = diskListing(fx.dir);
    fx.rename(0, QStringLiteral("b.TXT"));
    EXPECT_EQ(fx.item(0)->text(0), QStringLiteral("a.TXT"));
    EXPECT_EQ(NodeName, QStringLiteral("a.TXT"));
    fx.close();
    QFile::setPermissions(fx.treePath, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(diskListing(fx.dir), disk);
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/a.TXT")), QByteArray("a"));
    EXPECT_EQ(fx.treeFile(), before);
    EXPECT_FALSE(fx.ui.texts(QStringLiteral("report")).isEmpty());
}

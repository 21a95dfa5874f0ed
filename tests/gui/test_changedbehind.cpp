// Files changed or deleted by another program while the window shows them: a memo, a rich
// text, a comment side file, the tree file and the settings file. None is written over
// with what the window held before the change, none is made again empty, and the user is
// told with a message naming the file.

#include "base/globals.h"
#include "base/inifile.h"
#include "nodeops/nodedialogmodel.h"
#include "support/nodefiles.h"
#include "support/windowfixture.h"
#include "tree/nodekind.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTreeWidgetItem>
#include <gtest/gtest.h>

#include <functional>

namespace {

const QByteArray Rich = "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fnil\\fcharset128 MS;}}\\pard\\f0 rich\\par\r\n}\r\n";
const QByteArray RichByOther = "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fnil\\fcharset128 MS;}}\\pard\\f0 other\\par\r\n}\r\n";

// A memo, a rich text, a picture with its comment, and a folder to move to.
struct BehindTree : WindowFixture {
    BehindTree()
        : WindowFixture(QStringLiteral("memo.TXT\r\nrich.rtf\r\npic.bmp\r\nBox\r\n"), false)
    {
        dir.createFile(QStringLiteral("docs/memo.TXT"), "memo");
        dir.createFile(QStringLiteral("docs/rich.rtf"), Rich);
        dir.createFile(QStringLiteral("docs/pic.bmp"), bmpBytes());
        dir.createFile(QStringLiteral("docs/pic.bmp.TMEM"), "comment");
        dir.createDir(QStringLiteral("docs/Box"));
        window->FormActivate();
    }
    bool told(const QString &relative) const
    {
        for (const RecordingUi::Event &e : ui.events)
            if ((e.kind == u"message" || e.kind == u"report") && e.text.contains(dir.file(relative)))
                return true;
        return false;
    }
};

struct Case {
    const char *what;
    int node;                 // shown first
    const char *file;         // below the test folder
    QByteArray byOther;       // what the other program leaves ("<deleted>": it deletes the file)
    QString typed;            // typed into the view before the other program acts
    QByteArray expected;      // the file afterwards
};

TEST(ChangedBehind, ContentIsNeverWrittenOverStaleOrMadeAgainEmpty)
{
    const QByteArray Deleted = "<deleted>";
    const QList<Case> cases = {
        {"memo changed, view untouched", 0, "docs/memo.TXT", "by other", {}, "by other"},
        {"memo deleted, view untouched", 0, "docs/memo.TXT", Deleted, {}, "memo"},
        {"memo deleted, view edited", 0, "docs/memo.TXT", Deleted, QStringLiteral("+typed"), "memo+typed"},
        {"rich text changed, view untouched", 1, "docs/rich.rtf", RichByOther, {}, RichByOther},
        {"rich text deleted, view untouched", 1, "docs/rich.rtf", Deleted, {}, Rich},
        {"comment changed, view untouched", 2, "docs/pic.bmp.TMEM", "by other", {}, "by other"},
        {"comment deleted, view untouched", 2, "docs/pic.bmp.TMEM", Deleted, {}, "comment"},
        {"comment deleted, view edited", 2, "docs/pic.bmp.TMEM", Deleted, QStringLiteral("+typed"), "comment+typed"},
    };
    for (const Case &c : cases) {
        BehindTree fx;
        fx.click(c.node);
        if (!c.typed.isEmpty()) {
            QPlainTextEdit *view = c.node == 0 ? fx.w().Memo1 : fx.w().MemoG;
            view->moveCursor(QTextCursor::End);
            view->insertPlainText(c.typed);
        }
        const QString path = fx.dir.file(QString::fromLatin1(c.file));
        if (c.byOther == Deleted)
            QFile::remove(path);
        else
            fx.dir.createFile(QString::fromLatin1(c.file), c.byOther);
        fx.ui.clear();
        fx.clickName(QStringLiteral("Box"));

        EXPECT_EQ(fx.dir.read(QString::fromLatin1(c.file)), c.expected) << c.what;
        EXPECT_TRUE(fx.told(QString::fromLatin1(c.file))) << c.what;
        EXPECT_EQ(NodeName, QStringLiteral("Box")) << c.what;
    }
}

// Both changed: the user chooses, and the version not kept in the file goes beside it.
TEST(ChangedBehind, BothChangedAsksAndKeepsTheOtherVersionBeside)
{
    for (const bool keepEdits : {false, true}) {
        BehindTree fx;
        fx.click(0);
        fx.w().Memo1->moveCursor(QTextCursor::End);
        fx.w().Memo1->insertPlainText(QStringLiteral("+typed"));
        fx.dir.createFile(QStringLiteral("docs/memo.TXT"), "by other");
        fx.ui.keepEditsAnswers.enqueue(keepEdits);
        fx.clickName(QStringLiteral("Box"));
        EXPECT_EQ(fx.ui.count(QStringLiteral("conflict")), 1);
        EXPECT_EQ(fx.dir.read(QStringLiteral("docs/memo.TXT")), keepEdits ? QByteArray("memo+typed") : "by other");
        const QStringList listing = diskListing(fx.dir);
        const QStringList beside = listing.filter(QStringLiteral("競合"));
        ASSERT_EQ(beside.size(), 1) << keepEdits;
        EXPECT_EQ(fx.dir.read(QStringLiteral("docs/") + beside.first()), keepEdits ? QByteArray("by other") : "memo+typed");
    }
}

TEST(ChangedBehind, TheTreeFileOfAnotherProgramIsNotWrittenOver)
{
    NodeDialogResult folder;
    folder.ok = true;
    folder.name = QStringLiteral("New");
    folder.kind = KindFolder;

    // Changed: the command that would write the tree is refused, and the user told.
    {
        BehindTree fx;
        fx.click(3);
        fx.dir.createFile(QStringLiteral("docs/T.Orvan"), "other\r\n");
        fx.ui.clear();
        fx.ui.nodeDialogAnswers.enqueue(folder);
        fx.w().ToolButtonAClick();
        EXPECT_EQ(fx.dir.read(QStringLiteral("docs/T.Orvan")), QByteArray("other\r\n"));
        EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/New")));
        EXPECT_TRUE(fx.told(QStringLiteral("docs/T.Orvan")));
        // Opening it again shows the other program's tree, and commands work on it.
        fx.ui.fileAnswers.enqueue(fx.treePath);
        fx.w().ToolButtonTOClick();
        ASSERT_EQ(fx.w().nodeCount(), 1);
        EXPECT_EQ(fx.item(0)->text(0), QStringLiteral("other"));
        fx.ui.nodeDialogAnswers.enqueue(folder);
        fx.w().ToolButtonAClick();
        EXPECT_EQ(fx.dir.read(QStringLiteral("docs/T.Orvan")), QByteArray("other\r\nNew\r\n"));
    }
    // Deleted: made again from the tree on screen, never empty, and the user told.
    {
        BehindTree fx;
        fx.click(3);
        QFile::remove(fx.treePath);
        fx.ui.clear();
        fx.ui.nodeDialogAnswers.enqueue(folder);
        fx.w().ToolButtonAClick();
        EXPECT_EQ(fx.dir.read(QStringLiteral("docs/T.Orvan")),
                  QByteArray("memo.TXT\r\nrich.rtf\r\npic.bmp\r\nBox\r\nNew\r\n"));
        EXPECT_TRUE(fx.told(QStringLiteral("docs/T.Orvan")));
    }
}

TEST(ChangedBehind, TheSettingsFileKeepsWhatAnotherProgramAdded)
{
    for (const bool deleted : {false, true}) {
        BehindTree fx;
        fx.w().ButtonCENDClick();
        IniFile before(IniFileName);
        ASSERT_TRUE(before.loaded());
        const QString user = before.readString(QStringLiteral("Tree"), QStringLiteral("Name"), QStringLiteral("<none>"));
        if (deleted) {
            QFile::remove(IniFileName);
        } else {
            IniFile other(IniFileName);
            other.writeString(QStringLiteral("Other"), QStringLiteral("Key"), QStringLiteral("kept"));
            ASSERT_TRUE(other.save());
        }
        fx.w().ButtonCENDClick();
        const IniFile after(IniFileName);
        ASSERT_TRUE(after.loaded()) << deleted;
        EXPECT_EQ(after.readString(QStringLiteral("Tree"), QStringLiteral("Name"), QStringLiteral("<none>")), user)
            << deleted;
        if (!deleted)
            EXPECT_EQ(after.readString(QStringLiteral("Other"), QStringLiteral("Key")), QStringLiteral("kept"));
    }
}

} // namespace

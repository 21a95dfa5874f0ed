// "ノード+実ファイル削除" puts the node's file or folder, with its comment side file, in
// the desktop's trash (the freedesktop layout under $XDG_DATA_HOME/Trash) so that it can
// be restored; without a trash it deletes as before. Refusals stay what they were.

#include "base/globals.h"
#include "nodeops/nodedialogmodel.h"
#include "support/fileattrs.h"
#include "support/nodefiles.h"
#include "support/windowfixture.h"
#include "tree/ui/nodetreewidget.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The user's data folder (and so the trash) inside the test's own folder.
struct TrashTree : WindowFixture {
    QByteArray oldData = qgetenv("XDG_DATA_HOME");
    QString trash;

    explicit TrashTree(const QString &dataHome = {})
        : WindowFixture(QStringLiteral("memo.TXT\r\npic.bmp\r\nEmpty\r\nStray\r\nlast.TXT\r\n"), false)
    {
        const QString data = dataHome.isEmpty() ? dir.file(QStringLiteral("data")) : dataHome;
        qputenv("XDG_DATA_HOME", QFile::encodeName(data));
        trash = data + QStringLiteral("/Trash");
        dir.createFile(QStringLiteral("docs/memo.TXT"), "memo\r\n");
        dir.createFile(QStringLiteral("docs/pic.bmp"), bmpBytes());
        dir.createFile(QStringLiteral("docs/pic.bmp.TMEM"), "comment\r\n");
        dir.createDir(QStringLiteral("docs/Empty"));
        dir.createFile(QStringLiteral("docs/Stray/unknown.txt"), "x");
        dir.createFile(QStringLiteral("docs/last.TXT"), "last");
        window->FormActivate();
    }
    ~TrashTree() { qputenv("XDG_DATA_HOME", oldData); }

    QByteArray treeFile() const { return dir.read(QStringLiteral("docs/T.Orvan")); }

    void deleteWithFile(int index)
    {
        click(index);
        ui.clear();
        ui.nodeDialogAnswers.enqueue(confirmedDialog());
        w().ToolButtonDClick();
    }
    // The original path the trash recorded for an entry, as a restore reads it.
    QString recordedPath(const QString &name) const
    {
        QFile info(trash + QStringLiteral("/info/") + name + QStringLiteral(".trashinfo"));
        if (!info.open(QIODevice::ReadOnly))
            return {};
        for (const QByteArray &line : info.readAll().split('\n')) {
            if (line.startsWith("Path="))
                return QUrl::fromPercentEncoding(line.mid(5));
        }
        return {};
    }
    QStringList trashed() const { return QDir(trash + QStringLiteral("/files")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); }
};

} // namespace

TEST(DeleteToTrash, FileSideFileAndEmptyFolderGoToTheTrashAndCanBeRestored)
{
    struct Row {
        int index;
        QStringList entries;   // below docs/, all moved to the trash
        QByteArray treeAfter;
    };
    const Row rows[] = {
        {0, {"memo.TXT"}, "pic.bmp\r\nEmpty\r\nStray\r\nlast.TXT\r\n"},
        {1, {"pic.bmp", "pic.bmp.TMEM"}, "memo.TXT\r\nEmpty\r\nStray\r\nlast.TXT\r\n"},
        {2, {"Empty"}, "memo.TXT\r\npic.bmp\r\nStray\r\nlast.TXT\r\n"},
    };
    for (const Row &r : rows) {
        TrashTree fx;
        QMap<QString, QByteArray> before;
        for (const QString &e : r.entries)
            before.insert(e, fx.dir.read(QStringLiteral("docs/") + e));
        fx.deleteWithFile(r.index);
        const std::string row = r.entries.first().toStdString();
        EXPECT_EQ(fx.treeFile(), r.treeAfter) << row;
        EXPECT_TRUE(fx.ui.texts(QStringLiteral("message")).isEmpty()) << row;
        EXPECT_EQ(fx.ui.count(QStringLiteral("beep")), 0) << row;
        QStringList expected = r.entries;
        expected.sort();
        EXPECT_EQ(fx.trashed(), expected) << row;
        for (const QString &e : r.entries) {
            const QString original = fx.dir.file(QStringLiteral("docs/") + e);
            EXPECT_FALSE(QFileInfo::exists(original)) << e.toStdString();
            EXPECT_EQ(fx.recordedPath(e), original) << e.toStdString();
            // Restoring is moving it back where the trash says it came from.
            ASSERT_TRUE(QDir().rename(fx.trash + QStringLiteral("/files/") + e, fx.recordedPath(e))) << e.toStdString();
            EXPECT_EQ(fx.dir.read(QStringLiteral("docs/") + e), before.value(e)) << e.toStdString();
        }
    }
}

// Refusals are unchanged and put nothing in the trash: a folder that still holds a file,
// a picture another program holds, and deleting the node only.
TEST(DeleteToTrash, RefusalsAndNodeOnlyLeaveTheTrashEmpty)
{
    TrashTree fx;
    auto held = std::make_unique<HeldFile>(fx.dir.file(QStringLiteral("docs/pic.bmp")));
    ASSERT_TRUE(held->ok());
    fx.deleteWithFile(1);
    EXPECT_EQ(fx.ui.texts(QStringLiteral("message")),
              QStringList{QStringLiteral("ノードの削除に失敗しました。\r") + fx.dir.file(QStringLiteral("docs/pic.bmp"))
                          + QStringLiteral("\r他のアプリケーションでオープンしていませんか?")});
    EXPECT_TRUE(fx.dir.exists(QStringLiteral("docs/pic.bmp")));
    EXPECT_TRUE(fx.dir.exists(QStringLiteral("docs/pic.bmp.TMEM")));
    held.reset();

    fx.deleteWithFile(3);
    EXPECT_EQ(fx.w().statusText(2),
              QStringLiteral("ﾌｫﾙﾀﾞｰﾉｰﾄﾞが削除できません([ﾌｫﾙﾀﾞｰﾉｰﾄﾞ修復]処理を実行してください)"));
    EXPECT_EQ(fx.ui.count(QStringLiteral("beep")), 1);
    EXPECT_TRUE(fx.dir.exists(QStringLiteral("docs/Stray/unknown.txt")));

    fx.click(4);
    fx.ui.nodeDialogAnswers.enqueue(confirmedDialog());
    fx.w().ToolButtonNDClick();
    EXPECT_TRUE(fx.dir.exists(QStringLiteral("docs/last.TXT")));
    EXPECT_TRUE(fx.trashed().isEmpty());
    EXPECT_EQ(fx.treeFile(), QByteArray("memo.TXT\r\npic.bmp\r\nEmpty\r\nStray\r\n"));
}

// Where no trash can be had (its folder cannot be made), the file is deleted as before.
TEST(DeleteToTrash, WithoutATrashTheFileIsDeleted)
{
    TestDir blocker;
    blocker.createFile(QStringLiteral("file"), "not a folder");
    TrashTree fx(blocker.file(QStringLiteral("file/data")));
    fx.deleteWithFile(1);
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/pic.bmp")));
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/pic.bmp.TMEM")));
    EXPECT_TRUE(fx.ui.texts(QStringLiteral("message")).isEmpty());
    EXPECT_EQ(fx.treeFile(), QByteArray("memo.TXT\r\nEmpty\r\nStray\r\nlast.TXT\r\n"));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("files/pic.bmp"))) << "nothing lands in the current folder";
}

// Two files of the same name share the trash; each keeps the path it came from.
TEST(DeleteToTrash, SameNameTwiceKeepsBothWithTheirOwnPaths)
{
    WindowFixture fx(QStringLiteral("A\r\n\tx.TXT\r\nB\r\n\tx.TXT\r\n"), false);
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(fx.dir.file(QStringLiteral("data"))));
    fx.dir.createFile(QStringLiteral("docs/A/x.TXT"), "a");
    fx.dir.createFile(QStringLiteral("docs/B/x.TXT"), "b");
    fx.w().FormActivate();
    fx.w().TreeView1->expandAll();
    for (int index : {3, 1}) {
        fx.click(index);
        fx.ui.nodeDialogAnswers.enqueue(confirmedDialog());
        fx.w().ToolButtonDClick();
    }
    const QString trash = fx.dir.file(QStringLiteral("data/Trash"));
    EXPECT_EQ(fx.dir.read(QStringLiteral("data/Trash/files/x.TXT")), QByteArray("b"));
    EXPECT_EQ(fx.dir.read(QStringLiteral("data/Trash/files/x.TXT.2")), QByteArray("a"));
    EXPECT_TRUE(fx.dir.read(QStringLiteral("data/Trash/info/x.TXT.2.trashinfo")).contains("/docs/A/x.TXT\n"));
    qputenv("XDG_DATA_HOME", oldData);
}

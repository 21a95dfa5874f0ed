// XCopy and XDel: whole folders copied and deleted, their refusals and codes, and the
// guarantees that keep them inside the folder they were given.

#include "nodeops/functionu.h"
#include "support/fileattrs.h"
#include "support/recordingui.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

// Every entry below the folder, hidden ones included, as "relative path" (+ "/" for a
// folder, " -> target" for a link, "=content" for a file), sorted.
QStringList tree(const QString &folder)
{
    QStringList out;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        QString line = QDir(folder).relativeFilePath(path);
        if (info.isSymLink())
            line += QStringLiteral(" -> ") + info.symLinkTarget();
        else if (info.isDir())
            line += u'/';
        else {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            line += u'=' + QString::fromUtf8(f.readAll());
        }
        out.append(line);
    }
    out.sort();
    return out;
}


// Sets HOME for one test, so the home folder rule is tried on a throw-away folder.
struct HomeAt {
    QByteArray saved = qgetenv("HOME");
    explicit HomeAt(const QString &home) { qputenv("HOME", QFile::encodeName(home)); }
    ~HomeAt() { qputenv("HOME", saved); }
};

} // namespace

TEST(FunctionUXCopy, RefusalsInOrder)
{
    TestDir dir;
    dir.createFile("s/a.txt", "a");
    dir.createDir("d");
    dir.createDir("s/inner");
    const QString s = dir.file("s/");
    const QString d = dir.file("d/");
    const QString none = dir.file("none/");
    struct Case {
        const char *what;
        QString src, dst;
        int code;
        QString message; // "" for none
    };
    const QList<Case> cases = {
        {"same folder", s, s, FuRefused, QStringLiteral("同一フォルダーをXCopyしようとしています")},
        {"same folder wins over a missing one", none, none, FuRefused, QStringLiteral("同一フォルダーをXCopyしようとしています")},
        {"missing source", none, d, FuRefused, QStringLiteral("XCopy入力フォルダー ") + none + QStringLiteral(" なし")},
        {"missing source wins over a missing destination", none, dir.file("none2/"), FuRefused,
         QStringLiteral("XCopy入力フォルダー ") + none + QStringLiteral(" なし")},
        {"missing destination", s, none, FuRefused, QStringLiteral("xCopy出力フォルダー ") + none + QStringLiteral(" なし")},
        {"source without the final separator", dir.file("s"), d, FuBadArgument, ""},
        {"destination without the final separator", s, dir.file("d"), FuBadArgument, ""},
        {"the root is too short", "/", d, FuBadArgument, ""},
        // Copying into itself would copy its own copy without end.
        {"into its own folder", s, dir.file("s/inner/"), FuRefused, QStringLiteral("同一フォルダーをXCopyしようとしています")},
        {"onto itself, spelt differently", s, dir.file("s/inner/../"), FuRefused,
         QStringLiteral("同一フォルダーをXCopyしようとしています")},
    };
    for (const Case &c : cases) {
        RecordingUi ui;
        EXPECT_EQ(XCopy(c.src, c.dst), c.code) << c.what;
        expectOnlyMessages(ui, c.message.isEmpty() ? QStringList{} : QStringList{c.message}, c.what);
    }
    EXPECT_EQ(tree(dir.file("d")), QStringList{});
    EXPECT_EQ(tree(dir.file("s")), QStringList({"a.txt=a", "inner/"}));
}

TEST(FunctionUXCopy, CopiesTheTree)
{
    TestDir dir;
    dir.createFile(QStringLiteral("s/メモ.txt"), "memo");
    dir.createFile(QStringLiteral("s/画像/絵.bmp"), "bmp");
    dir.createFile(QStringLiteral("s/画像/深い/x"), "x");
    dir.createDir("s/empty");
    dir.createFile("s/ro.txt", "ro");
    setReadOnly(dir.file("s/ro.txt"), true);
    dir.createFile("s/.hidden", "h");
    dir.createFile("s/a*b?", "wild"); // wildcard characters in a name are characters
    dir.createFile("s/axxb1", "other");
    dir.createFile("outside/secret.txt", "secret");
    QFile::link(dir.file("outside"), dir.file("s/toOutside"));
    QFile::link(dir.file("s"), dir.file(QStringLiteral("s/画像/loop")));
    dir.createDir("d");

    RecordingUi ui;
    EXPECT_EQ(XCopy(dir.file("s/"), dir.file("d/")), FuDone);
    EXPECT_TRUE(ui.events.isEmpty());
    QStringList expected = tree(dir.file("s"));
    expected.removeAll(".hidden=h"); // hidden entries are not copied
    EXPECT_EQ(tree(dir.file("d")), expected);
    // Links were copied as links: nothing from outside came along.
    EXPECT_TRUE(QFileInfo(dir.file("d/toOutside")).isSymLink());
    EXPECT_FALSE(ownerWritable(dir.file("d/ro.txt")));
    EXPECT_EQ(tree(dir.file("s")).size(), expected.size() + 1); // the source is whole
}

TEST(FunctionUXCopy, ExistingSubFolderStopsTheCopy)
{
    TestDir dir;
    dir.createFile("s/sub/x", "x");
    dir.createDir("d/sub");
    RecordingUi ui;
    EXPECT_EQ(XCopy(dir.file("s/"), dir.file("d/")), FuRefused);
    expectOnlyMessages(ui, {dir.file("d/sub") + QStringLiteral(" は既にあります。")});
    EXPECT_FALSE(dir.exists("d/sub/x"));
}

TEST(FunctionUXCopy, ExistingFileStopsTheCopy)
{
    TestDir dir;
    dir.createFile("s/a.txt", "new");
    dir.createFile("d/a.txt", "old");
    RecordingUi ui;
    EXPECT_EQ(XCopy(dir.file("s/"), dir.file("d/")), FuFileStepFailed);
    expectOnlyMessages(ui, {QStringLiteral("Copy出力ファイルは既にあります")});
    EXPECT_EQ(dir.read("d/a.txt"), "old");
}

TEST(FunctionUXCopy, FailureInsideASubFolderGivesTwo)
{
    // The destination lies so deep that a long file name no longer fits in a path there,
    // while the sub-folder itself still can be made: the nested copy fails with 3 (no
    // message) and the whole copy answers 2.
    TestDir dir;
    QString deep = QStringLiteral("d");
    while (dir.file(deep).size() < 3800)
        deep += u'/' + QString(200, u'n');
    dir.createDir(deep);
    ASSERT_TRUE(QFileInfo(dir.file(deep)).isDir());
    const QString longName = QString(250, u'f');
    dir.createFile("s/A/" + longName, "x");
    RecordingUi ui;
    EXPECT_EQ(XCopy(dir.file("s/"), dir.file(deep + u'/')), FuFolderStepFailed);
    EXPECT_TRUE(ui.events.isEmpty());
    EXPECT_TRUE(QFileInfo(dir.file(deep + "/A")).isDir()); // what was done stays
}

TEST(FunctionUXDel, Refusals)
{
    TestDir dir;
    dir.createFile("k/keep.txt", "k");
    dir.createDir("home/user");
    HomeAt home(dir.file("home/user"));
    struct Case {
        const char *what;
        QString dir;
        int code;
        QString message;
    };
    const QList<Case> cases = {
        {"missing", dir.file("none/"), FuRefused, QStringLiteral("XDel入力フォルダー[ ") + dir.file("none/") + QStringLiteral(" ]なし")},
        {"missing wins over the form", dir.file("none"), FuRefused,
         QStringLiteral("XDel入力フォルダー[ ") + dir.file("none") + QStringLiteral(" ]なし")},
        {"without the final separator", dir.file("k"), FuBadArgument,
         QStringLiteral("XDel入力フォルダー不正[ ") + dir.file("k") + QStringLiteral(" ]")},
        {"the root", "/", FuBadArgument, QStringLiteral("XDel入力フォルダー不正[ / ]")},
        {"the home folder", dir.file("home/user/"), FuBadArgument,
         QStringLiteral("XDel入力フォルダー不正[ ") + dir.file("home/user/") + QStringLiteral(" ]")},
        {"the home folder spelt differently", dir.file("home/user/../user/"), FuBadArgument,
         QStringLiteral("XDel入力フォルダー不正[ ") + dir.file("home/user/../user/") + QStringLiteral(" ]")},
        {"a folder above the home folder", dir.file("home/"), FuBadArgument,
         QStringLiteral("XDel入力フォルダー不正[ ") + dir.file("home/") + QStringLiteral(" ]")},
    };
    for (const Case &c : cases) {
        RecordingUi ui;
        EXPECT_EQ(XDel(c.dir), c.code) << c.what;
        expectOnlyMessages(ui, {c.message}, c.what);
    }
    EXPECT_EQ(dir.read("k/keep.txt"), "k");
    EXPECT_TRUE(QFileInfo(dir.file("home/user")).isDir());
}

TEST(FunctionUXDel, DeletesTheTreeAndNothingOutside)
{
    TestDir dir;
    dir.createFile(QStringLiteral("x/メモ.txt"), "m");
    dir.createFile(QStringLiteral("x/画像/深い/y"), "y");
    dir.createFile("x/ro.txt", "ro");
    setReadOnly(dir.file("x/ro.txt"), true);
    dir.createFile("x/a*", "wild");
    dir.createFile("x/ab", "ab");
    dir.createFile("outside/secret.txt", "secret");
    QFile::link(dir.file("outside"), dir.file("x/toOutside"));
    QFile::link(dir.file("outside/secret.txt"), dir.file("x/secret.lnk"));
    QFile::link(dir.file("x"), dir.file(QStringLiteral("x/画像/loop")));
    QFile::link(dir.file("gone"), dir.file("x/dangling"));
    RecordingUi ui;
    EXPECT_EQ(XDel(dir.file("x/")), FuDone);
    EXPECT_TRUE(ui.events.isEmpty());
    EXPECT_FALSE(QFileInfo(dir.file("x")).exists());
    EXPECT_EQ(tree(dir.file("outside")), QStringList{"secret.txt=secret"});
}

TEST(FunctionUXDel, ALinkGivenAsTheFolderIsRemovedAsALink)
{
    TestDir dir;
    dir.createFile("real/keep.txt", "k");
    QFile::link(dir.file("real"), dir.file("node"));
    RecordingUi ui;
    EXPECT_EQ(XDel(dir.file("node/")), FuDone);
    EXPECT_TRUE(ui.events.isEmpty());
    EXPECT_FALSE(QFileInfo(dir.file("node")).isSymLink());
    EXPECT_EQ(dir.read("real/keep.txt"), "k");
}

TEST(FunctionUXDel, HiddenEntriesKeepTheFolder)
{
    TestDir dir;
    dir.createFile("x/a.txt", "a");
    dir.createFile("x/.hidden", "h");
    RecordingUi ui;
    EXPECT_EQ(XDel(dir.file("x/")), FuFileStepFailed);
    expectOnlyMessages(ui, {QStringLiteral("XDel ディレクトリ[ ") + dir.file("x") + QStringLiteral(" ]は削除できませんでした")});
    EXPECT_FALSE(dir.exists("x/a.txt"));
    EXPECT_TRUE(dir.exists("x/.hidden"));
}

TEST(FunctionUXDel, AFileThatStaysGivesThreeThenTwo)
{
    // A read-only folder keeps its files: the nested XDel names the file and answers 3,
    // the outer one answers 2 without a second message.
    TestDir dir;
    dir.createFile("x/ro/a.txt", "a");
    setReadOnly(dir.file("x/ro"), true);
    RecordingUi ui;
    EXPECT_EQ(XDel(dir.file("x/ro/")), FuFileStepFailed);
    expectOnlyMessages(ui, {QStringLiteral("XDel ファイル[ ") + dir.file("x/ro/a.txt") + QStringLiteral(" ]は削除できませんでした")});
    ui.clear();
    EXPECT_EQ(XDel(dir.file("x/")), FuFolderStepFailed);
    expectOnlyMessages(ui, {QStringLiteral("XDel ファイル[ ") + dir.file("x/ro/a.txt") + QStringLiteral(" ]は削除できませんでした")});
    EXPECT_TRUE(dir.exists("x/ro/a.txt"));
    setReadOnly(dir.file("x/ro"), false);
}

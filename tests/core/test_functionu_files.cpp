// Existence tests, copying, deleting, creating and renaming single files and folders:
// each refusal with its exact message, once, and its code. Read-only rules are the
// program's own (owner write bit), so these cases hold for the superuser too.

#include "base/filefaults.h"
#include "nodeops/fsentry.h"
#include "nodeops/functionu.h"
#include "support/fileattrs.h"
#include "support/recordingui.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <sys/stat.h>

TEST(FunctionUFiles, FExistAndDExist)
{
    TestDir dir;
    dir.createFile("f.txt", "x");
    dir.createFile(".hidden", "x");
    dir.createFile(QStringLiteral("日本/メモ.TXT"), "x");
    dir.createDir("d");
    dir.createDir(".hd");
    QFile::link(dir.file("f.txt"), dir.file("lf"));
    QFile::link(dir.file("d"), dir.file("ld"));
    QFile::link(dir.file("gone"), dir.file("dangling"));
    ::mkfifo(QFile::encodeName(dir.file("pipe")).constData(), 0600);
    dir.createDir("onlydir/xdir");
    dir.createFile("onlyhidden/.xh", "x");
    dir.createFile("onlyfile/x1", "x");

    struct Case {
        QString path;
        bool file;
        bool folder;
    };
    const QList<Case> cases = {
        {dir.file("f.txt"), true, false},
        {dir.file(".hidden"), true, false},
        {dir.file(QStringLiteral("日本/メモ.TXT")), true, false},
        {dir.file(QStringLiteral("日本/メモ.txt")), false, false}, // names keep their case
        {dir.file("d"), false, true},
        {dir.file("d/"), false, true},
        {dir.file(".hd"), false, true},
        {dir.file("lf"), true, false},
        {dir.file("ld"), true, true}, // a link is a file entry; it leads to a folder
        {dir.file("dangling"), true, false},
        {dir.file("pipe"), true, false},
        {dir.file("none"), false, false},
        {dir.file("f.txt/"), false, false},
        {"", false, false},
        // Wildcards: the first matching entry, hidden and folders included, must be a file.
        {dir.file("onlydir/x*"), false, false},
        {dir.file("onlyhidden/.x*"), true, false},
        {dir.file("onlyfile/*"), true, false},
        {dir.file("onlyfile/X?"), true, false},
        {dir.file("onlyfile/y*"), false, false},
        {dir.file("nofolder/*"), false, false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(FExist(c.path), c.file) << c.path.toStdString();
        EXPECT_EQ(DExist(c.path), c.folder) << c.path.toStdString();
    }
}

TEST(FunctionUFiles, FNewEmpty)
{
    TestDir dir;
    RecordingUi ui;
    const QString fresh = dir.file(QStringLiteral("新規.txt"));
    EXPECT_TRUE(FNewEmpty(fresh));
    EXPECT_TRUE(QFileInfo(fresh).isFile());
    EXPECT_EQ(QFileInfo(fresh).size(), 0);
    EXPECT_TRUE(ui.events.isEmpty());

    dir.createFile("old.txt", "keep");
    EXPECT_TRUE(FNewEmpty(dir.file("old.txt")));
    expectOnlyMessages(ui, {QStringLiteral("新規作成ファイル=") + dir.file("old.txt") + QStringLiteral("既にあります。")});
    EXPECT_EQ(dir.read("old.txt"), "keep");

    // Cannot be made: the error goes to the application's error report.
    dir.createDir("ro");
    setReadOnly(dir.file("ro"), true);
    dir.createDir("folder");
    for (const QString &bad : {dir.file("ro/new.txt"), dir.file("folder"), dir.file("none/new.txt")}) {
        ui.clear();
        EXPECT_FALSE(FNewEmpty(bad)) << bad.toStdString();
        ASSERT_EQ(ui.count("report"), 1) << bad.toStdString();
        EXPECT_EQ(ui.events.size(), 1);
        EXPECT_TRUE(ui.texts("report")[0].contains(bad));
    }
    EXPECT_FALSE(dir.exists("ro/new.txt"));
    setReadOnly(dir.file("ro"), false);
}

TEST(FunctionUFiles, FileCopyChkChecksInOrder)
{
    TestDir dir;
    dir.createFile("src.txt", "source");
    dir.createFile("dst.txt", "destination");
    const QString src = dir.file("src.txt");
    const QString dst = dir.file("dst.txt");
    const QString missing = dir.file("missing.txt");
    struct Case {
        const char *what;
        QString from, to;
        QString message;
    };
    const QList<Case> cases = {
        {"same path", src, src, QStringLiteral("同一ﾌｧｲﾙをCopyしようとしています")},
        {"same path wins over a missing source", missing, missing, QStringLiteral("同一ﾌｧｲﾙをCopyしようとしています")},
        {"missing source", missing, dir.file("new.txt"), QStringLiteral("Copy入力ファイルなし")},
        {"missing source wins over an existing destination", missing, dst, QStringLiteral("Copy入力ファイルなし")},
        {"a folder is no source", dir.path(), dir.file("new.txt"), QStringLiteral("Copy入力ファイルなし")},
        {"existing destination", src, dst, QStringLiteral("Copy出力ファイルは既にあります")},
    };
    for (const Case &c : cases) {
        RecordingUi ui;
        EXPECT_EQ(FileCopyChk(c.from, c.to), FuRefused) << c.what;
        expectOnlyMessages(ui, {c.message}, c.what);
    }
    EXPECT_EQ(dir.read("dst.txt"), "destination");
    EXPECT_FALSE(dir.exists("new.txt"));
}

TEST(FunctionUFiles, FileCopyChkCopies)
{
    TestDir dir;
    RecordingUi ui;
    dir.createFile(QStringLiteral("様式/様式Memo日記.TXT"), sjis(QStringLiteral("日付\r\n")));
    const QString src = dir.file(QStringLiteral("様式/様式Memo日記.TXT"));
    {
        QFile f(src);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)), QFileDevice::FileModificationTime);
    }
    setReadOnly(src, true);
    const QString dst = dir.file(QStringLiteral("ノート.TXT"));
    EXPECT_EQ(FileCopyChk(src, dst), FuDone);
    EXPECT_TRUE(ui.events.isEmpty());
    EXPECT_EQ(dir.read(QStringLiteral("ノート.TXT")), sjis(QStringLiteral("日付\r\n")));
    // Permissions and time travel with the copy.
    EXPECT_FALSE(ownerWritable(dst));
    EXPECT_EQ(QFileInfo(dst).lastModified(), QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)));
}

TEST(FunctionUFiles, FileCopyChkNeverReplacesAFileThatAppearsDuringTheCopy)
{
    TestDir dir;
    dir.createFile("src.txt", "source");
    const QString dst = dir.file("dst.txt");
    // Another program saves a file under the same name while the copy is made.
    FsEntry::setBeforeCopyTakesItsName([&](const QString &to) {
        if (to == dst)
            dir.createFile("dst.txt", "theirs");
    });
    RecordingUi ui;
    const int result = FileCopyChk(dir.file("src.txt"), dst);
    FsEntry::setBeforeCopyTakesItsName({});
    EXPECT_EQ(result, FuRefused);
    expectOnlyMessages(ui, {QStringLiteral("ﾌｧｲﾙのCopyに失敗 [") + dir.file("src.txt") + QStringLiteral("]->[") + dst + "]"});
    EXPECT_EQ(dir.read("dst.txt"), "theirs");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"dst.txt", "src.txt"}));
}

TEST(FunctionUFiles, FileCopyChkReportsAFailedCopy)
{
    // A copy that fails is a failure the user sees, not a success.
    TestDir dir;
    dir.createFile("src.txt", "x");
    dir.createDir("ro");
    setReadOnly(dir.file("ro"), true);
    RecordingUi ui;
    const QString dst = dir.file("ro/dst.txt");
    EXPECT_EQ(FileCopyChk(dir.file("src.txt"), dst), FuRefused);
    expectOnlyMessages(ui, {QStringLiteral("ﾌｧｲﾙのCopyに失敗 [") + dir.file("src.txt") + QStringLiteral("]->[") + dst + "]"});
    EXPECT_FALSE(dir.exists("ro/dst.txt"));
    setReadOnly(dir.file("ro"), false);
}

TEST(FunctionUFiles, PatCopyRefusals)
{
    TestDir dir;
    dir.createFile("s/a.txt", "a");
    dir.createFile("d/a.txt", "old");
    dir.createFile("d/x.txt", "x");
    struct Case {
        const char *what;
        QString from, to;
        QString message;
    };
    const QList<Case> cases = {
        {"same path", dir.file("s/a.txt"), dir.file("s/a.txt"), QStringLiteral("同一ﾌｧｲﾙをCopyしようとしています")},
        {"missing source", dir.file("s/b.txt"), dir.file("d/b.txt"), QStringLiteral("Copy入力ファイルなし")},
        {"pattern matching nothing", dir.file("s/*.rtf"), dir.file("d/x"), QStringLiteral("Copy入力ファイルなし")},
        {"name taken in the destination folder", dir.file("s/a.txt"), dir.file("d/other.txt"),
         QStringLiteral("Copy出力ファイルは既にあります")},
        {"pattern meeting a file in the destination", dir.file("s/*.txt"), dir.file("d/"),
         QStringLiteral("Copy出力ファイルは既にあります")},
    };
    for (const Case &c : cases) {
        RecordingUi ui;
        EXPECT_EQ(PatCopy(c.from, c.to), FuRefused) << c.what;
        expectOnlyMessages(ui, {c.message}, c.what);
    }
    EXPECT_EQ(dir.read("d/a.txt"), "old");
}

TEST(FunctionUFiles, PatCopyCopiesUnderTheSourceName)
{
    TestDir dir;
    RecordingUi ui;
    dir.createFile("s/a.txt", "a");
    dir.createDir("d");
    EXPECT_EQ(PatCopy(dir.file("s/a.txt"), dir.file("d/b.txt")), FuDone);
    EXPECT_EQ(dir.read("d/a.txt"), "a");
    EXPECT_FALSE(dir.exists("d/b.txt"));

    dir.createFile("s/c.TXT", "c");
    dir.createFile("s/e.rtf", "e");
    dir.createDir("d2");
    EXPECT_EQ(PatCopy(dir.file("s/*.txt"), dir.file("d2/")), FuDone);
    EXPECT_EQ(dir.read("d2/a.txt"), "a");
    EXPECT_EQ(dir.read("d2/c.TXT"), "c");
    EXPECT_FALSE(dir.exists("d2/e.rtf"));
    EXPECT_TRUE(ui.events.isEmpty());
}

TEST(FunctionUFiles, PatCopyAllSkipsChecksAndHiddenFilesAndOverwritesReadOnly)
{
    TestDir dir;
    RecordingUi ui;
    dir.createFile("s/a.txt", "new a");
    dir.createFile("s/b", "new b");
    dir.createFile("s/.hidden", "h");
    dir.createDir("s/sub");
    dir.createFile("d/a.txt", "old a");
    setReadOnly(dir.file("d/a.txt"), true);
    EXPECT_EQ(PatCopy(dir.file("s/*.*"), dir.file("d/x")), FuDone);
    EXPECT_TRUE(ui.events.isEmpty());
    EXPECT_EQ(dir.read("d/a.txt"), "new a");
    EXPECT_TRUE(ownerWritable(dir.file("d/a.txt"))); // made writable to be overwritten
    EXPECT_EQ(dir.read("d/b"), "new b");
    EXPECT_FALSE(dir.exists("d/.hidden"));
    EXPECT_FALSE(dir.exists("d/sub"));

    // "*.*" from an empty folder: nothing to do, no message.
    dir.createDir("empty");
    EXPECT_EQ(PatCopy(dir.file("empty/*.*"), dir.file("d/x")), FuDone);
    EXPECT_TRUE(ui.events.isEmpty());
}

TEST(FunctionUFiles, PatCopyGoesOnPastAFileItCannotCopy)
{
    // A folder where one file should go: that copy fails (code 1, no message), the others
    // are made all the same.
    TestDir dir;
    RecordingUi ui;
    dir.createFile("s/a.txt", "a");
    dir.createFile("s/b.txt", "b");
    dir.createFile("s/c.txt", "c");
    dir.createDir("d/b.txt");
    EXPECT_EQ(PatCopy(dir.file("s/*.*"), dir.file("d/")), FuRefused);
    EXPECT_TRUE(ui.events.isEmpty());
    EXPECT_EQ(dir.read("d/a.txt"), "a");
    EXPECT_EQ(dir.read("d/c.txt"), "c");
    EXPECT_TRUE(QFileInfo(dir.file("d/b.txt")).isDir());
}

TEST(FunctionUFiles, PatCopyCopiesALinkAsALink)
{
    TestDir dir;
    dir.createFile("outside/secret.txt", "s");
    dir.createDir("d");
    dir.createDir("s");
    QFile::link(dir.file("outside/secret.txt"), dir.file("s/l.txt"));
    RecordingUi ui;
    EXPECT_EQ(PatCopy(dir.file("s/l.txt"), dir.file("d/")), FuDone);
    EXPECT_TRUE(QFileInfo(dir.file("d/l.txt")).isSymLink());
    EXPECT_EQ(QFileInfo(dir.file("d/l.txt")).symLinkTarget(), dir.file("outside/secret.txt"));
}

TEST(FunctionUFiles, PatDel)
{
    TestDir dir;
    RecordingUi ui;
    dir.createFile("a.txt", "x");
    dir.createFile("ro.txt", "x");
    setReadOnly(dir.file("ro.txt"), true);
    EXPECT_EQ(PatDel(dir.file("a.txt")), FuDone);
    EXPECT_EQ(PatDel(dir.file("ro.txt")), FuDone); // made writable, then deleted
    EXPECT_FALSE(dir.exists("a.txt"));
    EXPECT_FALSE(dir.exists("ro.txt"));
    EXPECT_TRUE(ui.events.isEmpty());

    for (const QString &pattern : {dir.file("a.txt"), dir.file("*.rtf"), dir.file("none/x")}) {
        ui.clear();
        EXPECT_EQ(PatDel(pattern), FuRefused) << pattern.toStdString();
        expectOnlyMessages(ui, {QStringLiteral("削除ファイルなし")});
    }

    // "*.*" deletes every plain file, not hidden files, not folders, and needs no match.
    ui.clear();
    dir.createFile("m/b", "x");
    dir.createFile(QStringLiteral("m/日本.txt"), "x");
    dir.createFile("m/.keep", "x");
    dir.createDir("m/sub");
    EXPECT_EQ(PatDel(dir.file("m/*.*")), FuDone);
    EXPECT_FALSE(dir.exists("m/b"));
    EXPECT_FALSE(dir.exists(QStringLiteral("m/日本.txt")));
    EXPECT_TRUE(dir.exists("m/.keep"));
    EXPECT_TRUE(dir.exists("m/sub"));
    EXPECT_EQ(PatDel(dir.file("m/*.*")), FuDone);
    EXPECT_TRUE(ui.events.isEmpty());
}

TEST(FunctionUFiles, PatDelStopsAtAFileItCannotDelete)
{
    // A read-only folder keeps its files: -1 at the first one, no message.
    TestDir dir;
    dir.createFile("ro/a.txt", "x");
    dir.createFile("ro/b.txt", "x");
    setReadOnly(dir.file("ro/a.txt"), true);
    setReadOnly(dir.file("ro"), true);
    RecordingUi ui;
    EXPECT_EQ(PatDel(dir.file("ro/*.*")), FuNotDeleted);
    EXPECT_EQ(PatDel(dir.file("ro/a.txt")), FuNotDeleted);
    EXPECT_TRUE(ui.events.isEmpty());
    EXPECT_TRUE(dir.exists("ro/a.txt"));
    EXPECT_TRUE(dir.exists("ro/b.txt"));
    setReadOnly(dir.file("ro"), false);
}

TEST(FunctionUFiles, PatDelRemovesALinkNotWhatItLeadsTo)
{
    TestDir dir;
    dir.createFile("target/keep.txt", "x");
    dir.createDir("d");
    QFile::link(dir.file("target"), dir.file("d/lnk"));
    QFile::link(dir.file("target/keep.txt"), dir.file("d/f.lnk"));
    RecordingUi ui;
    EXPECT_EQ(PatDel(dir.file("d/*.*")), FuDone);
    EXPECT_FALSE(QFileInfo(dir.file("d/lnk")).isSymLink());
    EXPECT_FALSE(QFileInfo(dir.file("d/f.lnk")).isSymLink());
    EXPECT_EQ(dir.read("target/keep.txt"), "x");
}

TEST(FunctionUFiles, MkDirChkAndRmDirChk)
{
    TestDir dir;
    RecordingUi ui;
    const QString made = dir.file(QStringLiteral("新フォルダー"));
    EXPECT_TRUE(MkDirChk(made));
    EXPECT_TRUE(QFileInfo(made).isDir());
    EXPECT_FALSE(MkDirChk(made));
    expectOnlyMessages(ui, {made + QStringLiteral(" は既にあります。")});

    ui.clear();
    dir.createDir("ro");
    setReadOnly(dir.file("ro"), true);
    EXPECT_FALSE(MkDirChk(dir.file("no/parent")));  // one level only
    EXPECT_FALSE(MkDirChk(dir.file("ro/child")));   // the folder keeps its entries
    EXPECT_TRUE(ui.events.isEmpty());
    EXPECT_FALSE(dir.exists("ro/child"));
    setReadOnly(dir.file("ro"), false);

    dir.createFile("full/x", "x");
    dir.createFile("file", "x");
    EXPECT_FALSE(RmDirChk(dir.file("full"))); // not empty: no message
    EXPECT_TRUE(ui.events.isEmpty());
    EXPECT_TRUE(RmDirChk(made));
    EXPECT_FALSE(dir.exists(QStringLiteral("新フォルダー")));
    EXPECT_FALSE(RmDirChk(made));
    EXPECT_FALSE(RmDirChk(dir.file("file")));
    expectOnlyMessages(ui, {made + QStringLiteral(" はありません。"), dir.file("file") + QStringLiteral(" はありません。")});
}

TEST(FunctionUFiles, ReName)
{
    TestDir dir;
    dir.createFile("f.txt", "f");
    dir.createFile("taken.txt", "t");
    dir.createDir("folder");
    dir.createDir("takenDir");
    dir.createFile("same", "file named like a folder");
    dir.createDir("sameDir");
    struct Case {
        const char *what;
        QString from, to;
        bool ok;
        QString message; // "" when none
    };
    const QString f = dir.file("f.txt");
    const QList<Case> cases = {
        {"missing", dir.file("none"), dir.file("x"), false, QStringLiteral("ReName = ") + dir.file("none") + QStringLiteral(" は､ありません")},
        {"file onto a file", f, dir.file("taken.txt"), false, QStringLiteral("ReName = ") + dir.file("taken.txt") + QStringLiteral(" は､既にあります")},
        {"folder onto a folder", dir.file("folder"), dir.file("takenDir"), false,
         QStringLiteral("ReName = ") + dir.file("takenDir") + QStringLiteral(" は､既にあります")},
        // A file is not checked against a folder of the new name: the rename itself fails.
        {"file onto a folder", f, dir.file("sameDir"), false,
         QStringLiteral("ﾌｧｲﾙ名の変更に失敗 [") + f + QStringLiteral("]->[") + dir.file("sameDir") + "]"},
        {"folder onto a file", dir.file("folder"), dir.file("same"), false,
         QStringLiteral("ﾌｧｲﾙ名の変更に失敗 [") + dir.file("folder") + QStringLiteral("]->[") + dir.file("same") + "]"},
        {"file", f, dir.file(QStringLiteral("名前.txt")), true, ""},
        {"letter case only", dir.file(QStringLiteral("名前.txt")), dir.file(QStringLiteral("名前.TXT")), true, ""},
        {"folder", dir.file("folder"), dir.file(QStringLiteral("フォルダー")), true, ""},
    };
    for (const Case &c : cases) {
        RecordingUi ui;
        EXPECT_EQ(ReName(c.from, c.to), c.ok) << c.what;
        expectOnlyMessages(ui, c.message.isEmpty() ? QStringList{} : QStringList{c.message}, c.what);
    }
    EXPECT_EQ(dir.read(QStringLiteral("名前.TXT")), "f");
    EXPECT_EQ(dir.read("taken.txt"), "t");
    EXPECT_EQ(dir.read("same"), "file named like a folder");
    EXPECT_TRUE(QFileInfo(dir.file(QStringLiteral("フォルダー"))).isDir());
}

TEST(FunctionUFiles, ReNameInAReadOnlyFolderFails)
{
    TestDir dir;
    dir.createFile("ro/a.txt", "a");
    setReadOnly(dir.file("ro"), true);
    RecordingUi ui;
    EXPECT_FALSE(ReName(dir.file("ro/a.txt"), dir.file("ro/b.txt")));
    expectOnlyMessages(ui, {QStringLiteral("ﾌｧｲﾙ名の変更に失敗 [") + dir.file("ro/a.txt") + QStringLiteral("]->[") +
                        dir.file("ro/b.txt") + "]"});
    EXPECT_TRUE(dir.exists("ro/a.txt"));
    setReadOnly(dir.file("ro"), false);
}

// The utility library's steps failing as the disk makes them fail: each routine reports
// as it does for any failure, and leaves no partial file or folder behind.
TEST(FunctionUFiles, DiskFaultsInEveryRoutine)
{
    using FileFaults::Operation;
    for (const int error : {ENOSPC, EACCES, EIO}) {
        // A copy failing at any step: no destination and no temporary file.
        for (const Operation op : {Operation::Copy, Operation::Write, Operation::Flush, Operation::Rename}) {
            TestDir dir;
            RecordingUi ui;
            dir.createFile("a.txt", "source");
            FileFaults::Scope fault(op, error);
            EXPECT_EQ(FileCopyChk(dir.file("a.txt"), dir.file("b.txt")), 1);
            EXPECT_FALSE(FileFaults::pending());
            EXPECT_EQ(ui.texts("message"), QStringList{QStringLiteral("ﾌｧｲﾙのCopyに失敗 [") + dir.file("a.txt")
                                                       + QStringLiteral("]->[") + dir.file("b.txt") + u']'});
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.txt"});
        }
        TestDir dir;
        RecordingUi ui;
        dir.createFile("a.txt", "a");
        dir.createFile("b.txt", "b");
        {
            // The second file's deletion fails once: tried again, it goes.
            FileFaults::Scope fault(Operation::Delete, error, 1);
            EXPECT_EQ(PatDel(dir.file("*.txt")), 0);
            EXPECT_FALSE(FileFaults::pending());
        }
        EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
        dir.createFile("a.txt", "a");
        {
            FileFaults::Scope fault(Operation::MakeFolder, error);
            EXPECT_FALSE(MkDirChk(dir.file("sub")));
        }
        EXPECT_FALSE(dir.exists("sub"));
        {
            FileFaults::Scope fault(Operation::Rename, error);
            EXPECT_FALSE(ReName(dir.file("x"), dir.file("y"))); // nothing there: refused before the step
            EXPECT_TRUE(FileFaults::pending());
        }
        {
            FileFaults::Scope fault(Operation::Rename, error);
            EXPECT_FALSE(ReName(dir.file("a.txt"), dir.file("renamed.txt")));
        }
        EXPECT_TRUE(dir.exists("a.txt"));
        EXPECT_EQ(ui.texts("message").last(), QStringLiteral("ﾌｧｲﾙ名の変更に失敗 [") + dir.file("a.txt")
                                                   + QStringLiteral("]->[") + dir.file("renamed.txt") + u']');
        {
            FileFaults::Scope fault(Operation::Write, error);
            EXPECT_FALSE(FNewEmpty(dir.file("empty.txt")));
        }
        EXPECT_FALSE(dir.exists("empty.txt"));
        EXPECT_TRUE(ui.texts("report").value(0).contains(dir.file("empty.txt")));
    }
}

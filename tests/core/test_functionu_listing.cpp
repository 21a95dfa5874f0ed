// Listing folders into WorkList: the pattern rules, what is never listed, the search
// statuses, and the order of DirListAll.

#include "base/globals.h"
#include "nodeops/dirsearch.h"
#include "nodeops/functionu.h"
#include "support/recordingui.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

#include <QFile>

#include <sys/stat.h>

namespace {

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

// A folder holding one of each kind of entry the rules tell apart.
struct Mixed {
    TestDir dir;
    QString root; // ends with "/"
    Mixed()
    {
        root = dir.file("m/");
        dir.createDir("m/sub");
        dir.createDir("m/Sub.d");
        dir.createDir("m/.hdir");
        dir.createFile("m/noext", "x");
        dir.createFile("m/a.txt", "x");
        dir.createFile("m/B.TXT", "x");
        dir.createFile("m/.hidden", "x");
        dir.createFile(QStringLiteral("m/日本語"), "x");
        dir.createFile(QStringLiteral("m/ａｂｃ.txt"), "x");
        dir.createFile(QStringLiteral("m/é.txt"), "x");
        QFile::link(dir.file("m/sub"), dir.file("m/link"));         // a link to a folder
        QFile::link(dir.file("m/gone"), dir.file("m/dangling.lnk")); // a link to nothing
        ::mkfifo(QFile::encodeName(dir.file("m/pipe")).constData(), 0600);
    }
};

} // namespace

TEST(DirSearchMatch, Patterns)
{
    struct Case {
        const char *name;
        const char *pattern;
        bool match;
    };
    const QList<Case> cases = {
        {"abc", "*", true},           {"a.c", "*", true},
        {"abc", "*.*", true},         {"a.b.c", "*.*", true},
        {"abc", "*.", true},          {"a.c", "*.", false},
        {"abc", "a?c", true},         {"ac", "a?c", false},        {"abbc", "a?c", false},
        {"a.txt", "*.TXT", true},     {"A.TXT", "*.txt", true},    {"a.txtx", "*.txt", false},
        {"x.y.z", "*.z", true},       {"abc", "a*c*", true},       {"abd", "a*c*", false},
        {"a", "a*.*", true},          {"x", "x.*", true},          {"xy", "x.*", false},
        {"ａｂｃ.txt", "ＡＢＣ.*", true}, {"é.txt", "É*", true},  {"ß", "?", true},
        {"様式Memo1.TXT", "様式Memo*.TXT", true}, {"様式memo1.txt", "様式Memo*.TXT", true},
        {"様式Memo1.RTF", "様式Memo*.TXT", false},
        {"😀.txt", "?.txt", true},   // one character, whatever its width
        // Without wildcards a name names one entry, letter case included.
        {"a.txt", "a.txt", true},     {"a.txt", "A.TXT", false},   {"abc.", "abc.", true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DirSearch::matches(QString::fromUtf8(c.name), QString::fromUtf8(c.pattern)), c.match)
            << c.name << " ~ " << c.pattern;
}

TEST(FunctionUListing, DirListOfAFolderGivesNamesWithoutDot)
{
    Mixed m;
    WorkList = QStringList{"stale"};
    EXPECT_EQ(DirList(m.root), SearchDone);
    // Sub-folders and files without "."; the link is a file entry; hidden and system
    // entries, names with "." and the folder "Sub.d" are not listed.
    EXPECT_EQ(sorted(WorkList), sorted({"sub", "noext", "link", QStringLiteral("日本語")}));
}

TEST(FunctionUListing, DirListOfAPatternGivesFilesOnly)
{
    Mixed m;
    struct Case {
        QString pattern;
        int status;
        QStringList names;
    };
    const QList<Case> cases = {
        {"*.*", SearchDone,
         {"noext", "a.txt", "B.TXT", "link", "dangling.lnk", QStringLiteral("日本語"), QStringLiteral("ａｂｃ.txt"),
          QStringLiteral("é.txt")}},
        {"*.txt", SearchDone, {"a.txt", "B.TXT", QStringLiteral("ａｂｃ.txt"), QStringLiteral("é.txt")}},
        {QStringLiteral("ＡＢＣ*"), SearchDone, {QStringLiteral("ａｂｃ.txt")}},
        {QStringLiteral("É*"), SearchDone, {QStringLiteral("é.txt")}},
        {"sub*", SearchDone, {}},        // folders met but not listed
        {".h*", SearchDone, {}},         // hidden entries met but not listed
        {"pipe", SearchDone, {}},        // a system entry
        {"a.txt", SearchDone, {"a.txt"}},
        {"A.txt", SearchNoMatch, {}},    // a plain name keeps its letter case
        {"*.zzz", SearchNoMatch, {}},
    };
    for (const Case &c : cases) {
        WorkList = QStringList{"stale"};
        EXPECT_EQ(DirList(m.root + c.pattern), c.status) << c.pattern.toStdString();
        EXPECT_EQ(sorted(WorkList), sorted(c.names)) << c.pattern.toStdString();
    }
}

TEST(FunctionUListing, DirListStatusesAndForm)
{
    TestDir dir;
    dir.createDir("empty");
    struct Case {
        QString pattern;
        int status;
    };
    const QList<Case> cases = {
        {dir.file("empty/"), SearchDone},        // "." and ".." are met
        {dir.file("empty/*.txt"), SearchNoMatch},
        {dir.file("none/"), SearchNoFolder},
        {dir.file("none/*.*"), SearchNoFolder},
        {"/a", FuBadArgument},
        {"/", FuBadArgument},
        {"", FuBadArgument},
        {QStringLiteral("あ"), FuBadArgument}, // two bytes
    };
    for (const Case &c : cases) {
        WorkList = QStringList{"stale"};
        EXPECT_EQ(DirList(c.pattern), c.status) << c.pattern.toStdString();
        EXPECT_TRUE(WorkList.isEmpty()) << c.pattern.toStdString();
    }
}

TEST(FunctionUListing, DirListAllPutsAFolderBeforeItsContents)
{
    TestDir dir;
    dir.createFile("A/B/c.txt", "x");
    dir.createFile("A/B/C2/e", "x");
    dir.createFile("A/d.txt", "x");
    dir.createFile("A/.h/hidden.txt", "x");
    QFile::link(dir.file("A"), dir.file("A/loop")); // a link back up: never walked into
    const QString a = dir.file("A/");

    WorkList = QStringList{"kept"};
    EXPECT_EQ(DirListAll(a, true), SearchDone);
    EXPECT_EQ(WorkList.first(), "kept"); // appended, not cleared
    const QStringList all = WorkList.mid(1);
    EXPECT_EQ(sorted(all), sorted({a + "B", a + "B/c.txt", a + "B/C2", a + "B/C2/e", a + "d.txt", a + "loop"}));
    // Folder lines come before their contents, and a folder's contents follow it at once.
    const qsizetype b = all.indexOf(a + "B");
    const qsizetype c2 = all.indexOf(a + "B/C2");
    EXPECT_LT(b, all.indexOf(a + "B/c.txt"));
    EXPECT_LT(c2, all.indexOf(a + "B/C2/e"));
    EXPECT_EQ(all.indexOf(a + "B/C2/e"), c2 + 1);
    const QStringList bLines = all.mid(b, 4);
    EXPECT_EQ(sorted(bLines), sorted({a + "B", a + "B/c.txt", a + "B/C2", a + "B/C2/e"}));

    WorkList.clear();
    EXPECT_EQ(DirListAll(a, false), SearchDone);
    EXPECT_EQ(sorted(WorkList), sorted({a + "B", a + "B/C2"}));
}

TEST(FunctionUListing, DirListAllForm)
{
    TestDir dir;
    dir.createDir("A");
    for (const QString &bad : {QStringLiteral("/a"), dir.file("A")}) {
        WorkList = QStringList{"kept"};
        EXPECT_EQ(DirListAll(bad, true), FuBadArgument);
        EXPECT_EQ(WorkList, QStringList{"kept"});
    }
    WorkList.clear();
    EXPECT_EQ(DirListAll(dir.file("none/"), true), SearchNoFolder);
    EXPECT_TRUE(WorkList.isEmpty());
}

TEST(FunctionUListing, NothingIsShown)
{
    Mixed m;
    RecordingUi ui;
    DirList(m.root);
    DirList(m.root + "*.zzz");
    DirListAll(m.root, true);
    EXPECT_TRUE(ui.events.isEmpty());
}

// The tree against the disk: what the folder repair adds, and the mismatches the check
// command lists.

#include "nodeops/folderdiff.h"
#include "support/testdir.h"
#include "tree/treefile.h"

#include <gtest/gtest.h>

namespace {

QStringList names(const QList<FolderDiff::Entry> &entries)
{
    QStringList out;
    for (const FolderDiff::Entry &e : entries)
        out.append(e.name);
    return out;
}

TEST(FolderRepair, AddsInTwoPassesAndSkipsWhatItMust)
{
    struct Row {
        const char *what;
        QStringList folders;  // below the folder
        QStringList files;
        QSet<QString> children; // child nodes already there
        QStringList first;    // expected, as sets (file-system order is not fixed)
        QStringList second;
    };
    const Row rows[] = {
        {"sub-folder, files and a side file", {"S"}, {"a.txt", "b.bmp", "b.bmp.TMEM"}, {}, {"S"}, {"a.txt", "b.bmp"}},
        {"a second run adds nothing", {"S"}, {"a.txt", "b.bmp", "b.bmp.TMEM"}, {"S", "a.txt", "b.bmp"}, {}, {}},
        {"a folder with a dot is never added", {"v1.2"}, {"x.txt"}, {}, {}, {"x.txt"}},
        {"a file without extension comes once, in the first pass", {}, {"README", "c.txt"}, {}, {"README"}, {"c.txt"}},
        {"letter case counts", {}, {"A.TXT"}, {"a.txt"}, {}, {"A.TXT"}},
        {"files inside sub-folders are not added", {"S"}, {"S/inner.txt"}, {"S"}, {}, {}},
        {"hidden entries are not added", {".git"}, {".hidden.txt", "seen.txt"}, {}, {}, {"seen.txt"}},
        {"a node whose file is missing is left alone", {}, {"new.txt"}, {"gone.txt"}, {}, {"new.txt"}},
        {"an orphan side file is skipped too", {}, {"orphan.bmp.TMEM"}, {}, {}, {}},
    };
    for (const Row &r : rows) {
        TestDir dir;
        dir.createDir(QStringLiteral("F"));
        for (const QString &f : r.folders)
            dir.createDir(QStringLiteral("F/") + f);
        for (const QString &f : r.files)
            dir.createFile(QStringLiteral("F/") + f, "x");
        const FolderDiff::RepairPasses passes =
            FolderDiff::repairAdditions(FolderDiff::entriesWithoutNode(dir.file(QStringLiteral("F/")), r.children));
        EXPECT_EQ(QSet<QString>(passes.first.begin(), passes.first.end()),
                  QSet<QString>(r.first.begin(), r.first.end())) << r.what;
        EXPECT_EQ(QSet<QString>(passes.second.begin(), passes.second.end()),
                  QSet<QString>(r.second.begin(), r.second.end())) << r.what;
    }
}

TEST(FolderRepair, KeepsTheFileSystemOrderWithinAPass)
{
    TestDir dir;
    for (int i = 0; i < 40; ++i)
        dir.createFile(QStringLiteral("F/f%1.txt").arg(i), "x");
    const QList<FolderDiff::Entry> all = FolderDiff::entriesWithoutNode(dir.file(QStringLiteral("F/")), {});
    EXPECT_EQ(FolderDiff::repairAdditions(all).second, names(all));
}

TEST(TreeCheck, ListsBothKindsInTreeOrder)
{
    TestDir dir;
    // Tree: A (folder, holding a.txt and a stray), gone.txt (missing), pic.bmp with its
    // side file, B (folder with a missing child), loose files at the top.
    dir.createFile(QStringLiteral("A/a.txt"));
    dir.createFile(QStringLiteral("A/stray.txt"));
    dir.createFile(QStringLiteral("A/.hidden"));
    dir.createFile(QStringLiteral("pic.bmp"));
    dir.createFile(QStringLiteral("pic.bmp.TMEM"));
    dir.createFile(QStringLiteral("orphan.bmp.TMEM"));
    dir.createDir(QStringLiteral("B"));
    dir.createDir(QStringLiteral("Z folder"));
    dir.createFile(QStringLiteral("T.Orvan"));
    const TreeReadResult tree = parseTreeFile(sjis(QStringLiteral("A\r\n\ta.txt\r\ngone.txt\r\npic.bmp\r\nB\r\n\tlost.txt\r\n")));
    const QList<FolderDiff::Mismatch> found = FolderDiff::compareTree(tree.nodes, dir.path(), QStringLiteral("T.Orvan"));
    QStringList lines;
    for (const FolderDiff::Mismatch &m : found)
        lines.append(QStringLiteral("%1 %2 %3 %4")
                         .arg(m.kind == FolderDiff::Mismatch::NoFile ? QStringLiteral("no-file") : QStringLiteral("no-node"))
                         .arg(m.index)
                         .arg(m.folderPath, m.name));
    EXPECT_EQ(lines, (QStringList{
                         QStringLiteral("no-node -1 \\ Z folder"),
                         QStringLiteral("no-node -1 \\ orphan.bmp.TMEM"),
                         QStringLiteral("no-node -1 \\A\\ stray.txt"),
                         QStringLiteral("no-file 2 \\ gone.txt"),
                         QStringLiteral("no-file 5 \\B\\ lost.txt"),
                     }));
}

TEST(TreeCheck, MatchingTreeHasNoMismatch)
{
    TestDir dir;
    dir.createFile(QStringLiteral("日記/メモ.txt"));
    dir.createFile(QStringLiteral("T.Orvan"));
    const TreeReadResult tree = parseTreeFile(sjis(QStringLiteral("日記\r\n\tメモ.txt\r\n")));
    EXPECT_TRUE(FolderDiff::compareTree(tree.nodes, dir.path(), QStringLiteral("T.Orvan")).isEmpty());
}

} // namespace

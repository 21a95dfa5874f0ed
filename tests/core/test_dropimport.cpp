// Items dropped from the file manager: the lines added to the tree file, the copies
// made, and what is left out.

#include "nodeops/dropimport.h"
#include "support/disksnapshot.h"
#include "support/recordingui.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

namespace {

// The tree "Top / \tX.txt / \tY.txt" below docs; the anchor X (line 1) lives in docs/Top.
struct ImportFixture {
    TestDir dir;
    RecordingUi ui;
    QByteArray tree = "Top\r\n\tX.txt\r\n\tY.txt\r\n";
    ImportFixture()
    {
        dir.createFile(QStringLiteral("docs/Top/X.txt"), "x");
        dir.createFile(QStringLiteral("docs/Top/Y.txt"), "y");
        dir.createFile(QStringLiteral("src/a.txt"), "A");
        dir.createFile(QStringLiteral("src/b.bmp"), "B");
        dir.createFile(QStringLiteral("src/F/g.txt"), "G");
        dir.createFile(QStringLiteral("src/F/H/h.txt"), "HH");
        dir.createFile(QStringLiteral("other/c.txt"), "C");
    }
    QString src(const QString &rel) const { return dir.file(QStringLiteral("src/") + rel); }
    QString dest() const { return dir.file(QStringLiteral("docs/Top/")); }
    DropImportResult drop(const QStringList &items, int anchor = 1)
    {
        return importDropped(items, dest(), tree, anchor);
    }
};

TEST(DropImport, FilesGoBeforeTheAnchorAtItsLevelInDroppedOrder)
{
    ImportFixture fx;
    const DropImportResult r = fx.drop({fx.src("b.bmp"), fx.src("a.txt")});
    EXPECT_EQ(r.added, 2);
    EXPECT_EQ(r.treeBytes, QByteArray("Top\r\n\tb.bmp\r\n\ta.txt\r\n\tX.txt\r\n\tY.txt\r\n"));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/Top/a.txt")), QByteArray("A"));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/Top/b.bmp")), QByteArray("B"));
    EXPECT_TRUE(fx.dir.exists(QStringLiteral("src/a.txt"))); // the dropped items stay
    EXPECT_TRUE(fx.ui.events.isEmpty());
}

TEST(DropImport, FolderComesWithItsWholeContentAboveTheFiles)
{
    ImportFixture fx;
    // The anchor is Top, at the top level: its folder is docs/.
    const DropImportResult r = importDropped({fx.src("a.txt"), fx.src("F")}, fx.dir.file(QStringLiteral("docs/")), fx.tree, 0);
    EXPECT_EQ(r.added, 5);
    // Top level: the anchor is Top. The order inside F is the file system's, a folder's
    // line always before its content.
    const QList<QByteArray> lines = r.treeBytes.split('\n');
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[0], "F\r");
    QList<QByteArray> inside = lines.mid(1, 3);
    const qsizetype h = inside.indexOf("\tH\r");
    ASSERT_GE(h, 0);
    EXPECT_EQ(inside.value(h + 1), "\t\th.txt\r");
    EXPECT_TRUE(inside.contains("\tg.txt\r"));
    EXPECT_EQ(lines[4], "a.txt\r");
    EXPECT_EQ(lines[5], "Top\r");
    EXPECT_EQ(diskSnapshot(fx.dir.file(QStringLiteral("docs/F"))),
              diskSnapshot(fx.dir.file(QStringLiteral("src/F"))));
}

TEST(DropImport, EachItemIsCopiedFromItsOwnFolder)
{
    ImportFixture fx;
    const DropImportResult r = fx.drop({fx.src("a.txt"), fx.dir.file(QStringLiteral("other/c.txt"))});
    EXPECT_EQ(r.added, 2);
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/Top/c.txt")), QByteArray("C"));
}

TEST(DropImport, TakenNamesAreSkippedSilently)
{
    ImportFixture fx;
    fx.dir.createFile(QStringLiteral("src/X.txt"), "another X");
    fx.dir.createDir(QStringLiteral("docs/Top/F"));
    fx.dir.createDir(QStringLiteral("docs/Top/a.txt")); // a folder takes a file's name too
    const QStringList before = diskSnapshot(fx.dir.file(QStringLiteral("docs")));
    const DropImportResult r = fx.drop({fx.src("X.txt"), fx.src("F"), fx.src("a.txt")});
    EXPECT_EQ(r.added, 0);
    EXPECT_EQ(r.treeBytes, fx.tree);
    EXPECT_EQ(diskSnapshot(fx.dir.file(QStringLiteral("docs"))), before);
    EXPECT_TRUE(fx.ui.events.isEmpty());
}

TEST(DropImport, NamesTheTreeFileCannotHoldAreLeftOutWhole)
{
    ImportFixture fx;
    fx.dir.createFile(QStringLiteral("src/emoji😀.txt"), "e");
    fx.dir.createFile(QStringLiteral("src/K/ok.txt"), "ok");
    fx.dir.createFile(QStringLiteral("src/K/Inner/bad😀.txt"), "bad");
    fx.dir.createFile(QStringLiteral("src/ lead.txt"), "space");
    const DropImportResult r =
        fx.drop({fx.src("emoji😀.txt"), fx.src("K"), fx.src(" lead.txt"), fx.src("a.txt")});
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(r.treeBytes, QByteArray("Top\r\n\ta.txt\r\n\tX.txt\r\n\tY.txt\r\n"));
    EXPECT_EQ(QSet<QString>(r.unstorable.begin(), r.unstorable.end()),
              (QSet<QString>{fx.src("emoji😀.txt"), fx.src("K"), fx.src(" lead.txt")}));
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/Top/K")));
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/Top/emoji😀.txt")));
}

TEST(DropImport, HiddenEntriesInsideAFolderAreNeitherCopiedNorListed)
{
    ImportFixture fx;
    fx.dir.createFile(QStringLiteral("src/F/.secret"), "s");
    fx.dir.createFile(QStringLiteral("src/F/pic.bmp.TMEM"), "side files do get nodes");
    const DropImportResult r = fx.drop({fx.src("F")});
    EXPECT_EQ(r.added, 5);
    EXPECT_FALSE(r.treeBytes.contains(".secret"));
    EXPECT_TRUE(r.treeBytes.contains("\t\tpic.bmp.TMEM\r\n"));
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/Top/F/.secret")));
}

TEST(DropImport, OtherLinesStayByteForByte)
{
    ImportFixture fx;
    // Spaces as indentation and a name whose bytes do not round-trip through the codec.
    fx.tree = QByteArray("Top\r\n  \x81\xad.txt\r\n \tX.txt\r\n\tY.txt\r\n");
    const DropImportResult r = fx.drop({fx.src("a.txt")}, 2);
    EXPECT_EQ(r.treeBytes, QByteArray("Top\r\n  \x81\xad.txt\r\n \ta.txt\r\n \tX.txt\r\n\tY.txt\r\n"));
}

TEST(DropImport, AFolderHoldingTheDestinationIsRefused)
{
    ImportFixture fx;
    const QStringList before = diskSnapshot(fx.dir.file(QStringLiteral("docs")));
    const DropImportResult r = fx.drop({fx.dir.file(QStringLiteral("docs"))});
    EXPECT_EQ(r.added, 0);
    EXPECT_EQ(r.intoItself, QStringList{fx.dir.file(QStringLiteral("docs"))});
    EXPECT_EQ(diskSnapshot(fx.dir.file(QStringLiteral("docs"))), before);
}

TEST(DropImport, FailedCopyStillGetsItsLine)
{
    ImportFixture fx;
    const DropImportResult r = fx.drop({fx.src("vanished.txt")});
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(r.treeBytes, QByteArray("Top\r\n\tvanished.txt\r\n\tX.txt\r\n\tY.txt\r\n"));
    EXPECT_EQ(fx.ui.texts(QStringLiteral("message")), QStringList{QStringLiteral("Copy入力ファイルなし")});
}

} // namespace

// Moving nodes: where a drop lands, what it decides, and moving a file with its comment
// or a whole folder on disk so that no byte is lost on any path.

#include "nodeops/dropplace.h"
#include "nodeops/nodemove.h"
#include "support/disksnapshot.h"
#include "support/fileattrs.h"
#include "support/nodefiles.h"
#include "support/recordingui.h"
#include "support/testdir.h"
#include "tree/nodekind.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <memory>
#include <gtest/gtest.h>

namespace {

TEST(DropPosition, FromWhatLiesUnderThePoint)
{
    struct Row {
        DropHit hit;
        DropPosition expected;
    };
    const Row rows[] = {
        {{true, 5, 19, 80, false}, DropPosition::Before},   // indentation or expand button
        {{true, 18, 19, 80, false}, DropPosition::Before},
        {{true, 19, 19, 80, false}, DropPosition::Into},    // the icon
        {{true, 80, 19, 80, false}, DropPosition::Into},    // the last pixel of the text
        {{true, 81, 19, 80, false}, DropPosition::None},    // right of the text
        {{false, 30, 0, 0, true}, DropPosition::End},       // below the last node
        {{false, 30, 0, 0, false}, DropPosition::None},     // nowhere the drop can be placed
    };
    for (const Row &r : rows)
        EXPECT_EQ(r.expected, dropPositionOf(r.hit)) << r.hit.x << " on " << r.hit.onNode;
}

// docs: A/ (a.txt), B/ (x.txt), top.txt, A.txt is not there; C is a memo node.
struct PlanFixture {
    TestDir dir;
    QString base;
    PlanFixture()
    {
        dir.createFile(QStringLiteral("A/a.txt"), "a");
        dir.createFile(QStringLiteral("B/x.txt"), "x");
        dir.createFile(QStringLiteral("B/top.txt"), "other");
        dir.createFile(QStringLiteral("top.txt"), "top");
        dir.createFile(QStringLiteral("C.txt"), "c");
        base = dir.path();
    }
};

TEST(DropPlan, RefusesReordersOrMoves)
{
    PlanFixture fx;
    const DropNodeInfo a{QStringLiteral("\\A\\"), QStringLiteral("a.txt"), KindMemo};
    const DropNodeInfo folderA{QStringLiteral("\\"), QStringLiteral("A"), KindFolder};
    const DropNodeInfo folderB{QStringLiteral("\\"), QStringLiteral("B"), KindFolder};
    const DropNodeInfo x{QStringLiteral("\\B\\"), QStringLiteral("x.txt"), KindMemo};
    const DropNodeInfo top{QStringLiteral("\\"), QStringLiteral("top.txt"), KindMemo};
    const DropNodeInfo memoC{QStringLiteral("\\"), QStringLiteral("C.txt"), KindMemo};
    const DropNodeInfo missing{QStringLiteral("\\"), QStringLiteral("gone.txt"), KindUnknown};
    struct Row {
        const char *what;
        DropNodeInfo dragged;
        std::optional<DropNodeInfo> target;
        DropPosition position;
        bool same;
        bool inside;
        DropPlan::Action action;
        QString message;
        QString newFull; // relative to the base
    };
    const Row rows[] = {
        {"onto itself", a, a, DropPosition::Into, true, false, DropPlan::Nothing, {}, {}},
        {"no place", a, folderB, DropPosition::None, false, false, DropPlan::Refuse, {}, {}},
        {"into a memo", a, memoC, DropPosition::Into, false, false, DropPlan::Refuse,
         QStringLiteral("ﾄﾞﾛｯﾌﾟ先がﾌｫﾙﾀﾞｰでありません"), {}},
        {"folder into its own child", folderA, DropNodeInfo{QStringLiteral("\\A\\"), QStringLiteral("Sub"), KindFolder},
         DropPosition::Into, false, true, DropPlan::Refuse, QStringLiteral("ﾌｫﾙﾀﾞｰﾉｰﾄﾞはその中へ移動できません"), {}},
        {"folder before its own child", folderA, a, DropPosition::Before, false, true, DropPlan::Refuse,
         QStringLiteral("ﾌｫﾙﾀﾞｰﾉｰﾄﾞはその中へ移動できません"), {}},
        {"before a sibling", top, memoC, DropPosition::Before, false, false, DropPlan::Reorder, {}, {"top.txt"}},
        {"before a sibling, file missing", missing, memoC, DropPosition::Before, false, false, DropPlan::Reorder, {},
         {"gone.txt"}},
        {"into its own parent", a, folderA, DropPosition::Into, false, false, DropPlan::Refuse,
         QStringLiteral("ﾄﾞﾛｯﾌﾟ先に同一ﾌｧｲﾙがあります a.txt"), {}},
        {"end, already at the top", top, std::nullopt, DropPosition::End, false, false, DropPlan::Refuse,
         QStringLiteral("ﾄﾞﾛｯﾌﾟ先に同一ﾌｧｲﾙがあります top.txt"), {}},
        {"folder to the end, already at the top", folderA, std::nullopt, DropPosition::End, false, false,
         DropPlan::Refuse, QStringLiteral("ﾄﾞﾛｯﾌﾟ先に同一ﾌｫﾙﾀﾞｰがあります A"), {}},
        {"name taken in the target folder", top, folderB, DropPosition::Into, false, false, DropPlan::Refuse,
         QStringLiteral("ﾄﾞﾛｯﾌﾟ先に同一ﾌｧｲﾙがあります top.txt"), {}},
        {"into another folder", a, folderB, DropPosition::Into, false, false, DropPlan::Move, {}, {"B/a.txt"}},
        {"before a node of another folder", a, x, DropPosition::Before, false, false, DropPlan::Move, {}, {"B/a.txt"}},
        {"to the end of the top level", a, std::nullopt, DropPosition::End, false, false, DropPlan::Move, {},
         {"a.txt"}},
    };
    for (const Row &r : rows) {
        const DropPlan plan = planDrop(fx.base, r.dragged, r.target, r.position, r.same, r.inside);
        EXPECT_EQ(plan.action, r.action) << r.what;
        EXPECT_EQ(plan.message, r.message) << r.what;
        if (!r.newFull.isEmpty())
            EXPECT_EQ(plan.newFull, fx.dir.file(r.newFull)) << r.what;
    }
}

// A picture with its comment, a memo, and a folder holding nested content.
struct MoveFixture {
    TestDir dir;
    RecordingUi ui;
    std::unique_ptr<HeldFile> held; // another program holding a file, when a case sets it
    MoveFixture()
    {
        dir.createFile(QStringLiteral("docs/pic.bmp"), bmpBytes());
        dir.createFile(QStringLiteral("docs/pic.bmp.TMEM"), "comment \x82\xa0");
        dir.createFile(QStringLiteral("docs/memo.txt"), "memo\r\n");
        dir.createFile(QStringLiteral("docs/memo.txt.TMEM"), "not a side file of a memo");
        dir.createFile(QStringLiteral("docs/F/one.txt"), "1");
        dir.createFile(QStringLiteral("docs/F/G/two.bmp"), bmpBytes());
        dir.createFile(QStringLiteral("docs/F/G/two.bmp.TMEM"), "2");
        dir.createDir(QStringLiteral("docs/F/Empty"));
        dir.createDir(QStringLiteral("docs/To"));
    }
    QString f(const QString &rel) const { return dir.file(QStringLiteral("docs/") + rel); }
    QStringList disk() const { return diskSnapshot(dir.file(QStringLiteral("docs"))); }
};

TEST(MoveFile, PictureTakesItsCommentAlongAndMemoOnlyItself)
{
    MoveFixture fx;
    const QStringList before = fx.disk();
    EXPECT_EQ(NodeMove::moveFile(KindImage, fx.f("pic.bmp"), fx.f("To/pic.bmp")), NodeMove::Result::Moved);
    EXPECT_EQ(NodeMove::moveFile(KindMemo, fx.f("memo.txt"), fx.f("To/memo.txt")), NodeMove::Result::Moved);
    QStringList expected = movedSnapshot(before, QStringLiteral("pic.bmp"), QStringLiteral("To/pic.bmp"));
    expected.replaceInStrings(QRegularExpression(QStringLiteral("^memo\\.txt=")), QStringLiteral("To/memo.txt="));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(fx.disk(), expected);
    EXPECT_TRUE(fx.ui.events.isEmpty());
}

TEST(MoveFile, EveryFailureLeavesTheSourceAndRemovesOnlyItsOwnCopy)
{
    struct Row {
        const char *what;
        std::function<void(MoveFixture &)> arrange;
        QString message; // the first message shown
    };
    const Row rows[] = {
        {"a stale side file at the destination",
         [](MoveFixture &fx) { fx.dir.createFile(QStringLiteral("docs/To/pic.bmp.TMEM"), "stale"); },
         QStringLiteral("Copy出力ファイルは既にあります")},
        {"a read-only destination folder", [](MoveFixture &fx) { setReadOnly(fx.f("To"), true); },
         QStringLiteral("ノードの移動に失敗しました。\r") + QStringLiteral("%1\r移動元はそのまま残っています")},
        {"a source that another program holds",
         [](MoveFixture &fx) { fx.held = std::make_unique<HeldFile>(fx.f("pic.bmp")); },
         QStringLiteral("ノードの削除に失敗しました。\r%1\r他のアプリケーションでオープンしていませんか?")},
    };
    for (const Row &r : rows) {
        MoveFixture fx;
        r.arrange(fx);
        const QStringList before = fx.disk();
        EXPECT_EQ(NodeMove::moveFile(KindImage, fx.f("pic.bmp"), fx.f("To/pic.bmp")), NodeMove::Result::NotCopied)
            << r.what;
        EXPECT_EQ(fx.disk(), before) << r.what;
        const QStringList messages = fx.ui.texts(QStringLiteral("message"));
        ASSERT_FALSE(messages.isEmpty()) << r.what;
        EXPECT_EQ(messages.first(), QString(r.message).replace(QStringLiteral("%1"), fx.f("pic.bmp"))) << r.what;
        setReadOnly(fx.f("To"), false);
    }
}

TEST(MoveFile, HeldMemoIsReportedToo)
{
    MoveFixture fx;
    const QStringList before = fx.disk();
    HeldFile held(fx.f("memo.txt"));
    ASSERT_TRUE(held.ok());
    EXPECT_EQ(NodeMove::moveFile(KindMemo, fx.f("memo.txt"), fx.f("To/memo.txt")), NodeMove::Result::NotCopied);
    EXPECT_EQ(fx.disk(), before);
    EXPECT_EQ(fx.ui.count(QStringLiteral("message")), 1);
}

TEST(MoveFolder, EverythingBelowMovesByteForByte)
{
    MoveFixture fx;
    setReadOnly(fx.f("F/one.txt"), true); // read-only files move too (made writable to delete)
    const QStringList before = fx.disk();
    EXPECT_EQ(NodeMove::moveFolder(fx.f("F"), fx.f("To/F")), NodeMove::Result::Moved);
    EXPECT_EQ(fx.disk(), movedSnapshot(before, QStringLiteral("F"), QStringLiteral("To/F")));
    EXPECT_TRUE(fx.ui.events.isEmpty());
}

TEST(MoveFolder, RefusedBeforeAnythingIsCopied)
{
    struct Row {
        const char *what;
        std::function<void(MoveFixture &)> arrange;
        QString message;
    };
    const Row rows[] = {
        {"a hidden file inside", [](MoveFixture &fx) { fx.dir.createFile(QStringLiteral("docs/F/G/.hidden"), "h"); },
         QStringLiteral("フォルダーノードの削除に失敗しました\r%1/F/G/.hidden は移動できません\r移動元はそのまま残っています")},
        {"a read-only sub-folder", [](MoveFixture &fx) { setReadOnly(fx.f("F/G"), true); },
         QStringLiteral("フォルダーノードの削除に失敗しました\r%1/F/G は移動できません\r移動元はそのまま残っています")},
        {"a read-only destination", [](MoveFixture &fx) { setReadOnly(fx.f("To"), true); },
         QStringLiteral("フォルダーノードのコピーに失敗しました")},
    };
    for (const Row &r : rows) {
        MoveFixture fx;
        r.arrange(fx);
        const QStringList before = fx.disk();
        EXPECT_EQ(NodeMove::moveFolder(fx.f("F"), fx.f("To/F")), NodeMove::Result::NotCopied) << r.what;
        EXPECT_EQ(fx.disk(), before) << r.what;
        EXPECT_EQ(fx.ui.texts(QStringLiteral("message")),
                  QStringList{QString(r.message).replace(QStringLiteral("%1"), fx.dir.file(QStringLiteral("docs")))})
            << r.what;
        setReadOnly(fx.f("F/G"), false);
        setReadOnly(fx.f("To"), false);
    }
}

TEST(MoveFolder, CopyCheckFindsEveryDifference)
{
    // The check that decides whether the source may be deleted.
    struct Row {
        const char *what;
        std::function<void(TestDir &)> change; // applied to the copy
        bool same;
    };
    const Row rows[] = {
        {"identical", [](TestDir &) {}, true},
        {"one byte differs", [](TestDir &d) { d.createFile(QStringLiteral("b/G/x.txt"), "xY"); }, false},
        {"a file is missing", [](TestDir &d) { QFile::remove(d.file(QStringLiteral("b/G/x.txt"))); }, false},
        {"a folder is a file", [](TestDir &d) {
             QDir(d.file(QStringLiteral("b/E"))).removeRecursively();
             d.createFile(QStringLiteral("b/E"));
         }, false},
        {"a link names another target", [](TestDir &d) {
             QFile::remove(d.file(QStringLiteral("b/l")));
             QFile::link(QStringLiteral("elsewhere"), d.file(QStringLiteral("b/l")));
         }, false},
        {"an extra entry in the copy only", [](TestDir &d) { d.createFile(QStringLiteral("b/extra")); }, true},
    };
    for (const Row &r : rows) {
        TestDir d;
        for (const QString &side : {QStringLiteral("a"), QStringLiteral("b")}) {
            d.createFile(side + QStringLiteral("/G/x.txt"), "xy");
            d.createFile(side + QStringLiteral("/.h"), "hidden too");
            d.createDir(side + QStringLiteral("/E"));
            QFile::link(QStringLiteral("G/x.txt"), d.file(side + QStringLiteral("/l")));
        }
        r.change(d);
        EXPECT_EQ(NodeMove::sameContent(d.file(QStringLiteral("a")), d.file(QStringLiteral("b"))), r.same) << r.what;
    }
}

} // namespace

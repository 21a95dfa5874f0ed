// orvane-cli search: the window's result list on stdout, and its exit statuses.

#include "support/clirun.h"
#include "support/testdir.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

// orvane-cli search with these arguments.
CliRun runSearch(const QStringList &args)
{
    return runCli(QStringList{QStringLiteral("search")} + args);
}

// 0 メモ.txt, 1 F / 2 F/b.txt, 3 F/pic.jpg (with a comment), 4 r.rtf, 5 z.txt
struct CliTree {
    TestDir dir;
    QString tree = dir.file(QStringLiteral("T.Orvan"));
    CliTree()
    {
        dir.createSjisFile(QStringLiteral("T.Orvan"),
                           QStringLiteral("メモ.txt\r\nF\r\n\tb.txt\r\n\tpic.jpg\r\nr.rtf\r\nz.txt\r\n"));
        dir.createSjisFile(QStringLiteral("メモ.txt"), QStringLiteral("検索の\r\n検索検索"));
        dir.createSjisFile(QStringLiteral("F/b.txt"), QStringLiteral("b 検索"));
        dir.createFile(QStringLiteral("F/pic.jpg"), "not a picture");
        dir.createSjisFile(QStringLiteral("F/pic.jpg.TMEM"), QStringLiteral("写真の検索"));
        dir.createFile(QStringLiteral("r.rtf"), "{\\rtf1\\ansi\\ansicpg932 x\\par \\'8c\\'9f\\'8d\\'f5}");
        dir.createFile(QStringLiteral("z.txt"), QStringLiteral("最後の検索").toUtf8());
    }
};

const QString kHead = QStringLiteral("検索文字=4,検索\n") + QString(15, u'-');

} // namespace

TEST(CliSearch, PrintsTheResultListForEachChoiceOfKinds)
{
    CliTree t;
    struct Case { QStringList flags; QString out; };
    const QList<Case> cases = {
        {{}, kHead + QStringLiteral("<全ノード検索>-----\n0,1,0,1,メモ.txt:検索の\n0,1,4,2,メモ.txt:検索検索\n"
                                    "0,1,6,2,メモ.txt:検索検索\n2,1,2,1,b.txt:b 検索\n5,1,3,1,z.txt:最後の検索\n")},
        {{QStringLiteral("--rich")}, kHead + QStringLiteral("<全ノード検索>-----\n4,2,2,2,r.rtf:検索\n")},
        {{QStringLiteral("--comment"), QStringLiteral("--rich")},
         kHead + QStringLiteral("<全ノード検索>-----\n3,3,3,1,pic.jpg:写真の検索\n4,2,2,2,r.rtf:検索\n")},
        {{QStringLiteral("--below"), QStringLiteral("2"), QStringLiteral("--memo"), QStringLiteral("--comment")},
         kHead + QStringLiteral("<下層ノード検索>-----\n2,1,2,1,b.txt:b 検索\n3,3,3,1,pic.jpg:写真の検索\n")},
    };
    for (const Case &c : cases) {
        const CliRun r = runSearch(QStringList{t.tree, QStringLiteral("検索")} + c.flags);
        EXPECT_EQ(r.exitCode, 0) << c.flags.join(u' ').toStdString() << r.err.toStdString();
        EXPECT_EQ(r.out, c.out) << c.flags.join(u' ').toStdString();
    }
}

TEST(CliSearch, ExitStatusesForNoHitBadUsageAndUnreadableTrees)
{
    CliTree t;
    const CliRun none = runSearch({t.tree, QStringLiteral("ABC")});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.out, QStringLiteral("検索文字=3,ABC\n") + QString(14, u'-')
                            + QStringLiteral("<全ノード検索>-----\n*** 検索ノード無し ***\n"));

    const QList<QStringList> bad = {
        {},
        {t.tree},
        {t.tree, QStringLiteral("a"), QStringLiteral("b")},
        {t.tree, QString()},
        {t.tree, QStringLiteral("a"), QStringLiteral("--below")},
        {t.tree, QStringLiteral("a"), QStringLiteral("--below"), QStringLiteral("x")},
        {t.tree, QStringLiteral("a"), QStringLiteral("--below"), QStringLiteral("-1")},
        {t.tree, QStringLiteral("a"), QStringLiteral("--below"), QStringLiteral("6")}, // no such node
        {t.tree, QStringLiteral("a"), QStringLiteral("--whole")},
        {t.dir.file(QStringLiteral("missing.Orvan")), QStringLiteral("a")},
    };
    for (const QStringList &args : bad) {
        const CliRun r = runSearch(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << args.join(u' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << args.join(u' ').toStdString();
    }
}

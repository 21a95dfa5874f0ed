// The tree-file history: how opening a file reorders the list, how the list is read at
// start from "Orvan履歴.Ini", and how it is written back.

#include "base/history.h"
#include "base/sjiscodec.h"
#include "support/testdir.h"

#include <gtest/gtest.h>


namespace {

QStringList list(const char *letters)
{
    QStringList out;
    for (const char *c = letters; *c; ++c)
        out.append(QString(QLatin1Char(*c)));
    return out;
}

} // namespace

TEST(TreeHistoryAdd, MovingRules)
{
    struct Case {
        const char *what;
        QStringList before;
        QString path;
        int count;
        QStringList after;
    };
    const QString newest = TreeHistory::newestCaption();
    const Case cases[] = {
        {"already at the top: nothing changes", list("abc"), "a", 5, list("abc")},
        {"found lower: moves up, the ones above move down", list("abcd"), "c", 5, list("cabd")},
        {"found last: the others keep their order", list("abcde"), "e", 5, list("eabcd")},
        {"new with room: added at the top", list("ab"), "x", 5, list("xab")},
        {"new when full: the oldest drops out", list("abcde"), "f", 5, list("fabcd")},
        {"several matches: the last one counts", list("abcb"), "b", 5, list("babc")},
        {"first file replaces nothing, 最新 moves down", {newest}, "p", 5, {"p", newest}},
        {"length lowered during the run: list does not shrink", list("abcdef"), "g", 5, list("gabcde")},
        {"length raised during the run: list grows", list("abcde"), "f", 7, list("fabcde")},
        {"comparison is case-sensitive", list("ab"), "A", 5, list("Aab")},
    };
    for (const Case &c : cases) {
        QStringList items = c.before;
        TreeHistory::add(items, c.path, c.count);
        EXPECT_EQ(items, c.after) << c.what;
    }
}

TEST(TreeHistoryFile, MissingFileIsCreatedWithTheStartTree)
{
    TestDir dir;
    const QString file = dir.file(TreeHistory::fileName());
    EXPECT_TRUE(file.endsWith(QStringLiteral("/Orvan履歴.Ini")));
    const QString tree = dir.file(QStringLiteral("木/T.Orvan"));
    EXPECT_EQ(TreeHistory::load(file, tree, 5), QStringList{tree});
    EXPECT_EQ(dir.read(QStringLiteral("Orvan履歴.Ini")), sjis(tree + QStringLiteral("\r\n")));
}

TEST(TreeHistoryFile, TenEntriesWithLengthFiveKeepTheFirstFiveExistingOnes)
{
    TestDir dir;
    QStringList lines;
    for (int i = 0; i < 10; ++i) {
        const QString name = QStringLiteral("ツリー%1.Orvan").arg(i);
        dir.createFile(name);
        lines.append(dir.file(name));
    }
    // Missing files and folders are passed over without taking a place.
    lines.insert(1, dir.file(QStringLiteral("gone.Orvan")));
    dir.createDir(QStringLiteral("folder.Orvan"));
    lines.insert(2, dir.file(QStringLiteral("folder.Orvan")));
    lines.insert(3, QString());
    const QString file = dir.file(TreeHistory::fileName());
    dir.createFile(QStringLiteral("Orvan履歴.Ini"), sjis(Sjis::joinLinesCrLf(lines)));

    const QStringList items = TreeHistory::load(file, QStringLiteral("unused"), 5);
    ASSERT_EQ(items.size(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(items.at(i), dir.file(QStringLiteral("ツリー%1.Orvan").arg(i)));

    ASSERT_TRUE(TreeHistory::save(file, items));
    EXPECT_EQ(dir.read(QStringLiteral("Orvan履歴.Ini")), sjis(Sjis::joinLinesCrLf(items)));
}

TEST(TreeHistoryFile, TheFirstExistingEntryIsTakenWhateverTheLength)
{
    TestDir dir;
    dir.createFile(QStringLiteral("a.Orvan"));
    dir.createFile(QStringLiteral("b.Orvan"));
    const QString file = dir.file(TreeHistory::fileName());
    dir.createFile(QStringLiteral("Orvan履歴.Ini"),
                   sjis(Sjis::joinLinesCrLf({dir.file(QStringLiteral("a.Orvan")), dir.file(QStringLiteral("b.Orvan"))})));
    EXPECT_EQ(TreeHistory::load(file, {}, 0), QStringList{dir.file(QStringLiteral("a.Orvan"))});
}

TEST(TreeHistoryFile, NoExistingEntryLeavesNewestAndItIsSkippedNextTime)
{
    TestDir dir;
    const QString file = dir.file(TreeHistory::fileName());
    dir.createFile(QStringLiteral("Orvan履歴.Ini"), "/nowhere/x.Orvan\r\n");
    QStringList items = TreeHistory::load(file, QStringLiteral("unused"), 5);
    EXPECT_EQ(items, QStringList{TreeHistory::newestCaption()});

    dir.createFile(QStringLiteral("T.Orvan"));
    TreeHistory::add(items, dir.file(QStringLiteral("T.Orvan")), 5);
    ASSERT_TRUE(TreeHistory::save(file, items));
    EXPECT_EQ(dir.read(QStringLiteral("Orvan履歴.Ini")),
              sjis(dir.file(QStringLiteral("T.Orvan")) + QStringLiteral("\r\n最新\r\n")));
    EXPECT_EQ(TreeHistory::load(file, {}, 5), QStringList{dir.file(QStringLiteral("T.Orvan"))});
}

TEST(TreeHistoryFile, EntriesShiftJisCannotHoldAreLeftOutAndNamed)
{
    TestDir dir;
    const QString file = dir.file(TreeHistory::fileName());
    const QString odd = QStringLiteral("/home/a/caf\u00e9.Orvan");
    QString error;
    EXPECT_FALSE(TreeHistory::save(file, {QStringLiteral("/a/表.Orvan"), odd, QStringLiteral("/b.Orvan")}, &error));
    EXPECT_TRUE(error.contains(odd)) << error.toStdString();
    EXPECT_EQ(dir.read(QStringLiteral("Orvan履歴.Ini")), sjis(QStringLiteral("/a/表.Orvan\r\n/b.Orvan\r\n")));
}

TEST(TreeHistoryFile, AFileThatCannotBeWrittenIsLeftWhole)
{
    // The new file is written beside the old one first; a name with no room for the
    // temporary name makes that fail as a full disk or a read-only folder does, for
    // any user.
    TestDir dir;
    const QString name = QString(246, u'H') + QStringLiteral(".Ini");
    dir.createFile(name, "/old.Orvan\r\n");
    QString error;
    EXPECT_FALSE(TreeHistory::save(dir.file(name), {QStringLiteral("/new.Orvan")}, &error));
    EXPECT_TRUE(error.contains(dir.file(name))) << error.toStdString();
    EXPECT_EQ(dir.read(name), QByteArray("/old.Orvan\r\n"));
}

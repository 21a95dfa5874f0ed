// The history menu "履歴(&R)": built from "Orvan履歴.Ini" at start, reordered by every
// opened tree, opening a tree when an item is clicked, and the item "最新".

#include "base/appsettings.h"
#include "base/globals.h"
#include "base/sjiscodec.h"
#include "app/ui/mainwindow.h"
#include "support/recordingui.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>

#include <memory>

namespace {

struct HistoryStart {
    TestDir dir;
    RecordingUi ui;
    QString exePath = dir.makeExeDir();
    std::unique_ptr<TOrvaneF> w;

    ~HistoryStart() { w.reset(); }

    // A tree "name.Orvan" in its own folder holding one memo "name.TXT".
    QString tree(const QString &name)
    {
        dir.createSjisFile(name + QStringLiteral("/") + name + QStringLiteral(".Orvan"), name + QStringLiteral(".TXT\r\n"));
        dir.createSjisFile(name + QStringLiteral("/") + name + QStringLiteral(".TXT"), name + QStringLiteral("\r\n"));
        return dir.file(name + QStringLiteral("/") + name + QStringLiteral(".Orvan"));
    }
    void history(const QStringList &lines)
    {
        dir.createFile(QStringLiteral("exe/Orvan履歴.Ini"), sjis(Sjis::joinLinesCrLf(lines)));
    }
    QByteArray historyFile() const { return dir.read(QStringLiteral("exe/Orvan履歴.Ini")); }
    TOrvaneF &start(const QString &remembered, int count = 5)
    {
        dir.createSjisFile(QStringLiteral("exe/ORVANE.Ini"),
                           QStringLiteral("[Tree]\r\n1PSW=1\r\nOrvan履歴数=%1\r\nTreeFileName=%2\r\n").arg(count).arg(remembered));
        w = std::make_unique<TOrvaneF>(exePath, QStringList{});
        w->FormActivate();
        return *w;
    }
    QStringList menuTexts() const
    {
        QStringList out;
        for (QAction *a : w->MenuFTR->actions())
            out.append(a->text());
        return out;
    }
};

} // namespace

TEST(HistoryMenu, TenEntriesWithLengthFiveGiveFiveItemsAndTheFileKeepsFive)
{
    HistoryStart h;
    QStringList trees;
    for (int i = 0; i < 10; ++i)
        trees.append(h.tree(QStringLiteral("t%1").arg(i)));
    h.history(trees);
    TOrvaneF &w = h.start(trees.first());

    EXPECT_EQ(w.MenuFTR->actions().first(), w.MenuFTRNew);
    EXPECT_EQ(h.menuTexts(), trees.mid(0, 5));
    EXPECT_EQ(w.HistoryItems, trees.mid(0, 5));
    EXPECT_EQ(h.historyFile(), sjis(Sjis::joinLinesCrLf(trees.mid(0, 5))));
}

TEST(HistoryMenu, ClickingAnItemSavesTheNodeAndOpensItsTreeAtTheTop)
{
    HistoryStart h;
    const QStringList trees{h.tree(QStringLiteral("a")), h.tree(QStringLiteral("b")), h.tree(QStringLiteral("c")),
                            h.tree(QStringLiteral("d"))};
    h.history(trees);
    TOrvaneF &w = h.start(trees.at(0));
    w.Memo1->setPlainText(QStringLiteral("aの続き"));
    BottomPanelOn = true;
    w.PanelB->show();

    w.MenuFTR->actions().at(2)->trigger();

    EXPECT_EQ(h.dir.read(QStringLiteral("a/a.TXT")), sjis(QStringLiteral("aの続き")));
    EXPECT_FALSE(BottomPanelOn);
    EXPECT_TRUE(w.PanelB->isHidden());
    EXPECT_EQ(TreeFileName, trees.at(2));
    EXPECT_EQ(NodeName, QStringLiteral("c.TXT"));
    const QStringList moved{trees.at(2), trees.at(0), trees.at(1), trees.at(3)};
    EXPECT_EQ(w.HistoryItems, moved);
    EXPECT_EQ(h.menuTexts(), moved);
    // The close step wrote the settings (and the history) before the tree was opened.
    EXPECT_EQ(h.historyFile(), sjis(Sjis::joinLinesCrLf(trees)));
    w.SaveSettings();
    EXPECT_EQ(h.historyFile(), sjis(Sjis::joinLinesCrLf(moved)));

    // The top item opens its tree again and changes nothing in the order.
    w.MenuFTRNew->trigger();
    EXPECT_EQ(TreeFileName, trees.at(2));
    EXPECT_EQ(w.HistoryItems, moved);
}

TEST(HistoryMenu, OpeningASixthTreeDropsTheOldest)
{
    HistoryStart h;
    QStringList trees;
    for (int i = 0; i < 6; ++i)
        trees.append(h.tree(QStringLiteral("t%1").arg(i)));
    h.history(trees.mid(0, 5));
    TOrvaneF &w = h.start(trees.at(0));
    w.OpenTree(trees.at(5));
    EXPECT_EQ(h.menuTexts(), (QStringList{trees.at(5), trees.at(0), trees.at(1), trees.at(2), trees.at(3)}));
    EXPECT_EQ(w.MenuFTR->actions().size(), 5);
}

TEST(HistoryMenu, NewestStaysBelowTheFirstTreeAndOpensNothing)
{
    HistoryStart h;
    const QString tree = h.tree(QStringLiteral("a"));
    h.history({QStringLiteral("/nowhere/gone.Orvan")});
    TOrvaneF &w = h.start(tree);

    EXPECT_EQ(h.menuTexts(), (QStringList{tree, QStringLiteral("最新")}));
    w.Memo1->setPlainText(QStringLiteral("書いた"));
    BottomPanelOn = true;
    w.PanelB->show();
    h.ui.clear();

    w.MenuFTR->actions().at(1)->trigger();

    EXPECT_EQ(h.dir.read(QStringLiteral("a/a.TXT")), sjis(QStringLiteral("書いた")));
    EXPECT_FALSE(BottomPanelOn);
    EXPECT_TRUE(w.PanelB->isHidden());
    EXPECT_EQ(TreeFileName, tree);
    EXPECT_EQ(h.ui.count(QStringLiteral("report")), 0);
    EXPECT_EQ(h.historyFile(), sjis(tree + QStringLiteral("\r\n最新\r\n")));
}

TEST(HistoryMenu, AnAmpersandInAPathShowsAsWritten)
{
    HistoryStart h;
    const QString tree = h.tree(QStringLiteral("R&D"));
    TOrvaneF &w = h.start(tree);
    EXPECT_EQ(w.HistoryItems.first(), tree);
    EXPECT_EQ(w.MenuFTRNew->text(), QString(tree).replace(u'&', QStringLiteral("&&")));
    EXPECT_EQ(h.historyFile(), sjis(tree + QStringLiteral("\r\n")));
}

TEST(HistoryMenu, TextThatCannotBeSavedKeepsTheTreeAndTheView)
{
    HistoryStart h;
    const QString a = h.tree(QStringLiteral("a"));
    const QString b = h.tree(QStringLiteral("b"));
    h.history({a, b});
    TOrvaneF &w = h.start(a);
    ASSERT_EQ(NodeName, QStringLiteral("a.TXT"));
    w.Memo1->setPlainText(QStringLiteral("書いた 한"));
    h.ui.clear();

    w.MenuFTRNewClick(int(w.HistoryItems.indexOf(b)));

    EXPECT_EQ(h.ui.count(QStringLiteral("report")), 1);
    EXPECT_EQ(TreeFileName, a);
    EXPECT_EQ(NodeName, QStringLiteral("a.TXT"));
    EXPECT_EQ(w.Memo1->toPlainText(), QStringLiteral("書いた 한"));
    EXPECT_TRUE(w.PanelMemo->isVisibleTo(&w));
    EXPECT_EQ(h.dir.read(QStringLiteral("a/a.TXT")), sjis(QStringLiteral("a\r\n")));
}

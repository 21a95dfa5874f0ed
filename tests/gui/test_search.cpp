// The search in the window: the dialog, the result list, the jump into each kind of
// view, and that the walk neither shows, saves nor creates anything on the way.

#include "base/appsettings.h"
#include "base/globals.h"
#include "search/textsearch.h"
#include "search/ui/searchdialog.h"
#include "support/nodefiles.h"
#include "support/windowfixture.h"
#include "tree/nodekind.h"
#include "tree/ui/nodetreewidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

using Answer = RecordingUi::SearchAnswer;

// 0 a.txt     memo "aaa" / "x aaa"
// 1 pic.bmp   picture with a comment holding "aa"
// 2 r.rtf     rich text, the word on its second paragraph
// 3 F         folder
// 4   b.txt   memo
// 5   bare.doc other file without a side file
// 6 gone.txt  nothing on disk, a comment side file left over
struct SearchTree : WindowFixture {
    SearchTree()
        : WindowFixture(QStringLiteral("a.txt\r\npic.bmp\r\nr.rtf\r\nF\r\n\tb.txt\r\n\tbare.doc\r\ngone.txt\r\n"), false)
    {
        dir.createFile(QStringLiteral("docs/a.txt"), "aaa\r\nx aaa");
        dir.createFile(QStringLiteral("docs/pic.bmp"), bmpBytes());
        dir.createFile(QStringLiteral("docs/pic.bmp.TMEM"), sjis(QStringLiteral("一行目\r\nコメント aa です")));
        dir.createFile(QStringLiteral("docs/r.rtf"),
                       "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 x;}}\\f0 first\\par "
                       "\\b bold\\b0  \\'82\\'a0aa\\line end aa\\par}");
        dir.createFile(QStringLiteral("docs/F/b.txt"), "no hit");
        dir.createFile(QStringLiteral("docs/F/bare.doc"), "aa");
        dir.createFile(QStringLiteral("docs/gone.txt.TMEM"), "aa left");
        window->FormActivate();
    }
    QStringList resultLines() { return w().MemoF->toPlainText().split(u'\n'); }
    void search(const Answer &answer)
    {
        ui.searchAnswers.enqueue(answer);
        w().ToolButtonSClick();
    }
    // Puts the result list's caret on a line and double-clicks there.
    void jump(int line)
    {
        QTextCursor c(w().MemoF->document()->findBlockByNumber(line));
        w().MemoF->setTextCursor(c);
        w().MemoFDblClick();
    }
};

Answer allKinds(const QString &word)
{
    Answer a;
    a.word = word;
    a.memo = a.rich = a.comment = true;
    return a;
}

} // namespace

TEST(SearchWindow, ListsEveryHitSavesTheNodeFirstAndChangesNothingElse)
{
    SearchTree fx;
    fx.click(1); // the picture: its comment is shown and bound
    fx.click(0);
    fx.w().Memo1->moveCursor(QTextCursor::End);
    fx.w().Memo1->insertPlainText(QStringLiteral(" aa"));
    const QStringList before = diskListing(fx.dir);
    const QStringList others = {"docs/pic.bmp.TMEM", "docs/r.rtf", "docs/F/b.txt", "docs/F/bare.doc", "docs/gone.txt.TMEM"};
    QList<QByteArray> othersBytes;
    for (const QString &f : others)
        othersBytes.append(fx.dir.read(f));

    fx.search(allKinds(QStringLiteral("aa")));

    // The typed text was written before the walk, and is found.
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/a.txt")), QByteArray("aaa\r\nx aaa aa"));
    EXPECT_EQ(fx.resultLines(),
              QStringList({QStringLiteral("検索文字=2,aa"), QString(13, u'-') + QStringLiteral("<全ノード検索>-----"),
                           "0,1,0,1,a.txt:aaa", "0,1,1,1,a.txt:aaa", "0,1,6,2,a.txt:x aaa aa", "0,1,7,2,a.txt:x aaa aa",
                           "0,1,10,2,a.txt:x aaa aa", QStringLiteral("1,3,9,2,pic.bmp:コメント aa です"),
                           QStringLiteral("2,2,12,2,r.rtf:bold あaa"), QStringLiteral("2,2,19,3,r.rtf:end aa"),
                           "6,5,0,1,gone.txt:aa left"}));
    // Same node, same view, nothing created (bare.doc gets no side file) nor rewritten.
    EXPECT_EQ(fx.w().TreeView1->currentItem(), fx.item(0));
    EXPECT_EQ(NodeName, QStringLiteral("a.txt"));
    EXPECT_FALSE(TreeBusy);
    EXPECT_EQ(fx.w().Memo1->toPlainText(), QStringLiteral("aaa\nx aaa aa"));
    EXPECT_EQ(diskListing(fx.dir), before);
    for (qsizetype i = 0; i < others.size(); ++i)
        EXPECT_EQ(fx.dir.read(others[i]), othersBytes[i]) << others[i].toStdString();
    EXPECT_TRUE(fx.w().PanelB->isVisibleTo(&fx.w()));
    EXPECT_TRUE(BottomPanelOn);
    EXPECT_EQ(fx.w().PageControl1->tabText(0), QStringLiteral("検索"));
    EXPECT_TRUE(fx.w().MemoF->isReadOnly());
    for (int i = 1; i < fx.w().PageControl1->count(); ++i)
        EXPECT_FALSE(fx.w().PageControl1->isTabVisible(i)) << i;
    EXPECT_EQ(fx.ui.texts(QStringLiteral("search")), QStringList({QString()}));
}

TEST(SearchWindow, CancelOrAnEmptyWordKeepsTheOldList)
{
    SearchTree fx;
    fx.search(allKinds(QStringLiteral("aa")));
    const QString list = fx.w().MemoF->toPlainText();
    Answer cancel = allKinds(QStringLiteral("zz"));
    cancel.confirm = false;
    Answer empty = allKinds(QString());
    for (const Answer &a : {cancel, empty}) {
        fx.ui.clear();
        fx.search(a);
        EXPECT_EQ(fx.ui.count(QStringLiteral("beep")), 1);
        EXPECT_EQ(fx.w().statusText(2), QStringLiteral("検索文字列を入力して下さい。"));
        EXPECT_EQ(fx.w().MemoF->toPlainText(), list);
        // The dialog offered the last confirmed word; a cancelled one was not kept.
        EXPECT_EQ(fx.ui.texts(QStringLiteral("search")), QStringList({QStringLiteral("aa")}));
    }
    EXPECT_EQ(fx.w().Search.history, QStringList({QStringLiteral("aa")}));
}

TEST(SearchWindow, ScopeBelowStartsAtTheSelectedNode)
{
    SearchTree fx;
    fx.click(4); // b.txt in F, level 1; bare.doc is its later sibling
    Answer a = allKinds(QStringLiteral("aa"));
    a.allNodes = false;
    fx.search(a);
    // b.txt has no hit; bare.doc has no side file; gone.txt lies above the level and ends the walk.
    EXPECT_EQ(fx.resultLines(), QStringList({QStringLiteral("検索文字=2,aa"),
                                             QString(13, u'-') + QStringLiteral("<下層ノード検索>-----"),
                                             QStringLiteral("*** 検索ノード無し ***")}));
    EXPECT_EQ(fx.w().TreeView1->currentItem(), fx.item(4));
}

TEST(SearchWindow, JumpSelectsTheWordInTheRightView)
{
    SearchTree fx;
    fx.search(allKinds(QStringLiteral("aa")));
    struct Case { int line; int node; const char *view; int start; };
    const QList<Case> cases = {
        {2, 0, "Memo1", 0},   // 0,1,0,1
        {3, 0, "Memo1", 0},   // 0,1,1,1: overlapping hit, the first on its line is selected
        {4, 0, "Memo1", 6},   // second line: "aaa\n" is 4 characters, then "x "
        {6, 1, "MemoG", 9},
        {7, 2, "RichEdit1", 12},
        {8, 2, "RichEdit1", 19},
    };
    for (const Case &c : cases) {
        fx.click(3); // away to the folder first
        fx.jump(c.line);
        EXPECT_EQ(fx.w().TreeView1->currentItem(), fx.item(c.node)) << c.line;
        QWidget *focus = QApplication::focusWidget();
        if (QString::fromLatin1(c.view) == u"RichEdit1") {
            const QTextCursor cur = fx.w().RichEdit1->textCursor();
            EXPECT_EQ(cur.selectedText(), QStringLiteral("aa")) << c.line;
            EXPECT_EQ(cur.selectionStart(), c.start) << c.line;
        } else {
            auto *view = fx.w().findChild<QPlainTextEdit *>(QString::fromLatin1(c.view));
            const QTextCursor cur = view->textCursor();
            EXPECT_EQ(cur.selectedText(), QStringLiteral("aa")) << c.line;
            EXPECT_EQ(cur.selectionStart(), c.start) << c.line;
        }
        if (focus) // focus is only tracked when the platform gives the window focus
            EXPECT_EQ(focus->objectName(), QString::fromLatin1(c.view)) << c.line;
    }
}

TEST(SearchWindow, JumpIgnoresLinesThatAreNoHitAndNodesThatAreGone)
{
    SearchTree fx;
    fx.search(allKinds(QStringLiteral("aa")));
    const QStringList before = diskListing(fx.dir);
    fx.click(3);
    // Header lines, the kind-5 hit (no view to show its comment in) and edited lines.
    for (int line : {0, 1, 9}) {
        fx.jump(line);
        EXPECT_EQ(NodeKind, line == 9 ? int(KindUnknown) : int(KindFolder)) << line;
        fx.click(3);
    }
    fx.w().MemoF->setPlainText(QStringLiteral("h1\nh2\n99,1,0,1,x:aa\nnot,a,hit,line\n1,2,3\n"
                                              "*** 検索ノード無し ***\n\n"));
    for (int line = 2; line < 7; ++line) {
        fx.jump(line);
        EXPECT_EQ(fx.w().TreeView1->currentItem(), fx.item(3)) << line;
    }
    EXPECT_EQ(diskListing(fx.dir), before);
    EXPECT_TRUE(fx.ui.texts(QStringLiteral("report")).isEmpty());
}

TEST(SearchWindow, DoubleClickOnTheListJumps)
{
    SearchTree fx;
    fx.w().resize(800, 600);
    fx.w().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fx.w()));
    fx.search(allKinds(QStringLiteral("aa")));
    fx.click(3);
    QPlainTextEdit *list = fx.w().MemoF;
    QTRY_VERIFY(list->viewport()->height() > 100); // the panel laid out
    const QRect line = list->cursorRect(QTextCursor(list->document()->findBlockByNumber(6)));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, line.center() + QPoint(4, 0));

    EXPECT_EQ(fx.w().TreeView1->currentItem(), fx.item(1));
    EXPECT_EQ(fx.w().MemoG->textCursor().selectedText(), QStringLiteral("aa"));
}

TEST(SearchDialog, ShowsTheStateAndWritesItBack)
{
    SearchState state;
    state.history = {QStringLiteral("新しい"), QStringLiteral("old")};
    TFormSWord dialog;
    dialog.FormActivate(state);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("検索文字 入力"));
    EXPECT_TRUE(dialog.Edit1->text().isEmpty());
    EXPECT_TRUE(dialog.CheckBox1->isChecked());
    EXPECT_FALSE(dialog.CheckBox2->isChecked());
    EXPECT_FALSE(dialog.CheckBox3->isChecked());
    EXPECT_EQ(dialog.CheckBox4->text(), QStringLiteral("全ノード検索"));
    ASSERT_EQ(dialog.ComboBox1->count(), 2);
    EXPECT_EQ(dialog.ComboBox1->itemText(0), QStringLiteral("新しい"));

    // Choosing from the history fills the word; the scope box changes its caption and
    // the state at once.
    dialog.ComboBox1Change(1);
    EXPECT_EQ(dialog.Edit1->text(), QStringLiteral("old"));
    dialog.CheckBox4->click();
    EXPECT_EQ(dialog.CheckBox4->text(), QStringLiteral("下層ノード検索"));
    EXPECT_FALSE(state.allNodes);
    dialog.CheckBox2->setChecked(true);
    dialog.Edit1->setText(QStringLiteral("新語"));
    QTest::mouseClick(dialog.Button1, Qt::LeftButton);
    EXPECT_TRUE(state.confirmed);
    EXPECT_EQ(state.word, QStringLiteral("新語"));
    EXPECT_EQ(state.wordBytes, 4);
    EXPECT_TRUE(state.inRich);
    EXPECT_EQ(state.history, QStringList({QStringLiteral("新語"), QStringLiteral("新しい"), QStringLiteral("old")}));

    // Shown again: the last word, selected; the scope as left.
    TFormSWord again;
    again.FormActivate(state);
    EXPECT_EQ(again.windowTitle(), QStringLiteral("検索文字 前回情報"));
    EXPECT_EQ(again.Edit1->selectedText(), QStringLiteral("新語"));
    EXPECT_FALSE(again.CheckBox4->isChecked());
    EXPECT_EQ(again.CheckBox4->text(), QStringLiteral("下層ノード検索"));
    again.Edit1->setText(QStringLiteral("捨てる"));
    QTest::keyClick(&again, Qt::Key_Escape);
    EXPECT_FALSE(state.confirmed);
    EXPECT_EQ(state.word, QStringLiteral("新語"));
    EXPECT_EQ(state.history.size(), 3);
    EXPECT_FALSE(again.ComboBox1->focusPolicy() & Qt::TabFocus);
}

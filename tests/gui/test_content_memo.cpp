// Text memos in the main window: shown on selection, written back on leaving, at close
// and before another tree is opened, and never damaged by that writing.

#include "base/globals.h"
#include "support/windowfixture.h"
#include "tree/nodekind.h"
#include "tree/ui/nodetreewidget.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include "support/filetimes.h"

#include <gtest/gtest.h>

namespace {

const QDateTime kLongAgo(QDate(2001, 2, 3), QTime(4, 5, 6));

// Types at the end of a text view, as the user would.
void typeAtEnd(QPlainTextEdit *view, const QString &text)
{
    view->moveCursor(QTextCursor::End);
    view->insertPlainText(text);
}

// Two memos side by side, a.txt shown first.
struct MemoTree : WindowFixture {
    explicit MemoTree(const QByteArray &aBytes, const QByteArray &bBytes = "b")
        : WindowFixture(QStringLiteral("a.txt\r\nb.txt\r\n"), false)
    {
        dir.createFile(QStringLiteral("docs/a.txt"), aBytes);
        dir.createFile(QStringLiteral("docs/b.txt"), bBytes);
        window->FormActivate();
    }
    QString a() const { return dir.file(QStringLiteral("docs/a.txt")); }
    QByteArray aBytes() const { return dir.read(QStringLiteral("docs/a.txt")); }
    QPlainTextEdit *memo() { return window->Memo1; }
    // Files in the tree's folder besides the tree and the two memos.
    QStringList others() const
    {
        QStringList names = QDir(dir.file(QStringLiteral("docs"))).entryList(QDir::Files);
        for (const char *known : {"T.Orvan", "a.txt", "b.txt"})
            names.removeAll(QString::fromLatin1(known));
        return names;
    }
};

TEST(ContentMemo, EditsAreWrittenOnLeavingWithCrLfAndNoBreakAdded)
{
    MemoTree fx(sjis(QStringLiteral("一行目\r\n二行目")));
    ASSERT_TRUE(fx.w().PanelMemo->isVisibleTo(&fx.w()));
    EXPECT_EQ(fx.memo()->toPlainText(), QStringLiteral("一行目\n二行目"));
    typeAtEnd(fx.memo(), QStringLiteral("です\n三行目"));
    fx.click(1);
    EXPECT_EQ(fx.aBytes(), sjis(QStringLiteral("一行目\r\n二行目です\r\n三行目")));
    EXPECT_EQ(fx.memo()->toPlainText(), QStringLiteral("b"));
    EXPECT_TRUE(fx.ui.events.isEmpty());
}

TEST(ContentMemo, AnUntouchedMemoIsRewrittenOnEveryLeave)
{
    MemoTree fx("x\r\ny\r\n");
    setModified(fx.a(), kLongAgo);
    fx.click(1);
    EXPECT_NE(modified(fx.a()), kLongAgo);
    EXPECT_EQ(fx.aBytes(), QByteArray("x\r\ny\r\n"));

    // Clicking the node that is current writes it too and shows it again.
    fx.click(0);
    setModified(fx.a(), kLongAgo);
    fx.click(0);
    EXPECT_NE(modified(fx.a()), kLongAgo);
    EXPECT_EQ(fx.memo()->toPlainText(), QStringLiteral("x\ny\n"));
}

// Without the guard each of these files would be rewritten in another form on leaving.
TEST(ContentMemo, AMemoThatCannotComeBackExactlyIsNotTouchedUnlessEdited)
{
    struct Case { const char *what; QByteArray bytes; };
    const Case cases[] = {
        {"lone LF", "one\ntwo\n"},
        {"bytes after NUL", QByteArray("text\0binary tail", 16)},
        {"NEC-selected IBM character", QByteArray::fromHex("ed40ed41")},
        {"stray byte", QByteArray::fromHex("41804243")},
        {"lead byte at the end", QByteArray::fromHex("414282")},
    };
    for (const Case &c : cases) {
        MemoTree fx(c.bytes);
        setModified(fx.a(), kLongAgo);
        fx.click(1);
        fx.click(0);
        fx.click(1);
        EXPECT_EQ(fx.aBytes(), c.bytes) << c.what;
        EXPECT_EQ(modified(fx.a()), kLongAgo) << c.what;
    }
    // Once the user edits, the text is written in the program's form.
    MemoTree fx(QByteArray("one\ntwo", 7));
    typeAtEnd(fx.memo(), QStringLiteral("!"));
    fx.click(1);
    EXPECT_EQ(fx.aBytes(), QByteArray("one\r\ntwo!"));
}

TEST(ContentMemo, AUtf8FileIsShownAndSavedAsUtf8)
{
    const QByteArray utf8 = QStringLiteral("日本語のメモ\r\n").toUtf8();
    MemoTree fx(utf8);
    EXPECT_EQ(fx.memo()->toPlainText(), QStringLiteral("日本語のメモ\n"));
    setModified(fx.a(), kLongAgo);
    fx.click(1);
    EXPECT_EQ(fx.aBytes(), utf8);

    fx.click(0);
    typeAtEnd(fx.memo(), QStringLiteral("追記 한국어"));
    fx.click(1);
    EXPECT_EQ(fx.aBytes(), QStringLiteral("日本語のメモ\r\n追記 한국어").toUtf8());
    EXPECT_TRUE(fx.ui.texts(QStringLiteral("report")).isEmpty());
}

TEST(ContentMemo, ShiftJisThatIsAlsoValidUtf8StaysShiftJisAndUtf8IsAnnounced)
{
    // "ﾅｶ ﾃｷ 100" in Shift-JIS is valid UTF-8 too ("Ŷ ÷ 100"); typed text must join it
    // in Shift-JIS.
    struct Case { const char *what; QByteArray bytes; QString shown; QString status; };
    const QString utf8Notice = QStringLiteral("UTF-8 で表示しています");
    const Case cases[] = {
        {"half-width katakana", QByteArray::fromHex("c5b620c3b720313030"), QStringLiteral("ﾅｶ ﾃｷ 100"), QString()},
        {"level-2 kanji", QByteArray::fromHex("61626320e0a08142"), QStringLiteral("abc 燿。"), QString()},
        {"UTF-8", QStringLiteral("メモ").toUtf8(), QStringLiteral("メモ"), utf8Notice},
    };
    for (const Case &c : cases) {
        MemoTree fx(c.bytes);
        EXPECT_EQ(fx.memo()->toPlainText(), c.shown) << c.what;
        EXPECT_EQ(fx.w().statusText(2).trimmed(), c.status) << c.what;
        typeAtEnd(fx.memo(), QStringLiteral("です"));
        fx.click(1);
        const QByteArray typed = c.status.isEmpty() ? sjis(QStringLiteral("です")) : QStringLiteral("です").toUtf8();
        EXPECT_EQ(fx.aBytes(), c.bytes + typed) << c.what;
        EXPECT_NE(fx.w().statusText(2), utf8Notice) << c.what; // b.txt is Shift-JIS
    }
}

TEST(ContentMemo, AFileChangedByAnotherProgramWinsOverAnUntouchedView)
{
    MemoTree fx(sjis(QStringLiteral("古い内容")));
    fx.dir.createSjisFile(QStringLiteral("docs/a.txt"), QStringLiteral("新しい内容"));
    // A command saves without leaving: the view takes the file's content.
    ASSERT_TRUE(fx.w().TSaveNode(NodeName));
    EXPECT_EQ(fx.memo()->toPlainText(), QStringLiteral("新しい内容"));
    EXPECT_EQ(fx.aBytes(), sjis(QStringLiteral("新しい内容")));

    fx.dir.createSjisFile(QStringLiteral("docs/a.txt"), QStringLiteral("もっと新しい"));
    fx.ui.clear();
    fx.click(1);
    EXPECT_EQ(fx.aBytes(), sjis(QStringLiteral("もっと新しい")));
    // The user is told that the file was left as the other program made it.
    ASSERT_EQ(fx.ui.events.size(), 1);
    EXPECT_EQ(fx.ui.events.first().kind, QStringLiteral("message"));
    EXPECT_TRUE(fx.ui.events.first().text.contains(fx.dir.file(QStringLiteral("docs/a.txt"))));
    EXPECT_TRUE(fx.others().isEmpty());
}

TEST(ContentMemo, ComingBackToTheProgramAnUntouchedViewShowsTheFilesNewContent)
{
    MemoTree fx(sjis(QStringLiteral("古い内容")));
    fx.dir.createSjisFile(QStringLiteral("docs/a.txt"), QStringLiteral("新しい内容"));
    fx.w().RefreshContentFromDisk();
    EXPECT_EQ(fx.memo()->toPlainText(), QStringLiteral("新しい内容"));

    // A view the user typed into is left for the leave to sort out.
    typeAtEnd(fx.memo(), QStringLiteral("。"));
    fx.dir.createSjisFile(QStringLiteral("docs/a.txt"), QStringLiteral("もっと新しい"));
    fx.w().RefreshContentFromDisk();
    EXPECT_EQ(fx.memo()->toPlainText(), QStringLiteral("新しい内容。"));
    EXPECT_TRUE(fx.ui.events.isEmpty());
}

TEST(ContentMemo, WhenBothChangedTheUserChoosesAndTheOtherTextIsKeptBeside)
{
    struct Case { bool keepEdits; QString inFile; QString beside; };
    const Case cases[] = {
        {true, QStringLiteral("元の文\n私の追記"), QStringLiteral("他の版")},
        {false, QStringLiteral("他の版"), QStringLiteral("元の文\n私の追記")},
    };
    for (const Case &c : cases) {
        MemoTree fx(sjis(QStringLiteral("元の文")));
        typeAtEnd(fx.memo(), QStringLiteral("\n私の追記"));
        fx.dir.createSjisFile(QStringLiteral("docs/a.txt"), QStringLiteral("他の版"));
        if (c.keepEdits)
            fx.ui.keepEditsAnswers.enqueue(true);
        fx.click(1);
        EXPECT_EQ(fx.ui.texts(QStringLiteral("conflict")), QStringList{fx.a()});
        EXPECT_EQ(fx.aBytes(), sjis(QString(c.inFile).replace(u'\n', QStringLiteral("\r\n")))) << c.keepEdits;
        ASSERT_EQ(fx.others().size(), 1) << c.keepEdits;
        EXPECT_EQ(fx.dir.read(QStringLiteral("docs/") + fx.others().first()),
                  sjis(QString(c.beside).replace(u'\n', QStringLiteral("\r\n"))));
        // The user is told where the other text went.
        ASSERT_EQ(fx.ui.count(QStringLiteral("message")), 1);
        EXPECT_TRUE(fx.ui.texts(QStringLiteral("message")).first().contains(fx.others().first()));
        EXPECT_EQ(NodeName, QStringLiteral("b.txt"));
    }
}

TEST(ContentMemo, TextShiftJisCannotHoldIsRefusedAndStaysInTheView)
{
    MemoTree fx(sjis(QStringLiteral("メモ")));
    setModified(fx.a(), kLongAgo);
    typeAtEnd(fx.memo(), QStringLiteral(" 한국어 😀"));
    fx.click(1);
    ASSERT_EQ(fx.ui.count(QStringLiteral("report")), 1);
    const QString report = fx.ui.texts(QStringLiteral("report")).first();
    EXPECT_TRUE(report.contains(QStringLiteral("a.txt")));
    EXPECT_TRUE(report.contains(QStringLiteral("한")));
    EXPECT_EQ(fx.aBytes(), sjis(QStringLiteral("メモ")));
    EXPECT_EQ(modified(fx.a()), kLongAgo);
    // The node stays current and its text stays in front of the user.
    EXPECT_EQ(NodeName, QStringLiteral("a.txt"));
    EXPECT_EQ(fx.w().TreeView1->currentItem(), fx.item(0));
    EXPECT_TRUE(fx.w().PanelMemo->isVisibleTo(&fx.w()));
    EXPECT_EQ(fx.memo()->toPlainText(), QStringLiteral("メモ 한국어 😀"));

    // Fixed by the user, it goes through.
    fx.memo()->setPlainText(QStringLiteral("メモ 直した"));
    fx.click(1);
    EXPECT_EQ(fx.aBytes(), sjis(QStringLiteral("メモ 直した")));
    EXPECT_EQ(NodeName, QStringLiteral("b.txt"));
}

TEST(ContentMemo, AFailedWriteIsReportedAndTheViewKept)
{
    enum class Fault { FolderGone, ReadOnlyFile };
    for (Fault fault : {Fault::FolderGone, Fault::ReadOnlyFile}) {
        const int row = int(fault);
        WindowFixture fx(QStringLiteral("Sub\r\n\tm.txt\r\nb.txt\r\n"), false);
        fx.dir.createFile(QStringLiteral("docs/Sub/m.txt"), "memo");
        fx.dir.createFile(QStringLiteral("docs/b.txt"), "b");
        const QString memo = fx.dir.file(QStringLiteral("docs/Sub/m.txt"));
        fx.w().FormActivate();
        fx.click(1);
        typeAtEnd(fx.w().Memo1, QStringLiteral(" edited"));
        if (fault == Fault::FolderGone) {
            // Another program turns the folder into a file: nothing can be written there.
            QDir(fx.dir.file(QStringLiteral("docs/Sub"))).removeRecursively();
            fx.dir.createFile(QStringLiteral("docs/Sub"), "in the way");
        } else {
            QFile::setPermissions(memo, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        }
        fx.click(2);
        ASSERT_EQ(fx.ui.count(QStringLiteral("report")), 1) << row;
        EXPECT_TRUE(fx.ui.texts(QStringLiteral("report")).first().contains(QStringLiteral("m.txt"))) << row;
        EXPECT_EQ(NodeName, QStringLiteral("m.txt")) << row;
        EXPECT_EQ(fx.w().TreeView1->currentItem(), fx.item(1)) << row;
        EXPECT_EQ(fx.w().Memo1->toPlainText(), QStringLiteral("memo edited")) << row;
        EXPECT_TRUE(fx.w().PanelMemo->isVisibleTo(&fx.w())) << row;
        if (fault == Fault::ReadOnlyFile) {
            EXPECT_EQ(fx.dir.read(QStringLiteral("docs/Sub/m.txt")), QByteArray("memo"));
            QFile::setPermissions(memo, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        }
    }
}

TEST(ContentMemo, AnUntouchedReadOnlyMemoCanBeLeft)
{
    // The file already holds all the view holds: a failed rewrite is reported, but the
    // user moves on, and closing leaves no copy beside the file.
    MemoTree fx("read only");
    QFile::setPermissions(fx.a(), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    fx.ui.clear();
    fx.click(1);
    EXPECT_EQ(fx.ui.count(QStringLiteral("report")), 1);
    EXPECT_EQ(NodeName, QStringLiteral("b.txt"));
    EXPECT_EQ(fx.memo()->toPlainText(), QStringLiteral("b"));
    fx.click(0);
    fx.close();
    EXPECT_EQ(fx.aBytes(), QByteArray("read only"));
    EXPECT_TRUE(fx.others().isEmpty()) << fx.others().join(u' ').toStdString();
    QFile::setPermissions(fx.a(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST(ContentMemo, ClosingWritesTheMemoAndKeepsRefusedTextBeside)
{
    {
        MemoTree fx("before");
        typeAtEnd(fx.memo(), QStringLiteral(" after"));
        fx.close();
        EXPECT_EQ(fx.aBytes(), QByteArray("before after"));
    }
    MemoTree fx("before");
    typeAtEnd(fx.memo(), QStringLiteral(" 한"));
    fx.close();
    EXPECT_EQ(fx.aBytes(), QByteArray("before"));
    ASSERT_EQ(fx.others().size(), 1);
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/") + fx.others().first()), QStringLiteral("before 한").toUtf8());
}

TEST(ContentMemo, NothingIsWrittenWhileSuppressedOrBeforeTheTreeIsReady)
{
    MemoTree fx("keep");
    typeAtEnd(fx.memo(), QStringLiteral(" typed"));
    SaveSuppressed = true;
    fx.click(1);
    SaveSuppressed = false;
    EXPECT_EQ(fx.aBytes(), QByteArray("keep"));

    fx.click(0);
    typeAtEnd(fx.memo(), QStringLiteral(" typed"));
    TreeReady = false;
    EXPECT_TRUE(fx.w().TSaveNode(NodeName));
    TreeReady = true;
    EXPECT_EQ(fx.aBytes(), QByteArray("keep"));
}

TEST(ContentMemo, AMissingMemoShowsNothingAndIsNotWrittenWithAnotherNodesText)
{
    MemoTree fx("a text");
    // The file disappears between the node's classification and its reading.
    NodeName = QStringLiteral("gone.txt");
    NodeKind = KindMemo;
    fx.w().TReadNode();
    EXPECT_EQ(fx.w().statusText(2), QStringLiteral("gone.txt なし"));
    EXPECT_FALSE(fx.w().PanelMemo->isVisibleTo(&fx.w()));
    EXPECT_TRUE(fx.w().TSaveNode(NodeName));
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/gone.txt")));
    EXPECT_EQ(fx.aBytes(), QByteArray("a text"));
}

TEST(ContentMemo, AMemoDeletedBehindTheProgramsBackIsCreatedAgain)
{
    MemoTree fx("still here");
    typeAtEnd(fx.memo(), QStringLiteral(" and more"));
    QFile::remove(fx.a());
    fx.click(1);
    EXPECT_EQ(fx.aBytes(), QByteArray("still here and more"));
}

TEST(ContentMemo, OpeningAnotherTreeWritesTheMemoFirst)
{
    MemoTree fx("first");
    typeAtEnd(fx.memo(), QStringLiteral(" edited"));
    fx.dir.createSjisFile(QStringLiteral("other/O.Orvan"), QStringLiteral("o.txt\r\n"));
    fx.dir.createFile(QStringLiteral("other/o.txt"), "other");
    fx.ui.fileAnswers.enqueue(fx.dir.file(QStringLiteral("other/O.Orvan")));
    fx.w().ToolButtonTOClick();
    EXPECT_EQ(fx.aBytes(), QByteArray("first edited"));
    EXPECT_EQ(fx.memo()->toPlainText(), QStringLiteral("other"));
}

} // namespace

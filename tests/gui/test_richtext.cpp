// Rich-text nodes in the main window: shown in RichEdit1, written back on leaving
// without ever turning an untouched file into another form, and asking before an edit
// overwrites formatting that could not be kept.

#include "base/globals.h"
#include "support/windowfixture.h"
#include "tree/rtfformat.h"
#include "tree/rtfreader.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextEdit>
#include "support/filetimes.h"

#include <gtest/gtest.h>

namespace {

const QDateTime kLongAgo(QDate(2001, 2, 3), QTime(4, 5, 6));

// A file as the rich-edit control writes it, NUL at the end included: 日本語 then a bold あ.
const char RichEditRaw[] =
    "{\\rtf1\\ansi\\ansicpg932\\deff0\\nouicompat\\deflang1033\\deflangfe1041{\\fonttbl{\\f0\\fnil\\fcharset128 "
    "\\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}}\r\n{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
    "\\pard\\f0\\fs18\\lang1041\\'93\\'fa\\'96\\'7b\\'8c\\'ea\\b\\'82\\'a0\\b0\\par\r\n}\r\n\0";
const QByteArray RichEditFile(RichEditRaw, sizeof RichEditRaw - 1);

// The same with a picture, which the view cannot show.
const QByteArray WithPicture =
    "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 \\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}}"
    "\\viewkind4\\uc1\\pard\\f0\\fs18 \\'93\\'fa{\\pict\\pngblip\\picw1\\pich1 89504e470d0a1a0a}\\par\r\n}\r\n";

// A rich-text node a.rtf shown first, and a memo b.txt to leave it for.
struct RichTree : WindowFixture {
    explicit RichTree(const QByteArray &aBytes)
        : WindowFixture(QStringLiteral("a.rtf\r\nb.txt\r\n"), false)
    {
        dir.createFile(QStringLiteral("docs/a.rtf"), aBytes);
        dir.createFile(QStringLiteral("docs/b.txt"), "b");
        window->FormActivate();
    }
    QString a() const { return dir.file(QStringLiteral("docs/a.rtf")); }
    QByteArray aBytes() const { return dir.read(QStringLiteral("docs/a.rtf")); }
    QTextEdit *edit() { return window->RichEdit1; }
    QString shown() { return edit()->toPlainText(); }
    void typeAtEnd(const QString &text)
    {
        edit()->moveCursor(QTextCursor::End);
        edit()->insertPlainText(text);
    }
    void select(int from, int to)
    {
        QTextCursor c = edit()->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        edit()->setTextCursor(c);
    }
    QTextCharFormat formatAt(int position)
    {
        QTextCursor c(edit()->document());
        c.setPosition(position + 1);
        return c.charFormat();
    }
    // Files in the tree's folder besides the tree and the two nodes.
    QStringList others() const
    {
        QStringList names = QDir(dir.file(QStringLiteral("docs"))).entryList(QDir::Files);
        for (const char *known : {"T.Orvan", "a.rtf", "b.txt"})
            names.removeAll(QString::fromLatin1(known));
        return names;
    }
    // The document a file's bytes give.
    static QString textOf(const QByteArray &bytes)
    {
        QTextDocument doc;
        Rtf::read(bytes, &doc);
        return doc.toPlainText();
    }
};

TEST(RichText, ShowsTheFileInTheRichTextViewWithItsOwnLook)
{
    RichTree fx(RichEditFile);
    ASSERT_TRUE(fx.w().PanelRichEdit->isVisibleTo(&fx.w()));
    EXPECT_EQ(fx.shown(), QStringLiteral("日本語あ"));
    EXPECT_TRUE(fx.formatAt(3).font().bold());
    EXPECT_FALSE(fx.formatAt(2).font().bold());
    EXPECT_EQ(fx.w().statusText(2).trimmed(), QString());

    // ＭＳ 明朝 12 pixels, no wrap, both scroll bars, whatever the settings say.
    EXPECT_EQ(fx.edit()->font().family(), QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(fx.edit()->font().pixelSize(), 12);
    EXPECT_EQ(fx.edit()->lineWrapMode(), QTextEdit::NoWrap);
    EXPECT_EQ(fx.edit()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(fx.edit()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST(RichText, AFileDeletedBehindTheProgramsBackIsCreatedAgainOnLeaving)
{
    RichTree fx(RichEditFile);
    ASSERT_TRUE(QFile::remove(fx.a()));
    fx.click(1);
    EXPECT_EQ(fx.aBytes(), RichEditFile);
}

// Leaving a node that was not edited writes back the very bytes that were read (the
// file is rewritten, as every leave does), never this program's own RTF.
TEST(RichText, AnUntouchedFileKeepsItsBytes)
{
    struct Case {
        const char *name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"rich-edit output with a trailing NUL", RichEditFile},
        {"formatting the view cannot keep", WithPicture},
        {"plain text, not RTF", "plain\r\n\x82\xa0"},
        {"bytes that are not Shift-JIS", "\xef\xbb\xbfutf-8 \xe3\x81\x82"},
    };
    for (const Case &c : cases) {
        RichTree fx(c.bytes);
        setModified(fx.a(), kLongAgo);
        fx.click(1);
        EXPECT_EQ(fx.aBytes(), c.bytes) << c.name;
        EXPECT_NE(modified(fx.a()), kLongAgo) << c.name;
        fx.click(0);
        fx.close(); // and again at close
        EXPECT_EQ(fx.aBytes(), c.bytes) << c.name;
        EXPECT_EQ(fx.ui.count(QStringLiteral("formatloss")), 0) << c.name;
        EXPECT_TRUE(fx.others().isEmpty()) << c.name;
    }
}

TEST(RichText, EditsAreWrittenAsRichEditRtfOnLeaving)
{
    RichTree fx(RichEditFile);
    fx.typeAtEnd(QStringLiteral("と㈱"));
    fx.click(1);
    const QByteArray rtf = fx.aBytes();
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg932\\deff0")) << rtf.constData();
    EXPECT_TRUE(rtf.endsWith("\\par\r\n}\r\n")) << rtf.constData();
    EXPECT_EQ(RichTree::textOf(rtf), QStringLiteral("日本語あと㈱"));
    EXPECT_TRUE(fx.ui.events.isEmpty());

    // Shown again, it reads whole and keeps its bold.
    fx.click(0);
    EXPECT_EQ(fx.shown(), QStringLiteral("日本語あと㈱"));
    EXPECT_TRUE(fx.formatAt(3).font().bold());
    EXPECT_EQ(fx.w().statusText(2).trimmed(), QString());
}

TEST(RichText, AnEditedPlainTextFileBecomesRtf)
{
    RichTree fx("line1\r\nline2");
    EXPECT_EQ(fx.shown(), QStringLiteral("line1\nline2"));
    fx.typeAtEnd(QStringLiteral("!"));
    fx.click(1);
    EXPECT_TRUE(Rtf::looksLikeRtf(fx.aBytes()));
    EXPECT_EQ(RichTree::textOf(fx.aBytes()), QStringLiteral("line1\nline2!"));
}

TEST(RichText, FormattingThatCannotBeKeptIsNamedWhenShown)
{
    RichTree fx(WithPicture);
    EXPECT_EQ(fx.shown(), QStringLiteral("日"));
    EXPECT_TRUE(fx.w().statusText(2).contains(Rtf::Lost::picture())) << fx.w().statusText(2).toStdString();
}

// An edit of a file holding formatting the view cannot keep: the user is asked; "no"
// (also the answer when nobody answers) keeps the file and saves the edit beside it.
TEST(RichText, AnEditThatWouldLoseFormattingKeepsTheFileUnlessTheUserAgrees)
{
    {
        RichTree fx(WithPicture);
        fx.typeAtEnd(QStringLiteral("本"));
        fx.click(1);
        EXPECT_EQ(fx.aBytes(), WithPicture);
        ASSERT_EQ(fx.ui.texts(QStringLiteral("formatloss")), QStringList{Rtf::Lost::picture()});
        const QStringList beside = fx.others();
        ASSERT_EQ(beside.size(), 1);
        EXPECT_TRUE(beside.constFirst().startsWith(QStringLiteral("a (競合 "))) << beside.constFirst().toStdString();
        EXPECT_EQ(RichTree::textOf(fx.dir.read(QStringLiteral("docs/") + beside.constFirst())),
                  QStringLiteral("日本"));
        EXPECT_EQ(fx.ui.count(QStringLiteral("message")), 1);
        EXPECT_EQ(NodeName, QStringLiteral("b.txt")); // the selection moved on
        // Coming back shows the file, which still holds the picture; nothing more is asked.
        fx.click(0);
        fx.click(1);
        EXPECT_EQ(fx.ui.count(QStringLiteral("formatloss")), 1);
        EXPECT_EQ(fx.aBytes(), WithPicture);
    }
    {
        RichTree fx(WithPicture);
        fx.ui.overwriteFormatAnswers.enqueue(true);
        fx.typeAtEnd(QStringLiteral("本"));
        fx.click(1);
        EXPECT_EQ(RichTree::textOf(fx.aBytes()), QStringLiteral("日本"));
        EXPECT_FALSE(fx.aBytes().contains("pict"));
        EXPECT_TRUE(fx.others().isEmpty());
        // Now the file holds only what the view shows: the next edit is written without asking.
        fx.click(0);
        fx.typeAtEnd(QStringLiteral("語"));
        fx.click(1);
        EXPECT_EQ(fx.ui.count(QStringLiteral("formatloss")), 1);
        EXPECT_EQ(RichTree::textOf(fx.aBytes()), QStringLiteral("日本語"));
    }
}

TEST(RichText, AFileChangedByAnotherProgramIsNotOverwrittenByTheView)
{
    RichTree fx(RichEditFile);
    const QByteArray other = "{\\rtf1\\ansi other\\par}";
    fx.dir.createFile(QStringLiteral("docs/a.rtf"), other);
    fx.click(1); // not edited: the file stays as the other program wrote it
    EXPECT_EQ(fx.aBytes(), other);
    fx.click(0);
    EXPECT_EQ(fx.shown(), QStringLiteral("other"));
}

TEST(RichText, AnUntouchedViewTakesTheFilesNewContentWhenTheUserComesBack)
{
    RichTree fx(RichEditFile);
    fx.dir.createFile(QStringLiteral("docs/a.rtf"), "{\\rtf1\\ansi new\\par}");
    fx.w().RefreshContentFromDisk();
    EXPECT_EQ(fx.shown(), QStringLiteral("new"));

    // An edited view keeps the user's text; leaving then asks which version stays.
    fx.typeAtEnd(QStringLiteral("!"));
    fx.dir.createFile(QStringLiteral("docs/a.rtf"), "{\\rtf1\\ansi newer\\par}");
    fx.w().RefreshContentFromDisk();
    EXPECT_EQ(fx.shown(), QStringLiteral("new!"));
    fx.click(1);
    EXPECT_EQ(fx.ui.count(QStringLiteral("conflict")), 1);
    EXPECT_EQ(fx.aBytes(), QByteArray("{\\rtf1\\ansi newer\\par}"));
    ASSERT_EQ(fx.others().size(), 1); // the edited version, kept beside
    EXPECT_EQ(RichTree::textOf(fx.dir.read(QStringLiteral("docs/") + fx.others().constFirst())), QStringLiteral("new!"));
}

// ---- the toolbar -------------------------------------------------------------------

// "日本語あ" with its first three characters selected.
struct ToolbarTree : RichTree {
    ToolbarTree() : RichTree(RichEditFile) { select(0, 3); }
    void chooseSize(const QString &size) { window->RFontSize->setEditText(size); }
    void chooseColour(const QString &name)
    {
        window->RFontColorBox->setCurrentIndex(window->RFontColorBox->findData(name));
    }
};

TEST(RichToolbar, StyleButtonsDoNotToggleOrCombine)
{
    ToolbarTree fx;
    fx.w().ToolButtonRB->trigger();
    EXPECT_TRUE(fx.formatAt(0).font().bold());
    fx.w().ToolButtonRB->trigger(); // a second press leaves it bold
    EXPECT_TRUE(fx.formatAt(0).font().bold());
    fx.w().ToolButtonRI->trigger();
    EXPECT_TRUE(fx.formatAt(0).fontItalic());
    EXPECT_FALSE(fx.formatAt(0).font().bold());
    fx.w().ToolButtonRU->trigger();
    EXPECT_TRUE(fx.formatAt(2).fontUnderline());
    EXPECT_FALSE(fx.formatAt(2).fontItalic());
    EXPECT_FALSE(fx.formatAt(3).fontUnderline()); // outside the selection
    EXPECT_TRUE(fx.formatAt(3).font().bold());
}

TEST(RichToolbar, ANewSizeOrNameMakesTheSelectionPlain)
{
    ToolbarTree fx;
    fx.w().ToolButtonRB->trigger();
    fx.chooseSize(QStringLiteral("20"));
    EXPECT_FALSE(fx.formatAt(1).font().bold());
    EXPECT_EQ(fx.formatAt(1).fontPointSize(), 20.0);

    fx.w().ToolButtonRU->trigger();
    fx.w().RFontName->setEditText(QStringLiteral("Arial"));
    EXPECT_FALSE(fx.formatAt(1).fontUnderline());
    EXPECT_EQ(fx.formatAt(1).fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
    EXPECT_EQ(fx.formatAt(1).fontPointSize(), 20.0);
}

TEST(RichToolbar, AColourKeepsTheLastStyleWithTheToolbarsNameAndSize)
{
    ToolbarTree fx;
    fx.chooseSize(QStringLiteral("14"));
    fx.w().ToolButtonRU->trigger();
    fx.chooseColour(QStringLiteral("clRed"));
    const QTextCharFormat f = fx.formatAt(0);
    EXPECT_TRUE(f.fontUnderline());
    EXPECT_FALSE(f.font().bold());
    EXPECT_EQ(f.foreground().color(), QColor(Qt::red));
    EXPECT_EQ(f.fontPointSize(), 14.0);
    EXPECT_EQ(f.fontFamilies().toStringList(), QStringList{QStringLiteral("ＭＳ 明朝")});
}

TEST(RichToolbar, ASizeFieldWithoutANumberLeavesTheSizeAlone)
{
    ToolbarTree fx;
    for (const char *text : {"", "abc", "0", "-5", "inf", "nan"}) {
        fx.chooseSize(QString::fromLatin1(text));
        EXPECT_EQ(fx.formatAt(0).fontPointSize(), 9.0) << text;
    }
    // No range limit short of what a rich-text file can hold.
    fx.chooseSize(QStringLiteral("10.5"));
    EXPECT_EQ(fx.formatAt(0).fontPointSize(), 10.5);
    fx.chooseSize(QStringLiteral("1e9"));
    EXPECT_EQ(fx.formatAt(0).fontPointSize(), MaxToolbarPointSize);
}

TEST(RichToolbar, ShowsTheCaretsFontAtActivationWithoutChangingTheFile)
{
    RichTree fx(RichEditFile);
    EXPECT_EQ(fx.w().RFontName->currentText(), QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(fx.w().RFontSize->currentText(), QStringLiteral("9"));
    EXPECT_EQ(fx.w().RFontName->width(), 113);
    EXPECT_EQ(fx.w().RFontName->lineEdit()->focusPolicy() & Qt::TabFocus, 0); // skipped by Tab
    EXPECT_FALSE(fx.edit()->document()->isModified());

    // The colour box: plain names, no custom entry, starting on ScrollBar.
    EXPECT_EQ(fx.w().RFontColorBox->currentText(), QStringLiteral("ScrollBar"));
    EXPECT_EQ(fx.w().RFontColorBox->itemText(0), QStringLiteral("Black"));
    EXPECT_GE(fx.w().RFontColorBox->findText(QStringLiteral("MoneyGreen")), 0);
    EXPECT_EQ(fx.w().RFontColorBox->findText(QStringLiteral("Custom")), -1);

    fx.click(1);
    EXPECT_EQ(fx.aBytes(), RichEditFile);
}

TEST(RichToolbar, AToolbarChangeIsAnEditThatReachesTheFile)
{
    ToolbarTree fx;
    fx.w().ToolButtonRI->trigger();
    fx.click(1);
    QTextDocument doc;
    Rtf::read(fx.aBytes(), &doc);
    QTextCursor c(&doc);
    c.setPosition(1);
    EXPECT_TRUE(c.charFormat().fontItalic());
    c.setPosition(4);
    EXPECT_FALSE(c.charFormat().fontItalic());
}

} // namespace

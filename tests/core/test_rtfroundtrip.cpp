// Writing RTF: the shape the rich-edit control writes, and documents that come back
// whole through RTF -> document -> RTF -> document.

#include "base/sjiscodec.h"
#include "support/foundinputs.h"
#include "tree/rtfformat.h"
#include "tree/rtfreader.h"
#include "tree/rtfwriter.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextTable>
#include <functional>
#include <gtest/gtest.h>

namespace {

QString u(const char16_t *s)
{
    return QString::fromUtf16(s);
}

// A document like RichEdit1's: ＭＳ 明朝 12 pixels by default.
void setEditorDefaults(QTextDocument &doc)
{
    QFont f(u(u"ＭＳ 明朝"));
    f.setPixelSize(12);
    doc.setDefaultFont(f);
}

// What a user sees of one character: the formats this program keeps.
struct Look {
    QChar ch;
    QString family;
    qreal size = 0;
    bool bold = false, italic = false, strike = false;
    int underline = 0;
    QRgb fg = 0, bg = 0;
    bool hasFg = false, hasBg = false;
    int vertical = 0;
    int caps = 0;
    bool operator==(const Look &o) const
    {
        return ch == o.ch && family == o.family && size == o.size && bold == o.bold && italic == o.italic &&
               strike == o.strike && underline == o.underline && hasFg == o.hasFg && hasBg == o.hasBg &&
               (!hasFg || fg == o.fg) && (!hasBg || bg == o.bg) && vertical == o.vertical && caps == o.caps;
    }
};

std::ostream &operator<<(std::ostream &os, const Look &l)
{
    return os << "'" << QString(l.ch).toStdString() << "' " << l.family.toStdString() << " " << l.size
              << (l.bold ? " b" : "") << (l.italic ? " i" : "") << " ul" << l.underline
              << (l.strike ? " s" : "") << " fg" << (l.hasFg ? l.fg : 0) << " bg" << (l.hasBg ? l.bg : 0)
              << " v" << l.vertical << " caps" << l.caps;
}

QList<Look> looks(const QTextDocument &doc)
{
    QList<Look> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            const QFont font = f.font().resolve(doc.defaultFont());
            for (const QChar ch : it.fragment().text()) {
                Look l;
                l.ch = ch;
                l.family = font.families().value(0, font.family());
                l.size = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
                l.bold = font.bold();
                l.italic = font.italic();
                l.strike = font.strikeOut();
                l.underline = f.underlineStyle();
                l.hasFg = f.foreground().style() != Qt::NoBrush;
                l.fg = f.foreground().color().rgb();
                l.hasBg = f.background().style() != Qt::NoBrush;
                l.bg = f.background().color().rgb();
                l.vertical = f.verticalAlignment();
                l.caps = font.capitalization();
                out.append(l);
            }
        }
        out.append(Look{QChar(u'\n')});
    }
    return out;
}

struct Para {
    int align;
    qreal left, right, first, before, after, lineHeight;
    int lineType;
    int tabs;
    bool operator==(const Para &o) const = default;
};

QList<Para> paras(const QTextDocument &doc)
{
    QList<Para> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat f = b.blockFormat();
        int align = int(f.alignment() & Qt::AlignHorizontal_Mask);
        if (align == 0)
            align = Qt::AlignLeft;
        out.append(Para{align, f.leftMargin(), f.rightMargin(), f.textIndent(), f.topMargin(), f.bottomMargin(),
                        f.lineHeight(), f.lineHeightType(), int(f.tabPositions().size())});
    }
    return out;
}

// Builds a document from runs; each run may change the format of its text and the
// paragraph it ends in.
struct TextRun {
    QString text;
    std::function<void(QTextCharFormat &)> format;
};

void build(QTextDocument &doc, const QList<TextRun> &runs, const std::function<void(QTextBlockFormat &)> &para = {})
{
    setEditorDefaults(doc);
    QTextCursor c(&doc);
    for (const TextRun &r : runs) {
        QTextCharFormat f;
        if (r.format)
            r.format(f);
        const QStringList parts = r.text.split(u'\n');
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (i > 0)
                c.insertBlock();
            c.insertText(parts.at(i), f);
        }
    }
    if (para) {
        QTextBlockFormat bf;
        para(bf);
        c.select(QTextCursor::Document);
        c.setBlockFormat(bf);
    }
}

// RTF -> document -> RTF -> document: the second document looks like the first, and
// the second RTF is byte for byte the first one written.
void expectRoundTrip(const QTextDocument &original, const char *name)
{
    const Rtf::WriteResult w1 = Rtf::write(original);
    EXPECT_TRUE(w1.notWritten.isEmpty()) << name;
    QTextDocument back;
    setEditorDefaults(back);
    const Rtf::ReadResult r1 = Rtf::read(w1.bytes, &back);
    ASSERT_TRUE(r1.rtf) << name;
    EXPECT_TRUE(r1.complete()) << name << ": " << r1.notKept.join(u',').toStdString();
    EXPECT_EQ(back.toPlainText(), original.toPlainText()) << name;
    EXPECT_EQ(looks(back), looks(original)) << name << "\n" << w1.bytes.constData();
    EXPECT_EQ(paras(back), paras(original)) << name;

    const QByteArray w2 = Rtf::write(back).bytes;
    EXPECT_EQ(w2, w1.bytes) << name << "\n" << w1.bytes.constData() << "\n" << w2.constData();
    QTextDocument again;
    setEditorDefaults(again);
    Rtf::read(w2, &again);
    EXPECT_EQ(looks(again), looks(original)) << name;
}

TEST(RtfRoundTrip, KeepsTextAndEveryCharacterFormat)
{
    using F = QTextCharFormat;
    struct Case {
        const char *name;
        QList<TextRun> runs;
    };
    const QList<Case> cases = {
        {"plain Japanese in the default font", {{u(u"日本語のメモ、ＡＢＣ①Ⅱｱｲｳ"), {}}}},
        {"empty document", {}},
        {"bold", {{u(u"普通"), {}}, {u(u"太字"), [](F &f) { f.setFontWeight(QFont::Bold); }}}},
        {"italic", {{u(u"斜体"), [](F &f) { f.setFontItalic(true); }}}},
        {"underline", {{u(u"下線"), [](F &f) { f.setFontUnderline(true); }}}},
        {"wave and dotted underline",
         {{QStringLiteral("w"), [](F &f) { f.setUnderlineStyle(F::WaveUnderline); }},
          {QStringLiteral("d"), [](F &f) { f.setUnderlineStyle(F::DotLine); }},
          {QStringLiteral("-"), [](F &f) { f.setUnderlineStyle(F::DashUnderline); }}}},
        {"strike", {{u(u"取り消し"), [](F &f) { f.setFontStrikeOut(true); }}}},
        {"sizes", {{QStringLiteral("a"), [](F &f) { f.setFontPointSize(20); }},
                   {QStringLiteral("b"), [](F &f) { f.setFontPointSize(10.5); }},
                   {QStringLiteral("c"), [](F &f) { f.setFontPointSize(72); }}}},
        {"colours", {{u(u"赤"), [](F &f) { f.setForeground(QColor(255, 0, 0)); }},
                     {u(u"青地"), [](F &f) { f.setBackground(QColor(0, 0, 255)); }},
                     {u(u"両方"), [](F &f) { f.setForeground(QColor(1, 2, 3)); f.setBackground(Qt::yellow); }},
                     {u(u"自動"), {}}}},
        {"fonts", {{QStringLiteral("Arial"), [](F &f) { f.setFontFamilies({QStringLiteral("Arial")}); }},
                   {u(u"ゴシック"), [](F &f) { f.setFontFamilies({u(u"ＭＳ ゴシック")}); }},
                   {QStringLiteral("x"), [](F &f) {
                        f.setFontFamilies({QStringLiteral("Arial")});
                        f.setProperty(Rtf::FontCharsetProperty, 0);
                    }}}},
        {"super, sub and capitals",
         {{QStringLiteral("2"), [](F &f) { f.setVerticalAlignment(F::AlignSuperScript); }},
          {QStringLiteral("i"), [](F &f) { f.setVerticalAlignment(F::AlignSubScript); }},
          {QStringLiteral("caps"), [](F &f) { f.setFontCapitalization(QFont::AllUppercase); }},
          {QStringLiteral("small"), [](F &f) { f.setFontCapitalization(QFont::SmallCaps); }}}},
        {"everything at once", {{u(u"全部"), [](F &f) {
                                     f.setFontWeight(QFont::Bold);
                                     f.setFontItalic(true);
                                     f.setFontUnderline(true);
                                     f.setFontStrikeOut(true);
                                     f.setFontPointSize(14);
                                     f.setForeground(QColor(0, 128, 0));
                                     f.setFontFamilies({u(u"ＭＳ Ｐゴシック")});
                                 }},
                                {u(u"戻る"), {}}}},
        {"characters Shift-JIS lacks",
         {{u(u"café ñ € ¥ \u301C \U0001F600 한국어 Ω"), {}},
          {u(u"é in a Western font"), [](F &f) { f.setProperty(Rtf::FontCharsetProperty, 0); }}}},
        {"RTF's own characters", {{u(u"\\ { } \\par 表示 ソ"), {}}}},
        {"paragraphs, empty lines, tabs and line breaks",
         {{u(u"一行目\tタブ\u2028改行\n\n三行目\n"), {}}, {u(u"太字の段落"), [](F &f) { f.setFontWeight(700); }}}},
        {"special spaces and hyphens", {{u(u"a\u00A0b\u00ADc\u2011d\u2014e\u2022"), {}}}},
    };
    for (const Case &c : cases) {
        QTextDocument doc;
        build(doc, c.runs);
        expectRoundTrip(doc, c.name);
    }
}

TEST(RtfRoundTrip, KeepsParagraphFormats)
{
    using B = QTextBlockFormat;
    struct Case {
        const char *name;
        std::function<void(B &)> para;
    };
    const QList<Case> cases = {
        {"centre", [](B &b) { b.setAlignment(Qt::AlignHCenter); }},
        {"right", [](B &b) { b.setAlignment(Qt::AlignRight); }},
        {"justify", [](B &b) { b.setAlignment(Qt::AlignJustify); }},
        {"indents", [](B &b) { b.setLeftMargin(48); b.setRightMargin(24); b.setTextIndent(-12); }},
        {"spacing", [](B &b) { b.setTopMargin(8); b.setBottomMargin(4); }},
        {"proportional line height", [](B &b) { b.setLineHeight(150, B::ProportionalHeight); }},
        {"fixed line height", [](B &b) { b.setLineHeight(20, B::FixedHeight); }},
        {"tab stops", [](B &b) {
             b.setTabPositions({QTextOption::Tab(96, QTextOption::LeftTab),
                                QTextOption::Tab(192, QTextOption::RightTab),
                                QTextOption::Tab(288, QTextOption::CenterTab)});
         }},
    };
    for (const Case &c : cases) {
        QTextDocument doc;
        build(doc, {{u(u"第一段落\n第二段落"), {}}}, c.para);
        expectRoundTrip(doc, c.name);
    }
}

// The rich-edit control's shape, so that it and word processors read the file back.
TEST(RtfWriter, WritesTheRichEditShape)
{
    QTextDocument doc;
    build(doc, {{u(u"あ"), {}}, {QStringLiteral("b"), [](QTextCharFormat &f) { f.setFontWeight(QFont::Bold); }}});
    const QByteArray rtf = Rtf::write(doc).bytes;
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg932\\deff0")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset128 \\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}}"))
        << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\viewkind4\\uc1\\pard")) << rtf.constData();
    // 12 pixels are 9 points; Shift-JIS bytes for あ; bold switched on for "b" only.
    EXPECT_TRUE(rtf.contains("\\f0\\fs18\\'82\\'a0\\b b\\par\r\n}")) << rtf.constData();
    EXPECT_TRUE(rtf.endsWith("\\par\r\n}\r\n")) << rtf.constData();
    for (const char c : rtf)
        EXPECT_LT(uchar(c), 0x80) << "RTF is 7-bit text";
}

TEST(RtfWriter, WritesUnicodeWithAFallbackWhereShiftJisFallsShort)
{
    struct Case {
        const char16_t *text;
        const char *expected;
    };
    const Case cases[] = {
        {u"é", "\\u233?"},
        {u"\u301C", "\\u12316?"},         // WAVE DASH, not turned into FULLWIDTH TILDE
        {u"\uFF5E", "\\'81\\'60"},        // FULLWIDTH TILDE is Shift-JIS 8160
        {u"\U0001F600", "\\u-10179?\\u-8704?"},
        {u"\uFFE0", "\\'81\\'91"},        // FULLWIDTH CENT SIGN
        {u"\u00A2", "\\u162?"},           // CENT SIGN stays itself
        {u"\u2460", "\\'87\\'40"},        // ① from the NEC row
    };
    for (const Case &c : cases) {
        QTextDocument doc;
        build(doc, {{u(c.text), {}}});
        const QByteArray rtf = Rtf::write(doc).bytes;
        EXPECT_TRUE(rtf.contains(c.expected)) << c.expected << "\n" << rtf.constData();
        QTextDocument back;
        Rtf::read(rtf, &back);
        EXPECT_EQ(back.toPlainText(), u(c.text)) << c.expected;
    }
}

TEST(RtfWriter, NamesWhatItCannotWrite)
{
    QTextDocument pictures;
    setEditorDefaults(pictures);
    QTextCursor(&pictures).insertImage(QStringLiteral("x.png"));
    EXPECT_TRUE(Rtf::write(pictures).notWritten.contains(Rtf::Lost::picture()));

    QTextDocument table;
    QTextCursor(&table).insertTable(2, 2);
    EXPECT_TRUE(Rtf::write(table).notWritten.contains(Rtf::Lost::table()));

    QTextDocument link;
    link.setHtml(QStringLiteral("<a href=\"http://example.com\">link</a>"));
    EXPECT_TRUE(Rtf::write(link).notWritten.contains(Rtf::Lost::field()));

    QTextDocument list;
    list.setHtml(QStringLiteral("<ul><li>one</li></ul>"));
    EXPECT_TRUE(Rtf::write(list).notWritten.contains(Rtf::Lost::list()));

    // Control characters cannot stand in RTF text: left out, and named.
    QTextDocument control;
    setEditorDefaults(control);
    QTextCursor(&control).insertText(QString::fromUtf16(u"A\u0007B\u001bC"));
    const Rtf::WriteResult written = Rtf::write(control);
    EXPECT_EQ(written.notWritten, QStringList{Rtf::Lost::controlCharacters()});
    QTextDocument back;
    Rtf::read(written.bytes, &back);
    EXPECT_EQ(back.toPlainText(), "ABC");
    // DEL survives, also read back under the Shift-JIS code page (found by fuzzing).
    const QByteArray found = foundInput(QStringLiteral("rtf_del_roundtrip.rtf"));
    ASSERT_FALSE(found.isEmpty());
    QTextDocument fromFile;
    Rtf::read(found, &fromFile);
    ASSERT_TRUE(fromFile.toPlainText().contains(QChar(0x7F)));
    QTextDocument again;
    EXPECT_TRUE(Rtf::read(Rtf::write(fromFile).bytes, &again).complete());
    EXPECT_EQ(again.toPlainText(), fromFile.toPlainText());
    // A font charset whose code page cannot be read back (130, code page 1361) is written
    // as Shift-JIS, so the file the program wrote reads back whole (found by fuzzing).
    const QByteArray johab = foundInput(QStringLiteral("rtf_charset_1361.rtf"));
    ASSERT_FALSE(johab.isEmpty());
    QTextDocument fromJohab;
    Rtf::read(johab, &fromJohab);
    QTextDocument johabAgain;
    EXPECT_TRUE(Rtf::read(Rtf::write(fromJohab).bytes, &johabAgain).complete());
    EXPECT_EQ(johabAgain.toPlainText(), fromJohab.toPlainText());
    // A tab is no control character to lose.
    QTextDocument tab;
    setEditorDefaults(tab);
    QTextCursor(&tab).insertText("A\tB");
    EXPECT_TRUE(Rtf::write(tab).notWritten.isEmpty());
}

// A file the rich-edit control wrote survives reading and writing with text and
// character formats intact, even though the header is ours afterwards.
TEST(RtfRoundTrip, RichEditFileKeepsItsLook)
{
    const QByteArray file =
        "{\\rtf1\\ansi\\ansicpg932\\deff0\\deflang1033\\deflangfe1041{\\fonttbl{\\f0\\fmodern\\fprq1"
        "\\fcharset128 \\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}{\\f1\\fnil\\fcharset0 Arial;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
        "\\viewkind4\\uc1\\pard\\lang1041\\f0\\fs18\\'8d\\'a1\\'93\\'fa\\'82\\'cd\\b\\'90\\'b0\\b0\\i\\'82\\'ea\\i0 "
        "\\ul\\'82\\'e9\\ulnone\\cf1\\'81\\'42\\cf0\\par\r\n"
        "\\f1\\fs24\\lang1033 caf\\'e9 \\u8364?\\par\r\n"
        "\\f0\\fs18\\lang1041\\par\r\n}\r\n";
    QTextDocument first;
    setEditorDefaults(first);
    ASSERT_TRUE(Rtf::read(file, &first).complete());
    EXPECT_EQ(first.toPlainText(), u(u"今日は晴れる。\ncafé €\n"));
    expectRoundTrip(first, "rich-edit file");
}

} // namespace

// Reading RTF as the Windows rich-edit control and word processors write it.

#include "support/foundinputs.h"
#include "tree/rtfformat.h"
#include "tree/rtfreader.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

// The header the rich-edit control writes on a Japanese system, with ＭＳ 明朝 as \f0.
const QByteArray RichEditHeader =
    "{\\rtf1\\ansi\\ansicpg932\\deff0\\nouicompat\\deflang1033\\deflangfe1041"
    "{\\fonttbl{\\f0\\fnil\\fcharset128 \\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}"
    "{\\f1\\fswiss\\fprq2\\fcharset0 Arial;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
    "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n";

QByteArray richEdit(const QByteArray &body)
{
    return RichEditHeader + "\\pard\\sa200\\sl276\\slmult1\\f0\\fs18\\lang1041 " + body + "\\par\r\n}\r\n";
}

QString u(const char16_t *s)
{
    return QString::fromUtf16(s);
}

// The document's text with paragraph ends as "\n", line breaks and no-break spaces as stored.
QString text(const QTextDocument &doc)
{
    return doc.toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

QTextCharFormat formatAt(QTextDocument &doc, int position)
{
    QTextCursor c(&doc);
    c.setPosition(position + 1); // the format of the character before the cursor
    return c.charFormat();
}

TEST(RtfReader, ReadsTheRichEditControlsOwnOutputWholly)
{
    const QByteArray bytes = richEdit("\\'93\\'fa\\'96\\'7b\\'8c\\'ea abc\\par\r\n"
                                      "{\\b \\'91\\'be\\'8e\\'9a}\\cf1 red\\cf0\\f1\\fs24  Arial");
    QTextDocument doc;
    const Rtf::ReadResult r = Rtf::read(bytes, &doc);
    EXPECT_TRUE(r.rtf);
    EXPECT_TRUE(r.complete()) << r.notKept.join(u',').toStdString();
    EXPECT_EQ(text(doc), u(u"日本語 abc\n太字red Arial"));
    EXPECT_EQ(doc.blockCount(), 2); // the closing \par adds no empty paragraph

    const QTextCharFormat first = formatAt(doc, 0);
    EXPECT_EQ(first.fontFamilies().toStringList(), QStringList{u(u"ＭＳ 明朝")});
    EXPECT_EQ(first.fontPointSize(), 9.0);
    EXPECT_EQ(first.intProperty(Rtf::FontCharsetProperty), 128);
    EXPECT_FALSE(first.font().bold());

    const int second = doc.findBlockByNumber(1).position();
    EXPECT_TRUE(formatAt(doc, second).font().bold());
    EXPECT_EQ(formatAt(doc, second + 2).foreground().color(), QColor(255, 0, 0));
    EXPECT_FALSE(formatAt(doc, second + 2).font().bold()); // the group ended
    const QTextCharFormat arial = formatAt(doc, second + 6);
    EXPECT_EQ(arial.fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
    EXPECT_EQ(arial.fontPointSize(), 12.0);
    EXPECT_EQ(arial.foreground().style(), Qt::NoBrush); // \cf0 is automatic

    // \sa200\sl276\slmult1: 10 points after, 1.15 lines.
    const QTextBlockFormat para = doc.begin().blockFormat();
    EXPECT_NEAR(para.bottomMargin(), 200 / 15.0, 1e-9);
    EXPECT_EQ(para.lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
    EXPECT_NEAR(para.lineHeight(), 115.0, 1e-9);
    EXPECT_FALSE(doc.isModified());
}

// Text decoding traps: each body is read inside the rich-edit header unless it
// starts a document of its own.
TEST(RtfReader, DecodesCharactersThroughEveryEncodingPath)
{
    struct Case {
        const char *name;
        QByteArray rtf;
        const char16_t *text;
    };
    const Case cases[] = {
        {"double-byte character split across two escapes", richEdit("\\'82\\'a0\\'82\\'a2"), u"あい"},
        {"escape pair broken by a line end", richEdit("a\\'82\r\n\\'a0b"), u"aあb"},
        {"raw Shift-JIS whose second byte is a backslash", richEdit("\x95\x5c\x8e\xa6"), u"表示"},
        {"font charset 128 wins over \\ansicpg1252",
         "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset128 Gothic;}}\\f0 \\'82\\'a0}", u"あ"},
        {"font charset 238 wins over \\ansicpg932",
         "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial CE;}}\\f0 \\'e8\\'9a}",
         u"čš"},
        {"charset 0 is code page 1252", richEdit("\\f1 caf\\'e9"), u"café"},
        {"font without charset takes \\ansicpg",
         "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0 X;}}\\f0 \\'82\\'a0}", u"あ"},
        {"\\u with one fallback character", richEdit("\\u12354?x"), u"あx"},
        {"negative \\u above 32767", richEdit("\\u-162?\\u-211?"), u"～Ｍ"},
        {"\\uc2 skips a two-byte fallback", richEdit("\\uc2\\u12354\\'82\\'a0x"), u"あx"},
        {"\\uc0 skips nothing", richEdit("\\uc0\\u12354 x"), u"あx"},
        {"\\uc is kept per group", richEdit("{\\uc2\\u12354\\'82\\'a0}\\u12356?"), u"あい"},
        {"fallback never skips past a closing brace", richEdit("{\\uc3\\u12354 a}b"), u"あb"},
        {"surrogate pair from two \\u", richEdit("\\u-10179?\\u-8704?"), u"\U0001F600"},
        {"escaped specials", richEdit("\\\\ \\{x\\} a\\~b\\emdash\\bullet"), u"\\ {x} a\u00A0b\u2014\u2022"},
        {"line break and tab", richEdit("a\\line b\\tab c"), u"a\u2028b\tc"},
        {"\\plain resets format but keeps text", richEdit("{\\b a\\plain b}"), u"ab"},
        {"field keeps its result only",
         richEdit("{\\field{\\*\\fldinst{HYPERLINK \"http://x\"}}{\\fldrslt{link}}}"), u"link"},
        {"bullet text of a list is kept as text", richEdit("{\\pntext\\f1 -\\tab}item"), u"-\titem"},
    };
    for (const Case &c : cases) {
        QTextDocument doc;
        Rtf::read(c.rtf, &doc);
        EXPECT_EQ(text(doc), u(c.text)) << c.name;
    }
}

// What cannot be kept is dropped and named; what is only bookkeeping is dropped quietly.
TEST(RtfReader, NamesWhatItCouldNotKeep)
{
    struct Case {
        const char *name;
        QByteArray body;
        const char16_t *text;
        QString lost; // empty: nothing is reported
    };
    const Case cases[] = {
        {"generator and other metadata", "{\\*\\generator x}{\\*\\rsidtbl \\rsid1}a\\insrsid5 b", u"ab", {}},
        {"unknown starred destination", "{\\*\\oddthing secret}visible", u"visible",
         Rtf::Lost::destination(QStringLiteral("oddthing"))},
        {"unknown control word, its text kept", "{\\madeupword kept}", u"kept",
         Rtf::Lost::controlWord(QStringLiteral("madeupword"))},
        {"picture", "a{\\pict\\pngblip\\picw10 89504e47}b", u"ab", Rtf::Lost::picture()},
        {"picture behind \\shppict", "a{\\*\\shppict{\\pict\\emfblip 0100}}{\\nonshppict{\\pict 00}}b", u"ab",
         Rtf::Lost::picture()},
        {"\\bin data with braces and backslashes", "a{\\pict\\bin6 {{}\\\\}}b", u"ab", Rtf::Lost::picture()},
        {"\\bin in the body", "a\\bin2 xyb", u"ab", Rtf::Lost::binaryData()},
        {"header and footer", "{\\header head}body", u"body", Rtf::Lost::headerFooter()},
        {"hyperlink field", "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt t}}", u"t", Rtf::Lost::field()},
        {"hidden text", "a{\\v secret}b", u"ab", Rtf::Lost::hiddenText()},
        {"table", "\\trowd\\cellx1000\\intbl a\\cell b\\cell\\row", u"a\tb\t\n", Rtf::Lost::table()},
        {"double underline kept as single", "{\\uldb a}", u"a", Rtf::Lost::underlineKind()},
        {"stray byte in Shift-JIS", "\\'80", u"\u001A", Rtf::Lost::unreadableBytes()},
        {"unclosed group", "a{\\b b", u"ab", Rtf::Lost::unclosed()},
    };
    for (const Case &c : cases) {
        QByteArray bytes = richEdit(c.body);
        if (QByteArray(c.name) == "unclosed group")
            bytes = RichEditHeader + c.body; // no closing braces at all
        QTextDocument doc;
        const Rtf::ReadResult r = Rtf::read(bytes, &doc);
        EXPECT_EQ(text(doc), u(c.text)) << c.name;
        if (c.lost.isEmpty())
            EXPECT_TRUE(r.complete()) << c.name << ": " << r.notKept.join(u',').toStdString();
        else
            EXPECT_TRUE(r.notKept.contains(c.lost)) << c.name << ": " << r.notKept.join(u',').toStdString();
    }
}

TEST(RtfReader, KeepsCharacterFormats)
{
    const QByteArray bytes = richEdit("{\\b B}{\\i I}{\\ul U}{\\ulwave W}{\\strike S}{\\fs40 Z}{\\cf2 C}"
                                      "{\\highlight1 H}{\\super P}{\\sub D}{\\caps K}{\\f1 F}{\\b\\i\\ul\\b0 M}");
    QTextDocument doc;
    ASSERT_TRUE(Rtf::read(bytes, &doc).complete());
    ASSERT_EQ(doc.toPlainText(), QStringLiteral("BIUWSZCHPDKFM"));
    EXPECT_TRUE(formatAt(doc, 0).font().bold());
    EXPECT_TRUE(formatAt(doc, 1).fontItalic());
    EXPECT_EQ(formatAt(doc, 2).underlineStyle(), QTextCharFormat::SingleUnderline);
    EXPECT_EQ(formatAt(doc, 3).underlineStyle(), QTextCharFormat::WaveUnderline);
    EXPECT_TRUE(formatAt(doc, 4).fontStrikeOut());
    EXPECT_EQ(formatAt(doc, 5).fontPointSize(), 20.0);
    EXPECT_EQ(formatAt(doc, 6).foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatAt(doc, 7).background().color(), QColor(255, 0, 0));
    EXPECT_EQ(formatAt(doc, 8).verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(formatAt(doc, 9).verticalAlignment(), QTextCharFormat::AlignSubScript);
    EXPECT_EQ(formatAt(doc, 10).fontCapitalization(), QFont::AllUppercase);
    EXPECT_EQ(formatAt(doc, 11).fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
    const QTextCharFormat m = formatAt(doc, 12);
    EXPECT_FALSE(m.font().bold());
    EXPECT_TRUE(m.fontItalic());
    EXPECT_EQ(m.underlineStyle(), QTextCharFormat::SingleUnderline);
    // Nothing leaks out of a group.
    EXPECT_EQ(formatAt(doc, 6).fontPointSize(), 9.0);
}

TEST(RtfReader, KeepsParagraphFormatsPerParagraph)
{
    const QByteArray bytes = RichEditHeader +
                             "\\pard\\qc\\li720\\ri360\\fi-180\\sb120 centre\\par\r\n"
                             "\\pard\\qr\\tqr\\tx2880\\tx4320 right\\par\r\n"
                             "\\pard plain\\par\r\n\\par\r\n}";
    QTextDocument doc;
    ASSERT_TRUE(Rtf::read(bytes, &doc).complete());
    ASSERT_EQ(doc.blockCount(), 4); // the empty paragraph before the closing one is kept
    const QTextBlockFormat c = doc.findBlockByNumber(0).blockFormat();
    EXPECT_EQ(c.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(c.leftMargin(), 48.0);
    EXPECT_EQ(c.rightMargin(), 24.0);
    EXPECT_EQ(c.textIndent(), -12.0);
    EXPECT_EQ(c.topMargin(), 8.0);
    const QTextBlockFormat r = doc.findBlockByNumber(1).blockFormat();
    EXPECT_EQ(r.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    ASSERT_EQ(r.tabPositions().size(), 2);
    EXPECT_EQ(r.tabPositions().at(0).type, QTextOption::RightTab);
    EXPECT_EQ(r.tabPositions().at(0).position, 192.0);
    EXPECT_EQ(r.tabPositions().at(1).type, QTextOption::LeftTab);
    const QTextBlockFormat p = doc.findBlockByNumber(2).blockFormat();
    EXPECT_EQ(p.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_EQ(p.leftMargin(), 0.0);
}

TEST(RtfReader, ReadsFontNamesInTheirOwnCharset)
{
    const QByteArray bytes = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl"
                             "{\\f0\\fmodern\\fprq1\\fcharset128 \\'82\\'6c\\'82\\'72 \\'83\\'53\\'83\\'56\\'83\\'62"
                             "\\'83\\'4e{\\*\\falt MS Gothic};}}\\f0 x}";
    QTextDocument doc;
    ASSERT_TRUE(Rtf::read(bytes, &doc).complete());
    EXPECT_EQ(formatAt(doc, 0).fontFamilies().toStringList(), QStringList{u(u"ＭＳ ゴシック")});
}

TEST(RtfReader, ReadsWhatIsNotRtfAsPlainShiftJisText)
{
    struct Case {
        QByteArray bytes;
        const char16_t *text;
        bool complete;
    };
    const Case cases[] = {
        {"\x82\xa0\r\nline2\rline3\nend", u"あ\nline2\nline3\nend", true},
        {"rtf later {\\rtf1 x}", u"rtf later {\\rtf1 x}", true},
        {"", u"", true},
        {"\x80", u"\u001A", false},
    };
    const char withNul[] = "ab\0cd";
    const Case afterNul{QByteArray(withNul, sizeof withNul - 1), u"ab", false};
    QList<Case> all(std::begin(cases), std::end(cases));
    all.append(afterNul);
    for (const Case &c : all) {
        QTextDocument doc;
        const Rtf::ReadResult r = Rtf::read(c.bytes, &doc);
        EXPECT_FALSE(r.rtf) << c.bytes.constData();
        EXPECT_EQ(text(doc), u(c.text)) << c.bytes.constData();
        EXPECT_EQ(r.complete(), c.complete) << c.bytes.constData();
    }
    EXPECT_TRUE(Rtf::looksLikeRtf("\r\n {\\rtf1}"));
}

TEST(RtfReader, StopsAtTheDocumentsClosingBrace)
{
    // The rich-edit control and WordPad leave a NUL and line ends after the last brace.
    QTextDocument doc;
    const char raw[] = "{\\rtf1\\ansi x\\par}\r\n\0junk}{";
    const Rtf::ReadResult r = Rtf::read(QByteArray(raw, sizeof raw - 1), &doc);
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(text(doc), QStringLiteral("x"));
}

TEST(RtfReader, HostileNumbersAndNestingAreReadSafely)
{
    // The most negative line spacing, exact and as a multiple: a positive height.
    struct Spacing { const char *file; int type; };
    for (const Spacing &c : {Spacing{"rtf_sl_intmin.rtf", QTextBlockFormat::FixedHeight},
                             Spacing{"rtf_slmult_intmin.rtf", QTextBlockFormat::ProportionalHeight}}) {
        const QByteArray bytes = foundInput(QString::fromLatin1(c.file));
        ASSERT_FALSE(bytes.isEmpty()) << c.file;
        QTextDocument doc;
        ASSERT_TRUE(Rtf::read(bytes, &doc).rtf) << c.file;
        EXPECT_EQ(text(doc), "a") << c.file;
        const QTextBlockFormat f = doc.begin().blockFormat();
        EXPECT_EQ(f.lineHeightType(), c.type) << c.file;
        EXPECT_GT(f.lineHeight(), 1e6) << c.file;
    }

    // Groups nested 100,000 deep: reading stops at a bound and says the rest is lost;
    // the text before the depth is kept.
    QByteArray deep = "{\\rtf1\\ansi before";
    deep += QByteArray(100000, '{') + "inside" + QByteArray(100000, '}') + "}";
    QTextDocument doc;
    const Rtf::ReadResult r = Rtf::read(deep, &doc);
    EXPECT_TRUE(r.notKept.contains(Rtf::Lost::tooDeep()));
    EXPECT_TRUE(text(doc).startsWith("before"));

    // Ordinary nesting is read whole.
    QByteArray nested = "{\\rtf1\\ansi " + QByteArray(100, '{') + "x" + QByteArray(100, '}') + "}";
    QTextDocument doc2;
    EXPECT_TRUE(Rtf::read(nested, &doc2).complete());
    EXPECT_EQ(text(doc2), "x");
}

} // namespace

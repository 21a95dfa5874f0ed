#include "tree/rtfreader.h"

#include "base/sjiscodec.h"
#include "tree/rtfcodepage.h"
#include "tree/rtfformat.h"
#include "tree/rtftokenizer.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QMap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace Rtf {

namespace {

// ---- what each control word does -------------------------------------------------

enum class Word {
    Unknown,
    Silent, // no effect on what is shown; nothing to keep
    // header
    Ansi, Mac, Pc, Pca, AnsiCpg, Deff, Uc, Unicode,
    // destinations
    FontTable, ColorTable, Field, FieldResult, FieldInstruction, ListText,
    // font table entries
    Font, FontCharset, FontCodePage,
    // colour table
    Red, Green, Blue,
    // characters
    Par, Line, Tab, Cell, Row, PageBreak, SectionBreak, Special,
    // character format
    Plain, Bold, Italic, Underline, UnderlineNone, UnderlineAs, UnderlineOther, Strike, StrikeDouble,
    FontSize, Foreground, Background, Super, Sub, NoSuperSub, Caps, SmallCaps, Hidden,
    // paragraph format
    Pard, AlignLeft, AlignCenter, AlignRight, AlignJustify, AlignDistribute, LeftIndent, RightIndent,
    FirstIndent, SpaceBefore, SpaceAfter, LineSpacing, LineMultiple, TabStop, TabRight, TabCenter,
    TabDecimal,
    // understood but not kept: reported under their name (see lostName)
    Lost,
};

struct WordInfo {
    Word word = Word::Unknown;
    QChar character;               // Special
    QTextCharFormat::UnderlineStyle underline = QTextCharFormat::NoUnderline; // UnderlineAs
    QString (*lost)() = nullptr;   // Lost: the name the user reads; destinations: when skipped
    bool destination = false;      // starts a group that is skipped unless handled
};

using WordTable = QHash<QByteArray, WordInfo>;

WordInfo w(Word word)
{
    WordInfo i;
    i.word = word;
    return i;
}
WordInfo lost(QString (*name)())
{
    WordInfo i = w(Word::Lost);
    i.lost = name;
    return i;
}
WordInfo special(char16_t c)
{
    WordInfo i = w(Word::Special);
    i.character = QChar(c);
    return i;
}
WordInfo underlineAs(QTextCharFormat::UnderlineStyle s)
{
    WordInfo i = w(Word::UnderlineAs);
    i.underline = s;
    return i;
}
// A destination skipped without a word: it holds nothing a reader shows.
WordInfo quietDestination()
{
    WordInfo i = w(Word::Silent);
    i.destination = true;
    return i;
}
// A destination skipped and reported.
WordInfo lostDestination(QString (*name)())
{
    WordInfo i = lost(name);
    i.destination = true;
    return i;
}

const WordTable &wordTable()
{
    static const WordTable table = [] {
        WordTable t;
        // Header and document words with no visible effect.
        for (const char *s : {"rtf", "deflang", "deflangfe", "adeff", "nouicompat", "viewkind", "viewscale",
                              "viewzk", "viewbksp", "fromtext", "deftab", "stshfdbch", "stshfloch", "stshfhich",
                              "stshfbi", "htmautsp", "fet", "sectd", "ltrpar", "ltrch", "ltrsect", "lang",
                              "langfe", "langnp", "langfenp", "alang", "af", "afs", "ab", "ai", "loch", "hich",
                              "dbch", "noproof", "cgrid", "keep", "keepn", "widctlpar", "nowidctlpar",
                              "wrapdefault", "aspalpha", "aspnum", "faauto", "adjustright", "lin", "rin", "itap",
                              "outlinelevel", "hyphpar", "kerning", "fnil", "froman", "fswiss", "fmodern",
                              "fscript", "fdecor", "ftech", "fbidi", "fprq", "fbias", "ctint", "cshade", "chshdng",
                              "chcfpat", "fcs", "rtlch", "nosnaplinegrid", "snaptogrid",
                              "toplinepunct", "lytprtmet", "jcompress", "jexpand", "dntblnsbdb", "expshrtn",
                              "noxlattoyen", "horzdoc", "vertdoc", "formshade", "ftnbj", "aenddoc", "ftnnar",
                              "aftnnrlc", "pgnstarts", "pgnrestart", "linex", "endnhere", "titlepg", "sbknone"})
            t.insert(s, w(Word::Silent));

        t.insert("ansi", w(Word::Ansi));
        t.insert("mac", w(Word::Mac));
        t.insert("pc", w(Word::Pc));
        t.insert("pca", w(Word::Pca));
        t.insert("ansicpg", w(Word::AnsiCpg));
        t.insert("deff", w(Word::Deff));
        t.insert("uc", w(Word::Uc));
        t.insert("u", w(Word::Unicode));

        // Destinations that are read.
        t.insert("fonttbl", w(Word::FontTable));
        t.insert("colortbl", w(Word::ColorTable));
        t.insert("fldrslt", w(Word::FieldResult));
        t.insert("fldinst", w(Word::FieldInstruction));
        t.insert("pntext", w(Word::ListText));
        t.insert("listtext", w(Word::ListText));
        WordInfo field = w(Word::Field);
        field.lost = &Lost::field;
        t.insert("field", field);

        // Destinations skipped: metadata with nothing to show.
        for (const char *s : {"generator", "themedata", "colorschememapping", "latentstyles", "datastore",
                              "rsidtbl", "xmlnstbl", "mmathPr", "defchp", "defpap", "pgdsctbl", "filetbl",
                              "revtbl", "wgrffmtfilter", "panose", "falt", "fname", "fontemb", "fontfile",
                              "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc", "aftncn", "listtable",
                              "listoverridetable", "keycode", "passwordhash", "protusertbl", "docvar",
                              "xmlopen", "xmlclose", "xmlattrname", "xmlattrvalue", "nonshppict", "ud",
                              "upr", "template", "company", "operator"})
            t.insert(s, quietDestination());
        // Destinations skipped and reported.
        for (const char *s : {"pict", "shppict"})
            t.insert(s, lostDestination(&Lost::picture));
        for (const char *s : {"object", "objdata", "result"})
            t.insert(s, lostDestination(&Lost::object));
        for (const char *s : {"shp", "shpgrp", "shpinst", "shprslt", "do"})
            t.insert(s, lostDestination(&Lost::drawing));
        for (const char *s : {"header", "headerl", "headerr", "headerf", "footer", "footerl", "footerr",
                              "footerf"})
            t.insert(s, lostDestination(&Lost::headerFooter));
        t.insert("footnote", lostDestination(&Lost::footnote));
        for (const char *s : {"annotation", "atnid", "atnauthor", "atrfstart", "atrfend", "atnref", "atndate",
                              "atnparent", "atnicn", "atntime"})
            t.insert(s, lostDestination(&Lost::annotation));
        for (const char *s : {"bkmkstart", "bkmkend"})
            t.insert(s, lostDestination(&Lost::bookmark));
        t.insert("stylesheet", lostDestination(&Lost::style));
        t.insert("info", lostDestination(&Lost::documentInfo));
        for (const char *s : {"pn", "pnseclvl", "pntxta", "pntxtb", "listpicture"})
            t.insert(s, lostDestination(&Lost::list));
        for (const char *s : {"xe", "tc", "tcn", "txe", "rxe", "bxe", "ixe"})
            t.insert(s, lostDestination(&Lost::field));

        // Font and colour tables.
        t.insert("f", w(Word::Font));
        t.insert("fcharset", w(Word::FontCharset));
        t.insert("cpg", w(Word::FontCodePage));
        t.insert("red", w(Word::Red));
        t.insert("green", w(Word::Green));
        t.insert("blue", w(Word::Blue));

        // Characters.
        t.insert("par", w(Word::Par));
        t.insert("line", w(Word::Line));
        t.insert("tab", w(Word::Tab));
        t.insert("cell", w(Word::Cell));
        t.insert("nestcell", w(Word::Cell));
        t.insert("row", w(Word::Row));
        t.insert("nestrow", w(Word::Row));
        t.insert("page", w(Word::PageBreak));
        t.insert("column", w(Word::PageBreak));
        t.insert("sect", w(Word::SectionBreak));
        t.insert("emdash", special(u'\u2014'));
        t.insert("endash", special(u'\u2013'));
        t.insert("bullet", special(u'\u2022'));
        t.insert("lquote", special(u'\u2018'));
        t.insert("rquote", special(u'\u2019'));
        t.insert("ldblquote", special(u'\u201C'));
        t.insert("rdblquote", special(u'\u201D'));
        t.insert("emspace", special(u'\u2003'));
        t.insert("enspace", special(u'\u2002'));
        t.insert("qmspace", special(u'\u2005'));
        t.insert("zwj", special(u'\u200D'));
        t.insert("zwnj", special(u'\u200C'));
        t.insert("zwbo", special(u'\u200B'));
        t.insert("ltrmark", special(u'\u200E'));
        t.insert("rtlmark", special(u'\u200F'));

        // Character format.
        t.insert("plain", w(Word::Plain));
        t.insert("b", w(Word::Bold));
        t.insert("i", w(Word::Italic));
        t.insert("ul", w(Word::Underline));
        t.insert("ulnone", w(Word::UnderlineNone));
        t.insert("uld", underlineAs(QTextCharFormat::DotLine));
        t.insert("uldash", underlineAs(QTextCharFormat::DashUnderline));
        t.insert("uldashd", underlineAs(QTextCharFormat::DashDotLine));
        t.insert("uldashdd", underlineAs(QTextCharFormat::DashDotDotLine));
        t.insert("ulwave", underlineAs(QTextCharFormat::WaveUnderline));
        for (const char *s : {"uldb", "ulth", "ulw", "ulhwave", "ululdbwave", "ulthd", "ulthdash", "ulthdashd",
                              "ulthdashdd", "ulldash", "ulthldash"})
            t.insert(s, w(Word::UnderlineOther));
        t.insert("ulc", lost(&Lost::underlineColour));
        t.insert("strike", w(Word::Strike));
        t.insert("strikedl", w(Word::StrikeDouble));
        t.insert("fs", w(Word::FontSize));
        t.insert("cf", w(Word::Foreground));
        t.insert("cb", w(Word::Background));
        t.insert("highlight", w(Word::Background));
        t.insert("chcbpat", w(Word::Background));
        t.insert("super", w(Word::Super));
        t.insert("sub", w(Word::Sub));
        t.insert("nosupersub", w(Word::NoSuperSub));
        t.insert("caps", w(Word::Caps));
        t.insert("scaps", w(Word::SmallCaps));
        t.insert("v", w(Word::Hidden));
        for (const char *s : {"up", "dn"})
            t.insert(s, lost(&Lost::raisedText));
        for (const char *s : {"outl", "shad", "embo", "impr"})
            t.insert(s, lost(&Lost::textEffect));
        for (const char *s : {"expnd", "expndtw", "charscalex"})
            t.insert(s, lost(&Lost::spacing));
        for (const char *s : {"rtlpar", "rtlrow", "rtlsect", "rtldoc"})
            t.insert(s, lost(&Lost::rightToLeft));
        for (const char *s : {"s", "cs", "ds", "ts"})
            t.insert(s, lost(&Lost::style));

        // Paragraph format.
        t.insert("pard", w(Word::Pard));
        t.insert("ql", w(Word::AlignLeft));
        t.insert("qc", w(Word::AlignCenter));
        t.insert("qr", w(Word::AlignRight));
        t.insert("qj", w(Word::AlignJustify));
        t.insert("qd", w(Word::AlignDistribute));
        t.insert("li", w(Word::LeftIndent));
        t.insert("ri", w(Word::RightIndent));
        t.insert("fi", w(Word::FirstIndent));
        t.insert("sb", w(Word::SpaceBefore));
        t.insert("sa", w(Word::SpaceAfter));
        t.insert("sl", w(Word::LineSpacing));
        t.insert("slmult", w(Word::LineMultiple));
        t.insert("tx", w(Word::TabStop));
        t.insert("tqr", w(Word::TabRight));
        t.insert("tqc", w(Word::TabCenter));
        t.insert("tqdec", w(Word::TabDecimal));
        for (const char *s : {"tb", "tldot", "tlhyph", "tlul", "tlth", "tleq", "tlmdot"})
            t.insert(s, lost(&Lost::tabKind));
        for (const char *s : {"intbl", "trowd", "cellx", "lastrow"})
            t.insert(s, lost(&Lost::table));
        for (const char *s : {"ls", "ilvl", "pnrestart", "pnlvl", "pnlvlblt", "pnlvlbody", "pnlvlcont"})
            t.insert(s, lost(&Lost::list));
        for (const char *s : {"box", "brsp"})
            t.insert(s, lost(&Lost::border));
        for (const char *s : {"shading", "cbpat", "cfpat"})
            t.insert(s, lost(&Lost::shading));
        t.insert("pagebb", lost(&Lost::pageBreak));
        for (const char *s : {"paperw", "paperh", "margl", "margr", "margt", "margb", "gutter", "landscape",
                              "psz", "margmirror", "pgwsxn", "pghsxn", "marglsxn", "margrsxn", "margtsxn",
                              "margbsxn", "headery", "footery", "cols", "colsx"})
            t.insert(s, lost(&Lost::pageSetup));
        return t;
    }();
    return table;
}

// Words known only by their family: table, border and revision-mark words.
WordInfo infoFor(const QByteArray &word)
{
    const auto it = wordTable().constFind(word);
    if (it != wordTable().constEnd())
        return it.value();
    if (word.endsWith("rsid") || word.startsWith("rsid"))
        return w(Word::Silent);
    if (word.startsWith("tr") || word.startsWith("cl") || word.startsWith("tbl"))
        return lost(&Lost::table);
    if (word.startsWith("brdr"))
        return lost(&Lost::border);
    return w(Word::Unknown);
}

// ---- the reading state ------------------------------------------------------------

struct CharState {
    int font = -1; // font table number; -1 is the document's default font
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    QTextCharFormat::UnderlineStyle underline = QTextCharFormat::NoUnderline;
    bool strike = false;
    int foreground = 0; // colour table index; 0 is automatic
    int background = 0;
    QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;
    QFont::Capitalization caps = QFont::MixedCase;
    bool hidden = false;
};

struct ParaState {
    Qt::Alignment align = Qt::AlignLeft;
    int leftIndent = 0; // twips
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpacing = 0;
    bool lineMultiple = false;
    QList<QTextOption::Tab> tabs;
    QTextOption::TabType nextTabType = QTextOption::LeftTab;
};

enum class Dest { Body, FontTable, ColorTable, Skip };

// Deeper than any word processor nests its groups; each level holds a copy of the formats.
constexpr qsizetype MaxGroupDepth = 512;

struct Group {
    CharState ch;
    ParaState para;
    int uc = 1;
    Dest dest = Dest::Body;
    bool atStart = true; // nothing but "\*" since the brace
    bool star = false;
};

struct FontEntry {
    QString name;
    int charset = -1;
    int codePage = 0;
};

class Reader
{
public:
    Reader(const QByteArray &bytes, QTextDocument *doc) : m_tokens(bytes), m_doc(doc), m_cursor(doc) {}
    QStringList run();

private:
    void onToken(const RtfToken &t);
    void onWord(const RtfToken &t);
    bool onDestination(const WordInfo &info);
    void onFontTableWord(const WordInfo &info, const RtfToken &t);
    void onBodyWord(const WordInfo &info, const RtfToken &t);
    void onText(const QByteArray &bytes);
    void groupStart();
    void groupEnd();

    void appendBytes(const QByteArray &bytes);
    void flushBytes();
    void appendText(const QString &text);
    void flushRun();
    void endParagraph();
    void openPendingParagraph();
    void finish();

    void addFontNameBytes(const QByteArray &bytes);
    int entryCodePage() const;
    void decodeFontNameBytes();
    void finishFontEntry();
    void finishColour();

    int codePageOfFont(int number) const;
    int textCodePage() const;
    QTextCharFormat charFormat() const;
    QTextBlockFormat blockFormat() const;
    void report(const QString &name);

    Group &g() { return m_stack.last(); }
    const Group &g() const { return m_stack.last(); }

    RtfTokenizer m_tokens;
    QTextDocument *m_doc;
    QTextCursor m_cursor;
    QList<Group> m_stack;
    bool m_done = false;
    QStringList m_lost;

    int m_ansiCodePage = 1252;
    int m_defaultFont = 0;
    QMap<int, FontEntry> m_fonts;
    QList<QColor> m_colours;

    // Font table entry being read.
    bool m_entryOpen = false;
    int m_entryNumber = 0;
    FontEntry m_entry;
    QByteArray m_entryBytes; // name bytes not yet decoded
    QString m_entryName;

    // Colour table entry being read.
    int m_rgb[3] = {0, 0, 0};
    bool m_rgbSet = false;

    int m_skip = 0; // fallback bytes still to skip after "\uN"
    QByteArray m_bytes;
    int m_bytesCodePage = 0;
    QString m_run;
    QTextCharFormat m_runFormat;
    bool m_paragraphPending = false;
};

QStringList Reader::run()
{
    m_doc->clear();
    m_cursor = QTextCursor(m_doc);
    m_cursor.beginEditBlock();
    m_stack.append(Group{}); // outside the document's braces
    while (!m_done) {
        const int cp = textCodePage();
        m_tokens.setTextCodePage(RtfCodePage::isDoubleByte(cp) ? cp : 0);
        const RtfToken t = m_tokens.next();
        if (t.type == RtfToken::End)
            break;
        onToken(t);
    }
    if (!m_done) {
        report(Lost::unclosed());
        finish();
    }
    m_cursor.endEditBlock();
    return m_lost;
}

// Ends the last paragraph with the formats in effect inside the document's braces.
void Reader::finish()
{
    flushBytes();
    flushRun();
    if (!m_paragraphPending)
        m_cursor.setBlockFormat(blockFormat());
}

void Reader::report(const QString &name)
{
    if (!m_lost.contains(name))
        m_lost.append(name);
}

void Reader::onToken(const RtfToken &t)
{
    if (m_stack.size() == 1 && t.type != RtfToken::GroupStart)
        return; // white space before the document's opening brace
    switch (t.type) {
    case RtfToken::GroupStart:
        groupStart();
        return;
    case RtfToken::GroupEnd:
        groupEnd();
        return;
    case RtfToken::Text:
        onText(t.data);
        return;
    case RtfToken::HexByte:
        onText(QByteArray(1, t.symbol));
        return;
    case RtfToken::Binary:
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        flushBytes();
        if (g().dest != Dest::Skip)
            report(Lost::binaryData());
        return;
    case RtfToken::ControlSymbol:
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        flushBytes();
        if (t.symbol == '*') {
            g().star = true;
            return;
        }
        g().atStart = false;
        if (g().dest != Dest::Body)
            return;
        switch (t.symbol) {
        case '~': appendText(QString(QChar(0x00A0))); break;
        case '-': appendText(QString(QChar(0x00AD))); break;
        case '_': appendText(QString(QChar(0x2011))); break;
        default: break; // "\:", "\|" and broken escapes show nothing
        }
        return;
    case RtfToken::ControlWord:
        onWord(t);
        return;
    case RtfToken::End:
        return;
    }
}

void Reader::groupStart()
{
    flushBytes();
    m_skip = 0;
    if (m_stack.size() > MaxGroupDepth) {
        // No document nests this deep; reading stops here and the rest counts as lost, so
        // the file is never rewritten without it.
        report(Lost::tooDeep());
        finish();
        m_done = true;
        return;
    }
    Group inner = g();
    inner.atStart = true;
    inner.star = false;
    m_stack.append(inner);
}

void Reader::groupEnd()
{
    flushBytes();
    m_skip = 0;
    if (g().dest == Dest::FontTable)
        finishFontEntry();
    if (m_stack.size() == 2) {
        // The document's closing brace; what follows it is not RTF.
        finish();
        m_done = true;
    }
    if (m_stack.size() > 1)
        m_stack.removeLast();
}

void Reader::onWord(const RtfToken &t)
{
    if (m_skip > 0) {
        --m_skip; // a control word inside the fallback counts as one character
        return;
    }
    flushBytes();
    const WordInfo info = infoFor(t.data);
    const bool opening = g().atStart || g().star;
    const bool star = g().star;
    g().atStart = false;
    g().star = false;
    if (g().dest == Dest::Skip)
        return;

    if (opening && onDestination(info))
        return;
    if (star) {
        // "\*" marks a destination that a reader may skip; this one is not read.
        g().dest = Dest::Skip;
        if (info.word != Word::Silent)
            report(info.lost ? info.lost() : Lost::destination(QString::fromLatin1(t.data)));
        return;
    }
    switch (g().dest) {
    case Dest::FontTable:
        onFontTableWord(info, t);
        return;
    case Dest::ColorTable:
        if (info.word == Word::Red)
            m_rgb[0] = t.param, m_rgbSet = true;
        else if (info.word == Word::Green)
            m_rgb[1] = t.param, m_rgbSet = true;
        else if (info.word == Word::Blue)
            m_rgb[2] = t.param, m_rgbSet = true;
        return;
    case Dest::Skip:
        return;
    case Dest::Body:
        onBodyWord(info, t);
        return;
    }
}

// Handles the first word of a group when it names a destination; false when it does not.
bool Reader::onDestination(const WordInfo &info)
{
    switch (info.word) {
    case Word::FontTable:
        g().dest = Dest::FontTable;
        return true;
    case Word::ColorTable:
        g().dest = Dest::ColorTable;
        m_colours.clear();
        m_rgbSet = false;
        return true;
    case Word::FieldInstruction:
        g().dest = Dest::Skip; // the field's code; its result follows as text
        return true;
    case Word::FieldResult:
        return true;
    case Word::Field:
        report(info.lost());
        return true;
    case Word::ListText:
        // The number or bullet as it was shown: kept as plain text.
        report(Lost::list());
        return true;
    default:
        if (!info.destination)
            return false;
        g().dest = Dest::Skip;
        if (info.lost)
            report(info.lost());
        return true;
    }
}

void Reader::onFontTableWord(const WordInfo &info, const RtfToken &t)
{
    switch (info.word) {
    case Word::Font:
        finishFontEntry();
        m_entryOpen = true;
        m_entryNumber = t.param;
        m_entry = FontEntry{};
        m_entryBytes.clear();
        m_entryName.clear();
        return;
    case Word::FontCharset:
        m_entry.charset = t.param;
        return;
    case Word::FontCodePage:
        m_entry.codePage = t.param;
        return;
    case Word::Unicode:
        if (m_entryOpen) {
            decodeFontNameBytes();
            m_entryName += QChar(char16_t(t.param < 0 ? t.param + 65536 : t.param));
        }
        m_skip = g().uc;
        return;
    default:
        return; // family, pitch, bias: nothing the document holds
    }
}

void Reader::onText(const QByteArray &bytesIn)
{
    QByteArray bytes = bytesIn;
    if (m_skip > 0) {
        const int n = int(qMin<qsizetype>(m_skip, bytes.size()));
        m_skip -= n;
        bytes.remove(0, n);
        if (bytes.isEmpty())
            return;
    }
    g().atStart = false;
    g().star = false;
    switch (g().dest) {
    case Dest::Body:
        appendBytes(bytes);
        return;
    case Dest::FontTable:
        addFontNameBytes(bytes);
        return;
    case Dest::ColorTable:
        for (const char c : bytes)
            if (c == ';')
                finishColour();
        return;
    case Dest::Skip:
        return;
    }
}

void Reader::addFontNameBytes(const QByteArray &bytes)
{
    for (const char c : bytes) {
        if (c == ';') {
            finishFontEntry();
            continue;
        }
        if (m_entryOpen)
            m_entryBytes += c;
    }
}

int Reader::codePageOfFont(int number) const
{
    const auto it = m_fonts.constFind(number);
    const FontEntry *entry = it != m_fonts.constEnd() ? &it.value() : nullptr;
    if (entry && entry->codePage > 0)
        return entry->codePage;
    if (entry && entry->charset >= 0) {
        const int cp = RtfCodePage::forCharset(entry->charset);
        if (cp != 0)
            return cp;
    }
    return m_ansiCodePage;
}

// The code page a font's name is spelled in: its own, except that the name of a
// symbol font is spelled in the document's.
int Reader::entryCodePage() const
{
    int cp = m_entry.codePage > 0 ? m_entry.codePage : RtfCodePage::forCharset(m_entry.charset);
    if (cp == 0 || cp == RtfCodePage::SymbolCodePage)
        cp = m_ansiCodePage;
    return cp;
}

void Reader::decodeFontNameBytes()
{
    if (m_entryBytes.isEmpty())
        return;
    const int cp = entryCodePage();
    bool clean = true;
    m_entryName += RtfCodePage::decode(m_entryBytes, cp, &clean);
    if (!clean)
        report(RtfCodePage::isSupported(cp) ? Lost::unreadableBytes() : Lost::codePage(cp));
    m_entryBytes.clear();
}

void Reader::finishFontEntry()
{
    if (!m_entryOpen)
        return;
    m_entryOpen = false;
    decodeFontNameBytes();
    m_entry.name = m_entryName.trimmed();
    m_entryName.clear();
    m_fonts.insert(m_entryNumber, m_entry);
}

void Reader::finishColour()
{
    m_colours.append(m_rgbSet ? QColor(qBound(0, m_rgb[0], 255), qBound(0, m_rgb[1], 255),
                                       qBound(0, m_rgb[2], 255))
                              : QColor());
    m_rgb[0] = m_rgb[1] = m_rgb[2] = 0;
    m_rgbSet = false;
}

int Reader::textCodePage() const
{
    return codePageOfFont(g().ch.font >= 0 ? g().ch.font : m_defaultFont);
}

void Reader::appendBytes(const QByteArray &bytes)
{
    const int cp = textCodePage();
    if (!m_bytes.isEmpty() && cp != m_bytesCodePage)
        flushBytes();
    m_bytesCodePage = cp;
    m_bytes += bytes;
}

// Plain bytes and "\'hh" bytes are decoded together, so that a double-byte character
// written as two escapes comes out whole.
void Reader::flushBytes()
{
    if (m_bytes.isEmpty())
        return;
    bool clean = true;
    const QString text = RtfCodePage::decode(m_bytes, m_bytesCodePage, &clean);
    if (!clean)
        report(RtfCodePage::isSupported(m_bytesCodePage) ? Lost::unreadableBytes()
                                                          : Lost::codePage(m_bytesCodePage));
    m_bytes.clear();
    appendText(text);
}

void Reader::appendText(const QString &text)
{
    if (text.isEmpty() || g().dest != Dest::Body)
        return;
    if (g().ch.hidden) {
        report(Lost::hiddenText());
        return;
    }
    openPendingParagraph();
    const QTextCharFormat format = charFormat();
    if (!m_run.isEmpty() && format != m_runFormat)
        flushRun();
    m_runFormat = format;
    m_run += text;
}

void Reader::flushRun()
{
    if (m_run.isEmpty())
        return;
    m_cursor.insertText(m_run, m_runFormat);
    m_run.clear();
}

// A paragraph mark ends the paragraph; the next one starts only when something
// follows, so the mark that closes the document adds no empty paragraph.
void Reader::openPendingParagraph()
{
    if (!m_paragraphPending)
        return;
    m_paragraphPending = false;
    m_cursor.insertBlock(QTextBlockFormat(), charFormat());
}

void Reader::endParagraph()
{
    flushBytes();
    openPendingParagraph();
    flushRun();
    m_cursor.setBlockFormat(blockFormat());
    m_cursor.setBlockCharFormat(charFormat());
    m_paragraphPending = true;
}

QTextCharFormat Reader::charFormat() const
{
    const CharState &c = g().ch;
    QTextCharFormat f;
    const int number = c.font >= 0 ? c.font : m_defaultFont;
    const auto font = m_fonts.constFind(number);
    if (font != m_fonts.constEnd()) {
        if (!font->name.isEmpty())
            f.setFontFamilies(QStringList{font->name});
        if (font->charset >= 0)
            f.setProperty(FontCharsetProperty, font->charset);
    }
    f.setFontPointSize(c.halfPoints / 2.0);
    f.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(c.italic);
    f.setUnderlineStyle(c.underline);
    f.setFontStrikeOut(c.strike);
    if (c.foreground > 0 && c.foreground < m_colours.size() && m_colours.at(c.foreground).isValid())
        f.setForeground(m_colours.at(c.foreground));
    if (c.background > 0 && c.background < m_colours.size() && m_colours.at(c.background).isValid())
        f.setBackground(m_colours.at(c.background));
    f.setVerticalAlignment(c.vertical);
    if (c.caps != QFont::MixedCase)
        f.setFontCapitalization(c.caps);
    return f;
}

QTextBlockFormat Reader::blockFormat() const
{
    const ParaState &p = g().para;
    QTextBlockFormat f;
    f.setAlignment(p.align);
    if (p.leftIndent)
        f.setLeftMargin(twipsToPixels(p.leftIndent));
    if (p.rightIndent)
        f.setRightMargin(twipsToPixels(p.rightIndent));
    if (p.firstIndent)
        f.setTextIndent(twipsToPixels(p.firstIndent));
    if (p.spaceBefore)
        f.setTopMargin(twipsToPixels(p.spaceBefore));
    if (p.spaceAfter)
        f.setBottomMargin(twipsToPixels(p.spaceAfter));
    if (p.lineSpacing != 0) {
        // Negated in 64 bits: the file may give the most negative integer.
        const qint64 size = qAbs(qint64(p.lineSpacing));
        if (p.lineMultiple)
            f.setLineHeight(qreal(size) * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
        else
            f.setLineHeight(qreal(size) / 15.0, p.lineSpacing > 0 ? QTextBlockFormat::MinimumHeight
                                                                   : QTextBlockFormat::FixedHeight);
    }
    if (!p.tabs.isEmpty())
        f.setTabPositions(p.tabs);
    return f;
}

void Reader::onBodyWord(const WordInfo &info, const RtfToken &t)
{
    CharState &c = g().ch;
    ParaState &p = g().para;
    const bool on = !t.hasParam || t.param != 0;
    switch (info.word) {
    case Word::Unknown:
        report(Lost::controlWord(QString::fromLatin1(t.data)));
        return;
    case Word::Silent:
        return;
    case Word::Lost:
        // "\ul0"-like switches turning a lost feature off lose nothing.
        if (on)
            report(info.lost());
        return;

    case Word::Ansi: m_ansiCodePage = 1252; return;
    case Word::Mac: m_ansiCodePage = 10000; return;
    case Word::Pc: m_ansiCodePage = 437; return;
    case Word::Pca: m_ansiCodePage = 850; return;
    case Word::AnsiCpg:
        m_ansiCodePage = t.param;
        if (!RtfCodePage::isSupported(t.param))
            report(Lost::codePage(t.param));
        return;
    case Word::Deff: m_defaultFont = t.param; return;
    case Word::Uc: g().uc = qMax(0, t.param); return;
    case Word::Unicode: {
        const int unit = t.param < 0 ? t.param + 65536 : t.param;
        appendText(QString(QChar(char16_t(unit))));
        m_skip = g().uc;
        return;
    }

    case Word::Par: endParagraph(); return;
    case Word::Line: appendText(QString(QChar::LineSeparator)); return;
    case Word::Tab: appendText(QStringLiteral("\t")); return;
    case Word::Cell:
        report(Lost::table());
        appendText(QStringLiteral("\t"));
        return;
    case Word::Row:
        report(Lost::table());
        endParagraph();
        return;
    case Word::PageBreak:
    case Word::SectionBreak:
        report(Lost::pageBreak());
        endParagraph();
        return;
    case Word::Special: appendText(QString(info.character)); return;

    case Word::Plain: c = CharState{}; return;
    case Word::Bold: c.bold = on; return;
    case Word::Italic: c.italic = on; return;
    case Word::Underline: c.underline = on ? QTextCharFormat::SingleUnderline : QTextCharFormat::NoUnderline; return;
    case Word::UnderlineNone: c.underline = QTextCharFormat::NoUnderline; return;
    case Word::UnderlineAs: c.underline = on ? info.underline : QTextCharFormat::NoUnderline; return;
    case Word::UnderlineOther:
        c.underline = on ? QTextCharFormat::SingleUnderline : QTextCharFormat::NoUnderline;
        if (on)
            report(Lost::underlineKind());
        return;
    case Word::Strike: c.strike = on; return;
    case Word::StrikeDouble:
        c.strike = on;
        if (on)
            report(Lost::doubleStrike());
        return;
    case Word::Font: c.font = t.param; return;
    case Word::FontSize: c.halfPoints = t.hasParam && t.param > 0 ? t.param : 24; return;
    case Word::Foreground: c.foreground = t.param; return;
    case Word::Background: c.background = t.param; return;
    case Word::Super: c.vertical = on ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignNormal; return;
    case Word::Sub: c.vertical = on ? QTextCharFormat::AlignSubScript : QTextCharFormat::AlignNormal; return;
    case Word::NoSuperSub: c.vertical = QTextCharFormat::AlignNormal; return;
    case Word::Caps: c.caps = on ? QFont::AllUppercase : QFont::MixedCase; return;
    case Word::SmallCaps: c.caps = on ? QFont::SmallCaps : QFont::MixedCase; return;
    case Word::Hidden: c.hidden = on; return;

    case Word::Pard: p = ParaState{}; return;
    case Word::AlignLeft: p.align = Qt::AlignLeft; return;
    case Word::AlignCenter: p.align = Qt::AlignHCenter; return;
    case Word::AlignRight: p.align = Qt::AlignRight; return;
    case Word::AlignJustify: p.align = Qt::AlignJustify; return;
    case Word::AlignDistribute:
        p.align = Qt::AlignJustify;
        report(Lost::distributed());
        return;
    case Word::LeftIndent: p.leftIndent = t.param; return;
    case Word::RightIndent: p.rightIndent = t.param; return;
    case Word::FirstIndent: p.firstIndent = t.param; return;
    case Word::SpaceBefore: p.spaceBefore = t.param; return;
    case Word::SpaceAfter: p.spaceAfter = t.param; return;
    case Word::LineSpacing: p.lineSpacing = t.param; return;
    case Word::LineMultiple: p.lineMultiple = on; return;
    case Word::TabRight: p.nextTabType = QTextOption::RightTab; return;
    case Word::TabCenter: p.nextTabType = QTextOption::CenterTab; return;
    case Word::TabDecimal: p.nextTabType = QTextOption::DelimiterTab; return;
    case Word::TabStop: {
        QTextOption::Tab tab(twipsToPixels(t.param), p.nextTabType);
        if (p.nextTabType == QTextOption::DelimiterTab)
            tab.delimiter = QLatin1Char('.');
        p.tabs.append(tab);
        p.nextTabType = QTextOption::LeftTab;
        return;
    }

    // Header and table words met outside their place: nothing to do.
    case Word::FontTable:
    case Word::ColorTable:
    case Word::Field:
    case Word::FieldResult:
    case Word::FieldInstruction:
    case Word::ListText:
    case Word::FontCharset:
    case Word::FontCodePage:
    case Word::Red:
    case Word::Green:
    case Word::Blue:
        return;
    }
}

// ---- plain text -------------------------------------------------------------------

QStringList readPlainText(const QByteArray &bytes, QTextDocument *doc)
{
    QStringList lost;
    const QByteArray text = Sjis::beforeNul(bytes);
    if (text.size() != bytes.size())
        lost.append(Lost::afterNul());
    bool clean = true;
    QString decoded = Sjis::decode(text, &clean);
    if (!clean)
        lost.append(Lost::unreadableBytes());
    decoded.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    decoded.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    doc->setPlainText(decoded);
    return lost;
}

} // namespace

bool looksLikeRtf(const QByteArray &bytes)
{
    qsizetype i = 0;
    while (i < bytes.size() && (bytes.at(i) == ' ' || bytes.at(i) == '\t' || bytes.at(i) == '\r' ||
                                bytes.at(i) == '\n'))
        ++i;
    return bytes.mid(i, 5) == "{\\rtf";
}

ReadResult read(const QByteArray &bytes, QTextDocument *doc)
{
    ReadResult result;
    result.rtf = looksLikeRtf(bytes);
    if (!result.rtf) {
        result.notKept = readPlainText(bytes, doc);
        doc->clearUndoRedoStacks();
        doc->setModified(false);
        return result;
    }
    Reader reader(bytes, doc);
    result.notKept = reader.run();
    doc->clearUndoRedoStacks();
    doc->setModified(false);
    return result;
}

} // namespace Rtf

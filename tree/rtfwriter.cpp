#include "tree/rtfwriter.h"

#include "base/sjiscodec.h"
#include "tree/rtfcodepage.h"
#include "tree/rtfformat.h"

#include <QColor>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

namespace Rtf {

namespace {

struct FontKey {
    QString family;
    int charset = ShiftJisCharset;
    bool operator==(const FontKey &o) const { return family == o.family && charset == o.charset; }
};

// The character format of a run as RTF states it.
struct RunFormat {
    int font = 0;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    QTextCharFormat::UnderlineStyle underline = QTextCharFormat::NoUnderline;
    bool strike = false;
    int foreground = 0;
    int background = 0;
    QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;
    QFont::Capitalization caps = QFont::MixedCase;
    int charset = ShiftJisCharset;
};

struct ParaFormat {
    QByteArray words; // the paragraph's words after "\pard"
    bool operator==(const ParaFormat &o) const { return words == o.words; }
};

class Writer
{
public:
    explicit Writer(const QTextDocument &doc) : m_doc(doc), m_base(doc.defaultFont()) {}
    WriteResult run();

private:
    int fontIndex(const QTextCharFormat &f);
    int colourIndex(const QColor &c);
    RunFormat runFormat(const QTextCharFormat &f);
    ParaFormat paraFormat(const QTextBlock &block);
    void checkBlock(const QTextBlock &block);
    void checkFragment(const QTextCharFormat &f);

    void writeHeader();
    void writeFormatChange(const RunFormat &next);
    void writeText(const QString &text, int charset);
    void word(const QByteArray &w);
    void word(const QByteArray &w, int param);
    void plain(char c);
    void report(const QString &name);

    const QTextDocument &m_doc;
    QFont m_base;
    QList<FontKey> m_fonts;
    QList<QColor> m_colours; // index 0 is "auto" and not stored here
    QByteArray m_out;
    bool m_needDelimiter = false;
    RunFormat m_current;
    bool m_haveCurrent = false;
    QStringList m_lost;
};

void Writer::report(const QString &name)
{
    if (!m_lost.contains(name))
        m_lost.append(name);
}

void Writer::word(const QByteArray &w)
{
    m_out += '\\';
    m_out += w;
    m_needDelimiter = true;
}

void Writer::word(const QByteArray &w, int param)
{
    word(w + QByteArray::number(param));
}

void Writer::plain(char c)
{
    if (m_needDelimiter)
        m_out += ' ';
    m_needDelimiter = false;
    m_out += c;
}

int Writer::fontIndex(const QTextCharFormat &f)
{
    const QFont font = f.font().resolve(m_base);
    FontKey key;
    key.family = font.families().isEmpty() ? font.family() : font.families().constFirst();
    // A charset whose code page cannot be read back is not written: the run takes
    // Shift-JIS (its text still goes as "\uN" where Shift-JIS cannot hold it).
    if (f.hasProperty(FontCharsetProperty)) {
        const int codePage = RtfCodePage::forCharset(f.intProperty(FontCharsetProperty));
        if (codePage == 0 || RtfCodePage::isSupported(codePage))
            key.charset = f.intProperty(FontCharsetProperty);
    }
    const qsizetype i = m_fonts.indexOf(key);
    if (i >= 0)
        return int(i);
    m_fonts.append(key);
    return int(m_fonts.size() - 1);
}

int Writer::colourIndex(const QColor &c)
{
    const QColor rgb = c.toRgb();
    for (qsizetype i = 0; i < m_colours.size(); ++i)
        if (m_colours.at(i).rgb() == rgb.rgb())
            return int(i + 1);
    m_colours.append(rgb);
    return int(m_colours.size());
}

RunFormat Writer::runFormat(const QTextCharFormat &f)
{
    const QFont font = f.font().resolve(m_base);
    RunFormat r;
    r.font = fontIndex(f);
    r.charset = m_fonts.at(r.font).charset;
    if (font.pointSizeF() > 0)
        r.halfPoints = qRound(font.pointSizeF() * 2);
    else if (font.pixelSize() > 0)
        r.halfPoints = qRound(font.pixelSize() * 72.0 / 96.0 * 2);
    r.bold = font.bold();
    r.italic = font.italic();
    r.underline = f.underlineStyle();
    if (r.underline == QTextCharFormat::SpellCheckUnderline)
        r.underline = QTextCharFormat::NoUnderline;
    if (r.underline == QTextCharFormat::NoUnderline && font.underline())
        r.underline = QTextCharFormat::SingleUnderline;
    r.strike = font.strikeOut();
    if (f.foreground().style() != Qt::NoBrush)
        r.foreground = colourIndex(f.foreground().color());
    if (f.background().style() != Qt::NoBrush)
        r.background = colourIndex(f.background().color());
    r.vertical = f.verticalAlignment();
    if (r.vertical != QTextCharFormat::AlignSuperScript && r.vertical != QTextCharFormat::AlignSubScript)
        r.vertical = QTextCharFormat::AlignNormal;
    r.caps = font.capitalization();
    if (r.caps != QFont::AllUppercase && r.caps != QFont::SmallCaps)
        r.caps = QFont::MixedCase;
    return r;
}

// Formats that RTF written here cannot carry.
void Writer::checkFragment(const QTextCharFormat &f)
{
    if (f.isImageFormat() || f.objectType() != QTextFormat::NoObject)
        report(Lost::picture());
    if (f.isAnchor() && !f.anchorHref().isEmpty())
        report(Lost::field());
    if (f.fontOverline() || f.textOutline().style() != Qt::NoPen)
        report(Lost::textEffect());
    if (f.hasProperty(QTextFormat::FontLetterSpacing) || f.hasProperty(QTextFormat::FontWordSpacing) ||
        f.hasProperty(QTextFormat::FontStretch))
        report(Lost::spacing());
    const QFont::Capitalization caps = f.font().capitalization();
    if (caps == QFont::AllLowercase || caps == QFont::Capitalize)
        report(Lost::textEffect());
}

void Writer::checkBlock(const QTextBlock &block)
{
    const QTextCursor at(block);
    if (at.currentTable())
        report(Lost::table());
    if (block.textList())
        report(Lost::list());
    const QTextBlockFormat bf = block.blockFormat();
    if (bf.background().style() != Qt::NoBrush)
        report(Lost::shading());
    if (bf.hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth))
        report(Lost::border());
    if (bf.pageBreakPolicy() != QTextFormat::PageBreak_Auto)
        report(Lost::pageBreak());
}

ParaFormat Writer::paraFormat(const QTextBlock &block)
{
    const QTextBlockFormat bf = block.blockFormat();
    ParaFormat p;
    auto add = [&p](const char *w, int param) {
        p.words += '\\';
        p.words += w;
        p.words += QByteArray::number(param);
    };
    const Qt::Alignment align = bf.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignHCenter)
        p.words += "\\qc";
    else if (align & Qt::AlignRight)
        p.words += "\\qr";
    else if (align & Qt::AlignJustify)
        p.words += "\\qj";
    // Qt's indent levels are steps of the document's indent width.
    const qreal left = bf.leftMargin() + bf.indent() * m_doc.indentWidth();
    if (left != 0)
        add("li", pixelsToTwips(left));
    if (bf.rightMargin() != 0)
        add("ri", pixelsToTwips(bf.rightMargin()));
    if (bf.textIndent() != 0)
        add("fi", pixelsToTwips(bf.textIndent()));
    if (bf.topMargin() != 0)
        add("sb", pixelsToTwips(bf.topMargin()));
    if (bf.bottomMargin() != 0)
        add("sa", pixelsToTwips(bf.bottomMargin()));
    switch (bf.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        if (bf.lineHeight() != 100) {
            add("sl", qRound(bf.lineHeight() * 240.0 / 100.0));
            add("slmult", 1);
        }
        break;
    case QTextBlockFormat::MinimumHeight:
        add("sl", pixelsToTwips(bf.lineHeight()));
        add("slmult", 0);
        break;
    case QTextBlockFormat::FixedHeight:
        add("sl", -pixelsToTwips(bf.lineHeight()));
        add("slmult", 0);
        break;
    case QTextBlockFormat::LineDistanceHeight:
        if (bf.lineHeight() != 0)
            report(Lost::spacing());
        break;
    default:
        break;
    }
    for (const QTextOption::Tab &tab : bf.tabPositions()) {
        if (tab.type == QTextOption::RightTab)
            p.words += "\\tqr";
        else if (tab.type == QTextOption::CenterTab)
            p.words += "\\tqc";
        else if (tab.type == QTextOption::DelimiterTab)
            p.words += "\\tqdec";
        add("tx", pixelsToTwips(tab.position));
    }
    return p;
}

void Writer::writeFormatChange(const RunFormat &n)
{
    RunFormat &c = m_current;
    const bool all = !m_haveCurrent;
    m_haveCurrent = true;
    if (all || n.font != c.font)
        word("f", n.font);
    if (all || n.halfPoints != c.halfPoints)
        word("fs", n.halfPoints);
    if (n.bold != c.bold)
        word(n.bold ? "b" : "b0");
    if (n.italic != c.italic)
        word(n.italic ? "i" : "i0");
    if (n.underline != c.underline) {
        switch (n.underline) {
        case QTextCharFormat::NoUnderline: word("ulnone"); break;
        case QTextCharFormat::DotLine: word("uld"); break;
        case QTextCharFormat::DashUnderline: word("uldash"); break;
        case QTextCharFormat::DashDotLine: word("uldashd"); break;
        case QTextCharFormat::DashDotDotLine: word("uldashdd"); break;
        case QTextCharFormat::WaveUnderline: word("ulwave"); break;
        default: word("ul"); break;
        }
    }
    if (n.strike != c.strike)
        word(n.strike ? "strike" : "strike0");
    if (n.foreground != c.foreground)
        word("cf", n.foreground);
    if (n.background != c.background)
        word("highlight", n.background);
    if (n.vertical != c.vertical)
        word(n.vertical == QTextCharFormat::AlignSuperScript ? "super"
             : n.vertical == QTextCharFormat::AlignSubScript ? "sub"
                                                             : "nosupersub");
    if (n.caps != c.caps) {
        if (c.caps == QFont::AllUppercase)
            word("caps0");
        else if (c.caps == QFont::SmallCaps)
            word("scaps0");
        if (n.caps == QFont::AllUppercase)
            word("caps");
        else if (n.caps == QFont::SmallCaps)
            word("scaps");
    }
    c = n;
}

// One character as the rich-edit control writes it: Shift-JIS bytes when the run's
// font is a Shift-JIS one and the character comes back the same, else "\uN?".
void Writer::writeText(const QString &text, int charset)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        const char16_t u = ch.unicode();
        switch (u) {
        case u'\\': m_out += "\\\\"; m_needDelimiter = false; continue;
        case u'{': m_out += "\\{"; m_needDelimiter = false; continue;
        case u'}': m_out += "\\}"; m_needDelimiter = false; continue;
        case u'\t': word("tab"); continue;
        case 0x2028: word("line"); continue;
        case 0x00A0: m_out += "\\~"; m_needDelimiter = false; continue;
        case 0x00AD: m_out += "\\-"; m_needDelimiter = false; continue;
        case 0x2011: m_out += "\\_"; m_needDelimiter = false; continue;
        case QChar::ObjectReplacementCharacter: report(Lost::picture()); continue;
        default: break;
        }
        if (u < 0x20) {
            // Control characters have no place in RTF text: left out, and said so.
            report(Lost::controlCharacters());
            continue;
        }
        // DEL goes the way of other characters below: as a byte it would depend on the
        // code page's reading of 0x7F.
        if (u < 0x7F) {
            plain(char(u));
            continue;
        }
        const qsizetype len = (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ? 2 : 1;
        const QString one = text.mid(i, len);
        if (charset == ShiftJisCharset) {
            const Sjis::Encoded e = Sjis::encode(one);
            if (e.ok && Sjis::decode(e.bytes) == one) {
                for (const char b : e.bytes) {
                    m_out += "\\'";
                    m_out += QByteArray(1, b).toHex();
                }
                m_needDelimiter = false;
                i += len - 1;
                continue;
            }
        }
        for (qsizetype k = 0; k < len; ++k) {
            const int unit = text.at(i + k).unicode();
            word("u", unit > 32767 ? unit - 65536 : unit);
            m_out += '?';
            m_needDelimiter = false;
        }
        i += len - 1;
    }
}

void Writer::writeHeader()
{
    m_out += "{\\rtf1\\ansi\\ansicpg932\\deff0\\deflang1041\\deflangfe1041{\\fonttbl";
    for (qsizetype i = 0; i < m_fonts.size(); ++i) {
        m_out += "{";
        word("f", int(i));
        word("fnil");
        word("fcharset", m_fonts.at(i).charset);
        m_out += ' ';
        m_needDelimiter = false;
        writeText(m_fonts.at(i).family, m_fonts.at(i).charset);
        m_out += ";}";
        m_needDelimiter = false;
    }
    m_out += "}\r\n";
    if (!m_colours.isEmpty()) {
        m_out += "{\\colortbl ;";
        for (const QColor &c : m_colours)
            m_out += "\\red" + QByteArray::number(c.red()) + "\\green" + QByteArray::number(c.green()) + "\\blue" +
                     QByteArray::number(c.blue()) + ';';
        m_out += "}\r\n";
    }
    m_out += "\\viewkind4\\uc1";
}

// The body is written first, filling the font and colour tables in the order they
// are met; the header with the tables then goes in front of it.
WriteResult Writer::run()
{
    fontIndex(QTextCharFormat()); // the default font is \f0
    m_needDelimiter = true;       // the body follows "\uc1"
    bool first = true;
    ParaFormat previous;
    for (QTextBlock block = m_doc.begin(); block.isValid(); block = block.next()) {
        checkBlock(block);
        const ParaFormat para = paraFormat(block);
        if (first || !(para == previous)) {
            word("pard");
            m_out += para.words;
            if (first)
                word("lang", 1041);
        }
        first = false;
        previous = para;

        bool empty = true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.text().isEmpty())
                continue;
            empty = false;
            const QTextCharFormat f = fragment.charFormat();
            checkFragment(f);
            const RunFormat r = runFormat(f);
            writeFormatChange(r);
            writeText(fragment.text(), r.charset);
        }
        if (empty)
            writeFormatChange(runFormat(block.charFormat())); // the height of an empty line
        word("par");
        m_out += "\r\n";
        m_needDelimiter = false;
    }
    m_out += "}\r\n";

    const QByteArray body = m_out;
    m_out.clear();
    writeHeader();
    return WriteResult{m_out + body, m_lost};
}

} // namespace

WriteResult write(const QTextDocument &doc)
{
    Writer writer(doc);
    return writer.run();
}

} // namespace Rtf

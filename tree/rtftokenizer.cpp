#include "tree/rtftokenizer.h"

#include "tree/rtfcodepage.h"

#include <limits>

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Control words are at most 32 letters and their parameters fit a signed 32-bit
// number in every file that matters; longer runs are cut, not trusted.
constexpr int MaxWordLength = 32;
constexpr int MaxDigits = 10;

RtfToken token(RtfToken::Type type)
{
    RtfToken t;
    t.type = type;
    return t;
}

} // namespace

RtfToken RtfTokenizer::next()
{
    while (m_pos < m_bytes.size()) {
        const char c = m_bytes.at(m_pos);
        switch (c) {
        case '{':
            ++m_pos;
            return token(RtfToken::GroupStart);
        case '}':
            ++m_pos;
            return token(RtfToken::GroupEnd);
        case '\\':
            return readControl();
        case '\r':
        case '\n':
            ++m_pos; // line ends between tokens carry no meaning
            continue;
        default: {
            RtfToken t = readText();
            if (t.data.isEmpty())
                continue; // only line ends before the next brace or backslash
            return t;
        }
        }
    }
    return token(RtfToken::End);
}

RtfToken RtfTokenizer::readControl()
{
    ++m_pos; // the backslash
    RtfToken t;
    if (m_pos >= m_bytes.size())
        return token(RtfToken::End);
    const char c = m_bytes.at(m_pos);

    if (!isLetter(c)) {
        ++m_pos;
        switch (c) {
        case '\\':
        case '{':
        case '}':
            t.type = RtfToken::Text;
            t.data = QByteArray(1, c);
            return t;
        case '\r':
        case '\n':
            t.type = RtfToken::ControlWord; // an escaped line end is a paragraph mark
            t.data = "par";
            return t;
        case '\t':
            t.type = RtfToken::ControlWord;
            t.data = "tab";
            return t;
        case '\'': {
            const int hi = m_pos < m_bytes.size() ? hexValue(m_bytes.at(m_pos)) : -1;
            const int lo = m_pos + 1 < m_bytes.size() ? hexValue(m_bytes.at(m_pos + 1)) : -1;
            if (hi < 0 || lo < 0) {
                // A broken escape: keep what follows as ordinary text.
                t.type = RtfToken::ControlSymbol;
                t.symbol = '\'';
                return t;
            }
            m_pos += 2;
            t.type = RtfToken::HexByte;
            t.symbol = char(hi * 16 + lo);
            return t;
        }
        default:
            t.type = RtfToken::ControlSymbol;
            t.symbol = c;
            return t;
        }
    }

    t.type = RtfToken::ControlWord;
    const qsizetype start = m_pos;
    while (m_pos < m_bytes.size() && isLetter(m_bytes.at(m_pos)))
        ++m_pos;
    t.data = m_bytes.mid(start, qMin<qsizetype>(m_pos - start, MaxWordLength));

    bool negative = false;
    if (m_pos + 1 < m_bytes.size() && m_bytes.at(m_pos) == '-' && isDigit(m_bytes.at(m_pos + 1))) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < m_bytes.size() && isDigit(m_bytes.at(m_pos))) {
        qint64 value = 0;
        int digits = 0;
        while (m_pos < m_bytes.size() && isDigit(m_bytes.at(m_pos))) {
            if (digits++ < MaxDigits)
                value = value * 10 + (m_bytes.at(m_pos) - '0');
            ++m_pos;
        }
        if (negative)
            value = -value;
        value = qBound(qint64(std::numeric_limits<int>::min()), value, qint64(std::numeric_limits<int>::max()));
        t.param = int(value);
        t.hasParam = true;
    }
    if (m_pos < m_bytes.size() && m_bytes.at(m_pos) == ' ')
        ++m_pos; // the delimiting space belongs to the word

    if (t.data == "bin") {
        const qsizetype n = t.hasParam ? qMax(0, t.param) : 0;
        RtfToken bin;
        bin.type = RtfToken::Binary;
        bin.data = m_bytes.mid(m_pos, n);
        bin.param = t.param;
        bin.hasParam = t.hasParam;
        m_pos = qMin(m_bytes.size(), m_pos + n);
        return bin;
    }
    return t;
}

RtfToken RtfTokenizer::readText()
{
    RtfToken t;
    t.type = RtfToken::Text;
    while (m_pos < m_bytes.size()) {
        const uchar b = uchar(m_bytes.at(m_pos));
        if (b == '{' || b == '}' || b == '\\')
            break;
        if (b == '\r' || b == '\n' || (b < 0x20 && b != '\t')) {
            ++m_pos; // line ends and other control bytes are not text
            continue;
        }
        if (m_codePage != 0 && RtfCodePage::isLeadByte(m_codePage, b) && m_pos + 1 < m_bytes.size()) {
            t.data += m_bytes.mid(m_pos, 2);
            m_pos += 2;
            continue;
        }
        t.data += char(b);
        ++m_pos;
    }
    return t;
}

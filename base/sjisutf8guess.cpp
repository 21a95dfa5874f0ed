// Whether file text that is valid both as UTF-8 and as Shift-JIS was written in UTF-8:
// each reading is scored by how much it looks like text a person wrote.

#include "base/sjiscodec.h"

#include <QList>

namespace Sjis {

namespace {

bool hasUtf8Bom(const QByteArray &bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF");
}

// Decodes strict UTF-8 (no overlong forms, surrogates or values past U+10FFFF, nothing
// cut short). False when the bytes are not UTF-8.
bool utf8CodePoints(const QByteArray &bytes, QList<char32_t> *out)
{
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const uchar b = uchar(bytes[i]);
        int extra = 0;
        char32_t cp = 0;
        if (b < 0x80) { out->append(b); ++i; continue; }
        if (b >= 0xC2 && b <= 0xDF) { extra = 1; cp = b & 0x1F; }
        else if (b >= 0xE0 && b <= 0xEF) { extra = 2; cp = b & 0x0F; }
        else if (b >= 0xF0 && b <= 0xF4) { extra = 3; cp = b & 0x07; }
        else return false;
        if (i + extra >= n)
            return false;
        for (int k = 1; k <= extra; ++k) {
            const uchar c = uchar(bytes[i + k]);
            if ((c & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF))
            || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        out->append(cp);
        i += extra + 1;
    }
    return true;
}

bool in(char32_t c, char32_t first, char32_t last) { return c >= first && c <= last; }

// How much a character of the UTF-8 reading looks like written text.
int utf8Weight(char32_t c)
{
    if (c < 0x80)
        return 0;
    // Japanese and the signs written with it: what UTF-8 memos are made of.
    if (in(c, 0x3000, 0x30FF) || in(c, 0x3400, 0x4DBF) || in(c, 0x4E00, 0x9FFF) || in(c, 0xF900, 0xFAFF)
        || in(c, 0xFF01, 0xFF60) || in(c, 0xFFE0, 0xFFE6) || in(c, 0x2010, 0x2BFF) || in(c, 0x1F000, 0x1FAFF))
        return 2;
    // Letters of western languages.
    if (in(c, 0xC0, 0xFF) && c != 0xD7 && c != 0xF7)
        return 1;
    // Signs, other alphabets, half-width katakana: neither way.
    if (in(c, 0xA0, 0xBF) || in(c, 0x370, 0x52F) || in(c, 0xFF61, 0xFF9F))
        return 0;
    // Control codes, Latin-extended and phonetic letters, modifiers, rare scripts: what
    // Shift-JIS bytes give when read as UTF-8.
    return -1;
}

int utf8Score(const QList<char32_t> &codePoints)
{
    int score = 0;
    for (char32_t c : codePoints)
        score += utf8Weight(c);
    return score;
}

enum class SjisClass { Letter, OtherAscii, HalfWidth, Double };

bool isLead(uchar b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// How much a double-byte character of the Shift-JIS reading looks like written text,
// by its lead byte.
int doubleWeight(uchar lead)
{
    if (lead >= 0x81 && lead <= 0x83)
        return 2; // punctuation, full-width letters and digits, hiragana, katakana
    if (lead >= 0x88 && lead <= 0x98)
        return 2; // the common kanji
    if (lead == 0x84 || lead == 0x87 || (lead >= 0x99 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xEE)
        || lead >= 0xFA)
        return 1; // box drawing, circled numbers, the rarer kanji
    return -1;    // user-defined characters and empty rows
}

// The Shift-JIS reading of bytes that decode cleanly. Half-width katakana count for
// the text when they stand among themselves, spaces, digits and signs; glued to a
// double-byte character or a Latin letter they are the debris of UTF-8 sequences.
int sjisScore(const QByteArray &bytes)
{
    QList<SjisClass> classes;
    QList<int> weights;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const uchar b = uchar(bytes[i]);
        if (isLead(b) && i + 1 < n) {
            classes.append(SjisClass::Double);
            weights.append(doubleWeight(b));
            i += 2;
            continue;
        }
        if (b >= 0xA1 && b <= 0xDF)
            classes.append(SjisClass::HalfWidth);
        else if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z'))
            classes.append(SjisClass::Letter);
        else
            classes.append(SjisClass::OtherAscii);
        weights.append(0);
        ++i;
    }
    int score = 0;
    for (qsizetype k = 0; k < classes.size(); ++k) {
        if (classes[k] != SjisClass::HalfWidth) {
            score += weights[k];
            continue;
        }
        auto glued = [&](qsizetype j) {
            return j >= 0 && j < classes.size()
                && (classes[j] == SjisClass::Double || classes[j] == SjisClass::Letter);
        };
        score += (glued(k - 1) || glued(k + 1)) ? -1 : 1;
    }
    return score;
}

} // namespace

bool readsAsUtf8(const QByteArray &bytes)
{
    if (hasUtf8Bom(bytes))
        return true;
    QList<char32_t> codePoints;
    codePoints.reserve(bytes.size());
    if (!utf8CodePoints(bytes, &codePoints))
        return false;
    if (codePoints.size() == bytes.size())
        return false; // plain ASCII: the same either way
    bool cleanSjis = false;
    decode(bytes, &cleanSjis);
    if (!cleanSjis)
        return true;
    return utf8Score(codePoints) > sjisScore(bytes);
}

} // namespace Sjis

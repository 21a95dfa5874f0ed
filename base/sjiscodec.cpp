#include "base/sjiscodec.h"

#include "base/cp932table.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Sjis {

namespace {

// Characters that CP932 does not hold but whose look-alikes it does.
char16_t lookAlike(char16_t c)
{
    switch (c) {
    case 0x301C: return 0xFF5E; // WAVE DASH -> FULLWIDTH TILDE
    case 0x2016: return 0x2225; // DOUBLE VERTICAL LINE -> PARALLEL TO
    case 0x2212: return 0xFF0D; // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
    case 0x00A2: return 0xFFE0; // CENT SIGN
    case 0x00A3: return 0xFFE1; // POUND SIGN
    case 0x00AC: return 0xFFE2; // NOT SIGN
    case 0x2014: return 0x2015; // EM DASH -> HORIZONTAL BAR
    default: return c;
    }
}

bool encodeOne(QStringEncoder &enc, QStringView piece, QByteArray &out)
{
    QByteArray b = enc(piece);
    if (enc.hasError())
        return false;
    out += b;
    return true;
}

} // namespace

QString decode(const QByteArray &bytes, bool *clean)
{
    QString fast;
    if (Cp932Table::decode(bytes, &fast)) {
        if (clean)
            *clean = true;
        return fast;
    }
    // Invalid bytes: the converter decides what they become.
    QStringDecoder dec("CP932", QStringConverter::Flag::Stateless);
    QString text = dec(bytes);
    bool ok = !dec.hasError();
    // A lead byte at the very end has no second byte; the decoder drops it silently.
    qsizetype i = 0;
    const qsizetype n = bytes.size();
    bool dangling = false;
    while (i < n) {
        const uchar b = uchar(bytes[i]);
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        if (lead && i + 1 >= n)
            dangling = true;
        i += lead ? 2 : 1;
    }
    if (dangling) {
        if (!text.endsWith(QChar(0x1A)))
            text += QChar(0x1A);
        ok = false;
    }
    if (clean)
        *clean = ok;
    return text;
}

Encoded encode(const QString &text)
{
    Encoded result;
    QString mapped = text;
    for (QChar &c : mapped)
        c = QChar(lookAlike(c.unicode()));

    if (Cp932Table::encode(mapped, &result.bytes))
        return result;
    QStringEncoder enc("CP932", QStringConverter::Flag::Stateless);
    QByteArray whole = enc(mapped);
    if (!enc.hasError()) {
        result.bytes = whole;
        return result;
    }
    // Find the characters that cannot be held, one code point at a time.
    result.ok = false;
    QByteArray out;
    for (qsizetype i = 0; i < mapped.size();) {
        const qsizetype len = (mapped.at(i).isHighSurrogate() && i + 1 < mapped.size()) ? 2 : 1;
        QStringEncoder one("CP932", QStringConverter::Flag::Stateless);
        const QStringView piece = QStringView(mapped).mid(i, len);
        if (!encodeOne(one, piece, out)) {
            const QString ch = text.mid(i, len);
            if (!result.unencodable.contains(ch))
                result.unencodable += ch;
        }
        i += len;
    }
    result.bytes = out;
    return result;
}

bool roundTrips(const QByteArray &bytes)
{
    bool clean = false;
    const QString text = decode(bytes, &clean);
    if (!clean)
        return false;
    const Encoded back = encode(text);
    return back.ok && back.bytes == bytes;
}

QByteArray beforeNul(const QByteArray &bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    return nul < 0 ? bytes : bytes.left(nul);
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QStringList decodeLines(const QByteArray &bytes)
{
    return splitLines(decode(beforeNul(bytes)));
}

QString joinLinesCrLf(const QStringList &lines)
{
    QString out;
    for (const QString &line : lines) {
        out += line;
        out += QStringLiteral("\r\n");
    }
    return out;
}

QString normalizeCrLf(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 16);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            out += QStringLiteral("\r\n");
            if (i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
        } else if (c == u'\n') {
            out += QStringLiteral("\r\n");
        } else {
            out += c;
        }
    }
    return out;
}

QString decodeUtf8(const QByteArray &bytes)
{
    // A leading byte-order mark stays in the text, so that writing gives it back.
    QStringDecoder dec(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return dec(bytes);
}

QByteArray encodeUtf8(const QString &text)
{
    return text.toUtf8();
}

bool looksLikeUtf8(const QByteArray &bytes)
{
    bool multi = false;
    bool longForm = false;     // a 3- or 4-byte sequence (CJK text is made of these)
    bool onlyLatin = true;     // every 2-byte sequence is a Latin letter or sign (U+00A0..U+017F)
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const uchar b = uchar(bytes[i]);
        int extra = 0;
        char32_t cp = 0;
        if (b < 0x80) { ++i; continue; }
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
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF))
            || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        multi = true;
        if (extra >= 2)
            longForm = true;
        else if (cp < 0xA0 || cp > 0x17F)
            onlyLatin = false;
        i += extra + 1;
    }
    if (!multi)
        return false;
    if (longForm || onlyLatin)
        return true;
    // Only 2-byte sequences outside the Latin letters: pairs of half-width katakana in
    // Shift-JIS ("ﾊｲ" is CA B2) look just like that, so clean Shift-JIS wins.
    bool cleanSjis = false;
    decode(bytes, &cleanSjis);
    return !cleanSjis;
}

int charWidth(char32_t c)
{
    return (c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F)) ? 1 : 2;
}

qsizetype byteLength(QStringView text)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i; // one character, two UTF-16 units
        n += charWidth(c.unicode());
    }
    return n;
}

} // namespace Sjis

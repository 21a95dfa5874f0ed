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

// The three control bytes the library table maps to one another instead of to themselves.
bool isSwappedControl(char16_t c)
{
    return c == 0x1A || c == 0x1C || c == 0x7F;
}

// Decodes a piece that holds none of the swapped control bytes and appends it. A lead
// byte at the very end has no second byte; the library drops it silently, so it is
// counted here.
void decodePiece(QByteArrayView piece, QString &out, bool &ok)
{
    if (piece.isEmpty())
        return;
    QStringDecoder dec("CP932", QStringConverter::Flag::Stateless);
    out += QString(dec(piece));
    if (dec.hasError())
        ok = false;
    qsizetype i = 0;
    const qsizetype n = piece.size();
    while (i < n) {
        const uchar b = uchar(piece[i]);
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        if (lead && i + 1 >= n) {
            if (!out.endsWith(QChar(0x1A)))
                out += QChar(0x1A);
            ok = false;
        }
        i += lead ? 2 : 1;
    }
}

// Encodes a piece that holds none of the swapped control characters; false when some
// character cannot be held.
bool encodePiece(QStringView piece, QByteArray &out)
{
    if (piece.isEmpty())
        return true;
    QStringEncoder enc("CP932", QStringConverter::Flag::Stateless);
    QByteArray b = enc(piece);
    if (enc.hasError())
        return false;
    out += b;
    return true;
}

// Encodes text as it stands (no look-alikes); `original` is what names the characters
// that cannot be held (same length as `text`).
Encoded encodeExact(const QString &text, const QString &original)
{
    Encoded result;
    if (Cp932Table::encode(text, &result.bytes))
        return result;
    // Whole runs between the swapped control characters first: the common case.
    QByteArray whole;
    bool allOk = true;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i <= n && allOk; ++i) {
        if (i < n && !isSwappedControl(text.at(i).unicode()))
            continue;
        allOk = encodePiece(QStringView(text).sliced(start, i - start), whole);
        if (i < n)
            whole += char(text.at(i).unicode());
        start = i + 1;
    }
    if (allOk) {
        result.bytes = whole;
        return result;
    }
    // Find the characters that cannot be held, one code point at a time.
    result.ok = false;
    QByteArray out;
    for (qsizetype i = 0; i < n;) {
        const qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < n) ? 2 : 1;
        const QStringView piece = QStringView(text).mid(i, len);
        if (len == 1 && isSwappedControl(piece.at(0).unicode())) {
            out += char(piece.at(0).unicode());
        } else if (!encodePiece(piece, out)) {
            const QString ch = original.mid(i, len);
            if (!result.unencodable.contains(ch))
                result.unencodable += ch;
        }
        i += len;
    }
    result.bytes = out;
    return result;
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
    // The library table swaps three control bytes (0x1A, 0x1C, 0x7F) with one another,
    // where code page 932 keeps every byte below 0x80 as itself. None of the three can be
    // the second byte of a double-byte character, so they are taken out here and the
    // pieces between them go through the library.
    QString text;
    text.reserve(bytes.size());
    bool ok = true;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i <= n; ++i) {
        if (i < n && !isSwappedControl(uchar(bytes[i])))
            continue;
        decodePiece(QByteArrayView(bytes).sliced(start, i - start), text, ok);
        if (i < n)
            text += QChar(char16_t(uchar(bytes[i])));
        start = i + 1;
    }
    if (clean)
        *clean = ok;
    return text;
}

Encoded encode(const QString &text)
{
    QString mapped = text;
    for (QChar &c : mapped)
        c = QChar(lookAlike(c.unicode()));
    return encodeExact(mapped, text);
}

bool roundTrips(const QByteArray &bytes)
{
    bool clean = false;
    const QString text = decode(bytes, &clean);
    if (!clean)
        return false;
    const Encoded back = encodeExact(text, text);
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

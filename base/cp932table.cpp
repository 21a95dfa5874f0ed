#include "base/cp932table.h"

#include <QList>
#include <QStringDecoder>
#include <QStringList>
#include <QStringEncoder>

#include <array>
#include <memory>

namespace Cp932Table {

namespace {

constexpr char16_t kNone = 0xFFFF; // no character (U+FFFF is not one of code page 932's)

bool isLead(uchar b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

struct Tables {
    std::array<char16_t, 256> single{};         // single bytes; kNone for lead and invalid bytes
    std::array<char16_t, 65536> pair{};         // (lead << 8) | trail
    std::array<quint16, 65536> code{};          // character -> bytes: < 0x100 one byte, else two; 0 none

    // Filled with two conversions in all: every candidate code, each followed by a line
    // feed, is decoded in one go (a line feed is never the second byte of a pair, so a
    // bad code cannot swallow its neighbour), then every character found is encoded the
    // same way. One converter per code would cost far more than the tables save.
    Tables()
    {
        single.fill(kNone);
        pair.fill(kNone);
        code.fill(0);
        for (int b = 0; b < 0x80; ++b) {
            single[b] = char16_t(b);
            code[b] = quint16(b);
        }

        QList<int> candidates; // one byte (< 0x100) or lead << 8 | trail
        for (int b = 0x80; b < 0x100; ++b) {
            if (!isLead(uchar(b)))
                candidates.append(b);
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isLead(uchar(lead)))
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                if (trail != 0x7F)
                    candidates.append((lead << 8) | trail);
            }
        }
        QByteArray all;
        for (int c : candidates) {
            if (c > 0xFF)
                all += char(c >> 8);
            all += char(c & 0xFF);
            all += '\n';
        }
        QStringDecoder dec("CP932", QStringConverter::Flag::Stateless);
        const QStringList decoded = QString(dec(all)).split(u'\n');
        if (decoded.size() != candidates.size() + 1)
            return; // not the shape expected: leave everything to the converter
        QList<char16_t> found;
        for (qsizetype i = 0; i < candidates.size(); ++i) {
            const QString &one = decoded.at(i);
            if (one.size() != 1 || one.at(0).isSurrogate() || one.at(0) == QChar(0x1A)
                || one.at(0) == QChar::ReplacementCharacter)
                continue;
            const char16_t ch = one.at(0).unicode();
            const int c = candidates.at(i);
            (c > 0xFF ? pair[c] : single[c]) = ch;
            found.append(ch);
        }

        QString chars;
        for (char16_t ch : found) {
            chars += QChar(ch);
            chars += u'\n';
        }
        QStringEncoder enc("CP932", QStringConverter::Flag::Stateless);
        const QList<QByteArray> encoded = QByteArray(enc(chars)).split('\n');
        if (encoded.size() != found.size() + 1)
            return;
        for (qsizetype i = 0; i < found.size(); ++i) {
            const QByteArray &b = encoded.at(i);
            const char16_t ch = found.at(i);
            // Kept only when the bytes decode back to the character: a substitute or a
            // one-way mapping is left to the converter's own path.
            if (b.size() == 1 && single[uchar(b[0])] == ch)
                code[ch] = quint16(uchar(b[0]));
            else if (b.size() == 2 && pair[(uchar(b[0]) << 8) | uchar(b[1])] == ch)
                code[ch] = quint16((uchar(b[0]) << 8) | uchar(b[1]));
        }
    }
};

const Tables &tables()
{
    static const std::unique_ptr<Tables> t = std::make_unique<Tables>();
    return *t;
}

} // namespace

bool decode(const QByteArray &bytes, QString *out)
{
    const Tables &t = tables();
    const qsizetype n = bytes.size();
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    QString text(n, Qt::Uninitialized);
    char16_t *dst = reinterpret_cast<char16_t *>(text.data());
    qsizetype len = 0;
    for (qsizetype i = 0; i < n;) {
        const uchar b = p[i];
        if (b < 0x80) {
            dst[len++] = b;
            ++i;
            continue;
        }
        char16_t c = t.single[b];
        if (c != kNone) {
            dst[len++] = c;
            ++i;
            continue;
        }
        if (!isLead(b) || i + 1 >= n)
            return false;
        c = t.pair[(b << 8) | p[i + 1]];
        if (c == kNone)
            return false;
        dst[len++] = c;
        i += 2;
    }
    text.truncate(len);
    *out = std::move(text);
    return true;
}

bool decodesTo(QByteArrayView bytes, QStringView text)
{
    const Tables &t = tables();
    const qsizetype n = bytes.size();
    const auto *p = reinterpret_cast<const uchar *>(bytes.data());
    qsizetype at = 0;
    for (qsizetype i = 0; i < n;) {
        const uchar b = p[i];
        char16_t c = b < 0x80 ? char16_t(b) : t.single[b];
        qsizetype width = 1;
        if (c == kNone) {
            if (!isLead(b) || i + 1 >= n)
                return false;
            c = t.pair[(b << 8) | p[i + 1]];
            if (c == kNone)
                return false;
            width = 2;
        }
        if (at >= text.size() || text[at].unicode() != c)
            return false;
        ++at;
        i += width;
    }
    return at == text.size();
}

bool encode(QStringView text, QByteArray *out)
{
    QByteArray bytes;
    if (!encodeAppend(text, bytes))
        return false;
    *out = std::move(bytes);
    return true;
}

bool encodeAppend(QStringView text, QByteArray &out)
{
    const Tables &t = tables();
    const qsizetype start = out.size();
    out.resize(start + text.size() * 2);
    char *dst = out.data() + start;
    qsizetype len = 0;
    for (const QChar ch : text) {
        const quint16 code = t.code[ch.unicode()];
        if (code == 0 && ch.unicode() != 0) {
            out.truncate(start);
            return false;
        }
        if (code < 0x100) {
            dst[len++] = char(code); // NUL is itself
        } else {
            dst[len++] = char(code >> 8);
            dst[len++] = char(code & 0xFF);
        }
    }
    out.truncate(start + len);
    return true;
}

} // namespace Cp932Table

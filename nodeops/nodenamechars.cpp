#include "nodeops/nodenamechars.h"

#include "base/sjiscodec.h"

namespace NodeNameChars {

bool isForbidden(QChar c)
{
    switch (c.unicode()) {
    case u'\\':
    case u'/':
    case u':':
    case u'*':
    case u'?':
    case u'"':
    case u'<':
    case u'>':
    case u'|':
        return true;
    default:
        return false;
    }
}

QString cleaned(const QString &text, bool *removed)
{
    QString out;
    out.reserve(text.size());
    bool any = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isSurrogate()) {
            // Outside the basic plane: never in Shift-JIS. A pair goes as one character.
            if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                ++i;
            any = true;
            continue;
        }
        if (isForbidden(c) || c.unicode() < 0x20 || c.unicode() == 0x7F) {
            any = true;
            continue;
        }
        if (c.unicode() < 0x80) {
            out += c;
            continue;
        }
        const Sjis::Encoded enc = Sjis::encode(QString(c));
        if (!enc.ok) {
            any = true;
            continue;
        }
        out += Sjis::decode(enc.bytes);
    }
    if (removed)
        *removed = any;
    return out;
}

} // namespace NodeNameChars

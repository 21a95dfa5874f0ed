#include "search/wordprefilter.h"

#include "base/sjiscodec.h"

#include <QHash>

#include <string.h>

namespace {

// For each character Shift-JIS text can hold: the one byte sequence that decodes to it,
// or an empty array when more than one does. Built once from the codec itself, so it
// follows whatever the codec decodes.
const QHash<char16_t, QByteArray> &sjisProducers()
{
    static const QHash<char16_t, QByteArray> table = [] {
        QHash<char16_t, QByteArray> t;
        auto note = [&t](char16_t c, const QByteArray &bytes) {
            auto it = t.find(c);
            if (it == t.end())
                t.insert(c, bytes);
            else if (*it != bytes)
                it->clear(); // two sources: not usable
        };
        QString single[256];
        for (int b = 0; b < 256; ++b) {
            const QByteArray one(1, char(b));
            single[b] = Sjis::decode(one);
            if (single[b].size() == 1)
                note(single[b].at(0).unicode(), one);
        }
        for (int lead = 0x80; lead < 0x100; ++lead) {
            for (int trail = 0; trail < 0x100; ++trail) {
                QByteArray two;
                two.append(char(lead)).append(char(trail));
                const QString s = Sjis::decode(two);
                if (s.size() == 1) {
                    note(s.at(0).unicode(), two);
                } else if (s != single[lead] + single[trail]) {
                    // A pair decoded in some other way: whatever came out has a second source.
                    for (QChar c : s)
                        note(c.unicode(), two);
                }
            }
        }
        return t;
    }();
    return table;
}

bool unsafeChar(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7F || c == QChar::ReplacementCharacter
        || c == QChar::ByteOrderMark;
}

} // namespace

WordPrefilter::WordPrefilter(const QString &word)
{
    if (word.isEmpty())
        return;
    for (QChar c : word)
        if (unsafeChar(c))
            return;
    const QHash<char16_t, QByteArray> &producers = sjisProducers();
    QByteArray sjis;
    m_sjisPossible = true;
    for (QChar c : word) {
        const auto it = producers.constFind(c.unicode());
        if (it == producers.constEnd()) {
            m_sjisPossible = false; // no Shift-JIS bytes decode to this character
            break;
        }
        if (it->isEmpty())
            return; // several sources: cannot rule anything out
        sjis += *it;
    }
    const QByteArray utf8 = word.toUtf8();
    if (m_sjisPossible)
        m_sjis = sjis;
    m_utf8 = utf8;
    m_sameBytes = m_sjisPossible && sjis == utf8;
    m_active = true;
}

namespace {

// The C library's search is several times faster than a table-driven one on these
// short words; this check runs over every byte of every memo.
bool contains(const QByteArray &haystack, const QByteArray &needle)
{
    return ::memmem(haystack.constData(), size_t(haystack.size()), needle.constData(), size_t(needle.size()));
}

} // namespace

bool WordPrefilter::mayHold(const QByteArray &bytes) const
{
    if (!m_active)
        return true;
    if (m_sjisPossible && contains(bytes, m_sjis))
        return true;
    return !m_sameBytes && contains(bytes, m_utf8);
}

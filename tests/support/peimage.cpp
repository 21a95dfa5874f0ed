#include "support/peimage.h"

#include <QMap>

#include <algorithm>

namespace {

void put16(QByteArray &b, qsizetype at, quint16 v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char(v >> 8);
}

void put32(QByteArray &b, qsizetype at, quint32 v)
{
    put16(b, at, quint16(v & 0xFFFF));
    put16(b, at + 2, quint16(v >> 16));
}

void append16(QByteArray &b, quint16 v)
{
    b.append(char(v & 0xFF));
    b.append(char(v >> 8));
}

void pad4(QByteArray &b)
{
    while (b.size() % 4)
        b.append('\0');
}

void appendUtf16z(QByteArray &b, const QString &s)
{
    for (QChar c : s)
        append16(b, c.unicode());
    append16(b, 0);
}

// One block of a version resource with its children already built.
QByteArray versionBlock(const QString &key, const QByteArray &value, int valueLength, int type,
                        const QByteArray &children)
{
    QByteArray b(6, '\0');
    appendUtf16z(b, key);
    pad4(b);
    b += value;
    pad4(b);
    b += children;
    put16(b, 0, quint16(b.size()));
    put16(b, 2, quint16(valueLength));
    put16(b, 4, quint16(type));
    return b;
}

} // namespace

QByteArray buildVersionResource(const QList<QPair<quint16, quint16>> &translations,
                                const QList<VersionStringTable> &tables)
{
    QByteArray fixed(52, '\0');
    put32(fixed, 0, 0xFEEF04BDu); // signature of the fixed part
    put32(fixed, 4, 0x00010000u);

    QByteArray stringTables;
    for (const VersionStringTable &t : tables) {
        QByteArray strings;
        for (const auto &[k, v] : t.strings) {
            QByteArray value;
            appendUtf16z(value, v);
            strings += versionBlock(k, value, int(v.size() + 1), 1, {});
            pad4(strings);
        }
        stringTables += versionBlock(t.key, {}, 0, 1, strings);
        pad4(stringTables);
    }
    QByteArray children;
    if (!tables.isEmpty()) {
        children += versionBlock(QStringLiteral("StringFileInfo"), {}, 0, 1, stringTables);
        pad4(children);
    }
    if (!translations.isEmpty()) {
        QByteArray pairs;
        for (const auto &[language, codePage] : translations) {
            append16(pairs, language);
            append16(pairs, codePage);
        }
        const QByteArray var = versionBlock(QStringLiteral("Translation"), pairs, int(pairs.size()), 0, {});
        children += versionBlock(QStringLiteral("VarFileInfo"), {}, 0, 1, var);
    }
    return versionBlock(QStringLiteral("VS_VERSION_INFO"), fixed, 52, 0, children);
}

QByteArray buildPeImage(const QList<PeResource> &resources, bool pe32plus)
{
    constexpr quint32 SectionRva = 0x1000;
    constexpr quint32 FileAlignment = 0x200;

    // type -> (name or id) -> resource; directory order: named first, then ids ascending.
    QMap<quint16, QList<const PeResource *>> byType;
    for (const PeResource &r : resources)
        byType[r.type].append(&r);
    for (auto &list : byType)
        std::stable_sort(list.begin(), list.end(), [](const PeResource *a, const PeResource *b) {
            if (a->name.isEmpty() != b->name.isEmpty())
                return !a->name.isEmpty();
            return a->name.isEmpty() ? a->id < b->id : a->name < b->name;
        });

    // Lay out: root directory, type directories, name directories, language directories,
    // data entries, names, data.
    const auto dirSize = [](int entries) { return 16 + 8 * entries; };
    quint32 at = quint32(dirSize(int(byType.size())));
    QMap<quint16, quint32> typeDir;
    for (auto it = byType.cbegin(); it != byType.cend(); ++it) {
        typeDir[it.key()] = at;
        at += quint32(dirSize(int(it->size())));
    }
    QMap<const PeResource *, quint32> langDir, dataEntry, nameAt, dataAt;
    for (const auto &list : byType)
        for (const PeResource *r : list) {
            langDir[r] = at;
            at += quint32(dirSize(1));
        }
    for (const auto &list : byType)
        for (const PeResource *r : list) {
            dataEntry[r] = at;
            at += 16;
        }
    for (const auto &list : byType)
        for (const PeResource *r : list)
            if (!r->name.isEmpty()) {
                nameAt[r] = at;
                at += quint32(2 + 2 * r->name.size());
                at = (at + 3) & ~3u;
            }
    for (const auto &list : byType)
        for (const PeResource *r : list) {
            at = (at + 7) & ~7u;
            dataAt[r] = at;
            at += quint32(r->data.size());
        }
    QByteArray rsrc(qsizetype(at), '\0');

    const auto writeDir = [&](quint32 off, int named, int ids) {
        put16(rsrc, off + 12, quint16(named));
        put16(rsrc, off + 14, quint16(ids));
    };
    writeDir(0, 0, int(byType.size()));
    int t = 0;
    for (auto it = byType.cbegin(); it != byType.cend(); ++it, ++t) {
        put32(rsrc, 16 + 8 * t, it.key());
        put32(rsrc, 16 + 8 * t + 4, 0x80000000u | typeDir[it.key()]);
        int named = 0;
        for (const PeResource *r : *it)
            named += r->name.isEmpty() ? 0 : 1;
        writeDir(typeDir[it.key()], named, int(it->size()) - named);
        int n = 0;
        for (const PeResource *r : *it) {
            const quint32 e = typeDir[it.key()] + 16 + 8 * quint32(n++);
            put32(rsrc, e, r->name.isEmpty() ? r->id : (0x80000000u | nameAt[r]));
            put32(rsrc, e + 4, 0x80000000u | langDir[r]);
            writeDir(langDir[r], 0, 1);
            put32(rsrc, langDir[r] + 16, r->language);
            put32(rsrc, langDir[r] + 20, dataEntry[r]);
            put32(rsrc, dataEntry[r], SectionRva + dataAt[r]);
            put32(rsrc, dataEntry[r] + 4, quint32(r->data.size()));
            if (!r->name.isEmpty()) {
                put16(rsrc, nameAt[r], quint16(r->name.size()));
                for (int i = 0; i < r->name.size(); ++i)
                    put16(rsrc, nameAt[r] + 2 + 2 * i, r->name.at(i).unicode());
            }
            rsrc.replace(dataAt[r], r->data.size(), r->data);
        }
    }

    // Headers: DOS stub pointing at "PE\0\0", file header, optional header with 16 data
    // directories, one section header.
    const int optionalSize = pe32plus ? 240 : 224;
    const quint32 headerEnd = 0x40 + 4 + 20 + quint32(optionalSize) + 40;
    const quint32 rawOffset = (headerEnd + FileAlignment - 1) & ~(FileAlignment - 1);
    const quint32 rawSize = (quint32(rsrc.size()) + FileAlignment - 1) & ~(FileAlignment - 1);
    QByteArray image(qsizetype(rawOffset + rawSize), '\0');
    image[0] = 'M';
    image[1] = 'Z';
    put32(image, 0x3C, 0x40);
    image.replace(0x40, 4, QByteArray("PE\0\0", 4));
    const quint32 fileHeader = 0x44;
    put16(image, fileHeader, pe32plus ? 0x8664 : 0x014C);
    put16(image, fileHeader + 2, 1); // sections
    put16(image, fileHeader + 16, quint16(optionalSize));
    put16(image, fileHeader + 18, 0x2102); // executable DLL
    const quint32 opt = fileHeader + 20;
    put16(image, opt, pe32plus ? 0x20B : 0x10B);
    const quint32 dirs = opt + (pe32plus ? 112 : 96);
    put32(image, opt + (pe32plus ? 108 : 92), 16);
    put32(image, dirs + 2 * 8, SectionRva);
    put32(image, dirs + 2 * 8 + 4, quint32(rsrc.size()));
    const quint32 sec = opt + quint32(optionalSize);
    image.replace(sec, 6, QByteArray(".rsrc\0", 6));
    put32(image, sec + 8, quint32(rsrc.size()));
    put32(image, sec + 12, SectionRva);
    put32(image, sec + 16, rawSize);
    put32(image, sec + 20, rawOffset);
    image.replace(rawOffset, rsrc.size(), rsrc);
    return image;
}

QByteArray buildIconResource(int width, int height, quint32 argb)
{
    const int maskStride = ((width + 31) / 32) * 4;
    QByteArray b(40, '\0');
    put32(b, 0, 40);
    put32(b, 4, quint32(width));
    put32(b, 8, quint32(height * 2));
    put16(b, 12, 1);
    put16(b, 14, 32);
    put32(b, 20, quint32(width * height * 4 + maskStride * height));
    for (int i = 0; i < width * height; ++i) {
        b.append(char(argb & 0xFF));
        b.append(char((argb >> 8) & 0xFF));
        b.append(char((argb >> 16) & 0xFF));
        b.append(char((argb >> 24) & 0xFF));
    }
    b.append(QByteArray(maskStride * height, '\0'));
    return b;
}

QByteArray buildGroupIconResource(const QList<GroupIconEntry> &entries)
{
    QByteArray b;
    append16(b, 0);
    append16(b, 1);
    append16(b, quint16(entries.size()));
    for (const GroupIconEntry &e : entries) {
        b.append(char(e.width >= 256 ? 0 : e.width));
        b.append(char(e.height >= 256 ? 0 : e.height));
        b.append('\0');
        b.append('\0');
        append16(b, 1);
        append16(b, quint16(e.bitCount));
        append16(b, quint16(e.bytes & 0xFFFF));
        append16(b, quint16(quint32(e.bytes) >> 16));
        append16(b, e.id);
    }
    return b;
}

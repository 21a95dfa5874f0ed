#include "nodeops/peresources.h"

#include <QFile>

#include <optional>

#include <sys/stat.h>

namespace PeResources {

namespace {

// Little-endian reads that answer 0 outside the bytes; callers check `ok` where it matters.
quint16 u16(const QByteArray &b, qint64 at, bool *ok = nullptr)
{
    if (at < 0 || at + 2 > b.size()) {
        if (ok)
            *ok = false;
        return 0;
    }
    return quint16(uchar(b[at])) | quint16(uchar(b[at + 1])) << 8;
}

quint32 u32(const QByteArray &b, qint64 at, bool *ok = nullptr)
{
    if (at < 0 || at + 4 > b.size()) {
        if (ok)
            *ok = false;
        return 0;
    }
    return quint32(u16(b, at)) | quint32(u16(b, at + 2)) << 16;
}

// Directories of a resource tree never hold more entries than this in practice; the
// cap keeps a damaged count from running through the whole file.
constexpr int MaxEntries = 4096;

struct DirEntry {
    bool named;
    quint32 nameOrId;
    bool subdir;
    quint32 target; // offset from the start of the resource section
};

QList<DirEntry> readDirectory(const QByteArray &b, qint64 root, quint32 dirOffset)
{
    QList<DirEntry> out;
    const qint64 at = root + dirOffset;
    bool ok = true;
    const int count = int(u16(b, at + 12, &ok)) + int(u16(b, at + 14, &ok));
    if (!ok)
        return out;
    for (int i = 0; i < count && i < MaxEntries; ++i) {
        const qint64 e = at + 16 + qint64(i) * 8;
        const quint32 name = u32(b, e, &ok);
        const quint32 data = u32(b, e + 4, &ok);
        if (!ok)
            break;
        out.append(DirEntry{(name & 0x80000000u) != 0, name & 0x7FFFFFFFu, (data & 0x80000000u) != 0,
                            data & 0x7FFFFFFFu});
    }
    return out;
}

QString readName(const QByteArray &b, qint64 root, quint32 offset)
{
    const qint64 at = root + offset;
    bool ok = true;
    const int len = u16(b, at, &ok);
    if (!ok || at + 2 + qint64(len) * 2 > b.size())
        return {};
    QString name;
    for (int i = 0; i < len; ++i)
        name += QChar(u16(b, at + 2 + qint64(i) * 2));
    return name;
}

// One block of a version resource: wLength, wValueLength, wType, key, value, children.
struct Block {
    qint64 end = 0;
    QString key;
    qint64 value = 0;
    int valueBytes = 0;
    qint64 children = 0;
    bool ok = false;
};

qint64 align4(qint64 x)
{
    return (x + 3) & ~qint64(3);
}

Block readBlock(const QByteArray &b, qint64 at, qint64 limit)
{
    Block blk;
    bool ok = true;
    const int length = u16(b, at, &ok);
    const int valueLength = u16(b, at + 2, &ok);
    const int type = u16(b, at + 4, &ok);
    if (!ok || length < 6)
        return blk;
    blk.end = qMin<qint64>(at + length, limit);
    qint64 p = at + 6;
    while (p + 2 <= blk.end) {
        const char16_t c = u16(b, p);
        p += 2;
        if (c == 0)
            break;
        blk.key += QChar(c);
    }
    blk.value = align4(p);
    blk.valueBytes = type == 1 ? valueLength * 2 : valueLength;
    blk.children = align4(blk.value + blk.valueBytes);
    blk.ok = true;
    return blk;
}

// The blocks directly inside `parent`.
QList<Block> childrenOf(const QByteArray &b, const Block &parent)
{
    QList<Block> out;
    qint64 p = parent.children;
    while (p + 6 <= parent.end && out.size() < MaxEntries) {
        const Block child = readBlock(b, p, parent.end);
        if (!child.ok)
            break;
        out.append(child);
        p = align4(child.end);
    }
    return out;
}

// The first block directly inside `parent` with that key (compared without regard to case).
std::optional<Block> childNamed(const QByteArray &b, const Block &parent, const QString &key)
{
    for (const Block &blk : childrenOf(b, parent))
        if (blk.key.compare(key, Qt::CaseInsensitive) == 0)
            return blk;
    return std::nullopt;
}

QString textValue(const QByteArray &b, const Block &blk)
{
    QString text;
    for (qint64 p = blk.value; p + 2 <= blk.end; p += 2) {
        const char16_t c = u16(b, p);
        if (c == 0)
            break;
        text += QChar(c);
    }
    return text;
}

} // namespace

Image::Image(const QByteArray &bytes)
    : m_bytes(bytes)
{
    const QByteArray &b = m_bytes;
    if (b.size() < 0x40 || !b.startsWith("MZ"))
        return;
    const qint64 pe = u32(b, 0x3C);
    bool ok = true;
    if (u32(b, pe, &ok) != 0x00004550u || !ok) // "PE\0\0"
        return;
    const int sectionCount = u16(b, pe + 6, &ok);
    const int optionalSize = u16(b, pe + 20, &ok);
    const qint64 opt = pe + 24;
    const int magic = u16(b, opt, &ok);
    qint64 dirs = 0;
    quint32 dirCount = 0;
    if (magic == 0x10B) { // PE32
        dirCount = u32(b, opt + 92, &ok);
        dirs = opt + 96;
    } else if (magic == 0x20B) { // PE32+
        dirCount = u32(b, opt + 108, &ok);
        dirs = opt + 112;
    } else {
        return;
    }
    if (!ok || dirCount <= 2)
        return;
    const quint32 resourceRva = u32(b, dirs + 2 * 8, &ok);
    if (!ok || resourceRva == 0)
        return;
    const qint64 table = opt + optionalSize;
    for (int i = 0; i < sectionCount && i < 96; ++i) {
        const qint64 s = table + qint64(i) * 40;
        Section sec{u32(b, s + 12, &ok), u32(b, s + 8, &ok), u32(b, s + 20, &ok), u32(b, s + 16, &ok)};
        if (!ok)
            return;
        m_sections.append(sec);
    }
    m_resourceOffset = offsetOf(resourceRva);
}

qint64 Image::offsetOf(quint32 rva) const
{
    for (const Section &s : m_sections) {
        const quint32 span = qMax(s.size, s.rawSize);
        if (rva >= s.rva && rva - s.rva < span) {
            const qint64 off = qint64(s.offset) + (rva - s.rva);
            return off < m_bytes.size() ? off : -1;
        }
    }
    return -1;
}

QList<Item> Image::items(quint16 type) const
{
    QList<Item> out;
    if (!isValid())
        return out;
    const QByteArray &b = m_bytes;
    const qint64 root = m_resourceOffset;
    // Entries may all point at one large data block; together the copies never take more
    // than the file itself, whatever the entries claim.
    qint64 copied = 0;
    for (const DirEntry &t : readDirectory(b, root, 0)) {
        if (t.named || t.nameOrId != type || !t.subdir)
            continue;
        for (const DirEntry &n : readDirectory(b, root, t.target)) {
            if (!n.subdir)
                continue;
            const QList<DirEntry> langs = readDirectory(b, root, n.target);
            if (langs.isEmpty() || langs.first().subdir)
                continue;
            bool ok = true;
            const qint64 entry = root + langs.first().target;
            const quint32 rva = u32(b, entry, &ok);
            const quint32 size = u32(b, entry + 4, &ok);
            const qint64 at = offsetOf(rva);
            if (!ok || at < 0 || at + qint64(size) > b.size())
                continue;
            if (copied + qint64(size) > b.size())
                break;
            copied += size;
            Item item;
            item.named = n.named;
            if (n.named)
                item.name = readName(b, root, n.nameOrId);
            else
                item.id = quint16(n.nameOrId);
            item.language = quint16(langs.first().nameOrId);
            item.data = QByteArray(b.constData() + at, qsizetype(size)); // a copy, never a view
            out.append(item);
        }
        break; // the first directory of the type
    }
    return out;
}

QByteArray Image::find(quint16 type, quint16 id) const
{
    for (const Item &item : items(type))
        if (!item.named && item.id == id)
            return item.data;
    return {};
}

QString versionString(const QByteArray &res, const QString &key)
{
    const Block root = readBlock(res, 0, res.size());
    if (!root.ok)
        return {};

    const std::optional<Block> varInfo = childNamed(res, root, QStringLiteral("VarFileInfo"));
    const std::optional<Block> translation =
        varInfo ? childNamed(res, *varInfo, QStringLiteral("Translation")) : std::nullopt;
    if (!translation || translation->valueBytes < 4 || translation->value + 4 > translation->end)
        return {};
    const quint16 language = u16(res, translation->value);
    const quint16 codePage = u16(res, translation->value + 2);
    const QString table = QStringLiteral("%1%2")
                              .arg(language, 4, 16, QLatin1Char('0'))
                              .arg(codePage, 4, 16, QLatin1Char('0'))
                              .toUpper();

    const std::optional<Block> stringInfo = childNamed(res, root, QStringLiteral("StringFileInfo"));
    const std::optional<Block> strings = stringInfo ? childNamed(res, *stringInfo, table) : std::nullopt;
    const std::optional<Block> value = strings ? childNamed(res, *strings, key) : std::nullopt;
    return value ? textValue(res, *value) : QString();
}

QString fileVersionOf(const QString &path)
{
    // Only regular files: opening a pipe would wait for a writer.
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const qint64 size = f.size();
    if (size < 0x40)
        return {};
    // Map the file rather than read it: program files can be large, and only the
    // headers and one resource are looked at.
    uchar *mapped = f.map(0, size);
    const QByteArray bytes = mapped ? QByteArray::fromRawData(reinterpret_cast<const char *>(mapped), size)
                                    : f.readAll();
    const Image image(bytes);
    const QByteArray res = image.items(TypeVersion).value(0).data;
    return versionString(res, QStringLiteral("FileVersion"));
}

} // namespace PeResources

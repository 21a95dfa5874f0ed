#include "settings/iconimage.h"

#include "base/diskfile.h"
#include "nodeops/peresources.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSvgRenderer>

namespace IconImage {

namespace {

quint16 u16(const QByteArray &b, qsizetype at)
{
    return quint16(uchar(b[at])) | quint16(uchar(b[at + 1])) << 8;
}

void append16(QByteArray &b, quint16 v)
{
    b.append(char(v & 0xFF));
    b.append(char(v >> 8));
}

void append32(QByteArray &b, quint32 v)
{
    append16(b, quint16(v & 0xFFFF));
    append16(b, quint16(v >> 16));
}

// One picture of an icon group as its directory describes it.
struct GroupEntry {
    int width = 0;
    int height = 0;
    int colorCount = 0;
    int planes = 0;
    int bitCount = 0;
    quint16 id = 0;
};

QList<GroupEntry> groupEntries(const QByteArray &group)
{
    QList<GroupEntry> out;
    if (group.size() < 6 || u16(group, 2) != 1)
        return out;
    const int count = u16(group, 4);
    for (int i = 0; i < count; ++i) {
        const qsizetype at = 6 + qsizetype(i) * 14;
        if (at + 14 > group.size())
            break;
        GroupEntry e;
        e.width = uchar(group[at]) ? uchar(group[at]) : 256;
        e.height = uchar(group[at + 1]) ? uchar(group[at + 1]) : 256;
        e.colorCount = uchar(group[at + 2]);
        e.planes = u16(group, at + 4);
        e.bitCount = u16(group, at + 6);
        e.id = u16(group, at + 12);
        out.append(e);
    }
    return out;
}

// The entry to show at 16 x 16: that size with the most colours, else the smallest
// larger one, else the largest.
int bestEntry(const QList<GroupEntry> &entries)
{
    int best = -1;
    auto score = [](const GroupEntry &e) {
        const int side = qMax(e.width, e.height);
        const int fit = side == Size ? 0 : side > Size ? 1000 + side : 2000 - side;
        return fit * 100 - e.bitCount;
    };
    for (int i = 0; i < entries.size(); ++i)
        if (best < 0 || score(entries.at(i)) < score(entries.at(best)))
            best = i;
    return best;
}

// An icon resource (a device-independent bitmap with its mask, or a PNG) as the one
// picture of an icon file, so the icon reader decodes it.
QByteArray singleIconFile(const GroupEntry &e, const QByteArray &data)
{
    QByteArray ico;
    append16(ico, 0);
    append16(ico, 1);
    append16(ico, 1);
    ico.append(char(e.width >= 256 ? 0 : e.width));
    ico.append(char(e.height >= 256 ? 0 : e.height));
    ico.append(char(e.colorCount));
    ico.append('\0');
    append16(ico, quint16(e.planes));
    append16(ico, quint16(e.bitCount));
    append32(ico, quint32(data.size()));
    append32(ico, 22);
    ico.append(data);
    return ico;
}

QImage decodeIcon(const QByteArray &icoBytes)
{
    QByteArray bytes = icoBytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    QImage best;
    for (int i = 0, n = qMax(1, reader.imageCount()); i < n; ++i) {
        if (i > 0 && !reader.jumpToNextImage())
            break;
        const QImage image = reader.read();
        if (image.isNull())
            continue;
        const auto fit = [](const QImage &im) {
            const int side = qMax(im.width(), im.height());
            return side == Size ? 0 : side > Size ? 1000 + side : 2000 - side;
        };
        if (best.isNull() || fit(image) < fit(best)
            || (fit(image) == fit(best) && image.depth() > best.depth()))
            best = image;
    }
    return toSmall(best);
}

bool isIconFile(const QByteArray &b)
{
    return b.size() >= 6 && u16(b, 0) == 0 && u16(b, 2) == 1 && u16(b, 4) > 0;
}

bool isSvg(const QString &path, const QByteArray &b)
{
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)
        || path.endsWith(QLatin1String(".svgz"), Qt::CaseInsensitive))
        return true;
    return b.left(1024).contains("<svg");
}

QImage renderSvg(const QByteArray &bytes)
{
    QSvgRenderer renderer(bytes);
    if (!renderer.isValid())
        return {};
    QImage image(Size, Size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);
    renderer.render(&painter, QRectF(0, 0, Size, Size));
    painter.end();
    return image;
}

} // namespace

QImage fromProgramFile(const QByteArray &bytes, int index)
{
    const PeResources::Image pe(bytes);
    if (!pe.isValid() || index < 0)
        return {};
    const QList<PeResources::Item> groups = pe.items(PeResources::TypeGroupIcon);
    if (index >= groups.size())
        return {};
    const QList<GroupEntry> entries = groupEntries(groups.at(index).data);
    const int best = bestEntry(entries);
    if (best < 0)
        return {};
    const QByteArray data = pe.find(PeResources::TypeIcon, entries.at(best).id);
    if (data.isEmpty())
        return {};
    return decodeIcon(singleIconFile(entries.at(best), data));
}

QImage fromIconFile(const QByteArray &bytes)
{
    return isIconFile(bytes) ? decodeIcon(bytes) : QImage();
}

QImage fromFile(const QString &path, int index)
{
    const DiskFile::ReadResult r = DiskFile::read(path);
    if (!r.ok || r.bytes.isEmpty())
        return {};
    if (r.bytes.startsWith("MZ"))
        return fromProgramFile(r.bytes, index);
    if (isIconFile(r.bytes))
        return fromIconFile(r.bytes);
    if (isSvg(path, r.bytes))
        return renderSvg(r.bytes);
    return toSmall(QImage::fromData(r.bytes));
}

// The icon writer leaves the unused bytes at the end of each row of the transparency
// mask as it found them in memory, so the same picture gave different files, holding
// stray bytes of the process. They are set to zero here (every reader ignores them).
static void clearMaskPadding(QByteArray *bytes)
{
    auto u32 = [&](qsizetype at) {
        return quint32(uchar(bytes->at(at))) | quint32(uchar(bytes->at(at + 1))) << 8
            | quint32(uchar(bytes->at(at + 2))) << 16 | quint32(uchar(bytes->at(at + 3))) << 24;
    };
    if (bytes->size() < 22 + 40)
        return;
    const qsizetype header = qsizetype(u32(6 + 12)); // the one entry's image offset
    if (header < 22 || header + 40 > bytes->size() || u32(header) != 40)
        return;
    const int bits = uchar(bytes->at(header + 14)) | uchar(bytes->at(header + 15)) << 8;
    if (bits != 32)
        return;
    const int width = Size, height = Size;
    const qsizetype mask = header + 40 + qsizetype(width) * height * 4;
    const qsizetype stride = ((width + 31) / 32) * 4;
    const qsizetype used = (width + 7) / 8;
    if (mask + stride * height != bytes->size())
        return;
    for (int row = 0; row < height; ++row)
        for (qsizetype i = used; i < stride; ++i)
            (*bytes)[mask + row * stride + i] = 0;
}

QByteArray toIconFile(const QImage &image)
{
    const QImage small = toSmall(image);
    if (small.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "ico");
    if (!writer.write(small))
        return {};
    clearMaskPadding(&bytes);
    return bytes;
}

QImage toSmall(const QImage &image)
{
    if (image.isNull())
        return {};
    QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    if (argb.width() == Size && argb.height() == Size)
        return argb;
    const QImage scaled = argb.scaled(Size, Size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage out(Size, Size, QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.drawImage((Size - scaled.width()) / 2, (Size - scaled.height()) / 2, scaled);
    painter.end();
    return out;
}

} // namespace IconImage

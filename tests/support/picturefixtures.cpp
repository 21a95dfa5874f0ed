#include "support/picturefixtures.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

namespace PictureFixtures {

QImage twoColour(const QSize &size, const QColor &left, const QColor &right)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(right);
    QPainter p(&image);
    p.fillRect(0, 0, size.width() / 2, size.height(), left);
    return image;
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.write(image);
    return bytes;
}

QByteArray jpeg(const QImage &image, bool grey, bool progressive)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setQuality(95);
    writer.setProgressiveScanWrite(progressive);
    writer.write(grey ? image.convertToFormat(QImage::Format_Grayscale8) : image);
    return bytes;
}

namespace {

// LZW data for one frame with a 2-bit minimum code size: a clear code before every
// second pixel keeps the code width at 3 bits, which any decoder accepts.
QByteArray lzwFrame(int pixels, int colourIndex)
{
    QByteArray packed;
    quint32 bits = 0;
    int count = 0;
    auto put = [&](int code) {
        bits |= quint32(code) << count;
        count += 3;
        while (count >= 8) {
            packed.append(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    };
    for (int i = 0; i < pixels; ++i) {
        if (i % 2 == 0)
            put(4); // clear
        put(colourIndex);
    }
    put(5); // end of information
    if (count > 0)
        packed.append(char(bits & 0xFF));

    QByteArray out;
    out.append(char(2)); // minimum code size
    for (qsizetype at = 0; at < packed.size(); at += 255) {
        const QByteArray block = packed.mid(at, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append(char(0));
    return out;
}

void putWord(QByteArray &out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

} // namespace

QByteArray gif(const QSize &size, const QList<QColor> &frames)
{
    QByteArray out("GIF89a");
    putWord(out, size.width());
    putWord(out, size.height());
    out.append(char(0x80 | 0x10 | 0x01)); // global table of 4 colours
    out.append(char(0));                  // background colour index
    out.append(char(0));                  // aspect ratio
    for (int i = 0; i < 4; ++i) {
        const QColor c = i < frames.size() ? frames.at(i) : QColor(Qt::black);
        out.append(char(c.red()));
        out.append(char(c.green()));
        out.append(char(c.blue()));
    }
    if (frames.size() > 1) {
        out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19); // loop for ever
    }
    for (int i = 0; i < frames.size(); ++i) {
        out.append("\x21\xF9\x04\x00", 4); // graphic control: no disposal, 0.1 s
        putWord(out, 10);
        out.append(char(0));
        out.append(char(0));
        out.append(char(0x2C)); // image descriptor covering the whole picture
        putWord(out, 0);
        putWord(out, 0);
        putWord(out, size.width());
        putWord(out, size.height());
        out.append(char(0));
        out.append(lzwFrame(size.width() * size.height(), i));
    }
    out.append(char(0x3B));
    return out;
}

} // namespace PictureFixtures

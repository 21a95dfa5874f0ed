#include "tree/jpegdecoder.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include <QSysInfo>

namespace {

// Pictures larger than this are refused rather than allocated (about 1 GB as RGB32).
constexpr qint64 kMaxPixels = qint64(16384) * 16384;
// Huffman coding needs at least two bits for every 8 x 8 block, so one byte of a real
// picture stands for at most 256 pixels; a header that declares far more than its bytes
// could fill is refused before anything is allocated. Small pictures always pass.
constexpr qint64 kMaxPixelsPerByte = 1024;
constexpr qint64 kAlwaysAllowedPixels = qint64(1024) * 1024;
// What libjpeg may take beside the picture (the whole-picture buffers of a progressive file).
constexpr long kMaxDecoderMemory = 384L * 1024 * 1024;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void onError(j_common_ptr cinfo)
{
    auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings (a file cut short, extra bytes) do not stop the decoding.
extern "C" void onMessage(j_common_ptr, int) {}

void fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

} // namespace

namespace {

// The largest of libjpeg's 1/2, 1/4 and 1/8 that still leaves the picture covering
// the bound in at least one direction; 1 when no bound is asked for.
unsigned scaleDenominator(unsigned width, unsigned height, const QSize &bound)
{
    if (bound.isEmpty())
        return 1;
    unsigned denom = 8;
    while (denom > 1 && width / denom < unsigned(bound.width()) && height / denom < unsigned(bound.height()))
        denom /= 2;
    return denom;
}

QImage decodeJpegAt(const QByteArray &bytes, QString *error, const QSize &bound)
{
    if (bytes.isEmpty()) {
        fail(error, QStringLiteral("JPEG データが空です"));
        return {};
    }

    jpeg_decompress_struct cinfo{};
    ErrorManager jerr{};
    cinfo.err = jpeg_std_error(&jerr.pub);
    jerr.pub.error_exit = onError;
    jerr.pub.emit_message = onMessage;

    // A longjmp skips destructors, so everything with one lives on the heap, owned
    // through a pointer set before setjmp.
    struct Work {
        QImage image;
        QByteArray cmykRow;
    };
    Work *const work = new Work;
    QImage *const image = &work->image;
    if (setjmp(jerr.jump)) {
        jpeg_destroy_decompress(&cinfo);
        delete work;
        fail(error, QStringLiteral("JPEG 画像を復号できません (%1)").arg(QString::fromLocal8Bit(jerr.message)));
        return {};
    }

    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.mem->max_memory_to_use = kMaxDecoderMemory;

    const qint64 declared = qint64(cinfo.image_width) * cinfo.image_height;
    if (declared > qMax(kAlwaysAllowedPixels, qint64(bytes.size()) * kMaxPixelsPerByte)) {
        const QString size = QStringLiteral("%1×%2").arg(cinfo.image_width).arg(cinfo.image_height);
        jpeg_destroy_decompress(&cinfo);
        delete work;
        fail(error, QStringLiteral("JPEG 画像の大きさ %1 はファイルの大きさに見合いません").arg(size));
        return {};
    }
    cinfo.scale_num = 1;
    cinfo.scale_denom = scaleDenominator(cinfo.image_width, cinfo.image_height, bound);
    if (!bound.isEmpty()) { // a thumbnail: speed matters more than the last bit of quality
        cinfo.dct_method = JDCT_IFAST;
        cinfo.do_fancy_upsampling = FALSE;
    }

    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    const bool grey = cinfo.jpeg_color_space == JCS_GRAYSCALE;
    // Colour comes out in the byte order of RGB32 with the fourth byte 0xFF, so the
    // picture is decoded straight into its final form and never copied.
    const J_COLOR_SPACE rgb32 = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    cinfo.out_color_space = cmyk ? JCS_CMYK : grey ? JCS_GRAYSCALE : rgb32;
    jpeg_start_decompress(&cinfo);

    const qint64 pixels = qint64(cinfo.output_width) * cinfo.output_height;
    if (cinfo.output_width == 0 || cinfo.output_height == 0 || pixels > kMaxPixels) {
        const QString size = QStringLiteral("%1×%2").arg(cinfo.output_width).arg(cinfo.output_height);
        jpeg_destroy_decompress(&cinfo);
        delete work;
        fail(error, QStringLiteral("JPEG 画像の大きさ %1 は扱えません").arg(size));
        return {};
    }

    const QImage::Format format = grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32;
    *image = QImage(int(cinfo.output_width), int(cinfo.output_height), format);
    if (image->isNull()) {
        jpeg_destroy_decompress(&cinfo);
        delete work;
        fail(error, QStringLiteral("JPEG 画像のためのメモリーが足りません"));
        return {};
    }
    image->fill(Qt::white); // rows a cut-short file never reaches stay plain

    if (cmyk)
        work->cmykRow = QByteArray(int(cinfo.output_width) * 4, '\0');
    const QByteArray &cmykRow = work->cmykRow;
    // Adobe writes CMYK inverted (0 = full ink); its marker tells which convention is used.
    const bool inverted = cinfo.saw_Adobe_marker;
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = int(cinfo.output_scanline);
        if (!cmyk) {
            JSAMPROW row = image->scanLine(y);
            jpeg_read_scanlines(&cinfo, &row, 1);
            continue;
        }
        JSAMPROW row = reinterpret_cast<JSAMPROW>(work->cmykRow.data());
        jpeg_read_scanlines(&cinfo, &row, 1);
        auto *out = reinterpret_cast<QRgb *>(image->scanLine(y));
        for (int x = 0; x < int(cinfo.output_width); ++x) {
            int c = uchar(cmykRow[4 * x]), m = uchar(cmykRow[4 * x + 1]);
            int ye = uchar(cmykRow[4 * x + 2]), k = uchar(cmykRow[4 * x + 3]);
            if (!inverted) {
                c = 255 - c; m = 255 - m; ye = 255 - ye; k = 255 - k;
            }
            out[x] = qRgb(c * k / 255, m * k / 255, ye * k / 255);
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);

    QImage result = std::move(work->image);
    delete work;
    return result;
}

} // namespace

QImage decodeJpeg(const QByteArray &bytes, QString *error)
{
    return decodeJpegAt(bytes, error, QSize());
}

QImage decodeJpegScaled(const QByteArray &bytes, const QSize &bound, QString *error)
{
    return decodeJpegAt(bytes, error, bound);
}

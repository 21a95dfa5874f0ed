// Node pictures: the libjpeg decoder and the loader that picks the decoder by extension.

#include "support/foundinputs.h"
#include "support/picturefixtures.h"
#include "support/testdir.h"
#include "tree/jpegdecoder.h"
#include "tree/nodekind.h"
#include "tree/nodepicture.h"

#include <gtest/gtest.h>

namespace {

using namespace PictureFixtures;

// Colours survive JPEG only approximately.
bool near(QRgb a, const QColor &b, int tolerance = 24)
{
    return qAbs(qRed(a) - b.red()) <= tolerance && qAbs(qGreen(a) - b.green()) <= tolerance
           && qAbs(qBlue(a) - b.blue()) <= tolerance;
}

TEST(JpegDecoder, DecodesColourGreyAndProgressiveFiles)
{
    const QImage source = twoColour(QSize(40, 24), QColor(200, 30, 30), QColor(30, 30, 200));
    struct Case { const char *what; QByteArray bytes; bool grey; };
    const Case cases[] = {
        {"baseline colour", jpeg(source), false},
        {"progressive colour", jpeg(source, false, true), false},
        {"grey", jpeg(source, true), true},
    };
    for (const Case &c : cases) {
        QString error;
        const QImage image = decodeJpeg(c.bytes, &error);
        ASSERT_FALSE(image.isNull()) << c.what << qPrintable(error);
        EXPECT_EQ(image.size(), QSize(40, 24)) << c.what;
        const QColor left = c.grey ? QColor(qGray(source.pixel(0, 0)), qGray(source.pixel(0, 0)), qGray(source.pixel(0, 0)))
                                   : QColor(source.pixel(0, 0));
        const QColor right = c.grey ? QColor(qGray(source.pixel(39, 0)), qGray(source.pixel(39, 0)), qGray(source.pixel(39, 0)))
                                    : QColor(source.pixel(39, 0));
        EXPECT_TRUE(near(image.pixel(2, 12), left)) << c.what;
        EXPECT_TRUE(near(image.pixel(37, 12), right)) << c.what;
    }
}

TEST(JpegDecoder, RefusesWhatIsNotJpegAndShowsWhatACutFileHolds)
{
    for (const QByteArray &bad : {QByteArray(), QByteArray("not a picture at all"),
                                  encoded(twoColour(QSize(8, 8), Qt::red, Qt::blue), "PNG")}) {
        QString error;
        EXPECT_TRUE(decodeJpeg(bad, &error).isNull());
        EXPECT_FALSE(error.isEmpty());
    }
    // Cut in the middle of the picture data: the picture keeps its size and its top.
    QImage noisy(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            noisy.setPixel(x, y, y < 32 ? qRgb(250, 0, 0) : qRgb((x * 37) & 255, (y * 91) & 255, (x * y) & 255));
    const QByteArray whole = jpeg(noisy);
    QString error;
    const QImage cut = decodeJpeg(whole.left(whole.size() / 2), &error);
    ASSERT_EQ(cut.size(), QSize(256, 256)) << qPrintable(error);
    EXPECT_TRUE(near(cut.pixel(10, 10), QColor(250, 0, 0)));
}

TEST(JpegDecoder, SizesTheBytesCannotJustifyAreRefusedBeforeAllocating)
{
    // Under 700 bytes declaring 16384 x 16384 (baseline and progressive), and 200 bytes
    // declaring 11520 x 16393.
    for (const char *name : {"jpeg_16k_base.jpg", "jpeg_16k_prog.jpg", "jpeg_oom.jpg"}) {
        const QByteArray bytes = foundInput(QString::fromLatin1(name));
        ASSERT_FALSE(bytes.isEmpty()) << name;
        QString error;
        EXPECT_TRUE(decodeJpeg(bytes, &error).isNull()) << name;
        EXPECT_TRUE(error.contains(QStringLiteral("大きさ"))) << name << " " << qPrintable(error);
    }
    // A large plain picture is small on disk, yet well within what its bytes justify;
    // colour comes out as RGB32 without a copy in another format.
    QImage plain(3000, 2000, QImage::Format_RGB32);
    plain.fill(qRgb(10, 120, 240));
    QString error;
    const QImage decoded = decodeJpeg(jpeg(plain), &error);
    ASSERT_EQ(decoded.size(), plain.size()) << qPrintable(error);
    EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
    EXPECT_EQ(qAlpha(decoded.pixel(1500, 1000)), 255);
    EXPECT_TRUE(near(decoded.pixel(1500, 1000), QColor(10, 120, 240)));
}

TEST(NodePicture, EachExtensionGetsItsDecoder)
{
    TestDir dir;
    const QImage source = twoColour(QSize(32, 16), Qt::red, Qt::blue);
    struct Case { const char *name; QByteArray bytes; };
    const Case cases[] = {
        {"p.BMP", encoded(source, "BMP")},
        {"p.jpg", jpeg(source)},
        {"p.JPEG", jpeg(source)},
        {"p.jpe", jpeg(source)},
        {"p.ico", encoded(source, "ICO")},
        {"p.gif", gif(QSize(32, 16), {Qt::red})},
    };
    for (const Case &c : cases) {
        const QString name = QString::fromLatin1(c.name);
        dir.createFile(name, c.bytes);
        const NodePicture picture = loadNodePicture(dir.file(name));
        ASSERT_TRUE(picture.ok()) << c.name << qPrintable(picture.error);
        EXPECT_EQ(picture.image.size(), QSize(32, 16)) << c.name;
        EXPECT_EQ(picture.frameCount, 1) << c.name;
        EXPECT_TRUE(near(picture.image.pixel(1, 1), Qt::red)) << c.name;
    }
}

TEST(NodePicture, AnAnimatedGifGivesItsFirstFrame)
{
    TestDir dir;
    dir.createFile(QStringLiteral("a.gif"), gif(QSize(6, 5), {Qt::green, Qt::red, Qt::blue}));
    const NodePicture picture = loadNodePicture(dir.file(QStringLiteral("a.gif")), ImageGif);
    ASSERT_TRUE(picture.ok()) << qPrintable(picture.error);
    EXPECT_EQ(picture.frameCount, 3);
    EXPECT_EQ(picture.image.size(), QSize(6, 5));
    EXPECT_EQ(QColor(picture.image.pixel(5, 4)), QColor(Qt::green));
}

TEST(NodePicture, AFileItsDecoderCannotReadIsAnErrorNamingIt)
{
    TestDir dir;
    // The extension decides: a PNG named .bmp is not a bitmap.
    dir.createFile(QStringLiteral("fake.bmp"), encoded(twoColour(QSize(8, 8), Qt::red, Qt::blue), "PNG"));
    dir.createFile(QStringLiteral("empty.jpg"));
    dir.createFile(QStringLiteral("junk.gif"), "GIF89a junk");
    for (const char *name : {"fake.bmp", "empty.jpg", "junk.gif", "missing.ico"}) {
        const NodePicture picture = loadNodePicture(dir.file(QString::fromLatin1(name)));
        EXPECT_FALSE(picture.ok()) << name;
        EXPECT_TRUE(picture.error.contains(QString::fromLatin1(name))) << name << qPrintable(picture.error);
    }
}

} // namespace

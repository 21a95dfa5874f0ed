// Registry icons taken out of program files, icon files and pictures, always 16 x 16,
// and stored as standard icon files.

#include "settings/iconimage.h"
#include "nodeops/peresources.h"
#include "support/peimage.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageWriter>

namespace {

constexpr quint32 Red = 0xFFFF0000, Green = 0xFF00FF00, Blue = 0xFF0000FF, Yellow = 0xFFFFFF00;

// A program file with two icon groups: group 1 holds a 32 x 32 green and a 16 x 16 red
// picture, group 2 a 48 x 48 blue one only.
QByteArray twoIconProgram()
{
    const QByteArray red16 = buildIconResource(16, 16, Red);
    const QByteArray green32 = buildIconResource(32, 32, Green);
    const QByteArray blue48 = buildIconResource(48, 48, Blue);
    return buildPeImage({
        PeResource{PeResources::TypeIcon, 1, {}, 0x0411, green32},
        PeResource{PeResources::TypeIcon, 2, {}, 0x0411, red16},
        PeResource{PeResources::TypeIcon, 3, {}, 0x0411, blue48},
        PeResource{PeResources::TypeGroupIcon, 101, {}, 0x0411,
                   buildGroupIconResource({{32, 32, 32, 1, int(green32.size())}, {16, 16, 32, 2, int(red16.size())}})},
        PeResource{PeResources::TypeGroupIcon, 102, {}, 0x0411,
                   buildGroupIconResource({{48, 48, 32, 3, int(blue48.size())}})},
    });
}

QRgb centre(const QImage &image)
{
    return image.pixel(image.width() / 2, image.height() / 2);
}

} // namespace

TEST(IconImage, ProgramFileGivesTheSmallFormOfTheIconAtTheNumber)
{
    const QByteArray exe = twoIconProgram();
    const QImage first = IconImage::fromProgramFile(exe, 0);
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.size(), QSize(16, 16));
    EXPECT_EQ(centre(first), QRgb(Red)) << "the 16 x 16 picture of the group, not the 32 x 32 one";

    const QImage second = IconImage::fromProgramFile(exe, 1);
    ASSERT_FALSE(second.isNull());
    EXPECT_EQ(second.size(), QSize(16, 16));
    EXPECT_EQ(centre(second), QRgb(Blue)) << "a group without a small picture is scaled down";

    EXPECT_TRUE(IconImage::fromProgramFile(exe, 2).isNull()) << "no icon at that number";
    EXPECT_TRUE(IconImage::fromProgramFile(exe, -1).isNull());
    EXPECT_TRUE(IconImage::fromProgramFile(buildPeImage({}), 0).isNull()) << "a program without icons";
    EXPECT_TRUE(IconImage::fromProgramFile(exe.left(300), 0).isNull()) << "a cut-off file";
}

TEST(IconImage, FilesOfEveryAcceptedKindGiveA16By16Picture)
{
    TestDir dir;
    dir.createFile(QStringLiteral("prog.dll"), twoIconProgram());
    dir.createFile(QStringLiteral("shape.svg"),
                   "<svg xmlns='http://www.w3.org/2000/svg' width='64' height='64' viewBox='0 0 64 64'>"
                   "<rect x='0' y='0' width='64' height='64' fill='#ffff00'/></svg>");
    QImage big(40, 40, QImage::Format_ARGB32);
    big.fill(QColor(0, 255, 0));
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter(&buffer, "png").write(big);
    }
    dir.createFile(QStringLiteral("pic.PNG"), png);
    QImage blue(16, 16, QImage::Format_ARGB32);
    blue.fill(QColor(0, 0, 255));
    dir.createFile(QStringLiteral("one.ico"), IconImage::toIconFile(blue));
    dir.createFile(QStringLiteral("junk.exe"), "MZ not really a program");
    dir.createFile(QStringLiteral("empty.ico"));

    const struct {
        const char *file;
        int index;
        quint32 colour; // 0: no picture
    } cases[] = {
        {"prog.dll", 0, Red},  {"prog.dll", 1, Blue}, {"prog.dll", 5, 0}, {"shape.svg", 0, Yellow},
        {"pic.PNG", 0, Green}, {"one.ico", 0, Blue},  {"one.ico", 3, Blue}, {"junk.exe", 0, 0},
        {"empty.ico", 0, 0},   {"missing.png", 0, 0},
    };
    for (const auto &c : cases) {
        const QImage image = IconImage::fromFile(dir.file(QString::fromLatin1(c.file)), c.index);
        SCOPED_TRACE(std::string(c.file) + " #" + std::to_string(c.index));
        if (c.colour == 0) {
            EXPECT_TRUE(image.isNull());
            continue;
        }
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(16, 16));
        EXPECT_EQ(centre(image), QRgb(c.colour));
    }
}

TEST(IconImage, IconFileRoundTripKeepsPixelsAndTransparency)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int i = 0; i < 16; ++i)
        image.setPixel(i, i, qRgba(200, 10, 30, 255));
    const QByteArray ico = IconImage::toIconFile(image);
    ASSERT_GE(ico.size(), 22);
    EXPECT_EQ(ico.left(6), QByteArray("\0\0\1\0\1\0", 6)) << "one picture in a standard icon file";
    const QImage back = IconImage::fromIconFile(ico);
    ASSERT_EQ(back.size(), QSize(16, 16));
    EXPECT_EQ(back.pixel(5, 5), qRgba(200, 10, 30, 255));
    EXPECT_EQ(qAlpha(back.pixel(5, 6)), 0);

    EXPECT_TRUE(IconImage::toIconFile(QImage()).isEmpty());
    EXPECT_TRUE(IconImage::fromIconFile("not an icon").isNull());
    // A larger picture is stored at 16 x 16.
    QImage large(64, 32, QImage::Format_RGB32);
    large.fill(Qt::red);
    EXPECT_EQ(IconImage::fromIconFile(IconImage::toIconFile(large)).size(), QSize(16, 16));
}

// The unused bytes closing each row of the transparency mask came from whatever memory
// the writer was given, so the same picture saved twice gave two different files (the
// disk-fault table saw the icon files of two equal saves differ).
TEST(IconImage, TheSamePictureAlwaysGivesTheSameBytes)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(qRgba(0, 0, 255, 255));
    const QByteArray ico = IconImage::toIconFile(image);
    ASSERT_EQ(ico.size(), 6 + 16 + 40 + 16 * 16 * 4 + 16 * 4);
    const qsizetype mask = ico.size() - 16 * 4;
    for (int row = 0; row < 16; ++row)
        EXPECT_EQ(ico.mid(mask + row * 4 + 2, 2), QByteArray(2, '\0')) << "mask row " << row;
    for (int i = 0; i < 20; ++i) {
        QByteArray noise(4096, char(0x5A)); // memory the next write may be given
        noise.clear();
        ASSERT_EQ(IconImage::toIconFile(image), ico);
    }
}

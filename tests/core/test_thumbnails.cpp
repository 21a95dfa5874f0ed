// The thumbnails of a folder: which files are shown and in what order, pictures kept
// small (JPEG decoded scaled down), animated GIFs and undecodable files, and the grid's
// shape and cell sizes.

#include "base/appsettings.h"
#include "print/thumblayout.h"
#include "print/thumblist.h"
#include "support/picturefixtures.h"
#include "support/testdir.h"
#include "tree/jpegdecoder.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

using namespace PictureFixtures;

QStringList folderEntries(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

TEST(ThumbList, PicturesOnlyEachKindAnimatedGifsStillAndNothingWritten)
{
    TestDir dir;
    const QImage image = twoColour(QSize(40, 20), Qt::red, Qt::blue);
    dir.createFile(QStringLiteral("f/a.jpg"), jpeg(image));
    dir.createFile(QStringLiteral("f/b.BMP"), encoded(image, "BMP"));
    dir.createFile(QStringLiteral("f/c.ico"), encoded(image, "ICO"));
    dir.createFile(QStringLiteral("f/d.gif"), gif(QSize(40, 20), {Qt::red}));
    dir.createFile(QStringLiteral("f/anim1.gif"), gif(QSize(12, 9), {Qt::green, Qt::red, Qt::blue}));
    dir.createFile(QStringLiteral("f/anim2.gif"), gif(QSize(12, 9), {Qt::blue, Qt::green}));
    dir.createFile(QStringLiteral("f/broken.jpeg"), "not a picture at all");
    dir.createFile(QStringLiteral("f/a.jpg.TMEM"), "comment");
    dir.createFile(QStringLiteral("f/note.txt"), "text");
    dir.createFile(QStringLiteral("f/x.png"), encoded(image, "PNG"));
    dir.createDir(QStringLiteral("f/sub.jpg"));
    const QStringList before = folderEntries(dir.file(QStringLiteral("f")));

    ThumbList thumbs;
    ASSERT_EQ(thumbs.fill(dir.file(QStringLiteral("f/")), QSize(128, 128)), 7);
    EXPECT_EQ(folderEntries(dir.file(QStringLiteral("f"))), before); // no "w" file, nothing else
    QMap<QString, const ThumbEntry *> byName;
    for (int i = 0; i < thumbs.count(); ++i)
        byName.insert(thumbs.at(i).name(), &thumbs.at(i));
    EXPECT_EQ(byName.keys(), (QStringList{QStringLiteral("a.jpg"), QStringLiteral("anim1.gif"), QStringLiteral("anim2.gif"),
                                          QStringLiteral("b.BMP"), QStringLiteral("broken.jpeg"), QStringLiteral("c.ico"),
                                          QStringLiteral("d.gif")}));
    for (const char *name : {"a.jpg", "b.BMP", "c.ico", "d.gif"}) {
        const QImage &p = byName.value(QLatin1String(name))->picture;
        ASSERT_FALSE(p.isNull()) << name;
        EXPECT_EQ(p.size(), QSize(40, 20)) << name; // small pictures stay as they are
        EXPECT_GT(p.pixelColor(3, 10).red(), 200) << name;
    }
    // Each animation shows its own first frame.
    EXPECT_EQ(byName.value(QStringLiteral("anim1.gif"))->picture.pixelColor(5, 5), QColor(Qt::green));
    EXPECT_EQ(byName.value(QStringLiteral("anim2.gif"))->picture.pixelColor(5, 5), QColor(Qt::blue));
    // A file that cannot be decoded keeps its place with an empty picture.
    EXPECT_TRUE(byName.value(QStringLiteral("broken.jpeg"))->picture.isNull());
    EXPECT_EQ(byName.value(QStringLiteral("broken.jpeg"))->path, dir.file(QStringLiteral("f/broken.jpeg")));

    // Filling again replaces the list; a folder without pictures leaves it empty.
    dir.createDir(QStringLiteral("none"));
    dir.createFile(QStringLiteral("none/readme.txt"), "x");
    EXPECT_EQ(thumbs.fill(dir.file(QStringLiteral("none/")), QSize(128, 128)), 0);
    EXPECT_TRUE(thumbs.isEmpty());
}

TEST(ThumbList, LargePhotosAreKeptAtThumbnailSize)
{
    TestDir dir;
    dir.createFile(QStringLiteral("p/wide.jpg"), jpeg(twoColour(QSize(3000, 2000), Qt::red, Qt::blue)));
    dir.createFile(QStringLiteral("p/tall.bmp"), encoded(twoColour(QSize(500, 1000), Qt::red, Qt::blue), "BMP"));
    ThumbList thumbs;
    ASSERT_EQ(thumbs.fill(dir.file(QStringLiteral("p/")), QSize(128, 128)), 2);
    for (int i = 0; i < 2; ++i) {
        const QImage &p = thumbs.at(i).picture;
        const bool wide = thumbs.at(i).name() == QStringLiteral("wide.jpg");
        EXPECT_EQ(p.size(), wide ? QSize(128, 85) : QSize(64, 128)) << i;
        EXPECT_GT(p.pixelColor(2, p.height() / 2).red(), 200) << i;
        EXPECT_GT(p.pixelColor(p.width() - 3, p.height() / 2).blue(), 200) << i;
    }
}

TEST(JpegDecoder, ScaledDecodingStopsAtTheLargestReductionThatStillCoversTheBound)
{
    const QByteArray bytes = jpeg(twoColour(QSize(3000, 2000), Qt::red, Qt::blue));
    struct Case {
        QSize bound;
        QSize decoded;
    };
    const Case cases[] = {
        {QSize(128, 128), QSize(375, 250)},   // 1/8
        {QSize(400, 400), QSize(750, 500)},   // 1/4: 1/8 would be smaller than 400 both ways
        {QSize(1000, 1000), QSize(1500, 1000)},
        {QSize(2500, 2500), QSize(3000, 2000)}, // no reduction covers it
        {QSize(), QSize(3000, 2000)},
    };
    for (const Case &c : cases) {
        QString error;
        const QImage image = decodeJpegScaled(bytes, c.bound, &error);
        EXPECT_EQ(image.size(), c.decoded) << c.bound.width() << " " << error.toStdString();
    }
    QString error;
    EXPECT_TRUE(decodeJpegScaled("garbage", QSize(64, 64), &error).isNull());
    EXPECT_FALSE(error.isEmpty());
}

TEST(ThumbLayout, ColumnsFitTheGridAndRowsHoldTheRest)
{
    struct Case {
        int count, width, cell;
        int columns, rows;
    };
    const Case cases[] = {
        {10, 300, 64, 4, 3}, // the last two cells of the third row stay empty
        {2, 1000, 64, 2, 1}, // never more columns than pictures
        {5, 30, 64, 1, 5},   // narrower than a cell: still one column
        {8, 256, 64, 4, 2},
        {1, 0, 64, 1, 1},
        {0, 300, 64, 0, 0},
    };
    for (const Case &c : cases) {
        const ThumbGridShape shape = thumbGridShape(c.count, c.width, c.cell);
        EXPECT_EQ(shape.columns, c.columns) << c.count << "/" << c.width;
        EXPECT_EQ(shape.rows, c.rows) << c.count << "/" << c.width;
    }
}

TEST(ThumbLayout, SizeMenuCaptionsGiveTheSettingsSizes)
{
    AppSettings s;
    EXPECT_EQ(thumbCellSize(QStringLiteral("画像ｻｲｽﾞ小"), s), QSize(32, 32));
    EXPECT_EQ(thumbCellSize(QStringLiteral("画像ｻｲｽﾞ中"), s), QSize(64, 64));
    EXPECT_EQ(thumbCellSize(QStringLiteral("画像ｻｲｽﾞ大"), s), QSize(128, 128));
    EXPECT_EQ(thumbCellSize(QStringLiteral("画像ｻｲｽﾞ変更"), s), QSize(128, 64));
    EXPECT_FALSE(thumbCellSize(QStringLiteral("他"), s).isValid());
    s.ThumbWidth = 300;
    s.ThumbHeight = 40;
    EXPECT_EQ(thumbCellSize(QStringLiteral("画像ｻｲｽﾞ変更"), s), QSize(300, 40));
    EXPECT_EQ(ThumbList::boundFor(s), QSize(300, 300)); // pictures kept large enough for any cell
}

} // namespace

// Picture nodes in the main window: the picture at its own size, its comment side file
// created once and written on leaving, and pictures that cannot be decoded.

#include "base/appsettings.h"
#include "base/globals.h"
#include "support/picturefixtures.h"
#include "support/windowfixture.h"

#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSplitter>
#include <gtest/gtest.h>

namespace {

using namespace PictureFixtures;

QString headerFor(const QString &fileName, const QString &user)
{
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
    return QStringLiteral("[コメント]\r\n\r\n\r\n--------------------\r\n[DATE]\r\n 作成日付=%1\r\n 取込日付=%1\r\n"
                          "[FILE]\r\n ファイル名=%2\r\n 作成者=%3\r\n--------------------\r\n")
        .arg(today, fileName, user);
}

// One picture of each kind, 30 × 20, left half red; and a memo.
struct PictureTree : WindowFixture {
    PictureTree()
        : WindowFixture(QStringLiteral("Pics\r\n\tp.jpg\r\n\tp.BMP\r\n\tp.ico\r\n\tp.gif\r\n\tanim.gif\r\n"
                                       "\tbad.jpe\r\n\tnote.txt\r\n"),
                        false)
    {
        const QImage image = twoColour(QSize(30, 20), Qt::red, Qt::blue);
        dir.createFile(QStringLiteral("docs/Pics/p.jpg"), jpeg(image));
        dir.createFile(QStringLiteral("docs/Pics/p.BMP"), encoded(image, "BMP"));
        dir.createFile(QStringLiteral("docs/Pics/p.ico"), encoded(image, "ICO"));
        dir.createFile(QStringLiteral("docs/Pics/p.gif"), gif(QSize(30, 20), {Qt::red}));
        dir.createFile(QStringLiteral("docs/Pics/anim.gif"), gif(QSize(12, 9), {Qt::green, Qt::red, Qt::blue}));
        dir.createFile(QStringLiteral("docs/Pics/bad.jpe"), "this is no JPEG");
        dir.createFile(QStringLiteral("docs/Pics/note.txt"), "note");
        Cfg.UserName = QStringLiteral("山田 花子");
        window->FormActivate();
    }
    QImage shown() { return window->Image1->pixmap().toImage(); }
    QByteArray side(const char *name) { return dir.read(QStringLiteral("docs/Pics/%1.TMEM").arg(QLatin1String(name))); }
};

TEST(ContentPicture, EachKindIsShownUnscaledAtItsOwnSize)
{
    PictureTree fx;
    for (int i = 1; i <= 4; ++i) {
        fx.click(i);
        ASSERT_TRUE(fx.w().PanelGra->isVisibleTo(&fx.w())) << i;
        EXPECT_EQ(fx.shown().size(), QSize(30, 20)) << i;
        EXPECT_EQ(fx.w().Image1->size(), QSize(30, 20)) << i;
        const QColor left = fx.shown().pixelColor(2, 10);
        EXPECT_GT(left.red(), 200) << i;
        EXPECT_LT(left.blue(), 60) << i;
    }
    EXPECT_TRUE(fx.ui.texts(QStringLiteral("report")).isEmpty());
}

TEST(ContentPicture, AnAnimatedGifStandsStillOnItsFirstFrame)
{
    PictureTree fx;
    fx.click(5);
    EXPECT_EQ(fx.shown().size(), QSize(12, 9));
    EXPECT_EQ(fx.shown().pixelColor(11, 8), QColor(Qt::green));
    EXPECT_EQ(fx.w().Image1->movie(), nullptr);
}

TEST(ContentPicture, TheCommentFileIsCreatedOnceWithItsHeader)
{
    PictureTree fx;
    fx.click(1);
    const QByteArray header = sjis(headerFor(QStringLiteral("p.jpg"), QStringLiteral("山田 花子")));
    EXPECT_EQ(fx.side("p.jpg"), header);
    EXPECT_EQ(fx.w().statusText(2), QStringLiteral("コメント情報を追加しました"));
    EXPECT_EQ(fx.w().MemoG->toPlainText(), headerFor(QStringLiteral("p.jpg"), QStringLiteral("山田 花子"))
                                               .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    // Shown again, the side file stays as it is and nothing is announced.
    fx.click(7);
    fx.click(1);
    EXPECT_EQ(fx.side("p.jpg"), header);
    EXPECT_NE(fx.w().statusText(2), QStringLiteral("コメント情報を追加しました"));
}

TEST(ContentPicture, TheCommentIsWrittenOnLeaving)
{
    PictureTree fx;
    fx.dir.createSjisFile(QStringLiteral("docs/Pics/p.gif.TMEM"), QStringLiteral("海の写真\r\n"));
    fx.click(4);
    EXPECT_EQ(fx.w().MemoG->toPlainText(), QStringLiteral("海の写真\n"));
    fx.w().MemoG->moveCursor(QTextCursor::End);
    fx.w().MemoG->insertPlainText(QStringLiteral("夏に撮影"));
    fx.click(7);
    EXPECT_EQ(fx.side("p.gif"), sjis(QStringLiteral("海の写真\r\n夏に撮影")));
}

TEST(ContentPicture, APictureThatCannotBeDecodedIsReportedAndNothingIsWritten)
{
    PictureTree fx;
    fx.click(1);
    fx.w().MemoG->insertPlainText(QStringLiteral("p.jpg の説明"));
    fx.click(6);
    ASSERT_EQ(fx.ui.count(QStringLiteral("report")), 1);
    EXPECT_TRUE(fx.ui.texts(QStringLiteral("report")).first().contains(QStringLiteral("bad.jpe")));
    EXPECT_TRUE(fx.w().PanelGra->isVisibleTo(&fx.w()));
    EXPECT_TRUE(fx.w().Image1->pixmap().isNull());
    // The comment is not read, and the previous picture's comment goes nowhere near it.
    EXPECT_TRUE(fx.w().MemoG->toPlainText().isEmpty());
    EXPECT_TRUE(fx.w().MemoG->isReadOnly());
    fx.click(7);
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("docs/Pics/bad.jpe.TMEM")));
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/Pics/bad.jpe")), QByteArray("this is no JPEG"));
    EXPECT_TRUE(fx.side("p.jpg").contains(sjis(QStringLiteral("p.jpg の説明"))));
}

TEST(ContentPicture, TheCommentTakesWhatThePictureLeavesAtLeastTenPixels)
{
    WindowFixture fx(QStringLiteral("small.bmp\r\ntall.bmp\r\ntiny.bmp\r\n"), false);
    fx.dir.createFile(QStringLiteral("docs/small.bmp"), encoded(twoColour(QSize(50, 100), Qt::red, Qt::blue), "BMP"));
    fx.dir.createFile(QStringLiteral("docs/tall.bmp"), encoded(twoColour(QSize(40, 2000), Qt::red, Qt::blue), "BMP"));
    fx.dir.createFile(QStringLiteral("docs/tiny.bmp"), encoded(twoColour(QSize(40, 30), Qt::red, Qt::blue), "BMP"));
    fx.w().resize(900, 700);
    fx.w().show();
    fx.w().FormActivate();
    QApplication::processEvents();
    struct Row { int index; int pictureHeight; }; // 0: the picture leaves less than 10 pixels
    for (const Row &r : {Row{1, 0}, Row{0, 100}, Row{2, 30}}) {
        fx.click(r.index);
        QApplication::processEvents();
        const int content = fx.w().PanelC->height();
        const int expected = r.pictureHeight > 0 ? content - r.pictureHeight - 11 : 10;
        EXPECT_EQ(fx.w().PanelG2->height(), expected) << r.index << " content " << content;
    }
    // The tall picture scrolls inside its box.
    fx.click(1);
    QApplication::processEvents();
    EXPECT_GT(fx.w().Image1->height(), fx.w().ScrollBox1->viewport()->height());
}

} // namespace

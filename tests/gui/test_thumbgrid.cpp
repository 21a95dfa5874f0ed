// The thumbnail grid in the main window: filled from the current folder node, cells
// drawn stretched with a red frame on the selected one, an empty cell with its name for
// a file that cannot be decoded, and the size menu.

#include "base/appsettings.h"
#include "base/globals.h"
#include "support/picturefixtures.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QMenu>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {

using namespace PictureFixtures;

struct GridTree : WindowFixture {
    GridTree() : WindowFixture(QStringLiteral("Pics\r\nEmpty\r\nnote.txt\r\n"), false)
    {
        for (int i = 0; i < 9; ++i)
            dir.createFile(QStringLiteral("docs/Pics/p%1.bmp").arg(i), encoded(twoColour(QSize(20, 10), Qt::red, Qt::blue), "BMP"));
        dir.createFile(QStringLiteral("docs/Pics/anim.gif"), gif(QSize(12, 9), {Qt::green, Qt::red}));
        dir.createFile(QStringLiteral("docs/Pics/broken.jpg"), "not a jpeg");
        dir.createFile(QStringLiteral("docs/Pics/p0.bmp.TMEM"), "comment");
        dir.createDir(QStringLiteral("docs/Empty"));
        dir.createFile(QStringLiteral("docs/Empty/x.txt"), "x");
        dir.createFile(QStringLiteral("docs/note.txt"), "memo");
        window->resize(800, 600);
        window->show();
        window->FormActivate();
    }
    QTableWidget *grid() { return window->DrawGrid1; }
};

TEST(ThumbGrid, FolderPicturesFillTheGridByItsWidth)
{
    GridTree fx;
    fx.click(0);
    const QStringList before = QDir(fx.dir.file(QStringLiteral("docs/Pics"))).entryList(QDir::Files | QDir::Hidden);
    fx.w().PMenuTreeG->trigger();
    EXPECT_EQ(QDir(fx.dir.file(QStringLiteral("docs/Pics"))).entryList(QDir::Files | QDir::Hidden), before);
    ASSERT_EQ(fx.w().Thumbs.count(), 11);
    EXPECT_TRUE(fx.w().PanelSam->isVisible());
    const int columns = qMin(11, qMax(1, fx.grid()->viewport()->width() / 64));
    EXPECT_EQ(fx.grid()->columnCount(), columns);
    EXPECT_EQ(fx.grid()->rowCount(), (11 + columns - 1) / columns);
    EXPECT_EQ(fx.grid()->columnWidth(0), 64);
    EXPECT_EQ(fx.grid()->rowHeight(0), 64);
}

TEST(ThumbGrid, CellsAreStretchedFramedRedWhenSelectedAndNamedWhenUndecodable)
{
    GridTree fx;
    fx.click(0);
    fx.w().PMenuTreeGClick();
    const int columns = fx.grid()->columnCount();
    ASSERT_GE(columns, 2);
    int brokenEntry = -1, bmpEntry = -1;
    for (int i = 0; i < fx.w().Thumbs.count(); ++i) {
        if (fx.w().Thumbs.at(i).name() == QStringLiteral("broken.jpg"))
            brokenEntry = i;
        else if (bmpEntry < 0 && fx.w().Thumbs.at(i).name().endsWith(QStringLiteral(".bmp")))
            bmpEntry = i;
    }
    ASSERT_GE(brokenEntry, 0);
    ASSERT_GE(bmpEntry, 0);
    EXPECT_TRUE(fx.w().Thumbs.at(brokenEntry).picture.isNull());

    fx.grid()->setCurrentCell(bmpEntry / columns, bmpEntry % columns);
    const QImage shot = fx.grid()->viewport()->grab().toImage();
    const QRect cell = fx.grid()->visualRect(fx.grid()->model()->index(bmpEntry / columns, bmpEntry % columns));
    // The 20 x 10 picture, left half red, stretched over the whole 64 x 64 cell.
    EXPECT_GT(shot.pixelColor(cell.left() + 8, cell.center().y()).red(), 200);
    EXPECT_GT(shot.pixelColor(cell.right() - 8, cell.center().y()).blue(), 200);
    EXPECT_GT(shot.pixelColor(cell.left() + 8, cell.bottom() - 3).red(), 200);
    // The selected cell's border is red on all sides.
    for (const QPoint &edge : {QPoint(cell.center().x() + 10, cell.top()), QPoint(cell.right(), cell.center().y())})
        EXPECT_EQ(shot.pixelColor(edge), QColor(Qt::red)) << edge.x() << "," << edge.y();

    // The undecodable file's cell shows something (its name), not the background alone.
    const QRect broken = fx.grid()->visualRect(fx.grid()->model()->index(brokenEntry / columns, brokenEntry % columns));
    const QColor base = shot.pixelColor(broken.left() + 1, broken.top() + 1);
    bool drawn = false;
    for (int y = broken.top() + 2; y < broken.bottom() - 2 && !drawn; ++y)
        for (int x = broken.left() + 2; x < broken.right() - 2 && !drawn; ++x)
            drawn = shot.pixelColor(x, y) != base;
    EXPECT_TRUE(drawn);
}

TEST(ThumbGrid, SizeMenuSetsCellSizesAndLaysOutAgain)
{
    GridTree fx;
    fx.click(0);
    fx.w().PMenuTreeGClick();
    struct Case {
        QAction *item;
        QSize cell;
    };
    const Case cases[] = {
        {fx.w().gSizeN, QSize(128, 64)},
        {fx.w().gSizeS, QSize(32, 32)},
        {fx.w().gSizeB, QSize(128, 128)},
        {fx.w().gSizeM, QSize(64, 64)},
    };
    for (const Case &c : cases) {
        c.item->trigger();
        SCOPED_TRACE(c.item->text().toStdString());
        EXPECT_EQ(fx.grid()->columnWidth(0), c.cell.width());
        EXPECT_EQ(fx.grid()->rowHeight(0), c.cell.height());
        const int columns = qMin(11, qMax(1, fx.grid()->viewport()->width() / c.cell.width()));
        EXPECT_EQ(fx.grid()->columnCount(), columns);
        EXPECT_EQ(fx.grid()->rowCount(), (11 + columns - 1) / columns);
    }
    EXPECT_EQ(fx.w().PopupMenuSam->actions().size(), 4);
}

TEST(ThumbGrid, AFolderWithoutPicturesShowsNothingAndOtherNodesDoNotAsk)
{
    GridTree fx;
    fx.click(1);
    fx.w().PMenuTreeGClick();
    EXPECT_TRUE(fx.w().Thumbs.isEmpty());
    EXPECT_FALSE(fx.w().PanelSam->isVisible());
    EXPECT_TRUE(fx.ui.events.isEmpty());

    fx.click(2); // a memo: the command is for folders only
    fx.w().PMenuTreeGClick();
    EXPECT_FALSE(fx.w().PanelSam->isVisible());
    EXPECT_TRUE(fx.w().PanelMemo->isVisible());

    // Leaving the folder hides the grid with the other content panels.
    fx.click(0);
    fx.w().PMenuTreeGClick();
    ASSERT_TRUE(fx.w().PanelSam->isVisible());
    fx.click(2);
    EXPECT_FALSE(fx.w().PanelSam->isVisible());
}

} // namespace

// Animated cursors: the shipped busy cursor parses; damaged files are refused whole.

#include "tree/anicursor.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray shippedCursor()
{
    QFile f(QStringLiteral(ORVANE_SOURCE_DIR "/Res/Ac.ani"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(AniCursor, ShippedBusyCursorHasItsFramesAndSteps)
{
    const AniCursor ani = parseAniCursor(shippedCursor());
    ASSERT_TRUE(ani.isValid());
    EXPECT_EQ(ani.frames.size(), 8);
    EXPECT_EQ(ani.steps, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(ani.jiffies.first(), 6);
    EXPECT_EQ(ani.frames.first().hotSpot(), QPoint(16, 16));
}

TEST(AniCursor, DamagedOrForeignFilesAreRefused)
{
    const QByteArray good = shippedCursor();
    QByteArray wrongForm = good;
    wrongForm.replace(8, 4, "AVI ");
    const QByteArray cases[] = {
        {},
        "RIFF",
        wrongForm,
        good.left(good.size() / 2),   // cut short inside the frame list
        QByteArray(64, 'x'),
    };
    for (const QByteArray &bytes : cases)
        EXPECT_FALSE(parseAniCursor(bytes).isValid()) << bytes.left(12).toHex().constData();
}

} // namespace

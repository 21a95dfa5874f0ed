// Animated cursors: the shipped busy cursor parses; damaged files are refused whole.

#include "support/foundinputs.h"
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

TEST(AniCursor, StepsNeverOutnumberWhatTheFileDescribes)
{
    // The header claims 0xFFFFFFFF steps for a one-frame file of 1 KB.
    const QByteArray huge = foundInput("ani_huge_steps.ani");
    ASSERT_FALSE(huge.isEmpty());
    const AniCursor ani = parseAniCursor(huge);
    ASSERT_TRUE(ani.isValid());
    EXPECT_LE(ani.steps.size(), 4);
    EXPECT_EQ(ani.jiffies.size(), ani.steps.size());

    // The shipped cursor with a huge step count and a huge rate keeps eight steps, each
    // at most an hour long.
    QByteArray claimed = shippedCursor();
    const qsizetype anih = claimed.indexOf("anih") + 8;
    ASSERT_GT(anih, 8);
    claimed.replace(anih + 8, 4, QByteArray("\xff\xff\xff\x7f", 4));
    claimed.replace(anih + 28, 4, QByteArray("\xff\xff\xff\x7f", 4));
    const AniCursor big = parseAniCursor(claimed);
    ASSERT_TRUE(big.isValid());
    EXPECT_EQ(big.steps.size(), 8);
    for (const int j : big.jiffies)
        EXPECT_LE(qint64(j) * 1000 / 60, qint64(3600) * 1000);
}

} // namespace

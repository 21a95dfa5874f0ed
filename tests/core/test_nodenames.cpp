// The rules for node names typed by the user, and the names of copies.

#include "nodeops/copyname.h"
#include "nodeops/nodenamechars.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

TEST(NodeNameChars, RemovesWhatAFileNameOrTheTreeFileCannotHold)
{
    struct Row {
        QString typed;
        QString expected;
        bool removed;
    };
    const Row rows[] = {
        {QStringLiteral("memo.TXT"), QStringLiteral("memo.TXT"), false},
        {QStringLiteral("a:b.TXT"), QStringLiteral("ab.TXT"), true},
        {QStringLiteral("\\/:*?\"<>|x"), QStringLiteral("x"), true},
        // full-width look-alikes, Japanese text, half-width katakana and the half-width
        // ideographic comma stay
        {QStringLiteral("ａ：ｂ／ｃ＊？＜＞｜表示ﾌｫﾙﾀﾞｰ､1.txt"), QStringLiteral("ａ：ｂ／ｃ＊？＜＞｜表示ﾌｫﾙﾀﾞｰ､1.txt"), false},
        // a TAB or a line break would change the tree file's levels and lines
        {QStringLiteral("\tdeep\r\nname\x7f"), QStringLiteral("deepname"), true},
        // characters Shift-JIS cannot hold never reach the disk as "?"
        {QStringLiteral("x😀y€.txt"), QStringLiteral("xy.txt"), true},
        // look-alikes: the name on disk must equal the one the tree file gives back
        {QStringLiteral("a\u301Cb\u2212c"), QStringLiteral("a\uFF5Eb\uFF0Dc"), false},
        {QString(), QString(), false},
    };
    for (const Row &r : rows) {
        bool removed = !r.removed;
        EXPECT_EQ(NodeNameChars::cleaned(r.typed, &removed), r.expected) << r.typed.toStdString();
        EXPECT_EQ(removed, r.removed) << r.typed.toStdString();
    }
}

TEST(NodeNameChars, ForbiddenSetIsExactlyTheNine)
{
    QString forbidden;
    for (char16_t c = 0x20; c < 0x7F; ++c)
        if (NodeNameChars::isForbidden(QChar(c)))
            forbidden += QChar(c);
    EXPECT_EQ(forbidden, QStringLiteral("\"*/:<>?\\|"));
}

TEST(CopyName, NumbersUntilANameIsFree)
{
    EXPECT_EQ(CopyName::numbered(QStringLiteral("memo"), QStringLiteral("TXT"), 1), QStringLiteral("memoのCopy.TXT"));
    EXPECT_EQ(CopyName::numbered(QStringLiteral("memo"), QStringLiteral("txt"), 2), QStringLiteral("memoのCopy2.txt"));
    // no extension: the "." is still written
    EXPECT_EQ(CopyName::numbered(QStringLiteral("README"), QString(), 1), QStringLiteral("READMEのCopy."));

    QSet<QString> taken;
    const auto isTaken = [&taken](const QString &n) { return taken.contains(n); };
    const QString base = QStringLiteral("memo"), ext = QStringLiteral("TXT");
    EXPECT_EQ(CopyName::firstFree(base, ext, isTaken), QStringLiteral("memoのCopy.TXT"));
    taken << QStringLiteral("memoのCopy.TXT") << QStringLiteral("memoのCopy2.TXT");
    EXPECT_EQ(CopyName::firstFree(base, ext, isTaken), QStringLiteral("memoのCopy3.TXT"));
    // a gap is filled before the numbers go on
    taken.clear();
    taken << QStringLiteral("memoのCopy.TXT") << QStringLiteral("memoのCopy3.TXT");
    EXPECT_EQ(CopyName::firstFree(base, ext, isTaken), QStringLiteral("memoのCopy2.TXT"));
    // numbers go past one digit in decimal
    taken.clear();
    taken << QStringLiteral("memoのCopy.TXT");
    for (int n = 2; n <= 10; ++n)
        taken << CopyName::numbered(base, ext, n);
    EXPECT_EQ(CopyName::firstFree(base, ext, isTaken), QStringLiteral("memoのCopy11.TXT"));
}

} // namespace

// The tree file: reading every indentation rule, writing byte for byte.

#include "base/sjiscodec.h"
#include "tree/treefile.h"

#include <gtest/gtest.h>

namespace {

// "level:text" per node, for compact expectations.
QStringList shape(const QList<TreeLine> &nodes)
{
    QStringList out;
    for (const TreeLine &n : nodes)
        out.append(QStringLiteral("%1:%2").arg(n.level).arg(n.text));
    return out;
}

QList<TreeLine> lines(std::initializer_list<std::pair<int, const char16_t *>> nodes)
{
    QList<TreeLine> out;
    for (const auto &[level, text] : nodes)
        out.append({level, QString::fromUtf16(text), {}});
    return out;
}

TEST(TreeFileRead, IndentationRules)
{
    struct Case { const char *name; QByteArray bytes; QStringList expected; };
    const Case cases[] = {
        {"empty file", "", {}},
        {"tabs", "A\r\n\tB\r\n\t\tC\r\nD\r\n", {"0:A", "1:B", "2:C", "0:D"}},
        {"one space is a level", "A\r\n B\r\n", {"0:A", "1:B"}},
        {"tabs and spaces mix", "A\r\n\tB\r\n \tC\r\n", {"0:A", "1:B", "2:C"}},
        {"first line is always a root", "\t\tA\r\n\tB\r\n", {"0:A", "1:B"}},
        {"back up several levels", "A\r\n\tB\r\n\t\tC\r\n\tD\r\nE", {"0:A", "1:B", "2:C", "1:D", "0:E"}},
        {"root name with a leading space becomes a child", "A\r\n X\r\n", {"0:A", "1:X"}},
        {"blank line is a node with an empty name", "A\r\n\r\nB\r\n", {"0:A", "0:", "0:B"}},
        {"line of blanks only", "A\r\n\t\r\n \r\n", {"0:A", "1:", "1:"}},
        {"trailing blanks kept", "A  \r\n", {"0:A  "}},
        {"lone LF", "A\n\tB\nC\n", {"0:A", "1:B", "0:C"}},
        {"lone CR", "A\r\tB\rC", {"0:A", "1:B", "0:C"}},
        {"NUL ends the text", QByteArray("A\r\n\tB\r\n\0C\r\n", 11), {"0:A", "1:B"}},
        {"last line without break", "A\r\nB", {"0:A", "0:B"}},
    };
    for (const Case &c : cases) {
        const TreeReadResult r = parseTreeFile(c.bytes);
        EXPECT_TRUE(r.ok) << c.name;
        EXPECT_EQ(shape(r.nodes), c.expected) << c.name;
    }
}

TEST(TreeFileRead, LevelJumpStopsWithTheLineNamedAndKeepsNodesBefore)
{
    const TreeReadResult r = parseTreeFile("A\r\n\tB\r\n    Deep\r\nC\r\n");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(shape(r.nodes), (QStringList{"0:A", "1:B"}));
    EXPECT_EQ(r.badLineText, QStringLiteral("Deep"));
    EXPECT_EQ(r.badLevel, 4);
    EXPECT_TRUE(r.errorMessage().contains(QStringLiteral("Deep")));
    EXPECT_TRUE(r.errorMessage().contains(QStringLiteral("4")));

    // Four spaces after a root: level 4 after level 0 is an error, not a child.
    EXPECT_FALSE(parseTreeFile("A\r\n    B\r\n").ok);

    // Exactly two levels deeper is already one too many; one level deeper is a child.
    struct Jump { const char *bytes; bool ok; int badLevel; };
    const Jump jumps[] = {
        {"A\r\n\t\tB\r\n", false, 2},
        {"A\r\n\tB\r\n\t\t\tC\r\n", false, 3},
        {"A\r\n  B\r\n", false, 2},
        {"A\r\n\tB\r\n\t\tC\r\n", true, 0},
    };
    for (const Jump &j : jumps) {
        const TreeReadResult r = parseTreeFile(j.bytes);
        EXPECT_EQ(r.ok, j.ok) << j.bytes;
        EXPECT_EQ(r.badLevel, j.badLevel) << j.bytes;
    }
}

TEST(TreeFileRead, BytesAfterANulAreFlaggedAsDropped)
{
    struct Case { const char *name; QByteArray bytes; bool drops; };
    const Case cases[] = {
        {"nodes after the NUL", QByteArray("A\r\n\tB\r\nC\0\r\nD\r\nE\r\n", 17), true},
        {"text after the NUL on its line", QByteArray("A\0B\r\n", 5), true},
        {"only NULs and breaks after it", QByteArray("A\r\n\0\0\r\n", 7), false},
        {"no NUL", "A\r\n\tB\r\n", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(parseTreeFile(c.bytes).dropsBytes, c.drops) << c.name;
}

TEST(TreeFileRead, ShiftJisNamesWhoseSecondBytesLookLikeAscii)
{
    // 表 is 0x95 0x5C and ソ is 0x83 0x5C: the second byte is "\" in ASCII.
    const QByteArray bytes = Sjis::encode(QString::fromUtf16(u"表計算\r\n\tソフト.txt\r\n")).bytes;
    const TreeReadResult r = parseTreeFile(bytes);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(shape(r.nodes), (QStringList{QString::fromUtf16(u"0:表計算"), QString::fromUtf16(u"1:ソフト.txt")}));
}

TEST(TreeFileWrite, OneTabPerLevelAndCrLfAfterEveryLine)
{
    const TreeWriteResult w = serializeTree(lines({{0, u"A"}, {1, u"B"}, {2, u"C"}, {0, u"D"}}));
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(w.bytes, QByteArray("A\r\n\tB\r\n\t\tC\r\nD\r\n"));
    EXPECT_EQ(serializeTree({}).bytes, QByteArray());
}

TEST(TreeFileWrite, ReadThenWriteGivesTheSameBytes)
{
    const QByteArray files[] = {
        "A\r\n\tB\r\n\t\tC\r\nD\r\n",
        Sjis::encode(QString::fromUtf16(u"日記\r\n\t①メモ.txt\r\n\t表.txt\r\n")).bytes,
        QByteArray::fromHex("ed400d0a09877e0d0a"), // bytes that do not survive decode and encode
    };
    for (const QByteArray &bytes : files) {
        const TreeReadResult r = parseTreeFile(bytes);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(serializeTree(r.nodes).bytes, bytes) << bytes.toHex().constData();
    }
}

TEST(TreeFileWrite, IndentationIsNormalisedAndBreaksBecomeCrLf)
{
    const TreeReadResult r = parseTreeFile("A\n B\r \tC\n");
    EXPECT_EQ(serializeTree(r.nodes).bytes, QByteArray("A\r\n\tB\r\n\t\tC\r\n"));
}

TEST(TreeFileWrite, ARenamedNodeIsEncodedAfreshAndUnholdableNamesAreRefused)
{
    TreeReadResult r = parseTreeFile(QByteArray::fromHex("ed400d0a"));
    r.nodes[0].text = QStringLiteral("new");
    EXPECT_EQ(serializeTree(r.nodes).bytes, QByteArray("new\r\n"));

    const TreeWriteResult bad = serializeTree(lines({{0, u"ok"}, {0, u"caf\u00e9"}}));
    EXPECT_FALSE(bad.ok);
    EXPECT_TRUE(bad.bytes.isEmpty());
    EXPECT_EQ(bad.unencodable, QString::fromUtf16(u"\u00e9"));
}

} // namespace

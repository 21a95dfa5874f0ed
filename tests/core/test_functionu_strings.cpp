// Path and string routines: whole characters, lengths in Shift-JIS bytes.

#include "nodeops/functionu.h"

#include <gtest/gtest.h>

TEST(FunctionUStrings, PathParts)
{
    struct Case {
        QString path, dir, name, noExt, ext;
    };
    const QList<Case> cases = {
        {"/a/b.txt", "/a", "b.txt", "/a/b", "txt"},
        {"/a.txt", "/", "a.txt", "/a", "txt"},
        {"b.txt", "", "b.txt", "b", "txt"},
        {"/a/b/", "/a/b", "", "/a/b/", ""},
        {"a//b", "a//", "b", "a//b", ""},
        {"/a.d/b", "/a.d", "b", "/a.d/b", ""},          // the dot of a folder is no extension
        {"b.tar.gz", "", "b.tar.gz", "b.tar", "gz"},
        {"/x/b.TxT", "/x", "b.TxT", "/x/b", "TxT"},     // letter case kept
        {"b.", "", "b.", "b", ""},
        {".bashrc", "", ".bashrc", "", "bashrc"},
        {"\\A\\B\\n.txt", "\\A\\B", "n.txt", "\\A\\B\\n", "txt"}, // stored form
        {"C:x.txt", "", "C:x.txt", "C:x", "txt"},       // ":" is an ordinary character here
        // ソ and 表 end in the byte of "\": they stay whole characters.
        {QStringLiteral("/日本/表ソ.テキスト"), QStringLiteral("/日本"), QStringLiteral("表ソ.テキスト"),
         QStringLiteral("/日本/表ソ"), QStringLiteral("テキスト")},
        {"", "", "", "", ""},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(PathDir(c.path), c.dir) << c.path.toStdString();
        EXPECT_EQ(PathName(c.path), c.name) << c.path.toStdString();
        EXPECT_EQ(PathNoExt(c.path), c.noExt) << c.path.toStdString();
        EXPECT_EQ(PathExt(c.path), c.ext) << c.path.toStdString();
    }
}

TEST(FunctionUStrings, LastCharPos)
{
    struct Case {
        QChar c;
        QString text;
        int pos;
    };
    const QList<Case> cases = {
        {u'.', "ab.d.fgh", 5},
        {u'.', QStringLiteral("あ.txt"), 3},       // a double-byte character counts two
        {u'.', QStringLiteral("ｱ.txt"), 2},        // half-width katakana counts one
        {u'.', QStringLiteral("\uFF61.txt"), 2},   // ... from the first of them, ｡
        {u'.', QStringLiteral("\uFF9F.txt"), 2},   // ... to the last, ﾟ
        {u'.', QStringLiteral("\uFF60.txt"), 3},   // just outside the range: two
        {u'.', QStringLiteral("\uFFA0.txt"), 3},
        {u'\\', QStringLiteral("ソ\\"), 3},       // ソ's second byte is not a "\"
        {u'\\', QStringLiteral("ソ"), 0},
        {QChar(u'ソ'), QStringLiteral("aソbソ"), 5},
        {u'.', "abc", 0},
        {u'.', "", -1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(LastCharPos(c.c, c.text), c.pos) << c.text.toStdString();
}

TEST(FunctionUStrings, StrSplit)
{
    struct Case {
        QString sep, text;
        QStringList pieces;
    };
    const QList<Case> cases = {
        {",", "a,b,,c,", {"a", "b", "", "c"}}, // empty piece kept, none after a final separator
        {",", ",a", {"", "a"}},
        {",", "abc", {"abc"}},
        {",", "", {}},
        {"::", "a::b:c", {"a", "b:c"}},
        {"\t", "x\ty", {"x", "y"}},
        {"\\", QStringLiteral("ソ\\表"), {QStringLiteral("ソ"), QStringLiteral("表")}},
    };
    for (const Case &c : cases) {
        QStringList list{"old"};
        StrSplit(c.sep, c.text, list);
        EXPECT_EQ(list, c.pieces) << c.text.toStdString();
    }
    QStringList kept{"old"};
    StrSplit("", "a,b", kept);
    EXPECT_EQ(kept, QStringList{"old"});
}

TEST(FunctionUStrings, ZeroPadAndSpaceTrim)
{
    EXPECT_EQ(ZeroPad(7, 2), "07");
    EXPECT_EQ(ZeroPad(123, 2), "123");
    EXPECT_EQ(ZeroPad(0, 4), "0000");
    EXPECT_EQ(ZeroPad(5, 0), "5");
    EXPECT_EQ(ZeroPad(-5, 3), "0-5"); // zeros go in front of the text as it is

    EXPECT_EQ(SpaceTrim("  a b  "), "a b");
    EXPECT_EQ(SpaceTrim("\ta\t"), "\ta\t");
    EXPECT_EQ(SpaceTrim(QStringLiteral("　a　")), QStringLiteral("　a　")); // full-width spaces stay
    EXPECT_EQ(SpaceTrim("   "), "");
}

TEST(FunctionUStrings, TabExpand)
{
    struct Case {
        QString text;
        int width;
        QString out;
    };
    const QList<Case> cases = {
        {"ab\tc", 4, "ab  c"},
        {QStringLiteral("あ\tc"), 4, QStringLiteral("あ  c")}, // a double-byte character is two columns
        {QStringLiteral("ｱ\tc"), 4, QStringLiteral("ｱ   c")},
        {QStringLiteral("\uFF61\tc"), 4, QStringLiteral("\uFF61   c")},
        {QStringLiteral("\uFF9F\tc"), 4, QStringLiteral("\uFF9F   c")},
        {QStringLiteral("\uFF60\tc"), 4, QStringLiteral("\uFF60  c")},
        {QStringLiteral("\uFFA0\tc"), 4, QStringLiteral("\uFFA0  c")},
        {"\tx", 4, "    x"},
        {"abcd\tx", 4, "abcd    x"}, // at a tab stop: a full width
        {"a\t\tb", 4, "a       b"},
        {"a\tb", 0, "a\tb"},
        {"plain", 4, "plain"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(TabExpand(c.text, c.width), c.out) << c.text.toStdString();
}

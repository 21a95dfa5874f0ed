// Outline numbering: number styles at the ends of their ranges, every preset over seven
// levels, the "-" parent label, the separator and the indentation rules.

#include "base/sjiscodec.h"
#include "export/outlinenumbering.h"
#include "export/outlinestyles.h"

#include <gtest/gtest.h>

namespace {

struct NumberCase {
    int n;
    int style;
    const char *text; // UTF-8
    const char *sjis; // the Shift-JIS bytes of the text
};

TEST(Outline, NumberTextAtEveryRangeEnd)
{
    const NumberCase cases[] = {
        {1, 0, "", ""},          {7, 0, "", ""},
        {1, 1, "1", "1"},        {10, 1, "10", "10"},       {1234, 1, "1234", "1234"},
        {1, 2, "①", "\x87\x40"}, {20, 2, "⑳", "\x87\x53"}, {21, 2, "", ""},
        {1, 3, "Ⅰ", "\x87\x54"}, {10, 3, "Ⅹ", "\x87\x5D"}, {11, 3, "", ""},
        {1, 4, "A", "A"},        {26, 4, "Z", "Z"},         {27, 4, "a", "a"},
        {52, 4, "z", "z"},       {53, 4, "", ""},
        {1, 5, "ｱ", "\xB1"},     {45, 5, "ﾝ", "\xDD"},      {46, 5, "", ""},
    };
    for (const NumberCase &c : cases) {
        const QString text = Outline::numberText(c.n, c.style);
        EXPECT_EQ(text, QString::fromUtf8(c.text)) << c.n << " style " << c.style;
        const Sjis::Encoded enc = Sjis::encode(text);
        EXPECT_TRUE(enc.ok);
        EXPECT_EQ(enc.bytes, QByteArray(c.sjis)) << c.n << " style " << c.style;
    }
    // Every katakana of the range is the byte 0xB0 + n.
    for (int n = 1; n <= 45; ++n)
        EXPECT_EQ(Sjis::encode(Outline::numberText(n, 5)).bytes, QByteArray(1, char(0xB0 + n))) << n;
}

// A seven-level chain with second siblings on the way back up:
// A > B > C > D > E > F > G, G2; D2; C2; A2.
const QList<int> kLevels = {1, 2, 3, 4, 5, 6, 7, 7, 4, 3, 1};

QStringList labels(const BulkExportSettings &s)
{
    OutlineNumbering numbering(s);
    QStringList out;
    for (int level : kLevels)
        out << numbering.next(level);
    return out;
}

struct PresetCase {
    int preset;
    int outEdit6;
    QStringList expected; // A B C D E F G G2 D2 C2 A2
};

TEST(Outline, EachPresetOverSevenLevels)
{
    const PresetCase cases[] = {
        {1, 0, {"", "", "", "", "", "", "", "", "", "", ""}},
        {1, 1, {"", "", "", "", "", "", "", "", "", "", ""}},
        {2, 0, {"第1章", "第1節", "第1項", "1", "1)", "", "", "", "2", "第2項", "第2章"}},
        {2, 1, {"第1章", "第1節", "第1項", "1", "1)", "1)", "1)", "2)", "2", "第2項", "第2章"}},
        {3, 0, {"1", "1-1", "1)", "1)-1)", "・", "", "", "", "1)-2)", "2)", "2"}},
        {3, 1, {"1", "1-1", "1)", "1)-1)", "・", "・", "・", "・", "1)-2)", "2)", "2"}},
        {4, 0, {"Ⅰ", "1", "1-1", "・", "・", "", "", "", "・", "1-2", "Ⅱ"}},
        {4, 1, {"Ⅰ", "1", "1-1", "・", "・", "・", "・", "・", "・", "1-2", "Ⅱ"}},
    };
    for (const PresetCase &c : cases) {
        BulkExportSettings s;
        s.outlin = c.preset;
        s.outEdit6 = c.outEdit6;
        EXPECT_EQ(labels(s), c.expected) << "preset " << c.preset << " OUTEDIT6 " << c.outEdit6;
    }
}

TEST(Outline, UserPresetTakesItsFiveStylesAndOnlyOneParentLevelGoesInFront)
{
    BulkExportSettings s;
    s.outlin = 5;
    s.outline = {5, 7, 8, 2, 4}; // ① A ｱ -1 -1)
    s.outEdit6 = 1;
    // D puts the katakana of C in front; E puts D's own fields ("-", "1") in front, so
    // its label is 1-1) and not ｱ-1-1). Levels 6 and 7 copy level 5 with their own counters.
    EXPECT_EQ(labels(s), (QStringList{"①", "A", "ｱ", "ｱ-1", "1-1)", "1)-1)", "1)-1)", "1)-2)", "ｱ-2", "ｲ", "②"}));

    // Style 2 on levels 2 and 3: the third node of level 3 below the second of level 2 is 2-3.
    s.outline = {1, 2, 2, 1, 1};
    OutlineNumbering numbering(s);
    QStringList got;
    for (int level : {1, 2, 2, 3, 3, 3})
        got << numbering.next(level);
    EXPECT_EQ(got, (QStringList{"1", "1-1", "1-2", "2-1", "2-2", "2-3"}));
}

TEST(Outline, CountersRestartBelowEachNewParentAndStylesStopPastTheirRange)
{
    BulkExportSettings s; // preset 2
    OutlineNumbering numbering(s);
    QStringList got;
    for (int level : {1, 2, 2, 1, 2})
        got << numbering.next(level);
    EXPECT_EQ(got, (QStringList{"第1章", "第1節", "第2節", "第2章", "第1節"}));

    s.outlin = 5;
    s.outline = {5, 1, 1, 1, 1};
    OutlineNumbering circled(s);
    QString twentieth, twentyFirst;
    for (int i = 1; i <= 21; ++i)
        (i == 20 ? twentieth : twentyFirst) = circled.next(1);
    EXPECT_EQ(twentieth, QStringLiteral("⑳"));
    EXPECT_EQ(twentyFirst, QString());
}

TEST(Outline, LevelsDeeperThanTheOldTableAreNumberedLikeLevelFive)
{
    BulkExportSettings s;
    s.outlin = 3;
    s.outEdit6 = 1;
    OutlineNumbering numbering(s);
    QString last;
    for (int level = 1; level <= 1005; ++level)
        last = numbering.next(level);
    EXPECT_EQ(last, QStringLiteral("・"));
}

TEST(Outline, SeparatorGoesOnlyAfterLabelsThatTakeIt)
{
    BulkExportSettings s;
    s.kugiSw = true;
    s.kugiri = QStringLiteral("．");
    const struct {
        const char *label;
        const char *heading;
    } cases[] = {
        {"第1章", "第1章．概要"}, {"1", "1．概要"},  {"1)", "1)概要"}, {"1)-2)", "1)-2)概要"},
        {"", "概要"},             {"・", "・概要"}, {"･", "･概要"},   {"Ⅰ", "Ⅰ．概要"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(headingText(QString::fromUtf8(c.label), QStringLiteral("概要"), s), QString::fromUtf8(c.heading));
    s.kugiSw = false;
    EXPECT_EQ(headingText(QStringLiteral("第1章"), QStringLiteral("概要"), s), QStringLiteral("第1章概要"));
}

TEST(Outline, IndentationUnitsAndTheirLimits)
{
    const struct {
        bool indSw;
        const char *indent;
        int indMax;
        bool indAddSw;
        int level;
        const char *unit;
        int heading;
        int body;
    } cases[] = {
        {true, "TAB", 5, false, 1, "\t", 0, 0},
        {true, "TAB", 5, false, 3, "\t", 2, 2},
        {true, "TAB", 5, true, 3, "\t", 2, 3},
        {true, "TAB", 5, false, 9, "\t", 4, 4},   // at most INDMAX - 1
        {true, "TAB", 1, false, 4, "\t", 0, 0},   // INDMAX 1: no heading is indented
        {true, "TAB", 1, true, 4, "\t", 0, 1},    // ... and bodies get one unit with INDADDSW
        {true, "TABTAB", 5, false, 2, "\t\t", 1, 1},
        {true, "　", 5, false, 2, "　", 1, 1},     // no "TAB": used unchanged
        {true, "xTABy", 5, false, 2, "x\ty", 1, 1},
        {false, "TAB", 5, true, 4, "", 0, 0},     // INDSW off: nothing at all
    };
    for (const auto &c : cases) {
        BulkExportSettings s;
        s.indSw = c.indSw;
        s.indent = QString::fromUtf8(c.indent);
        s.indMax = c.indMax;
        s.indAddSw = c.indAddSw;
        EXPECT_EQ(indentUnit(s), QString::fromUtf8(c.unit)) << c.indent;
        EXPECT_EQ(headingUnits(c.level, s), c.heading) << c.indent << " level " << c.level;
        EXPECT_EQ(bodyUnits(c.level, s), c.body) << c.indent << " level " << c.level;
    }
}

} // namespace

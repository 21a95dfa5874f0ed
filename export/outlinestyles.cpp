#include "export/outlinestyles.h"

namespace Outline {

namespace {

const std::array<LevelFormat, StyleCount> &styles()
{
    static const std::array<LevelFormat, StyleCount> table = {{
        {{}, {}, {}, 1, 1},                                                  // 1
        {QStringLiteral("-"), {}, {}, 2, 1},                                 // -1
        {{}, QStringLiteral(")"), {}, 1, 1},                                 // 1)
        {QStringLiteral("-"), {}, QStringLiteral(")"), 2, 1},                // -1)
        {{}, {}, {}, 1, 2},                                                  // ①
        {{}, {}, {}, 1, 3},                                                  // Ⅰ
        {{}, {}, {}, 1, 4},                                                  // A
        {{}, {}, {}, 1, 5},                                                  // ｱ
        {QStringLiteral("第"), {}, QStringLiteral("章"), 2, 1},              // 第1章
        {QStringLiteral("第"), {}, QStringLiteral("節"), 2, 1},              // 第1節
        {QStringLiteral("第"), {}, QStringLiteral("項"), 2, 1},              // 第1項
        {QStringLiteral("・"), {}, {}, 0, 0},                                // ・
        {{}, {}, {}, 0, 0},                                                  // <なし>
    }};
    return table;
}

} // namespace

const LevelFormat &levelStyle(int number)
{
    if (number < 1 || number > StyleCount)
        number = NoLabelStyle;
    return styles()[size_t(number - 1)];
}

const QStringList &styleListTexts()
{
    static const QStringList texts = {
        QStringLiteral("1"), QStringLiteral("-1"), QStringLiteral("1)"), QStringLiteral("-1)"),
        QStringLiteral("①"), QStringLiteral("Ⅰ"), QStringLiteral("A"), QStringLiteral("ｱ"),
        QStringLiteral("第1章"), QStringLiteral("第1節"), QStringLiteral("第1項"), QStringLiteral("・"),
        QStringLiteral("<なし>"),
    };
    return texts;
}

const QStringList &presetListTexts()
{
    static const QStringList texts = {
        QStringLiteral("なし(インデントのみ)"), QStringLiteral("第１章・第1節・第１項"),
        QStringLiteral("数字"), QStringLiteral("ローマ数字"), QStringLiteral("ユーザー指定"),
    };
    return texts;
}

std::array<int, PresetLevels> presetStyles(int preset)
{
    switch (preset) {
    case 2: return {9, 10, 11, 1, 3};
    case 3: return {1, 2, 3, 4, 12};
    case 4: return {6, 1, 2, 12, 12};
    default: return {13, 13, 13, 13, 13};
    }
}

QString numberText(int n, int style)
{
    if (n < 1)
        return {};
    switch (style) {
    case 1:
        return QString::number(n);
    case 2: // ① .. ⑳ (Shift-JIS 0x8740 + n - 1)
        return n <= 20 ? QString(QChar(char16_t(0x2460 + n - 1))) : QString();
    case 3: // Ⅰ .. Ⅹ (Shift-JIS 0x8754 + n - 1)
        return n <= 10 ? QString(QChar(char16_t(0x2160 + n - 1))) : QString();
    case 4:
        if (n <= 26)
            return QString(QChar(char16_t(u'A' + n - 1)));
        return n <= 52 ? QString(QChar(char16_t(u'a' + n - 27))) : QString();
    case 5: // ｱ .. ﾝ (Shift-JIS 0xB1 .. 0xDD)
        return n <= 45 ? QString(QChar(char16_t(0xFF70 + n))) : QString();
    default:
        return {};
    }
}

} // namespace Outline

// Colour texts and font names of the settings as the views show them.

#include "base/colortext.h"
#include "base/fontchoice.h"

#include <gtest/gtest.h>

#include <QFontDatabase>

TEST(ColorText, NamesAndNumbersReadAsTheirColours)
{
    struct Case { const char *text; QColor expected; };
    const Case cases[] = {
        {"clBlack", QColor(0, 0, 0)},
        {"clWhite", QColor(255, 255, 255)},
        {"clMaroon", QColor(128, 0, 0)},
        {"clNavy", QColor(0, 0, 128)},
        {"clblue", QColor(0, 0, 255)},           // names ignore case
        {"clMoneyGreen", QColor(192, 220, 192)},
        {"clSkyBlue", QColor(166, 202, 240)},
        {"clCream", QColor(255, 251, 240)},
        {"clMedGray", QColor(160, 160, 164)},
        {"$000000FF", QColor(255, 0, 0)},        // 00BBGGRR: red in the low byte
        {"$00FF0000", QColor(0, 0, 255)},
        {"$0080C0FF", QColor(255, 192, 128)},
        {"0x00FF00", QColor(0, 255, 0)},
        {"255", QColor(255, 0, 0)},              // a plain number is a colour value too
    };
    for (const Case &c : cases)
        EXPECT_EQ(ColorText::toColor(QString::fromLatin1(c.text)), c.expected) << c.text;
}

TEST(ColorText, UnknownTextIsNoColour)
{
    for (const char *text : {"", "何色", "clPink", "$XYZ", "$1FFFFFFFF"})
        EXPECT_FALSE(ColorText::toColor(QString::fromUtf8(text)).isValid()) << text;
}

TEST(ColorText, SystemColoursFollowTheDesktopPalette)
{
    EXPECT_TRUE(ColorText::toColor(QStringLiteral("clWindow")).isValid());
    EXPECT_EQ(ColorText::toColor(QStringLiteral("clWindow")), ColorText::toColor(QStringLiteral("$FF000005")));
    EXPECT_EQ(ColorText::toColor(QStringLiteral("clBtnFace")), ColorText::toColor(QStringLiteral("$FF00000F")));
    EXPECT_EQ(ColorText::systemColorNames().first(), QStringLiteral("clScrollBar"));
}

TEST(ColorText, ColoursWriteAsNamesOrEightDigits)
{
    EXPECT_EQ(ColorText::fromColor(QColor(0, 0, 0)), QStringLiteral("clBlack"));
    EXPECT_EQ(ColorText::fromColor(QColor(255, 251, 240)), QStringLiteral("clCream"));
    EXPECT_EQ(ColorText::fromColor(QColor(255, 128, 0)), QStringLiteral("$000080FF"));
    const QStringList names = ColorText::pickerNames();
    ASSERT_EQ(names.size(), 20);
    EXPECT_EQ(names.at(0), QStringLiteral("clBlack"));  // picker position 1
    EXPECT_EQ(names.at(15), QStringLiteral("clWhite")); // picker position 16
    for (const QString &n : names)
        EXPECT_EQ(ColorText::fromColor(ColorText::toColor(n)), n);
}

TEST(FontChoice, StyleFollowsTheName)
{
    using S = FontChoice::Style;
    struct Case { const char16_t *name; S style; };
    const Case cases[] = {
        {u"ＭＳ 明朝", S::Serif},        {u"ＭＳ Ｐ明朝", S::Serif},    {u"MS Mincho", S::Serif},
        {u"游明朝", S::Serif},           {u"ＭＳ ゴシック", S::SansMono}, {u"MS Gothic", S::SansMono},
        {u"ＭＳ Ｐゴシック", S::Sans},   {u"MS UI Gothic", S::Sans},     {u"メイリオ", S::Sans},
        {u"Osaka－等幅", S::SansMono},   {u"Courier New", S::SansMono},  {u"Arial", S::Sans},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FontChoice::styleOf(QString::fromUtf16(c.name)), c.style) << QString::fromUtf16(c.name).toStdString();
}

TEST(FontChoice, AMissingJapaneseFontIsShownInAnInstalledOneOfItsStyle)
{
    const QStringList installed = QFontDatabase::families();
    if (!installed.contains(QStringLiteral("Noto Serif CJK JP")) || !installed.contains(QStringLiteral("Noto Sans CJK JP")))
        GTEST_SKIP() << "fonts-noto-cjk is not installed";
    EXPECT_EQ(FontChoice::installedFamily(QStringLiteral("ＭＳ 明朝")), QStringLiteral("Noto Serif CJK JP"));
    EXPECT_EQ(FontChoice::installedFamily(QStringLiteral("ＭＳ Ｐゴシック")), QStringLiteral("Noto Sans CJK JP"));
    EXPECT_EQ(FontChoice::installedFamily(QStringLiteral("noto sans cjk jp")), QStringLiteral("Noto Sans CJK JP"));
    const QFont f = FontChoice::viewFont(QStringLiteral("ＭＳ 明朝"), 16);
    EXPECT_EQ(f.family(), QStringLiteral("Noto Serif CJK JP"));
    EXPECT_EQ(f.pointSize(), 16);
    EXPECT_EQ(FontChoice::viewFont(QStringLiteral("ＭＳ 明朝"), 0).pointSize(), 1);
}

// The Shift-JIS (code page 932) codec: the one door between disk bytes and text.

#include "base/sjiscodec.h"

#include <gtest/gtest.h>

namespace {

QByteArray hex(const char *h) { return QByteArray::fromHex(h); }

TEST(SjisCodec, DecodesTheWindowsTableIncludingNecAndIbmRows)
{
    struct Case { const char *bytes; const char16_t *text; };
    const Case cases[] = {
        {"82a082a2", u"あい"},
        {"8740", u"①"},          // NEC row 13
        {"8754", u"Ⅰ"},
        {"8160", u"～"},          // FULLWIDTH TILDE, not WAVE DASH
        {"5c", u"\\"},            // backslash, not yen
        {"fa40", u"ⅰ"},          // IBM extension
        {"b1", u"ｱ"},             // half-width katakana
        {"955c", u"表"},          // second byte 0x5C
    };
    for (const Case &c : cases) {
        bool clean = false;
        EXPECT_EQ(Sjis::decode(hex(c.bytes), &clean), QString::fromUtf16(c.text)) << c.bytes;
        EXPECT_TRUE(clean) << c.bytes;
    }
}

TEST(SjisCodec, InvalidBytesAreReportedNotHidden)
{
    for (const char *bad : {"80", "a0", "fd", "41ff", "82"}) { // "82": lone lead byte at the end
        bool clean = true;
        const QString text = Sjis::decode(hex(bad), &clean);
        EXPECT_FALSE(clean) << bad;
        EXPECT_TRUE(text.contains(QChar(0x1A))) << bad;
    }
}

TEST(SjisCodec, EncodeMapsLookAlikesAndRefusesTheRest)
{
    // Text pasted from other programs: wave dash, minus sign, em dash, cent, pound, not, double bar.
    const Sjis::Encoded e = Sjis::encode(QString::fromUtf16(u"\u301C\u2212\u2014\u00A2\u00A3\u00AC\u2016"));
    ASSERT_TRUE(e.ok);
    EXPECT_EQ(e.bytes, hex("8160817c815c8191819281ca8161"));

    const Sjis::Encoded bad = Sjis::encode(QString::fromUtf16(u"a\u00E9b\U0001F600c\u00E9"));
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.unencodable, QString::fromUtf16(u"\u00E9\U0001F600"));
    EXPECT_FALSE(bad.bytes.contains("\xfc\xfc"));
}

TEST(SjisCodec, RoundTripTellsWhichBytesSurvive)
{
    EXPECT_TRUE(Sjis::roundTrips(hex("82a00d0a8740")));
    EXPECT_TRUE(Sjis::roundTrips(QByteArray()));
    EXPECT_FALSE(Sjis::roundTrips(hex("ed40")));                    // NEC-selected IBM: comes back as FA5C
    EXPECT_FALSE(Sjis::roundTrips(hex("8790")));                    // comes back as 81E0
    EXPECT_FALSE(Sjis::roundTrips(hex("41ff42")));
}

TEST(SjisCodec, LinesSplitAtEveryBreakAndTextEndsAtNul)
{
    struct Case { QByteArray bytes; QStringList lines; };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"a\n\r\nb", {"a", "", "b"}},
        {"\r\n", {""}},
        {QByteArray("a\r\nb\0c\r\nd", 10), {"a", "b"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Sjis::decodeLines(c.bytes), c.lines) << c.bytes.toHex().constData();
    EXPECT_EQ(Sjis::normalizeCrLf(QStringLiteral("a\nb\rc\r\nd")), QStringLiteral("a\r\nb\r\nc\r\nd"));
    EXPECT_EQ(Sjis::joinLinesCrLf({"x", ""}), QStringLiteral("x\r\n\r\n"));
}

// A long Japanese text: prose with kana, kanji, punctuation and full-width digits.
QString longJapanese()
{
    const QString paragraph = QString::fromUtf16(
        u"今日は朝から雨が降っていたので、図書館で資料を読んで過ごした。"
        u"午後には晴れ間が見え、２０２６年の計画について友人と話し合った。\r\n");
    QString text;
    while (text.size() * 2 < 10 * 1024)
        text += paragraph;
    return text;
}

TEST(SjisCodec, EncodingOfAFileIsDecidedByWhichReadingIsText)
{
    struct Case { const char *what; QByteArray bytes; bool utf8; };
    const Case cases[] = {
        // Shift-JIS that is also valid UTF-8.
        {"half-width katakana pairs (Ŷ ÷ as UTF-8)", hex("c5b620c3b720313030"), false},
        {"level-2 kanji before full-width punctuation (U+0801 as UTF-8)", hex("61626320e0a08142"), false},
        {"half-width katakana ﾊｲ (U+02B2 as UTF-8)", QByteArray("OK ") + hex("cab2"), false},
        // Shift-JIS only.
        {"ﾃｽﾄ ﾃﾞｰﾀ in Shift-JIS", Sjis::encode(QString::fromUtf16(u"ﾃｽﾄ ﾃﾞｰﾀ")).bytes, false},
        {"カタカナとひらがな in Shift-JIS", Sjis::encode(QString::fromUtf16(u"カタカナとひらがな")).bytes, false},
        {"日本 in Shift-JIS", hex("93fa967b"), false},
        {"10 KB of Japanese in Shift-JIS", Sjis::encode(longJapanese()).bytes, false},
        // Not UTF-8 at all, or the same both ways.
        {"plain ASCII", "plain ascii\r\n", false},
        {"empty", "", false},
        {"cut short", hex("e697"), false},
        {"overlong", hex("c0af"), false},
        {"surrogate", hex("eda080"), false},
        // UTF-8.
        {"カタカナとひらがな in UTF-8", QString::fromUtf16(u"カタカナとひらがな").toUtf8(), true},
        {"メモ in UTF-8", QString::fromUtf16(u"メモ").toUtf8(), true},
        {"café in UTF-8", QString::fromUtf16(u"café").toUtf8(), true},
        {"café naïve in UTF-8", QString::fromUtf16(u"café naïve").toUtf8(), true},
        {"①②③ in UTF-8", QString::fromUtf16(u"①②③").toUtf8(), true},
        {"日本語 in UTF-8", QString::fromUtf16(u"日本語").toUtf8(), true},
        {"10 KB of Japanese in UTF-8", longJapanese().toUtf8(), true},
        {"byte-order mark and ASCII", hex("efbbbf") + "abc", true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Sjis::readsAsUtf8(c.bytes), c.utf8) << c.what;
    // Most UTF-8 text is also valid Shift-JIS, so the round trip alone cannot tell them apart.
    EXPECT_TRUE(Sjis::roundTrips(QString::fromUtf16(u"日本").toUtf8()));
}

TEST(SjisCodec, EveryByteBelow0x80IsItself)
{
    // The library table swaps 0x1A, 0x1C and 0x7F; code page 932 does not.
    struct Case { const char *bytes; const char16_t *text; };
    const Case cases[] = {
        {"1a", u"\u001A"},
        {"1c", u"\u001C"},
        {"7f", u"\u007F"},
        {"411a421c437f", u"A\u001AB\u001CC\u007F"},
        {"82a01a82a2", u"あ\u001Aい"},
    };
    for (const Case &c : cases) {
        bool clean = false;
        EXPECT_EQ(Sjis::decode(hex(c.bytes), &clean), QString::fromUtf16(c.text)) << c.bytes;
        EXPECT_TRUE(clean) << c.bytes;
        const Sjis::Encoded e = Sjis::encode(QString::fromUtf16(c.text));
        EXPECT_TRUE(e.ok) << c.bytes;
        EXPECT_EQ(e.bytes, hex(c.bytes)) << c.bytes;
        EXPECT_TRUE(Sjis::roundTrips(hex(c.bytes))) << c.bytes;
    }
    QByteArray all;
    for (int b = 0; b < 0x80; ++b)
        all += char(b);
    QString expected;
    for (int b = 0; b < 0x80; ++b)
        expected += QChar(b);
    EXPECT_EQ(Sjis::decode(all), expected);
    EXPECT_EQ(Sjis::encode(expected).bytes, all);
    // Beside something that cannot be held, the control bytes still go out as themselves.
    const Sjis::Encoded mixed = Sjis::encode(QString::fromUtf16(u"\u001A\u00E9\u007F"));
    EXPECT_FALSE(mixed.ok);
    EXPECT_EQ(mixed.bytes, hex("1a7f"));
    // A lead byte cut off by one of them is a fault, not a character.
    bool clean = true;
    EXPECT_EQ(Sjis::decode(hex("821a"), &clean), QString::fromUtf16(u"\u001A\u001A"));
    EXPECT_FALSE(clean);
}

} // namespace

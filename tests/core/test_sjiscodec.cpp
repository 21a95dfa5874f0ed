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

TEST(SjisCodec, Utf8IsRecognisedOnlyWhenItHasMultiByteSequences)
{
    EXPECT_TRUE(Sjis::looksLikeUtf8(QString::fromUtf16(u"日本語").toUtf8()));
    EXPECT_FALSE(Sjis::looksLikeUtf8("plain ascii"));
    EXPECT_FALSE(Sjis::looksLikeUtf8(hex("93fa967b")));  // 日本 in Shift-JIS
    EXPECT_FALSE(Sjis::looksLikeUtf8(hex("e697")));      // cut short
    EXPECT_FALSE(Sjis::looksLikeUtf8(hex("c0af")));      // overlong
    EXPECT_TRUE(Sjis::looksLikeUtf8(QString::fromUtf16(u"café naïve").toUtf8()));
    // Half-width katakana ﾊｲ in Shift-JIS (CA B2) is also valid 2-byte UTF-8 (U+02B2).
    EXPECT_FALSE(Sjis::looksLikeUtf8(QByteArray("OK ") + hex("cab2")));
    // Most UTF-8 text is also valid Shift-JIS, so the round trip alone cannot tell them apart.
    EXPECT_TRUE(Sjis::roundTrips(QString::fromUtf16(u"日本").toUtf8()));
}

} // namespace

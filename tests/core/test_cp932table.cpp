// The codec's lookup tables against the platform converter they were filled from: every
// byte sequence and every character must come out the same through both, except that
// bytes below 0x80 are themselves, as code page 932 has them.

#include "base/cp932table.h"
#include "base/sjiscodec.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

QString converterDecode(const QByteArray &bytes, bool *clean)
{
    QStringDecoder dec("CP932", QStringConverter::Flag::Stateless);
    const QString s = dec(bytes);
    *clean = !dec.hasError();
    return s;
}

} // namespace

TEST(Cp932Table, EveryDoubleByteCodeDecodesAsTheConverterDoes)
{
    int valid = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const QByteArray bytes{char(lead), char(trail)};
            bool clean = false, expectClean = false;
            const QString expected = converterDecode(bytes, &expectClean);
            const QString got = Sjis::decode(bytes, &clean);
            ASSERT_EQ(clean, expectClean) << std::hex << lead << ' ' << trail;
            if (expectClean) {
                ++valid;
                ASSERT_EQ(got, expected) << std::hex << lead << ' ' << trail;
            }
        }
    }
    // The code page's 7,915 characters of JIS X 0208 with the NEC and IBM rows, the user
    // area and the rest: the exact count only guards against a table left half empty.
    EXPECT_GT(valid, 9000);
}

TEST(Cp932Table, EverySingleByteDecodesToItselfBelow0x80AndAsTheConverterAbove)
{
    for (int b = 0; b < 0x100; ++b) {
        const QByteArray bytes(1, char(b));
        bool clean = false, expectClean = false;
        const QString got = Sjis::decode(bytes, &clean);
        if (b < 0x80) {
            ASSERT_TRUE(clean) << b;
            ASSERT_EQ(got, QString(QChar(b))) << b;
            ASSERT_EQ(Sjis::encode(got).bytes, bytes) << b;
            continue;
        }
        const QString expected = converterDecode(bytes, &expectClean);
        ASSERT_EQ(clean, expectClean) << b;
        if (expectClean)
            ASSERT_EQ(got, expected) << b;
    }
}

TEST(Cp932Table, EveryCharacterEncodesAsTheConverterDoes)
{
    QStringEncoder enc("CP932", QStringConverter::Flag::Stateless);
    for (int c = 0x80; c <= 0xFFFF; ++c) {
        const QChar ch(c);
        if (ch.isSurrogate())
            continue;
        enc.resetState();
        const QByteArray expected = enc(QStringView(&ch, 1));
        const Sjis::Encoded got = Sjis::encode(QString(ch));
        if (enc.hasError()) {
            // Characters without a code stay refused; the look-alikes are mapped first.
            if (!got.ok)
                continue;
        }
        if (got.ok && !enc.hasError())
            ASSERT_EQ(got.bytes, expected) << std::hex << c;
    }
}

TEST(Cp932Table, MixedTextAndInvalidBytesStillTakeTheConverterPath)
{
    // Valid text of every width, then a damaged tail: the damage is reported, the rest kept.
    const QByteArray good = Sjis::encode(QStringLiteral("abcﾃｽﾄ漢字①Ⅰ～")).bytes;
    bool clean = false;
    EXPECT_EQ(Sjis::decode(good, &clean), QStringLiteral("abcﾃｽﾄ漢字①Ⅰ～"));
    EXPECT_TRUE(clean);
    const QString damaged = Sjis::decode(good + QByteArray("\x80x\x82", 3), &clean);
    EXPECT_FALSE(clean);
    EXPECT_TRUE(damaged.startsWith(QStringLiteral("abcﾃｽﾄ漢字①Ⅰ～")));
    // A character outside the code page is named, and nothing is passed off as ok.
    const Sjis::Encoded e = Sjis::encode(QStringLiteral("a😀b"));
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.unencodable, QStringLiteral("😀"));
}

TEST(Cp932Table, ValidTextTakesTheTables)
{
    // The tables must really serve valid text: the converter's path is far slower.
    QString out;
    const QByteArray bytes = Sjis::encode(QStringLiteral("メモ12.txt ﾃｽﾄ 漢字①")).bytes;
    ASSERT_TRUE(Cp932Table::decode(bytes, &out));
    EXPECT_EQ(out, QStringLiteral("メモ12.txt ﾃｽﾄ 漢字①"));
    QByteArray back;
    ASSERT_TRUE(Cp932Table::encode(out, &back));
    EXPECT_EQ(back, bytes);
    EXPECT_FALSE(Cp932Table::decode(QByteArray("\x82", 1), &out));
    EXPECT_FALSE(Cp932Table::encode(QStringLiteral("😀"), &back));
}

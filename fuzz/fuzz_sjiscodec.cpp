// The Shift-JIS codec and the choice between Shift-JIS and UTF-8 for memo text.

#include "base/sjiscodec.h"
#include "fuzzsupport.h"
#include "tree/guardedtext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = Fuzz::bytes(data, size);
    bool clean = false;
    const QString text = Sjis::decode(input, &clean);
    if (Sjis::roundTrips(input)) {
        const Sjis::Encoded back = Sjis::encode(text);
        FUZZ_CHECK(back.ok && back.bytes == input, "bytes that round-trip come back the same");
    }
    const Sjis::Encoded encoded = Sjis::encode(text);
    if (encoded.ok)
        FUZZ_CHECK(Sjis::byteLength(text) == encoded.bytes.size(), "byte length counts the encoded bytes");
    (void)Sjis::splitLines(text);
    (void)Sjis::decodeLines(input);
    (void)Sjis::normalizeCrLf(text);
    (void)Sjis::beforeNul(input);
    if (Sjis::readsAsUtf8(input))
        (void)Sjis::decodeUtf8(input);

    GuardedText::Form form;
    (void)GuardedText::textOf(input, &form);
    return 0;
}

// The JPEG decoder.

#include "fuzzsupport.h"
#include "tree/jpegdecoder.h"

#include <QImage>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = Fuzz::bytes(data, size);
    QString error;
    const QImage image = decodeJpeg(input, &error);
    FUZZ_CHECK(!image.isNull() || !error.isEmpty(), "a refusal says why");
    if (!image.isNull())
        FUZZ_CHECK(qint64(image.width()) * image.height() <= qMax<qint64>(1024 * 1024, qint64(size) * 1024),
                   "no picture larger than its bytes justify");
    return 0;
}

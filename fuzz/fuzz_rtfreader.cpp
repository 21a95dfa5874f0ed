// The RTF reader on any bytes (rich text of other programs, or text that is not RTF).

#include "fuzzsupport.h"
#include "tree/rtfreader.h"

#include <QTextDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::needGuiApplication();
    const QByteArray input = Fuzz::bytes(data, size);
    QTextDocument doc;
    const Rtf::ReadResult r = Rtf::read(input, &doc);
    FUZZ_CHECK(r.rtf == Rtf::looksLikeRtf(input), "read as RTF exactly when it looks like RTF");
    (void)doc.toPlainText();
    return 0;
}

// RTF written by the program reads back with the same text: whatever document a file
// gave, writing it and reading the result keeps every character, unless the writer said
// what it left out.

#include "fuzzsupport.h"
#include "tree/rtfreader.h"
#include "tree/rtfwriter.h"

#include <QTextDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::needGuiApplication();
    const QByteArray input = Fuzz::bytes(data, size);
    QTextDocument doc;
    Rtf::read(input, &doc);
    const Rtf::WriteResult written = Rtf::write(doc);
    QTextDocument back;
    const Rtf::ReadResult again = Rtf::read(written.bytes, &back);
    FUZZ_CHECK(again.rtf, "written RTF is RTF");
    if (written.notWritten.isEmpty()) {
        FUZZ_CHECK(again.complete(), "written RTF reads back whole");
        FUZZ_CHECK(back.toPlainText() == doc.toPlainText(), "the text survives writing and reading");
    }
    return 0;
}

// The RTF tokenizer: every token moves on, so any input ends.

#include "fuzzsupport.h"
#include "tree/rtftokenizer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = Fuzz::bytes(data, size);
    for (const int codePage : {0, 932}) {
        RtfTokenizer tokens(input);
        tokens.setTextCodePage(codePage);
        qsizetype count = 0;
        for (RtfToken t = tokens.next(); t.type != RtfToken::End; t = tokens.next())
            FUZZ_CHECK(++count <= input.size(), "no more tokens than bytes");
    }
    return 0;
}

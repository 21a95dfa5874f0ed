// Memo and comment side files: the text a view shows for the bytes, and that saving the
// view and reading the file again shows the same text.

#include "fuzzsupport.h"
#include "tree/commentheader.h"
#include "tree/guardedtext.h"

#include <QDate>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = Fuzz::bytes(data, size);
    GuardedText::Form form;
    const QString shown = GuardedText::textOf(input, &form);
    const Sjis::Encoded saved = GuardedText::bytesOf(shown, form);
    // Control bytes 0x1C and 0x7F are themselves both ways. Text from damaged bytes holds
    // the substitute U+001A; saved, it is clean Shift-JIS whose reading may be decided
    // differently from the damaged original's, so such text is only run for crashes.
    // Found inputs: tests/data/found/memo_dangling_lead.txt.
    if (saved.ok && !shown.contains(QChar(0x1A))) {
        GuardedText::Form againForm;
        const QString again = GuardedText::textOf(saved.bytes, &againForm);
        // Bytes that do not survive the code page's round trip are saved as other codes of
        // the same characters, and those may read as the other encoding: the text must
        // come back whenever the saved bytes are read in the form they were saved in.
        if (againForm == form)
            FUZZ_CHECK(again == shown, "a saved view reads back as the same text");
    }
    // A header for a node file named by the input.
    const QString name = Sjis::decode(input.left(64));
    (void)commentHeaderText(name, name, QDate(2024, 3, 5));
    (void)commentFilePath(QStringLiteral("/base/") + name);
    return 0;
}

// Animated cursor files ("Res/Ac.ani" may be replaced by any file).

#include "fuzzsupport.h"
#include "tree/anicursor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::needGuiApplication();
    const QByteArray input = Fuzz::bytes(data, size);
    const AniCursor ani = parseAniCursor(input);
    FUZZ_CHECK(ani.steps.size() == ani.jiffies.size(), "one duration per step");
    FUZZ_CHECK(ani.steps.size() <= qMax<qsizetype>(ani.frames.size(), input.size() / 4 + 1),
               "no more steps than the file describes");
    for (const int frame : ani.steps)
        FUZZ_CHECK(frame >= 0 && frame < ani.frames.size(), "steps name frames");
    return 0;
}

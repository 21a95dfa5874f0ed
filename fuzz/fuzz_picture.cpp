// The picture loader of image nodes: the first byte picks the node's extension, the
// rest is the file.

#include "fuzzsupport.h"
#include "tree/nodekind.h"
#include "tree/nodepicture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    Fuzz::needGuiApplication();
    static const int types[] = {ImageBitmap, ImageGif, ImageIcon, ImageJpeg};
    const int type = types[data[0] % 4];
    const QString path = Fuzz::scratchFile(QStringLiteral("picture"));
    Fuzz::writeScratch(path, Fuzz::bytes(data + 1, size - 1));
    const NodePicture picture = loadNodePicture(path, type);
    FUZZ_CHECK(picture.image.isNull() != picture.error.isEmpty(), "a picture or an error naming the file");
    return 0;
}

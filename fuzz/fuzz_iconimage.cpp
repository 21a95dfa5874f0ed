// Registry icons out of any bytes: as a program file (icon 0 and 1), as an icon file,
// and through the file reader the registry page uses; whatever comes out is 16 x 16 and
// stored as an icon file it reads back from.

#include "fuzzsupport.h"
#include "settings/iconimage.h"

namespace {

void check(const QImage &image)
{
    if (image.isNull())
        return;
    FUZZ_CHECK(image.width() == IconImage::Size && image.height() == IconImage::Size, "icons are 16 x 16");
    const QByteArray stored = IconImage::toIconFile(image);
    FUZZ_CHECK(!IconImage::fromIconFile(stored).isNull(), "a stored icon reads back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::needGuiApplication();
    const QByteArray input = Fuzz::bytes(data, size);
    check(IconImage::fromProgramFile(input, 0));
    check(IconImage::fromProgramFile(input, 1));
    check(IconImage::fromIconFile(input));
    const QString path = Fuzz::scratchFile(QStringLiteral("icon.bin"));
    Fuzz::writeScratch(path, input);
    check(IconImage::fromFile(path, 0));
    return 0;
}

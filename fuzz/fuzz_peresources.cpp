// Resources of Windows program files: the resource tree and the version strings.

#include "fuzzsupport.h"
#include "nodeops/peresources.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = Fuzz::bytes(data, size);
    const PeResources::Image image(input);
    for (const quint16 type : {PeResources::TypeIcon, PeResources::TypeGroupIcon, PeResources::TypeVersion}) {
        qint64 copied = 0;
        for (const PeResources::Item &item : image.items(type))
            copied += item.data.size();
        FUZZ_CHECK(copied <= input.size(), "copies never take more than the file");
    }
    (void)image.find(PeResources::TypeGroupIcon, 1);
    const QByteArray version = image.items(PeResources::TypeVersion).value(0).data;
    (void)PeResources::versionString(version, QStringLiteral("FileVersion"));
    // The input as a version resource of its own.
    (void)PeResources::versionString(input, QStringLiteral("FileVersion"));
    return 0;
}

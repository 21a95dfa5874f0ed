// The bulk export settings file: reading any bytes gives settings inside their ranges,
// and the settings saved and read again are the same settings.

#include "export/bulkexportsettings.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = Fuzz::bytes(data, size);
    const QString path = Fuzz::scratchFile(QStringLiteral("BTxtOut.Ini"));
    const QString copy = Fuzz::scratchFile(QStringLiteral("copy.Ini"));
    Fuzz::writeScratch(path, input);
    Fuzz::writeScratch(copy, QByteArray());

    QString error;
    const BulkExportSettings s = BTxtOutIni::load(path, copy, &error);
    FUZZ_CHECK(s.outlin >= 1 && s.outlin <= 5, "OUTLIN in 1..5");
    for (const int style : s.outline)
        FUZZ_CHECK(style >= 1 && style <= 13, "OUTLINE<n> in 1..13");
    FUZZ_CHECK(s.outEdit6 == 0 || s.outEdit6 == 1, "OUTEDIT6 is 0 or 1");
    FUZZ_CHECK(s.indMax >= 1 && s.indMax <= 20, "INDMAX in 1..20");
    FUZZ_CHECK(s.pageL >= 0 && s.pageL <= 100, "PAGEL in 0..100");

    if (BTxtOutIni::save(path, copy, s, &error)) {
        const BulkExportSettings again = BTxtOutIni::load(copy, QString(), &error);
        FUZZ_CHECK(again.outlin == s.outlin && again.outEdit6 == s.outEdit6 && again.kugiSw == s.kugiSw
                       && again.indSw == s.indSw && again.indMax == s.indMax && again.indAddSw == s.indAddSw
                       && again.page == s.page && again.pageL == s.pageL && again.mokuji == s.mokuji,
                   "saved switches and numbers read back");
        if (s.outlin == 5)
            FUZZ_CHECK(again.outline == s.outline, "saved level styles read back");
    }
    return 0;
}

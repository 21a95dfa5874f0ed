// The INI module: reading any bytes, and writing a key that must then read back as given;
// the text extension registry reads its entries through it.

#include "base/inifile.h"
#include "base/sjiscodec.h"
#include "fuzzsupport.h"
#include "settings/memoextregistry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = Fuzz::bytes(data, size);
    const QString path = Fuzz::scratchFile(QStringLiteral("fuzz.ini"));
    Fuzz::writeScratch(path, input);

    IniFile ini(path);
    for (const QString &section : ini.sectionNames()) {
        (void)ini.sectionLines(section);
        for (const QString &key : ini.keyNames(section)) {
            (void)ini.readInteger(section, key, -1);
            (void)ini.readBool(section, key, false);
            FUZZ_CHECK(Sjis::byteLength(ini.readString(section, key)) <= IniFile::MaxValueBytes, "values are cut");
        }
    }
    (void)MemoExtReadEntries(path);

    // The last line of the input, decoded, becomes a value; accepted means it reads back.
    const qsizetype cut = input.lastIndexOf('\n');
    const QString value = Sjis::decode(input.mid(cut + 1));
    QString error;
    if (ini.writeString(QStringLiteral("Fuzz"), QStringLiteral("Key"), value, &error) && ini.save(&error)) {
        const IniFile again(path);
        FUZZ_CHECK(again.readString(QStringLiteral("Fuzz"), QStringLiteral("Key")) == value,
                   "an accepted value reads back as written");
    }
    return 0;
}

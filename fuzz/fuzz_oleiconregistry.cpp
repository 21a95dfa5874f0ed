// The OLE icon registry file: reading any bytes as the registry, and that a comment
// stored in its comma-text form through the INI module reads back as the same text.

#include "base/globals.h"
#include "base/inifile.h"
#include "base/programfiles.h"
#include "base/sjiscodec.h"
#include "fuzzsupport.h"
#include "settings/oleiconregistry.h"

#include <QDir>
#include <QFileInfo>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::needGuiApplication(); // icons are read as pictures
    static const bool once = [] {
        ExeDir = QFileInfo(Fuzz::scratchFile(QStringLiteral("exe/x"))).path();
        QDir().mkpath(ExeDir + QStringLiteral("/Res"));
        ProgramFiles::forceHome(ProgramFiles::Home::Portable);
        return true;
    }();
    (void)once;

    const QByteArray input = Fuzz::bytes(data, size);
    Fuzz::writeScratch(ProgramFiles::readPath(QLatin1String(OleIconRegistry::FileName)), input);
    for (const OleIconEntry &entry : OleIconRegistry::load()) {
        (void)entry.ext.toUpper();
        // A comment read back is stored again the same way it was read.
        (void)OleIconRegistry::commaText(entry.comment);
    }

    // The last line of the input, decoded, as a comment: stored in comma text as the registry stores it and read
    // back through the INI module, it must be the comment again.
    const qsizetype cut = input.lastIndexOf('\n');
    const QString comment = Sjis::decode(input.mid(cut + 1));
    const QString path = Fuzz::scratchFile(QStringLiteral("round.ini"));
    Fuzz::writeScratch(path, QByteArray());
    IniFile ini(path);
    QString error;
    if (ini.writeStored(QStringLiteral("OLEIcon"), QStringLiteral("Exp1"), OleIconRegistry::commaText(comment), &error)
        && ini.save(&error)) {
        const IniFile again(path);
        FUZZ_CHECK(OleIconRegistry::fromCommaText(again.readString(QStringLiteral("OLEIcon"), QStringLiteral("Exp1")))
                       == comment,
                   "a comment stored in comma text reads back as written");
    }
    return 0;
}

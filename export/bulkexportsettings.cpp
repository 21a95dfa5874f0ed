#include "export/bulkexportsettings.h"

#include "base/diskfile.h"
#include "base/inifile.h"

#include <QFileInfo>

#include <algorithm>

namespace BTxtOutIni {

namespace {

const QString kSection = QLatin1String(Section);

QString outlineKey(int level)
{
    return QStringLiteral("OUTLINE") + QString::number(level);
}

// Writes what the INI holds now to `writePath`, unless nothing changed.
bool store(IniFile &ini, const QString &writePath, QString *error)
{
    if (!ini.isModified())
        return true;
    if (writePath == ini.path())
        return ini.save(error);
    // A file that is there but could not be read would lose every other line.
    if (!ini.loaded() && QFileInfo::exists(ini.path())) {
        if (error)
            *error = QStringLiteral("ファイル %1 を読めないため、設定を書き込みません。").arg(ini.path());
        return false;
    }
    return DiskFile::writeAtomic(writePath, ini.bytes(), error);
}

} // namespace

BulkExportSettings load(const QString &readPath, const QString &writePath, QString *error)
{
    IniFile ini(readPath);
    BulkExportSettings s;

    // Keys whose missing, zero or empty value is replaced and written back.
    s.outlin = ini.readInteger(kSection, QStringLiteral("OUTLIN"), 0);
    if (s.outlin < 1 || s.outlin > 5) {
        s.outlin = 2;
        ini.writeInteger(kSection, QStringLiteral("OUTLIN"), s.outlin);
    }
    for (int level = 1; level <= 5; ++level) {
        int &style = s.outline[size_t(level - 1)];
        style = ini.readInteger(kSection, outlineKey(level), 0);
        if (style < 1 || style > 13) {
            style = level;
            ini.writeInteger(kSection, outlineKey(level), style);
        }
    }
    s.outEdit6 = ini.readInteger(kSection, QStringLiteral("OUTEDIT6"), 0) == 1 ? 1 : 0;
    s.kugiSw = ini.readBool(kSection, QStringLiteral("KUGISW"), false);
    s.kugiri = ini.readString(kSection, QStringLiteral("KUGIRI"));
    if (s.kugiri.isEmpty()) {
        s.kugiri = QStringLiteral("．");
        ini.writeString(kSection, QStringLiteral("KUGIRI"), s.kugiri);
    }
    s.indSw = ini.readBool(kSection, QStringLiteral("INDSW"), false);
    s.indent = ini.readString(kSection, QStringLiteral("INDENT"));
    if (s.indent.isEmpty()) {
        s.indent = QStringLiteral("TAB");
        ini.writeString(kSection, QStringLiteral("INDENT"), s.indent);
    }
    s.indMax = std::clamp(ini.readInteger(kSection, QStringLiteral("INDMAX"), 5), 1, 20);
    s.indAddSw = ini.readBool(kSection, QStringLiteral("INDADDSW"), false);
    s.page = ini.readBool(kSection, QStringLiteral("PAGE"), false);
    s.pageL = std::clamp(ini.readInteger(kSection, QStringLiteral("PAGEL"), 0), 0, 100);
    s.mokuji = ini.readBool(kSection, QStringLiteral("MOKUJI"), false);
    const int sepaCount = ini.readInteger(kSection, QStringLiteral("SEPA0"), 0);
    for (int i = 1; i <= sepaCount; ++i)
        s.sepa.append(ini.readString(kSection, QStringLiteral("SEPA") + QString::number(i)));

    if (!writePath.isEmpty())
        store(ini, writePath, error);
    return s;
}

bool save(const QString &readPath, const QString &writePath, const BulkExportSettings &s, QString *error)
{
    IniFile ini(readPath);
    bool ok = true;
    QString why;
    auto putInt = [&](const QString &key, int value) {
        if (ok)
            ok = ini.writeInteger(kSection, key, value, &why);
    };
    auto putBool = [&](const QString &key, bool value) {
        if (ok)
            ok = ini.writeBool(kSection, key, value, &why);
    };
    auto putString = [&](const QString &key, const QString &value) {
        if (ok)
            ok = ini.writeString(kSection, key, value, &why);
    };
    putInt(QStringLiteral("OUTLIN"), s.outlin);
    for (int level = 1; level <= 5; ++level)
        putInt(outlineKey(level), s.outlin == 5 ? s.outline[size_t(level - 1)] : 0);
    putInt(QStringLiteral("OUTEDIT6"), s.outEdit6);
    putBool(QStringLiteral("KUGISW"), s.kugiSw);
    putString(QStringLiteral("KUGIRI"), s.kugiri);
    putBool(QStringLiteral("INDSW"), s.indSw);
    putString(QStringLiteral("INDENT"), s.indent);
    putInt(QStringLiteral("INDMAX"), s.indMax);
    putBool(QStringLiteral("INDADDSW"), s.indAddSw);
    putBool(QStringLiteral("PAGE"), s.page);
    putInt(QStringLiteral("PAGEL"), s.pageL);
    putBool(QStringLiteral("MOKUJI"), s.mokuji);
    for (int i = 0; i < s.sepa.size(); ++i)
        putString(QStringLiteral("SEPA") + QString::number(i + 1), s.sepa.at(i));
    putInt(QStringLiteral("SEPA0"), int(s.sepa.size()));
    if (!ok) {
        // Nothing is written when one key cannot be held: the file keeps its old settings.
        if (error)
            *error = QStringLiteral("ファイル %1 に設定を保存できません。(%2)").arg(writePath, why);
        return false;
    }
    return store(ini, writePath, error);
}

} // namespace BTxtOutIni

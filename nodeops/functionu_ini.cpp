// The INI routines of the utility library: one key per call on top of IniFile.

#include "nodeops/functionu.h"

#include "base/inifile.h"
#include "base/uiport.h"

namespace {

// The checks every INI routine makes first: the section, then the key.
bool namesGiven(const char *routine, const QString &iniPath, const QString &section, const QString &key)
{
    const QString name = QString::fromLatin1(routine);
    if (section.isEmpty()) {
        ui().errorMessage(name + QStringLiteral(" Section Null Error [") + iniPath + u']');
        return false;
    }
    if (key.isEmpty()) {
        ui().errorMessage(name + QStringLiteral(" Key Null Error [") + iniPath + u']');
        return false;
    }
    return true;
}

bool put(const char *routine, const QString &iniPath, const QString &section, const QString &key,
         const QString &value)
{
    if (!namesGiven(routine, iniPath, section, key))
        return false;
    IniFile ini(iniPath);
    QString error;
    if (ini.writeString(section, key, value, &error) && ini.save(&error))
        return true;
    ui().errorMessage(QString::fromLatin1(routine) + QStringLiteral(" Write Error [") + iniPath + u']' + u'\r'
                      + error);
    return false;
}

} // namespace

QString Fini_SGet(const QString &iniPath, const QString &section, const QString &key)
{
    if (!namesGiven("Fini_SGet", iniPath, section, key))
        return {};
    return IniFile(iniPath).readString(section, key);
}

bool Fini_SPut(const QString &iniPath, const QString &section, const QString &key, const QString &value)
{
    return put("Fini_SPut", iniPath, section, key, value);
}

int Fini_IGet(const QString &iniPath, const QString &section, const QString &key)
{
    if (!namesGiven("Fini_IGet", iniPath, section, key))
        return -1;
    return IniFile(iniPath).readInteger(section, key, -1);
}

bool Fini_IPut(const QString &iniPath, const QString &section, const QString &key, int value)
{
    return put("Fini_IPut", iniPath, section, key, QString::number(value));
}

bool Fini_BPut(const QString &iniPath, const QString &section, const QString &key, bool value)
{
    return put("Fini_BPut", iniPath, section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

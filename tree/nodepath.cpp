#include "tree/nodepath.h"

namespace NodePaths {

QString folderPath(const QStringList &ancestorsFromRoot)
{
    QString path(u'\\');
    for (const QString &name : ancestorsFromRoot) {
        path += name;
        path += u'\\';
    }
    return path;
}

QString extOf(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return {};
    return name.mid(dot + 1).toUpper();
}

bool isSafeName(const QString &name)
{
    if (name == u"." || name == u"..")
        return false;
    for (QChar c : name)
        if (c == u'/' || c == u'\\' || c == QChar(0))
            return false;
    return true;
}

QString folderFsPath(const QString &baseDir, const QString &folderPath)
{
    if (!folderPath.startsWith(u'\\') || !folderPath.endsWith(u'\\'))
        return {};
    QString path = baseDir;
    const QStringList parts = folderPath.mid(1, folderPath.size() - 2).split(u'\\');
    if (folderPath.size() == 1)
        return path + u'/';
    for (const QString &part : parts) {
        if (!isSafeName(part))
            return {};
        path += u'/';
        path += part;
    }
    return path + u'/';
}

QString fullPath(const QString &baseDir, const QString &folderPath, const QString &name)
{
    if (!isSafeName(name))
        return {};
    const QString folder = folderFsPath(baseDir, folderPath);
    if (folder.isEmpty())
        return {};
    if (name.isEmpty())
        return folder.size() > 1 ? folder.left(folder.size() - 1) : folder;
    return folder + name;
}

} // namespace NodePaths

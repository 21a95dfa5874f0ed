#include "tree/nodepath.h"

namespace NodePaths {

QString folderPath(const QStringList &ancestorsFromRoot)
{
    QString path(u'\\');
    for (const QString &name : ancestorsFromRoot)
        path = childFolderPath(path, name);
    return path;
}

QString childFolderPath(const QString &folderPath, const QString &name)
{
    // "a\b" would read back as two folders, "a" and "b".
    if (folderPath.isEmpty() || !isSafeName(name))
        return {};
    return folderPath + name + u'\\';
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

QString childFolderFsPath(const QString &fsFolder, const QString &name)
{
    if (fsFolder.isEmpty() || !isSafeName(name))
        return {};
    return fsFolder + name + u'/';
}

QString entryFsPath(const QString &fsFolder, const QString &name)
{
    if (fsFolder.isEmpty() || !isSafeName(name))
        return {};
    if (name.isEmpty()) // a root node with an empty text names BaseDir itself
        return fsFolder.size() > 1 ? fsFolder.chopped(1) : fsFolder;
    return fsFolder + name;
}

QString folderFsPath(const QString &baseDir, const QString &folderPath)
{
    if (!folderPath.startsWith(u'\\') || !folderPath.endsWith(u'\\'))
        return {};
    QString path = baseDir + u'/';
    if (folderPath.size() == 1)
        return path;
    const QStringList parts = folderPath.mid(1, folderPath.size() - 2).split(u'\\');
    for (const QString &part : parts)
        path = childFolderFsPath(path, part);
    return path;
}

QString fullPath(const QString &baseDir, const QString &folderPath, const QString &name)
{
    return entryFsPath(folderFsPath(baseDir, folderPath), name);
}

} // namespace NodePaths

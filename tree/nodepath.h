#pragma once
// Where a node lives on disk. A node's folder path is stored in the "\" form
// ("\" for a root node, "\A\B\" below A and B); its full path is BaseDir + folder
// path + name, with "\" turned into "/" only where the path meets the file system.

#include <QString>
#include <QStringList>

namespace NodePaths {

// "\" followed by each ancestor's name and "\", root first; "" when an ancestor's name
// is not safe (isSafeName): a node below a node without a path has no path either.
QString folderPath(const QStringList &ancestorsFromRoot);

// The folder path of a node's children, from the node's own folder path and name; ""
// when the node has no path or its name is not safe.
QString childFolderPath(const QString &folderPath, const QString &name);

// The characters after the last "." of a name, upper case; empty without a ".".
QString extOf(const QString &name);

// A name that stays inside its parent folder: not "." or "..", and no "/", "\" or NUL.
// The empty name is allowed (a root node with an empty text names BaseDir itself).
bool isSafeName(const QString &name);

// The file-system path of a node ("/" separators), or an empty string when the folder
// path or the name would lead outside BaseDir.
QString fullPath(const QString &baseDir, const QString &folderPath, const QString &name);

// The folder path in file-system form below BaseDir, ending in "/" ("" when it would
// leave BaseDir).
QString folderFsPath(const QString &baseDir, const QString &folderPath);

// One step down: the file-system folder of a node's children, given the node's own
// file-system folder (as folderFsPath gives it) and its name; "" when unsafe.
QString childFolderFsPath(const QString &fsFolder, const QString &name);

// A node's file-system path from its file-system folder and its name; "" when unsafe.
QString entryFsPath(const QString &fsFolder, const QString &name);

} // namespace NodePaths

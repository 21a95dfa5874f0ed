// Folder listings into WorkList.

#include "nodeops/functionu.h"

#include "base/globals.h"
#include "base/sjiscodec.h"
#include "nodeops/dirsearch.h"

int DirList(const QString &folderOrPattern)
{
    WorkList.clear();
    if (Sjis::byteLength(folderOrPattern) <= 2)
        return FuBadArgument;
    const DirSearch::Result found = folderOrPattern.endsWith(u'/')
        ? DirSearch::search(folderOrPattern, QStringLiteral("*."), DirSearch::Want::FilesAndFolders)
        : DirSearch::search(DirSearch::folderPart(folderOrPattern), DirSearch::namePart(folderOrPattern), DirSearch::Want::Files);
    for (const DirSearch::Entry &e : found.entries)
        WorkList.append(e.name);
    return found.status;
}

int DirListAll(const QString &dir, bool withFiles)
{
    if (Sjis::byteLength(dir) <= 2 || !dir.endsWith(u'/'))
        return FuBadArgument;
    const DirSearch::Result found = DirSearch::search(dir, QStringLiteral("*.*"), DirSearch::Want::FilesAndFolders);
    for (const DirSearch::Entry &e : found.entries) {
        if (withFiles || e.folder)
            WorkList.append(dir + e.name);
        // A folder's own line comes before the lines of its contents. Links are file
        // entries, so the walk never loops.
        if (e.folder)
            DirListAll(dir + e.name + u'/', withFiles);
    }
    return found.status;
}

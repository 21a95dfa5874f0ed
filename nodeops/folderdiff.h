#pragma once
// The tree compared with the disk, one folder at a time: the entries of a folder that
// no child node names. The folder-node repair adds nodes for them; the check command of
// orvane-cli lists them together with the nodes that have nothing on disk.

#include "tree/treefile.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace FolderDiff {

struct Entry {
    QString name;
    bool folder = false;
};

// The entries of `fsFolder` (file-system order; hidden and system entries left out, as
// every listing of the utility library does) whose names no name in `childNames`
// equals exactly, letter case included.
QList<Entry> entriesWithoutNode(const QString &fsFolder, const QSet<QString> &childNames);

// What the repair adds, in two passes: first every entry whose name has no "."
// (sub-folders and files), then every other file; comment side files (".TMEM") never.
// A sub-folder whose name has a "." is not added.
struct RepairPasses {
    QStringList first;
    QStringList second;
};
RepairPasses repairAdditions(const QList<Entry> &withoutNode);

struct Mismatch {
    enum Kind { NoFile, NoNode };
    Kind kind = NoFile;
    int index = -1;     // the node's absolute index (NoFile only)
    QString folderPath; // stored "\" form
    QString name;
};

// Every mismatch of a read tree below baseDir, in tree order: for each folder (the
// tree's folder first, then each folder node when the walk reaches it) the entries no
// node names, sorted by name, before the nodes inside it; a node with neither file nor
// folder where it is reached. Not reported: names beginning with ".", comment side files
// of nodes that have a file, and the tree file itself (treeFileName, in baseDir).
QList<Mismatch> compareTree(const QList<TreeLine> &nodes, const QString &baseDir, const QString &treeFileName);

} // namespace FolderDiff

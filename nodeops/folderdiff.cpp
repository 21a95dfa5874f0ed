#include "nodeops/folderdiff.h"

#include "nodeops/dirsearch.h"
#include "tree/nodekind.h"
#include "tree/nodepath.h"
#include "tree/treelisting.h"

#include <algorithm>

namespace FolderDiff {

QList<Entry> entriesWithoutNode(const QString &fsFolder, const QSet<QString> &childNames)
{
    QList<Entry> out;
    const DirSearch::Result found = DirSearch::search(fsFolder, QStringLiteral("*.*"), DirSearch::Want::FilesAndFolders);
    for (const DirSearch::Entry &e : found.entries)
        if (!childNames.contains(e.name))
            out.append({e.name, e.folder});
    return out;
}

RepairPasses repairAdditions(const QList<Entry> &withoutNode)
{
    RepairPasses passes;
    for (const Entry &e : withoutNode) {
        if (!e.name.contains(u'.'))
            passes.first.append(e.name);
        else if (!e.folder && NodePaths::extOf(e.name) != u"TMEM")
            passes.second.append(e.name);
    }
    return passes;
}

namespace {

// One folder of the walk: its stored path, its file-system path and its child nodes.
struct FolderScan {
    QString folderPath;
    QString fsFolder;
    QSet<QString> names;     // child node names
    QSet<QString> sideFiles; // side-file names of child nodes that have a file
};

void reportFolder(const FolderScan &f, const QString &skipName, QList<Mismatch> &out)
{
    QList<Entry> missing = entriesWithoutNode(f.fsFolder, f.names);
    QStringList names;
    for (const Entry &e : missing)
        if (!f.sideFiles.contains(e.name) && e.name != skipName)
            names.append(e.name);
    std::sort(names.begin(), names.end());
    for (const QString &n : names)
        out.append({Mismatch::NoNode, -1, f.folderPath, n});
}

} // namespace

QList<Mismatch> compareTree(const QList<TreeLine> &nodes, const QString &baseDir, const QString &treeFileName)
{
    const QList<ListedNode> listed = listTree(nodes, baseDir);
    // Child names of each folder: the tree's folder (-1) and every folder node.
    QHash<int, FolderScan> folders;
    folders.insert(-1, {QStringLiteral("\\"), NodePaths::folderFsPath(baseDir, QStringLiteral("\\")), {}, {}});
    QList<int> parentAt; // parentAt[level] = index of the node's parent (-1 for the top)
    for (const ListedNode &n : listed) {
        parentAt.resize(n.level + 1);
        if (n.level == 0)
            parentAt[0] = -1;
        const int parent = parentAt[n.level];
        if (n.kind == KindFolder) {
            folders.insert(n.index, {n.folderPath + n.name + u'\\',
                                     NodePaths::folderFsPath(baseDir, n.folderPath + n.name + u'\\'), {}, {}});
        }
        if (folders.contains(parent)) {
            FolderScan &f = folders[parent];
            f.names.insert(n.name);
            if (n.kind != KindFolder && n.kind != KindUnknown)
                f.sideFiles.insert(n.name + QStringLiteral(".TMEM"));
        }
        parentAt.resize(n.level + 2);
        parentAt[n.level + 1] = n.index;
    }

    QList<Mismatch> out;
    reportFolder(folders.value(-1), treeFileName, out);
    for (const ListedNode &n : listed) {
        if (n.kind == KindUnknown)
            out.append({Mismatch::NoFile, n.index, n.folderPath, n.name});
        else if (n.kind == KindFolder)
            reportFolder(folders.value(n.index), {}, out);
    }
    return out;
}

} // namespace FolderDiff

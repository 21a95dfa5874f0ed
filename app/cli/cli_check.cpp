// orvane-cli check TREE: the tree file against the disk, read only. One line per
// mismatch in tree order: "no-file INDEX FOLDERPATH NAME" for a node with nothing
// behind it, "no-node FOLDERPATH NAME" for an entry no node names.

#include "app/cli/clicommands.h"
#include "base/diskfile.h"
#include "nodeops/folderdiff.h"
#include "tree/treefile.h"

#include <QFileInfo>

#include <cstdio>

int cliCheck(const QStringList &args)
{
    if (args.size() != 1)
        return cliUsage("check");
    CliTree tree;
    if (!cliReadTree(args.at(0), &tree))
        return 2;
    if (!tree.parsed.ok) {
        cliTreeError(tree);
        return 2;
    }
    const QList<FolderDiff::Mismatch> found =
        FolderDiff::compareTree(tree.parsed.nodes, tree.folder, QFileInfo(tree.path).fileName());
    for (const FolderDiff::Mismatch &m : found) {
        if (m.kind == FolderDiff::Mismatch::NoFile)
            cliOut(QStringLiteral("no-file\t%1\t%2\t%3").arg(m.index).arg(m.folderPath, m.name));
        else
            cliOut(QStringLiteral("no-node\t%1\t%2").arg(m.folderPath, m.name));
    }
    std::fflush(stdout);
    return found.isEmpty() ? 0 : 1;
}

// orvane-cli list TREE: one line per node, read the way the application reads a tree.

#include "app/cli/clicommands.h"
#include "base/diskfile.h"
#include "tree/treefile.h"
#include "tree/treelisting.h"

#include <QFileInfo>

#include <cstdio>

int cliList(const QStringList &args)
{
    if (args.size() != 1)
        return cliUsage("list");
    CliTree tree;
    if (!cliReadTree(args.at(0), &tree))
        return 1;
    for (const ListedNode &n : listTree(tree.parsed.nodes, tree.folder)) {
        cliOut(QStringLiteral("%1\t%2\t%3\t%4\t%5")
                   .arg(n.index).arg(n.level).arg(n.kind).arg(n.folderPath, n.name));
    }
    std::fflush(stdout);
    if (!tree.parsed.ok) {
        cliTreeError(tree);
        return 1;
    }
    return 0;
}

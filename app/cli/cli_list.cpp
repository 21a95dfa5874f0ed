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
    const QString treePath = QFileInfo(args.at(0)).absoluteFilePath();
    const DiskFile::ReadResult file = DiskFile::read(treePath);
    if (!file.ok) {
        cliErr(file.error);
        return 1;
    }
    const TreeReadResult parsed = parseTreeFile(file.bytes);
    const QString baseDir = QFileInfo(treePath).absolutePath();
    for (const ListedNode &n : listTree(parsed.nodes, baseDir)) {
        cliOut(QStringLiteral("%1\t%2\t%3\t%4\t%5")
                   .arg(n.index).arg(n.level).arg(n.kind).arg(n.folderPath, n.name));
    }
    std::fflush(stdout);
    if (!parsed.ok) {
        cliErr(treePath + QStringLiteral(": ") + parsed.errorMessage());
        return 1;
    }
    return 0;
}

#include "tree/treelisting.h"

#include "tree/nodekind.h"
#include "tree/nodepath.h"

#include <QStringList>

QList<ListedNode> listTree(const QList<TreeLine> &nodes, const QString &baseDir)
{
    QList<ListedNode> out;
    out.reserve(nodes.size());
    QStringList ancestors;
    int index = 0;
    for (const TreeLine &line : nodes) {
        ancestors.resize(line.level);
        ListedNode n;
        n.index = index++;
        n.level = line.level;
        n.name = line.text;
        n.folderPath = NodePaths::folderPath(ancestors);
        n.kind = NodeTypeSet(NodePaths::fullPath(baseDir, n.folderPath, n.name), NodePaths::extOf(n.name));
        out.append(n);
        ancestors.append(line.text);
    }
    return out;
}

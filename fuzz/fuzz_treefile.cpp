// The tree file reader, the writer on what it read, and the node paths built from it.

#include "fuzzsupport.h"
#include "tree/nodepath.h"
#include "tree/treefile.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = Fuzz::bytes(data, size);
    const TreeReadResult read = parseTreeFile(input);
    if (!read.ok)
        (void)read.errorMessage();

    // Levels of what was read always describe a valid pre-order.
    int previous = -1;
    QStringList ancestors;
    for (const TreeLine &line : read.nodes) {
        FUZZ_CHECK(line.level >= 0 && line.level <= previous + 1, "levels step down or one deeper");
        previous = line.level;
        ancestors = ancestors.mid(0, line.level);
        // A node's path never leads outside the tree's folder.
        const QString path = NodePaths::fullPath(QStringLiteral("/base"), NodePaths::folderPath(ancestors), line.text);
        FUZZ_CHECK(path.isEmpty() || path == u"/base" || path.startsWith(u"/base/"), "path stays below the base");
        ancestors.append(line.text);
    }

    // Written back, the tree reads as the same number of nodes at the same levels.
    const TreeWriteResult written = serializeTree(read.nodes);
    if (written.ok) {
        const TreeReadResult again = parseTreeFile(written.bytes);
        FUZZ_CHECK(again.ok, "a written tree reads back");
        FUZZ_CHECK(again.nodes.size() == read.nodes.size(), "same node count after writing");
    }
    return 0;
}

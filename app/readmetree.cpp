#include "app/readmetree.h"

#include "base/diskfile.h"
#include "base/programfiles.h"
#include "tree/nodepath.h"
#include "tree/treefile.h"
#include "tree/treelisting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kSideSuffix = QStringLiteral(".TMEM");

void copyIfMissing(const QString &from, const QString &to)
{
    if (QFileInfo(from).isFile() && !QFileInfo::exists(to))
        QFile::copy(from, to);
}

} // namespace

namespace ReadMeTree {

QString prepare()
{
    const QString target = ProgramFiles::readMeTree();
    const QString shipped = ProgramFiles::shippedReadMeTree();
    if (target == shipped || QFileInfo::exists(target))
        return target;
    const DiskFile::ReadResult file = DiskFile::read(shipped);
    if (!file.ok)
        return target; // nothing to copy: the start falls back to the default tree
    const QString fromBase = QFileInfo(shipped).absolutePath();
    const QString toBase = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(toBase))
        return target;
    for (const ListedNode &n : listTree(parseTreeFile(file.bytes).nodes, fromBase)) {
        const QString from = NodePaths::fullPath(fromBase, n.folderPath, n.name);
        const QString to = NodePaths::fullPath(toBase, n.folderPath, n.name);
        if (from.isEmpty() || to.isEmpty())
            continue;
        if (QFileInfo(from).isDir()) {
            QDir().mkpath(to);
            continue;
        }
        copyIfMissing(from, to);
        copyIfMissing(from + kSideSuffix, to + kSideSuffix);
    }
    copyIfMissing(shipped, target);
    return target;
}

} // namespace ReadMeTree

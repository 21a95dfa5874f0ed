// DriveKind: the kind of the file system a path lies on.

#include "nodeops/functionu.h"

#include "nodeops/mounttable.h"

#include <QFileInfo>

int DriveKind(const QString &root)
{
    const QString path = QFileInfo(root).canonicalFilePath();
    if (path.isEmpty())
        return MountTable::DriveUnknown;
    const QList<MountTable::Mount> table = MountTable::current();
    const MountTable::Mount *mount = MountTable::mountOf(table, path);
    if (!mount)
        return MountTable::DriveUnknown;
    return MountTable::kindOf(*mount, MountTable::isRemovableDevice);
}

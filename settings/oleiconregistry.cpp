#include "settings/oleiconregistry.h"

QStringList OleIconExtList;

int OLEImageNo(const QString &upperExt)
{
    const qsizetype row = OleIconExtList.indexOf(upperExt);
    return row < 0 ? 4 : int(row) + 10;
}

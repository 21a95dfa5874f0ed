#pragma once
// The OLE icon registry: extensions that have an icon of their own, in registry order.
// Row r of the registry has image index r + 10 in the node icon list.

#include <QString>
#include <QStringList>

// Registered extensions, one per registry row.
extern QStringList OleIconExtList;

// The image index for an OLE node of this extension: the first row whose extension
// equals it exactly gives row + 10; no match gives 4.
int OLEImageNo(const QString &upperExt);

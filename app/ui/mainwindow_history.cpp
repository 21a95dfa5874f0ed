// The history of opened tree files.

#include "app/ui/mainwindow.h"

void TOrvaneF::AddHistory(const QString &path)
{
    Q_UNUSED(path);
}

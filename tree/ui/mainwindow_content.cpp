// Showing the current node's content and writing it back.

#include "app/ui/mainwindow.h"

#include "app/globals.h"

void TOrvaneF::TReadNode()
{
    HideContentPanels();
}

void TOrvaneF::TSaveNode(const QString &name)
{
    Q_UNUSED(name);
}

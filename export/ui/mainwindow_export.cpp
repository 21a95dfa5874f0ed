// "ﾒﾓ一括出力": the bulk output dialog on a copy of the tree. Opening it leaves the
// content being edited alone; the export reads the files on disk.

#include "app/ui/mainwindow.h"

#include "base/globals.h"
#include "base/uiport.h"
#include "export/ui/btxtoutf.h"
#include "tree/ui/nodetreewidget.h"

void TOrvaneF::MenuTooLOutClick()
{
    TBTxtOutF dialog(TreeView1, TreeFileName, this);
    ui().execDialog(dialog);
}

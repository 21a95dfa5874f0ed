// Files and folders dropped from the file manager: copied into the folder of the
// selected node and given nodes directly before it, at its level. The tree file is
// edited as text and the tree read back from it.

#include "app/ui/mainwindow.h"

#include "base/diskfile.h"
#include "base/globals.h"
#include "base/uiport.h"
#include "nodeops/dropimport.h"
#include "tree/nodepath.h"
#include "tree/treefile.h"
#include "tree/ui/nodetreewidget.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTreeWidgetItem>

void TOrvaneF::FormDropFiles(const QStringList &paths)
{
    QTreeWidgetItem *anchorNode = TreeView1->currentItem();
    if (TreeView1->topLevelItemCount() == 0 || !anchorNode || paths.isEmpty())
        return;
    // The file on disk must be the tree on screen: a tree that was not read whole is
    // never written (TreeWrite says so), and a rename still waiting for the timer is
    // written first.
    if ((m_treeReadFailed || TreeDirty) && !TreeWrite())
        return;
    TreeDirty = false;
    LoadBusyCursor();
    const int sel = absoluteIndexOf(anchorNode);
    if (!TSaveNode(NodeName)) {
        RestoreCursor(); // the view holds text that could not be written; it stays
        return;
    }
    const QString destFolder = NodePaths::folderFsPath(BaseDir, GetPateNode(anchorNode));
    const DiskFile::ReadResult file = DiskFile::read(TreeFileName);
    if (destFolder.isEmpty() || !file.ok) {
        RestoreCursor();
        if (!file.ok)
            ui().reportError(file.error);
        return;
    }

    const DropImportResult result = importDropped(paths, destFolder, file.bytes, sel);
    if (result.added > 0) {
        QString error;
        if (!DiskFile::writeAtomic(TreeFileName, result.treeBytes, &error)) {
            // The tree file does not name the copies: they are taken away again, so the
            // folder holds no file without a node and the drop can be made again.
            for (const QString &made : result.made) {
                if (QFileInfo(made).isDir())
                    QDir(made).removeRecursively();
                else
                    QFile::remove(made);
            }
            RestoreCursor();
            ui().reportError(error);
            return;
        }
        // Read back what was written: the tree, then the walk that gives every node its
        // icon and makes the first node current; the anchor is selected again.
        const TreeReadResult parsed = parseTreeFile(result.treeBytes);
        TreeView1->clear();
        fillTree(parsed.nodes);
        TreeReady = false;
        HideContentPanels();
        TreeIni();
        if (QTreeWidgetItem *anchor = nodeAt(sel + result.added))
            TreeView1->setCurrentItem(anchor);
        TreeView1->viewport()->update();
        TreeView1->setFocus();
    }
    RestoreCursor();

    if (!result.notCopied.isEmpty())
        ui().reportError(QStringLiteral("次のファイルを書き込めないため取り込みませんでした\r") + result.notCopied.join(u'\r'));
    QStringList left;
    for (const QString &p : result.unstorable)
        left.append(p);
    if (!left.isEmpty())
        ui().showMessage(QStringLiteral("次の項目は名前をTreeﾌｧｲﾙに保存できないため取り込みませんでした\r") + left.join(u'\r'));
    if (!result.intoItself.isEmpty())
        ui().showMessage(QStringLiteral("次のフォルダーは取り込み先を含むため取り込みませんでした\r")
                         + result.intoItself.join(u'\r'));
}

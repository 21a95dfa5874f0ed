// The registries at start and when their pages change them: which extensions are text
// memos, and which extensions show an icon of their own in the tree.

#include "app/ui/mainwindow.h"

#include "base/appsettings.h"
#include "base/globals.h"
#include "base/programfiles.h"
#include "settings/memoextregistry.h"
#include "settings/ui/memoextpage.h"
#include "settings/ui/oleiconpage.h"
#include "tree/nodekind.h"
#include "tree/nodepath.h"
#include "tree/ui/nodetreewidget.h"

#include <QFileInfo>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidgetItemIterator>

namespace {

// The node icons before the OLE registry's: the built-in images.
constexpr int BuiltInIcons = 10;

} // namespace

void TOrvaneF::LoadRegistries()
{
    // Without the file the grid keeps its built-in row and no extension is a text memo.
    const QString memoExtFile = ProgramFiles::readPath(QLatin1String(MemoExtFileName));
    if (QFileInfo(memoExtFile).isFile()) {
        SettingsMemoExt->setEntries(MemoExtReadEntries(memoExtFile));
        MemoExtLoad(memoExtFile);
    }

    OleIcons = OleIconRegistry::load();
    SyncOleIcons();
    Button4->setText(Cfg.OleIconic ? QStringLiteral("ｱｲｺﾝ") : QStringLiteral("表示"));
}

void TOrvaneF::SyncOleIcons()
{
    ImageList2 = ImageList2.mid(0, BuiltInIcons);
    OleIconExtList.clear();
    for (const OleIconEntry &e : std::as_const(OleIcons)) {
        // Neither its icon file nor the placeholder could be read: the generic image.
        ImageList2.append(e.icon.isNull() ? ImageList2.value(KindOle) : QIcon(QPixmap::fromImage(e.icon)));
        OleIconExtList.append(e.ext);
    }
    SettingsOleIcon->showEntries();

    // OLE nodes take their image again; other kinds keep theirs.
    for (QTreeWidgetItemIterator it(TreeView1); *it; ++it) {
        const int index = (*it)->data(0, NodeTreeWidget::IconIndexRole).toInt();
        if (index == KindOle || index >= BuiltInIcons)
            setNodeIcon(*it, OLEImageNo(NodePaths::extOf((*it)->text(0))));
    }
    // An icon may have changed under an index that stayed the same.
    TreeView1->viewport()->update();
}

void TOrvaneF::ReclassifyNodes()
{
    if (TreeBusy)
        return;
    for (QTreeWidgetItemIterator it(TreeView1); *it; ++it) {
        const QString ext = NodePaths::extOf((*it)->text(0));
        setNodeIcon(*it, iconIndexFor(NodeTypeSet(fullPathOf(*it), ext), ext));
    }
    // The current node is shown again as its kind now says, its view written first.
    if (TreeReady && TreeView1->currentItem())
        TreeView();
}

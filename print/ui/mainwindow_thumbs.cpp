// The thumbnail grid: every picture of the current folder node in DrawGrid1, with its
// own menu of cell sizes. The grid is for looking only; clicks do nothing.

#include "app/ui/mainwindow.h"

#include "base/appsettings.h"
#include "base/globals.h"
#include "print/thumblayout.h"
#include "print/ui/thumbcelldelegate.h"
#include "tree/nodekind.h"
#include "tree/nodepath.h"

#include <QAction>
#include <QFileInfo>
#include <QHeaderView>
#include <QLayout>
#include <QMenu>
#include <QTableWidget>

namespace {

constexpr int StartCellSize = 64;

} // namespace

void TOrvaneF::setupThumbGrid()
{
    DrawGrid1->horizontalHeader()->hide();
    DrawGrid1->verticalHeader()->hide();
    for (QHeaderView *header : {DrawGrid1->horizontalHeader(), DrawGrid1->verticalHeader()}) {
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setDefaultSectionSize(StartCellSize);
    }
    DrawGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DrawGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DrawGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    DrawGrid1->setItemDelegate(new ThumbCellDelegate(&Thumbs, DrawGrid1));

    PopupMenuSam = new QMenu(this);
    PopupMenuSam->setObjectName(QStringLiteral("PopupMenuSam"));
    const struct { QAction **item; const char *name; const char *caption; } items[] = {
        {&gSizeS, "gSizeS", "画像ｻｲｽﾞ小"},
        {&gSizeM, "gSizeM", "画像ｻｲｽﾞ中"},
        {&gSizeB, "gSizeB", "画像ｻｲｽﾞ大"},
        {&gSizeN, "gSizeN", "画像ｻｲｽﾞ変更"},
    };
    for (const auto &i : items) {
        *i.item = PopupMenuSam->addAction(QString::fromUtf8(i.caption));
        (*i.item)->setObjectName(QString::fromLatin1(i.name));
        QAction *action = *i.item;
        connect(action, &QAction::triggered, this, [this, action] { gSizeMClick(action); });
    }
    DrawGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DrawGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        PopupMenuSam->popup(DrawGrid1->viewport()->mapToGlobal(pos));
    });

    connect(PMenuTreeG, &QAction::triggered, this, &TOrvaneF::PMenuTreeGClick);
    connect(PopupMenuTree, &QMenu::aboutToShow, this, [this] { PMenuTreeG->setEnabled(NodeKind == KindFolder); });
}

void TOrvaneF::PMenuTreeGClick()
{
    Thumbs.clear();
    if (NodeKind != KindFolder)
        return;
    const QString folder = NodePaths::fullPath(BaseDir, NodePath, NodeName);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return;
    if (Thumbs.fill(folder + u'/', ThumbList::boundFor(Cfg)) == 0)
        return;
    for (QWidget *panel : {PanelMemo, PanelRichEdit, PanelGra, PanelOLE})
        panel->hide();
    PanelSam->show();
    // The grid's width decides the columns: let it take its place first.
    PanelC->layout()->activate();
    ThumbLayout(Thumbs.count());
}

void TOrvaneF::ThumbLayout(int count)
{
    const ThumbGridShape shape =
        thumbGridShape(count, DrawGrid1->viewport()->width(), DrawGrid1->horizontalHeader()->defaultSectionSize());
    // Emptied first, so that every row and column takes the default size again.
    DrawGrid1->setRowCount(0);
    DrawGrid1->setColumnCount(0);
    DrawGrid1->setColumnCount(shape.columns);
    DrawGrid1->setRowCount(shape.rows);
    DrawGrid1->viewport()->update();
}

void TOrvaneF::gSizeMClick(QAction *item)
{
    const QSize cell = thumbCellSize(item->text(), Cfg);
    if (!cell.isValid())
        return;
    DrawGrid1->horizontalHeader()->setDefaultSectionSize(cell.width());
    DrawGrid1->verticalHeader()->setDefaultSectionSize(cell.height());
    ThumbLayout(Thumbs.count());
}

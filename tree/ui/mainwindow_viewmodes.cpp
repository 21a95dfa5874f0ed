// How the window shows the tree and the current node, without changing any document:
// word wrap, the second pane under a text memo, hiding the tree panel, expanding and
// collapsing the whole tree, and the enabling of the tree's pop-up menu.

#include "app/ui/mainwindow.h"

#include "base/appsettings.h"
#include "base/diskfile.h"
#include "base/globals.h"
#include "tree/guardedtext.h"
#include "tree/nodekind.h"
#include "tree/nodepath.h"
#include "tree/ui/nodetreewidget.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace {

const QString kTwoPaneCaption = QStringLiteral("2画面");

} // namespace

void TOrvaneF::connectViewModes()
{
    connect(ToolButtonW, &QAction::triggered, this, &TOrvaneF::ToolButtonWClick);
    connect(MenuNW, &QAction::triggered, this, &TOrvaneF::ToolButtonWClick);
    connect(ToolButton2, &QAction::triggered, this, &TOrvaneF::ToolButton2Click);
    connect(MenuN2, &QAction::triggered, this, &TOrvaneF::ToolButton2Click);
    connect(MenuFTV, &QAction::triggered, this, &TOrvaneF::MenuFTVClick);
    connect(PMenuTreeOpen, &QAction::triggered, this, &TOrvaneF::PMenuTreeOpenClick);
    connect(PMenuTreeClose, &QAction::triggered, this, &TOrvaneF::PMenuTreeCloseClick);
    connect(PopupMenuTree, &QMenu::aboutToShow, this, &TOrvaneF::PopupMenuTreePopup);
}

bool TOrvaneF::searchResultsShown() const
{
    return PageControl1->tabText(0) == QStringLiteral("検索");
}

void TOrvaneF::ShowTabs(bool show)
{
    PageControl1->setVisible(show);
    for (int i = 0; i < PageControl1->count(); ++i)
        PageControl1->setTabVisible(i, show);
}

void TOrvaneF::ToolButtonWClick()
{
    Cfg.MemoWrap = !Cfg.MemoWrap;
    // Search results keep one line per hit; the second pane wraps like the memos.
    ApplyMemoWrap(!searchResultsShown());
}

void TOrvaneF::ToolButton2Click()
{
    if (NodeKind != KindMemo)
        return;
    if (!PanelB->isHidden()) {
        // Closed by its own button: it stays closed at the next node too.
        PanelB->hide();
        BottomPanelOn = false;
        return;
    }
    // The pane shows the file as just written; a memo that could not be written would
    // show something else than the editor, so it is not opened then.
    if (!TSaveNode(NodeName))
        return;
    ShowTabs(false);
    BottomPanelOn = true;
    PageControl1->setTabText(0, kTwoPaneCaption);
    PageControl1->setTabVisible(0, true);
    PageControl1->setCurrentIndex(0);
    PageControl1->show();

    const DiskFile::ReadResult file = DiskFile::read(NodePaths::fullPath(BaseDir, NodePath, NodeName));
    MemoF->setPlainText(file.ok ? GuardedText::textOf(file.bytes) : QString());
    MemoF->setReadOnly(true);
    ApplyMemoWrap();
    PanelB->show();
}

void TOrvaneF::MenuFTVClick()
{
    PanelTree->setVisible(PanelTree->isHidden());
    MenuFTV->setText(PanelTree->isHidden() ? QStringLiteral("表示") : QStringLiteral("非表示"));
}

void TOrvaneF::PMenuTreeOpenClick()
{
    TreeView1->expandAll();
}

void TOrvaneF::PMenuTreeCloseClick()
{
    TreeView1->collapseAll();
}

void TOrvaneF::PopupMenuTreePopup()
{
    for (QAction *item : {PMenuTreeOpen, PMenuTreeClose, PMenuTreeG, MenuTreeM})
        item->setEnabled(true);
    if (NodeKind != KindFolder) {
        PMenuTreeG->setEnabled(false);
        MenuTreeM->setEnabled(false);
    }
}

// Connects the window's commands to their handlers. Commands whose handlers are not
// built yet stay visible and unconnected.

#include "app/ui/mainwindow.h"

#include "tree/ui/nodetreewidget.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

void TOrvaneF::connectCommands()
{
    connect(MenuFQ, &QAction::triggered, this, &TOrvaneF::MenuFQClick);
    connect(ToolButtonTO, &QAction::triggered, this, &TOrvaneF::ToolButtonTOClick);
    connect(MenuFTO, &QAction::triggered, this, &TOrvaneF::ToolButtonTOClick);
    connect(ToolButtonTN, &QAction::triggered, this, &TOrvaneF::ToolButtonTNClick);
    connect(MenuFTN, &QAction::triggered, this, &TOrvaneF::ToolButtonTNClick);
    connect(MenuFTRNew, &QAction::triggered, this, [this] { MenuFTRNewClick(0); });
    connect(ButtonCEND, &QPushButton::clicked, this, &TOrvaneF::ButtonCENDClick);
    setupSettingsPanel();

    connect(ToolButtonND, &QAction::triggered, this, &TOrvaneF::ToolButtonNDClick);
    connect(MenuNDD, &QAction::triggered, this, &TOrvaneF::ToolButtonNDClick);
    connect(ToolButtonD, &QAction::triggered, this, &TOrvaneF::ToolButtonDClick);
    connect(MenuND, &QAction::triggered, this, &TOrvaneF::ToolButtonDClick);
    connect(ToolButtonNC, &QAction::triggered, this, &TOrvaneF::ToolButtonNCClick);
    connect(MenuNCC, &QAction::triggered, this, &TOrvaneF::ToolButtonNCClick);
    connectNodeEditing();
    connectNodeMoving();

    setupRichEdit();
    setupRichToolbar();
    connect(MenuHV, &QAction::triggered, this, &TOrvaneF::MenuHVClick);
    connect(MenuHH, &QAction::triggered, this, &TOrvaneF::MenuHHClick);
    connect(MenuHF, &QAction::triggered, this, &TOrvaneF::MenuHFClick);

    connect(ToolButtonA, &QAction::triggered, this, &TOrvaneF::ToolButtonAClick);
    connect(MenuNA, &QAction::triggered, this, &TOrvaneF::ToolButtonAClick);
    connect(ToolButtonAC, &QAction::triggered, this, &TOrvaneF::ToolButtonACClick);
    connect(MenuNI, &QAction::triggered, this, &TOrvaneF::ToolButtonACClick);
    connect(ToolButtonI, &QAction::triggered, this, &TOrvaneF::ToolButtonIClick);
    connect(MenuNC, &QAction::triggered, this, &TOrvaneF::ToolButtonIClick);
    connect(MenuNTAdd, &QAction::triggered, this, &TOrvaneF::MenuNTAddClick);
    connect(MenuNTDel, &QAction::triggered, this, &TOrvaneF::MenuNTDelClick);
    connect(MenuTooLOut, &QAction::triggered, this, &TOrvaneF::MenuTooLOutClick);

    connectContent();
    connectPrinting();
    connectViewModes();
    connectSearch();
    connect(TreeView1, &NodeTreeWidget::mouseUp, this, &TOrvaneF::TreeView1MouseUp);
    connect(TreeView1, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        PopupMenuTree->popup(TreeView1->viewport()->mapToGlobal(pos));
    });
}

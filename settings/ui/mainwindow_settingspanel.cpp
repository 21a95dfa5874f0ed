// The settings pages of the bottom panel: opening them from the toolbar and the menu,
// choosing and filling the pages that fit, applying each change at once. The settings
// file is written when the panel closes (ButtonCENDClick).

#include "app/ui/mainwindow.h"

#include "base/appsettings.h"
#include "base/globals.h"
#include "settings/ui/commentmemosettingspage.h"
#include "settings/ui/generalsettingspage.h"
#include "settings/ui/memoextpage.h"
#include "settings/ui/memosettingspage.h"
#include "settings/ui/oleiconpage.h"
#include "settings/ui/printsettingspage.h"
#include "settings/ui/thumbsettingspage.h"
#include "settings/ui/treesettingspage.h"
#include "base/uiport.h"
#include "tree/nodekind.h"
#include "tree/ui/oleview.h"

#include <QAction>
#include <QCheckBox>
#include <QLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>

namespace {

// Height of the bottom panel when it opens.
constexpr int BottomPanelHeight = 160;

// The comment area of an image never gets smaller than this.
constexpr int MinCommentHeight = 10;

// A page scrolls inside its tab, so its controls never make the window wider or push
// the tree panel aside.
template <typename Page>
Page *placePage(QWidget *sheet, Page *page)
{
    auto *scroll = new QScrollArea(sheet);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(page);
    sheet->layout()->addWidget(scroll);
    return page;
}

} // namespace

void TOrvaneF::setupSettingsPanel()
{
    SettingsTree = placePage(TabSheetT, new TreeSettingsPage);
    SettingsMemo = placePage(TabSheetM, new MemoSettingsPage(Memo1));
    SettingsImage = placePage(TabSheetG, new CommentMemoSettingsPage(
                                             Cfg.ImageMemo, {"ComboBox3", "SpinEdit4", "ColorBox5", "ColorBox6"}, false));
    SettingsThumb = placePage(TabSheetS, new ThumbSettingsPage);
    SettingsOle = placePage(TabSheetO, new CommentMemoSettingsPage(
                                           Cfg.OleMemo, {"ComboBox4", "SpinEdit5", "ColorBox7", "ColorBox8"}, true));
    SettingsGeneral = placePage(TabSheetALL, new GeneralSettingsPage);
    SettingsMemoExt = placePage(TabSheetFE, new MemoExtPage);
    SettingsOleIcon = placePage(TabSheetOLEi, new OleIconPage(OleIcons));
    SettingsPrint = placePage(TabSheetPrint, new PrintSettingsPage);
    SettingsOleIcon->setGenericIcon(ImageList2.value(KindOle));
    // The comment under a picture keeps its height when the content area changes (the
    // bottom panel opening or closing); the picture takes the difference.
    Splitter4->setStretchFactor(0, 1);
    Splitter4->setStretchFactor(1, 0);

    const QList<SettingsPage *> pages{SettingsTree, SettingsMemo, SettingsImage, SettingsThumb, SettingsOle,
                                      SettingsGeneral, SettingsMemoExt, SettingsOleIcon, SettingsPrint};
    for (SettingsPage *page : pages)
        connect(page, &SettingsPage::status, this, [this](const QString &text) { setStatus(2, text); });
    connect(SettingsTree, &TreeSettingsPage::treeChanged, this, &TOrvaneF::ApplyTreeSettings);
    connect(SettingsMemo, &MemoSettingsPage::memoChanged, this, &TOrvaneF::ApplyMemoSettings);
    connect(SettingsMemo, &MemoSettingsPage::wrapChanged, this, [this] { ApplyMemoWrap(); });
    connect(SettingsImage, &CommentMemoSettingsPage::commentMemoChanged, this, &TOrvaneF::ApplyCommentMemoSettings);
    connect(SettingsOle, &CommentMemoSettingsPage::commentMemoChanged, this, &TOrvaneF::ApplyCommentMemoSettings);
    connect(SettingsGeneral, &GeneralSettingsPage::oleIconicChanged, this, [this](bool iconic) {
        Button4->setText(iconic ? QStringLiteral("ｱｲｺﾝ") : QStringLiteral("表示"));
    });
    connect(SettingsMemoExt, &MemoExtPage::saved, this, &TOrvaneF::ReclassifyNodes);
    connect(SettingsOleIcon, &OleIconPage::registryChanged, this, &TOrvaneF::SyncOleIcons);

    connect(ToolButtonSET, &QAction::triggered, this, &TOrvaneF::ToolButtonSETClick);
    connect(MenuTooLCTN, &QAction::triggered, this, &TOrvaneF::MenuTooLCTNClick);
    connect(MenuTooLCA, &QAction::triggered, this, &TOrvaneF::MenuTooLCAClick);
    connect(MenuTooLEx, &QAction::triggered, this, &TOrvaneF::MenuTooLExClick);
    connect(Button4, &QPushButton::clicked, this, &TOrvaneF::Button4Click);
}

void TOrvaneF::ToolButtonSETClick()
{
    if (NodeKind == KindRich)
        return;
    if (BottomPanelOn) {
        ButtonCENDClick();
        return;
    }
    openSettingsPanel(false, NodeKind);
}

void TOrvaneF::MenuTooLCTNClick()
{
    openSettingsPanel(true, 0);
}

void TOrvaneF::MenuTooLCAClick()
{
    openSettingsPanel(true, 99);
}

void TOrvaneF::MenuTooLExClick()
{
    openSettingsPanel(true, 98);
}

void TOrvaneF::openSettingsPanel(bool fromMenu, int code)
{
    TSaveNode(NodeName);
    if (PanelB->isHidden()) {
        PanelB->show();
        const int total = Splitter2->height();
        if (total > BottomPanelHeight)
            Splitter2->setSizes({total - BottomPanelHeight, BottomPanelHeight});
    }
    SetPageDsp(fromMenu, code);
    BottomPanelOn = true;
}

void TOrvaneF::SetPageDsp(bool fromMenu, int code)
{
    QList<QWidget *> shown;
    if (fromMenu) {
        if (code == 0)
            shown = {TabSheetT, TabSheetM, TabSheetG, TabSheetS, TabSheetO};
        else if (code == 98)
            shown = {TabSheetFE, TabSheetOLEi};
        else if (code == 99)
            shown = {TabSheetALL, TabSheetPrint};
    } else {
        switch (code) {
        case KindFolder: shown = {TabSheetT, TabSheetS}; break;
        case KindMemo: shown = {TabSheetM}; break;
        case KindImage: shown = {TabSheetG}; break;
        case KindOle: shown = {TabSheetO}; break;
        default: break;
        }
    }

    // Only the pages of this opening are visible, the search page's tab included.
    for (int i = 0; i < PageControl1->count(); ++i)
        PageControl1->setTabVisible(i, shown.contains(PageControl1->widget(i)));
    if (!shown.isEmpty())
        PageControl1->setCurrentWidget(shown.first());

    const QList<QPair<QWidget *, SettingsPage *>> pages{
        {TabSheetT, SettingsTree},       {TabSheetM, SettingsMemo},       {TabSheetG, SettingsImage},
        {TabSheetS, SettingsThumb},      {TabSheetO, SettingsOle},        {TabSheetALL, SettingsGeneral},
        {TabSheetFE, SettingsMemoExt},   {TabSheetOLEi, SettingsOleIcon}, {TabSheetPrint, SettingsPrint},
    };
    for (const auto &[sheet, page] : pages)
        if (shown.contains(sheet))
            page->fill();

    // The image's comment gives the panel room; closing the panel gives it back.
    if (shown.contains(TabSheetG) && m_commentHeightBeforePanel < 0) {
        const QList<int> sizes = Splitter4->sizes();
        if (sizes.size() == 2) {
            m_commentHeightBeforePanel = sizes.at(1);
            const int comment = qMax(MinCommentHeight, sizes.at(1) - BottomPanelHeight);
            Splitter4->setSizes({sizes.at(0) + sizes.at(1) - comment, comment});
        }
    }
    PageControl1->show();
}

void TOrvaneF::restoreCommentArea()
{
    if (m_commentHeightBeforePanel < 0)
        return;
    const QList<int> sizes = Splitter4->sizes();
    if (sizes.size() == 2) {
        const int total = sizes.at(0) + sizes.at(1);
        Splitter4->setSizes({qMax(0, total - m_commentHeightBeforePanel), m_commentHeightBeforePanel});
    }
    m_commentHeightBeforePanel = -1;
}

void TOrvaneF::Button4Click()
{
    Cfg.OleIconic = !Cfg.OleIconic;
    Button4->setText(Cfg.OleIconic ? QStringLiteral("ｱｲｺﾝ") : QStringLiteral("表示"));
    {
        // The "全体" page shows the same switch.
        const QSignalBlocker block(SettingsGeneral->CheckBox9);
        SettingsGeneral->CheckBox9->setChecked(Cfg.OleIconic);
        SettingsGeneral->CheckBox9->setText(GeneralSettingsPage::oleCaption(Cfg.OleIconic));
    }
    if (OleContainer1->file().isEmpty()) {
        ui().showMessage(QStringLiteral("OLEがありません"));
        return;
    }
    OleContainer1->setFile(OleContainer1->file(), Cfg.OleIconic);
}

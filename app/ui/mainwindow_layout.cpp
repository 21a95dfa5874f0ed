// Builds the main window's controls: toolbar, menus, tree panel, the five content
// panels, the bottom panel with its twelve tabs and the status bar.

#include "app/ui/mainwindow.h"
#include "tree/ui/nodetreewidget.h"
#include "tree/ui/oleview.h"

#include <QAction>
#include <QComboBox>
#include <QFontComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QIcon themeIcon(const char *name, const char *fallback = nullptr)
{
    QIcon icon = QIcon::fromTheme(QString::fromLatin1(name));
    if (icon.isNull() && fallback)
        icon = QIcon::fromTheme(QString::fromLatin1(fallback));
    if (icon.isNull())
        icon = QIcon::fromTheme(QString::fromLatin1(name) + QStringLiteral("-symbolic"));
    return icon;
}

QWidget *fillingPanel(QWidget *parent, QWidget *child)
{
    auto *panel = new QWidget(parent);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (child)
        layout->addWidget(child);
    return panel;
}

QAction *toolButton(QToolBar *bar, const char *name, const QString &hint, const QIcon &icon)
{
    QAction *a = bar->addAction(icon, hint);
    a->setObjectName(QString::fromLatin1(name));
    a->setToolTip(hint);
    return a;
}

QAction *menuItem(QMenu *menu, const char *name, const QString &caption, const QKeySequence &keys = {})
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (!keys.isEmpty())
        a->setShortcut(keys);
    return a;
}

} // namespace

void TOrvaneF::buildLayout()
{
    setWindowTitle(QStringLiteral("Orvane："));
    buildNodeIcons();
    buildToolBar();
    buildMenus();

    auto *central = new QWidget(this);
    auto *centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    Splitter1 = new QSplitter(Qt::Horizontal, central);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    centralLayout->addWidget(Splitter1);
    setCentralWidget(central);

    // Left: the tree panel.
    TreeView1 = new NodeTreeWidget;
    TreeView1->setNodeIcons(&ImageList2);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setContextMenuPolicy(Qt::CustomContextMenu);
    RichEditF = new QTextEdit;
    RichEditF->setObjectName(QStringLiteral("RichEditF"));
    RichEditF->setAcceptRichText(false);
    RichEditF->hide();
    PanelTree = fillingPanel(Splitter1, TreeView1);
    PanelTree->setObjectName(QStringLiteral("PanelTree"));
    PanelTree->layout()->addWidget(RichEditF);
    PanelTree->setMinimumWidth(1);
    Splitter1->addWidget(PanelTree);

    // Right: content area above, bottom panel below.
    Panel1 = new QWidget;
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto *panel1Layout = new QVBoxLayout(Panel1);
    panel1Layout->setContentsMargins(0, 0, 0, 0);
    Splitter2 = new QSplitter(Qt::Vertical, Panel1);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    Splitter2->setChildrenCollapsible(false);
    panel1Layout->addWidget(Splitter2);
    PanelC = new QWidget;
    PanelC->setObjectName(QStringLiteral("PanelC"));
    auto *contentLayout = new QVBoxLayout(PanelC);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->setSpacing(0);
    Splitter2->addWidget(PanelC);
    buildContentPanels();
    buildBottomPanel();
    Splitter2->addWidget(PanelB);
    Splitter2->setStretchFactor(0, 3);
    Splitter2->setStretchFactor(1, 1);
    Splitter1->addWidget(Panel1);
    Splitter1->setStretchFactor(1, 1);

    // Status bar: level, position, messages, and an empty last panel.
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    for (int i = 0; i < 4; ++i) {
        StatusPanels[i] = new QLabel(StatusBar1);
        StatusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        StatusPanels[i]->setAlignment(i < 2 ? Qt::AlignCenter : Qt::AlignVCenter | Qt::AlignLeft);
        StatusPanels[i]->setFrameShape(QFrame::StyledPanel);
        StatusBar1->addWidget(StatusPanels[i], i == 2 ? 1 : 0);
    }
    setStatusBar(StatusBar1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TOrvaneF::Timer1Timer);
    Timer1->start();

    // Tree pop-up menu.
    PopupMenuTree = new QMenu(this);
    PopupMenuTree->setObjectName(QStringLiteral("PopupMenuTree"));
    PMenuTreeOpen = menuItem(PopupMenuTree, "PMenuTreeOpen", QStringLiteral("Tree全て開く"));
    PMenuTreeClose = menuItem(PopupMenuTree, "PMenuTreeClose", QStringLiteral("Tree全て閉じる"));
    PopupMenuTree->addSeparator();
    PMenuTreeG = menuItem(PopupMenuTree, "PMenuTreeG", QStringLiteral("画像ｻﾑﾈｰﾙ表示"));
    PopupMenuTree->addSeparator();
    MenuTreeM = menuItem(PopupMenuTree, "MenuTreeM", QStringLiteral("フォルダーノード修復"));
}

void TOrvaneF::buildNodeIcons()
{
    // 0 folder, 1 text memo, 2 rich text, 3 image, 4 OLE object, 5 unknown; 6..9 spare.
    const char *names[10][2] = {
        {"folder", "inode-directory"},
        {"text-x-generic", "accessories-text-editor"},
        {"x-office-document", "text-richtext"},
        {"image-x-generic", "image-x-generic"},
        {"application-x-executable", "package-x-generic"},
        {"dialog-question", "help-about"},
        {"folder-open", "folder"},
        {"text-x-generic", nullptr},
        {"text-x-generic", nullptr},
        {"text-x-generic", nullptr},
    };
    ImageList2.clear();
    for (const auto &n : names) {
        QIcon icon = themeIcon(n[0], n[1]);
        if (icon.isNull()) {
            QPixmap pm(16, 16);
            pm.fill(Qt::transparent);
            QPainter p(&pm);
            p.setPen(Qt::darkGray);
            p.setBrush(QColor(0xf0, 0xe0, 0xa0));
            p.drawRect(2, 1, 11, 13);
            icon = QIcon(pm);
        }
        ImageList2.append(icon);
    }
}

void TOrvaneF::buildToolBar()
{
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolButtonA = toolButton(ToolBar1, "ToolButtonA", QStringLiteral("ノード追加"), themeIcon("list-add"));
    ToolButtonI = toolButton(ToolBar1, "ToolButtonI", QStringLiteral("子ノード追加"), themeIcon("go-next", "list-add"));
    ToolButtonAC = toolButton(ToolBar1, "ToolButtonAC", QStringLiteral("ノード挿入"), themeIcon("go-up", "list-add"));
    ToolButtonND = toolButton(ToolBar1, "ToolButtonND", QStringLiteral("ノードのみ削除"), themeIcon("list-remove"));
    ToolButtonD = toolButton(ToolBar1, "ToolButtonD", QStringLiteral("ノード+実ファイル削除"), themeIcon("edit-delete"));
    ToolButtonNC = toolButton(ToolBar1, "ToolButtonNC", QStringLiteral("ノード複写"), themeIcon("edit-copy"));
    ToolBar1->addSeparator();
    ToolButtonW = toolButton(ToolBar1, "ToolButtonW", QStringLiteral("折り返し"), themeIcon("format-justify-left"));
    ToolButton2 = toolButton(ToolBar1, "ToolButton2", QStringLiteral("２画面"), themeIcon("view-dual", "view-paged"));
    ToolButtonS = toolButton(ToolBar1, "ToolButtonS", QStringLiteral("検索"), themeIcon("edit-find"));
    ToolButtonP = toolButton(ToolBar1, "ToolButtonP", QStringLiteral("印刷プレビュー"), themeIcon("document-print-preview", "document-print"));
    Button4 = new QPushButton(QStringLiteral("表示"), ToolBar1);
    Button4->setObjectName(QStringLiteral("Button4"));
    Button4->setToolTip(QStringLiteral("OLEの表示切り替え"));
    Button4->setFocusPolicy(Qt::NoFocus);
    ToolBar1->addWidget(Button4);
    ToolBar1->addSeparator();
    ToolButtonTO = toolButton(ToolBar1, "ToolButtonTO", QStringLiteral("Orvan開く"), themeIcon("document-open"));
    ToolButtonTN = toolButton(ToolBar1, "ToolButtonTN", QStringLiteral("新規Orvan"), themeIcon("document-new"));
    ToolBar1->addSeparator();
    ToolButtonSET = toolButton(ToolBar1, "ToolButtonSET", QStringLiteral("環境設定"), themeIcon("preferences-system", "emblem-system"));
}

void TOrvaneF::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu *file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    QMenu *tree = file->addMenu(QStringLiteral("Tree(&T)"));
    MenuFTN = menuItem(tree, "MenuFTN", QStringLiteral("新規作成(&N)"));
    MenuFTO = menuItem(tree, "MenuFTO", QStringLiteral("開く(&O)"));
    MenuFTV = menuItem(tree, "MenuFTV", QStringLiteral("非表示"));
    file->addSeparator();
    MenuFTR = file->addMenu(QStringLiteral("履歴(&R)"));
    MenuFTR->setObjectName(QStringLiteral("MenuFTR"));
    MenuFTRNew = menuItem(MenuFTR, "MenuFTRNew", QStringLiteral("最新"));
    file->addSeparator();
    MenuFQ = menuItem(file, "MenuFQ", QStringLiteral("終了(&X)"), QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu *node = bar->addMenu(QStringLiteral("ノード(&N)"));
    MenuNA = menuItem(node, "MenuNA", QStringLiteral("追加(&N)"), QKeySequence(Qt::CTRL | Qt::Key_N));
    MenuNI = menuItem(node, "MenuNI", QStringLiteral("挿入(&I)"));
    MenuNC = menuItem(node, "MenuNC", QStringLiteral("子追加(&C)"));
    MenuNDD = menuItem(node, "MenuNDD", QStringLiteral("削除ﾉｰﾄﾞのみ(&D)"));
    MenuND = menuItem(node, "MenuND", QStringLiteral("削除+ﾌｧｲﾙ"));
    MenuNCC = menuItem(node, "MenuNCC", QStringLiteral("複写"), QKeySequence(Qt::CTRL | Qt::Key_D));
    node->addSeparator();
    MenuN2 = menuItem(node, "MenuN2", QStringLiteral("2画面(&2)"), QKeySequence(Qt::CTRL | Qt::Key_W));
    MenuNW = menuItem(node, "MenuNW", QStringLiteral("折り返し(&W)"));
    node->addSeparator();
    MenuNPV = menuItem(node, "MenuNPV", QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰ(&V)"), QKeySequence(Qt::CTRL | Qt::Key_P));
    MenuNP = menuItem(node, "MenuNP", QStringLiteral("印刷(&P)"));
    node->addSeparator();
    QMenu *templates = node->addMenu(QStringLiteral("様式"));
    MenuNTAdd = menuItem(templates, "MenuNTAdd", QStringLiteral("登録-ﾒﾓ"));
    MenuNTDel = menuItem(templates, "MenuNTDel", QStringLiteral("削除-ﾒﾓ"));

    QMenu *tools = bar->addMenu(QStringLiteral("ツール(&T)"));
    MenuTooLF = menuItem(tools, "MenuTooLF", QStringLiteral("検索(&F)"), QKeySequence(Qt::CTRL | Qt::Key_F));
    QMenu *setup = tools->addMenu(QStringLiteral("環境設定"));
    MenuTooLCTN = menuItem(setup, "MenuTooLCTN", QStringLiteral("ノード"));
    MenuTooLCA = menuItem(setup, "MenuTooLCA", QStringLiteral("全体"));
    MenuTooLEx = menuItem(setup, "MenuTooLEx", QStringLiteral("拡張子"));
    tools->addSeparator();
    MenuTooLOut = menuItem(tools, "MenuTooLOut", QStringLiteral("ﾒﾓ一括出力"));
    tools->addSeparator();
    MenuTooLNM = menuItem(tools, "MenuTooLNM", QStringLiteral("ﾌｫﾙﾀﾞｰﾉｰﾄﾞ修復"));

    QMenu *help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    MenuHH = menuItem(help, "MenuHH", QStringLiteral("ﾍﾙﾌﾟ目次(&H)"));
    MenuHF = menuItem(help, "MenuHF", QStringLiteral("ﾍﾙﾌﾟ検索(&S)"));
    MenuHV = menuItem(help, "MenuHV", QStringLiteral("Ver(&V)"));
}

void TOrvaneF::buildContentPanels()
{
    auto *contentLayout = static_cast<QVBoxLayout *>(PanelC->layout());

    Memo1 = new QPlainTextEdit;
    Memo1->setObjectName(QStringLiteral("Memo1"));
    PanelMemo = fillingPanel(PanelC, Memo1);
    PanelMemo->setObjectName(QStringLiteral("PanelMemo"));

    // Rich text: toolbar above the editor.
    PanelRichEdit = fillingPanel(PanelC, nullptr);
    PanelRichEdit->setObjectName(QStringLiteral("PanelRichEdit"));
    ToolBar2 = new QToolBar(PanelRichEdit);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    ToolBar2->setIconSize(QSize(16, 16));
    RFontName = new QFontComboBox(ToolBar2);
    RFontName->setObjectName(QStringLiteral("RFontName"));
    RFontSize = new QComboBox(ToolBar2);
    RFontSize->setObjectName(QStringLiteral("RFontSize"));
    RFontSize->setEditable(true);
    ToolBar2->addWidget(RFontName);
    ToolBar2->addWidget(RFontSize);
    ToolButtonRB = toolButton(ToolBar2, "ToolButtonRB", QStringLiteral("太字"), themeIcon("format-text-bold"));
    ToolButtonRI = toolButton(ToolBar2, "ToolButtonRI", QStringLiteral("斜体"), themeIcon("format-text-italic"));
    ToolButtonRU = toolButton(ToolBar2, "ToolButtonRU", QStringLiteral("下線"), themeIcon("format-text-underline"));
    RFontColorBox = new QComboBox(ToolBar2);
    RFontColorBox->setObjectName(QStringLiteral("RFontColorBox"));
    ToolBar2->addWidget(RFontColorBox);
    RichEdit1 = new QTextEdit;
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setLineWrapMode(QTextEdit::NoWrap);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    PanelRichEdit->layout()->addWidget(ToolBar2);
    PanelRichEdit->layout()->addWidget(RichEdit1);

    // Picture above its comment.
    PanelGra = fillingPanel(PanelC, nullptr);
    PanelGra->setObjectName(QStringLiteral("PanelGra"));
    Splitter4 = new QSplitter(Qt::Vertical, PanelGra);
    Splitter4->setObjectName(QStringLiteral("Splitter4"));
    ScrollBox1 = new QScrollArea;
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ScrollBox1->setWidget(Image1);
    ScrollBox1->setWidgetResizable(false);
    MemoG = new QPlainTextEdit;
    MemoG->setObjectName(QStringLiteral("MemoG"));
    PanelG2 = fillingPanel(nullptr, MemoG);
    PanelG2->setObjectName(QStringLiteral("PanelG2"));
    // A tall picture leaves the comment 10 pixels; its editor must be able to go that small.
    MemoG->setMinimumHeight(1);
    PanelG2->setMinimumHeight(10);
    // A small picture leaves the comment the rest: its box must be able to go as small.
    ScrollBox1->setMinimumHeight(1);
    Splitter4->addWidget(ScrollBox1);
    Splitter4->addWidget(PanelG2);
    PanelGra->layout()->addWidget(Splitter4);

    // Other files above their comment.
    PanelOLE = fillingPanel(PanelC, nullptr);
    PanelOLE->setObjectName(QStringLiteral("PanelOLE"));
    Splitter3 = new QSplitter(Qt::Vertical, PanelOLE);
    Splitter3->setObjectName(QStringLiteral("Splitter3"));
    OleContainer1 = new OleView;
    OleContainer1->setObjectName(QStringLiteral("OleContainer1"));
    PanelOLEOLE = fillingPanel(nullptr, OleContainer1);
    PanelOLEOLE->setObjectName(QStringLiteral("PanelOLEOLE"));
    MemoOLE = new QPlainTextEdit;
    MemoOLE->setObjectName(QStringLiteral("MemoOLE"));
    PanelOleMemo = fillingPanel(nullptr, MemoOLE);
    PanelOleMemo->setObjectName(QStringLiteral("PanelOleMemo"));
    Splitter3->addWidget(PanelOLEOLE);
    Splitter3->addWidget(PanelOleMemo);
    PanelOLE->layout()->addWidget(Splitter3);

    // Thumbnails of a folder's pictures.
    DrawGrid1 = new QTableWidget;
    DrawGrid1->setObjectName(QStringLiteral("DrawGrid1"));
    PanelSam = fillingPanel(PanelC, DrawGrid1);
    PanelSam->setObjectName(QStringLiteral("PanelSam"));

    for (QWidget *panel : {PanelMemo, PanelRichEdit, PanelGra, PanelSam, PanelOLE}) {
        contentLayout->addWidget(panel);
        panel->hide();
    }
}

void TOrvaneF::buildBottomPanel()
{
    PanelB = new QWidget;
    PanelB->setObjectName(QStringLiteral("PanelB"));
    auto *layout = new QVBoxLayout(PanelB);
    layout->setContentsMargins(0, 0, 0, 0);
    PageControl1 = new QTabWidget(PanelB);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(PageControl1);
    ButtonCEND = new QPushButton(QStringLiteral("閉じる"), PanelB);
    ButtonCEND->setObjectName(QStringLiteral("ButtonCEND"));
    PageControl1->setCornerWidget(ButtonCEND, Qt::TopRightCorner);

    struct Tab { QWidget **sheet; const char *name; const char *caption; };
    const Tab tabs[] = {
        {&TabSheetF, "TabSheetF", "検索"},
        {&TabSheetT, "TabSheetT", "Tree"},
        {&TabSheetM, "TabSheetM", "Memo"},
        {&TabSheetG, "TabSheetG", "画像"},
        {&TabSheetS, "TabSheetS", "ｻﾑﾈｰﾙ"},
        {&TabSheetO, "TabSheetO", "OLE"},
        {&TabSheetALL, "TabSheetALL", "全体"},
        {&TabSheetFE, "TabSheetFE", "ﾒﾓ拡張子"},
        {&TabSheetOLEi, "TabSheetOLEi", "OLEｱｲｺﾝ"},
        {&TabSheetMF, "TabSheetMF", "定型文"},
        {&TabSheetPrint, "TabSheetPrint", "印刷"},
        {&TabSheetMail, "TabSheetMail", "ﾒｰﾙ"},
    };
    for (const Tab &tab : tabs) {
        *tab.sheet = new QWidget;
        (*tab.sheet)->setObjectName(QString::fromLatin1(tab.name));
        auto *sheetLayout = new QVBoxLayout(*tab.sheet);
        sheetLayout->setContentsMargins(2, 2, 2, 2);
        PageControl1->addTab(*tab.sheet, QString::fromUtf8(tab.caption));
    }
    MemoF = new QPlainTextEdit(TabSheetF);
    MemoF->setObjectName(QStringLiteral("MemoF"));
    TabSheetF->layout()->addWidget(MemoF);
    PanelB->hide();
}

#pragma once
// The main window: the tree on the left, the current node's content on the right,
// the bottom panel for search results, the second pane and the settings pages.
// It composes; the work is done by the subsystem that owns each command, and its
// handlers are defined in the subsystem folders (tree/ui, nodeops/ui, ...).

#include "settings/oleiconregistry.h"
#include "print/picturereport.h"
#include "print/textreport.h"
#include "print/thumblist.h"
#include "search/searchstate.h"
#include "settings/richtoolbarfont.h"
#include "tree/guardedrichtext.h"
#include "tree/guardedtext.h"

#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QStringList>

class QAction;
class QCloseEvent;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QTextEdit;
class QTimer;
class QToolBar;
class QTreeWidgetItem;
class QComboBox;
class QFontComboBox;
class QTableWidget;
class QKeyEvent;
class QPoint;
class NodeTreeWidget;
class OleView;
class BusyCursor;
class HelpLauncher;
struct TreeLine;
class TreeSettingsPage;
class MemoSettingsPage;
class CommentMemoSettingsPage;
class ThumbSettingsPage;
class GeneralSettingsPage;
class PrintSettingsPage;
class MemoExtPage;
class OleIconPage;

class TOrvaneF : public QMainWindow
{
    Q_OBJECT

public:
    // executablePath decides ProgName and ExeDir (tests pass a path inside a temporary
    // folder); args are the command-line arguments after the program name.
    TOrvaneF(const QString &executablePath, const QStringList &args, QWidget *parent = nullptr);
    ~TOrvaneF() override;

    // ---- lifecycle (app/ui) ----
    void FormCreate();
    void FormActivate();
    void FormDestroy();
    void FormResize();
    void Timer1Timer();
    void MenuFQClick();

    // ---- status bar: panel 0 level, 1 position, 2 messages, 3 empty ----
    void setStatus(int panel, const QString &text);
    QString statusText(int panel) const;

    // ---- tree file and tree (tree/ui) ----
    bool TreeWrite();
    bool OpenTree(const QString &path);
    void TreeIni();
    bool CreateAndLoadTree(const QString &path);
    void LoadBusyCursor();
    void RestoreCursor();
    void ToolButtonTOClick();
    void ToolButtonTNClick();
    bool treeReadFailed() const { return m_treeReadFailed; }

    // ---- node paths, kinds and selection (tree/ui) ----
    QString GetPateNode(QTreeWidgetItem *node) const;
    void TreeView();
    void TreeIniSel(const QString &folderPath, const QString &name);
    void MenuDsp();
    void HideContentPanels();
    int iconIndexFor(int kind, const QString &upperExt) const;
    void setNodeIcon(QTreeWidgetItem *node, int index);
    QTreeWidgetItem *nodeAt(int absoluteIndex) const;
    int absoluteIndexOf(QTreeWidgetItem *node) const;
    int nodeCount() const;
    static int levelOf(QTreeWidgetItem *node); // 0 for a root node
    // The first node in pre-order with this folder path and name (exact), or null.
    QTreeWidgetItem *findNode(const QString &folderPath, const QString &name) const;
    void TreeView1MouseUp();
    QString fullPathOf(QTreeWidgetItem *node) const;

    // ---- node content: memos, pictures, other files, comments (tree/ui) ----
    // Paths given to the readers and writers are file-system paths of the node file.
    void TReadNode();
    // False when the view holds text that could not be written (refused or failed,
    // reported already): the view stays shown and the caller must not replace it.
    bool TSaveNode(const QString &name);
    bool TReadMemo(const QString &path);
    bool TReadGra(const QString &path);
    bool TReadOLE(const QString &path);
    bool TReadAMemo(const QString &path, int which); // 1 MemoG, 2 MemoOLE
    void BuildCommentHeader(const QString &sidePath, const QString &nodePath);
    bool TSaveMemo(const QString &path);
    bool TSaveAMemo(const QString &path, int which);
    GuardedText MemoText;    // the file behind Memo1
    GuardedText CommentText; // the side file behind MemoG or MemoOLE
    bool finishTextSave(const ContentGuard::Result &result, GuardedText &text, QPlainTextEdit *view);
    QWidget *contentPanelFor(int kind) const;
    // Untouched views take what another program wrote meanwhile; run when the user comes
    // back to the program.
    void RefreshContentFromDisk();
    void connectContent();

    // ---- rich text, its toolbar, version dialog, help (tree/ui, settings/ui) ----
    // The rich-text view (tree/ui/mainwindow_richtext.cpp). Paths are file-system paths.
    bool TReadREdie(const QString &path);
    bool TSaveREdie(const QString &path);
    GuardedRichText RichText; // the file behind RichEdit1
    void setupRichEdit();     // RichEdit1's own font, once
    // The rich-text toolbar (settings/ui/mainwindow_richtoolbar.cpp).
    void setupRichToolbar();     // lists and connections, once
    void RichToolbarActivate();  // at activation: a new toolbar font, name and size from the caret
    void RFontSet();
    void RFontNameChange();
    void RFontSizeChange();
    void ToolButtonRBClick();
    void ToolButtonRIClick();
    void ToolButtonRUClick();
    void RFontColorBoxChange();
    RichToolbarFont RToolFont; // the toolbar font
    // Version dialog and help (settings/ui/mainwindow_help.cpp).
    void MenuHVClick();
    void MenuHHClick();
    void MenuHFClick();
    void CloseHelpWindows();
    HelpLauncher *Help = nullptr; // the help viewers started by this window

    // ---- settings file and history (app/ui) ----
    void LoadSettings();
    void SaveSettings();
    void ButtonCENDClick();
    void LoadHistory();
    void SaveHistory(QString *error = nullptr);
    void AddHistory(const QString &path);
    void MenuFTRNewClick(int item);
    // The view settings as each activation applies them; the settings pages call the
    // one that matches a change.
    void ApplyViewSettings();
    void ApplyTreeSettings();
    void ApplyMemoSettings();
    void ApplyMemoWrap(bool bottomMemoToo = true); // false leaves MemoF (search results) alone
    void ApplyCommentMemoSettings();
    QStringList HistoryItems;              // captions of the history menu, newest first
    bool SettingsWriteFailReported = false; // a failed settings write is reported once

    // ---- settings panel and registries (settings/ui/mainwindow_settingspanel.cpp,
    //      settings/ui/mainwindow_registries.cpp) ----
    void ToolButtonSETClick(); // opens the pages for the current node, or closes the panel
    void MenuTooLCTNClick();   // 環境設定 > ノード
    void MenuTooLCAClick();    // 環境設定 > 全体
    void MenuTooLExClick();    // 環境設定 > 拡張子
    // fromMenu with code 0 (ノード), 98 (拡張子) or 99 (全体); else the toolbar with NodeKind.
    void SetPageDsp(bool fromMenu, int code);
    void Button4Click();       // OLE shown as icon or content
    void LoadRegistries();     // text extensions and OLE icons, at start
    void SyncOleIcons();       // node icons from index 10 and the tree follow OleIcons
    void ReclassifyNodes();    // every node's kind and icon again, the current node re-shown
    QList<OleIconEntry> OleIcons; // the OLE icon registry in memory, in row order
    TreeSettingsPage *SettingsTree = nullptr;          // TabSheetT
    MemoSettingsPage *SettingsMemo = nullptr;          // TabSheetM
    CommentMemoSettingsPage *SettingsImage = nullptr;  // TabSheetG
    ThumbSettingsPage *SettingsThumb = nullptr;        // TabSheetS
    CommentMemoSettingsPage *SettingsOle = nullptr;    // TabSheetO
    GeneralSettingsPage *SettingsGeneral = nullptr;    // TabSheetALL
    MemoExtPage *SettingsMemoExt = nullptr;            // TabSheetFE
    OleIconPage *SettingsOleIcon = nullptr;            // TabSheetOLEi
    PrintSettingsPage *SettingsPrint = nullptr;        // TabSheetPrint

    // ---- node dialog, adding nodes, templates (nodeops/ui, settings/ui) ----
    // Add (after the last sibling), add child (last child of a folder node), insert (before
    // the selected node): each asks the node dialog, then calls its worker with DlgName.
    void ToolButtonAClick();
    void ToolButtonIClick();
    void ToolButtonACClick();
    void TNewNode(const QString &name);
    void TNewCNode(const QString &name);
    void TInsNode(const QString &name);
    bool TNewDir(const QString &target);
    bool TNewMemo(const QString &target); // false when the file could not be made
    void TNodeSetFocus();
    // Memo templates: register the memo being edited, delete a template.
    void MenuNTAddClick();
    void MenuNTDelClick();

    // ---- deleting, copying, renaming, tree keys (nodeops/ui) ----
    // Paths given to NodeFileDel and NodeFileCopy are file-system paths of node files.
    void ToolButtonNDClick(); // delete the node only
    void ToolButtonDClick();  // delete the node and its file or folder
    void NodeDel();           // deletes the selected node as DlgMode says (5 or 6)
    bool NodeFileDel(const QString &path);  // true: the file stays, do not go on
    void ToolButtonNCClick(); // copy
    bool NodeFileCopy(const QString &source, const QString &destination); // true: not copied
    // End of an in-place edit of node's text; the node shows S when this returns.
    void TreeView1Edited(QTreeWidgetItem *node, QString &S);
    // Keys of the tree control; setting key to 0 consumes it.
    void TreeView1KeyDown(int &key);
    void TreeView1KeyPress(QChar key);
    void connectNodeEditing(); // hooks the tree's keys and in-place edits to the handlers above
    bool CtrlDown = false;     // Ctrl went down in the tree; cleared by the next key acted on

    // ---- bulk text output (export/ui) ----
    void MenuTooLOutClick(); // opens the bulk output dialog on a copy of the tree

    // ---- moving nodes by drag, files dropped from the file manager, folder repair (nodeops/ui) ----
    bool TreeView1DragOver(const QPoint &pos); // viewport point; true: a drop there is accepted
    void TreeView1DragDrop(const QPoint &pos);
    void FormDropFiles(const QStringList &paths); // full paths, in the dropped order
    void MenuTreeMClick();                        // folder-node repair
    void connectNodeMoving(); // hooks the tree's drag and drop, file drops and the repair items
    QTreeWidgetItem *DragNode = nullptr; // the node being dragged
    QTreeWidgetItem *DropNode = nullptr; // the node under the drop point (none below the last node)

    // ---- printing, preview and the thumbnail grid (print/ui) ----
    void ToolButtonPClick();  // preview of the current node's report
    void MenuNPClick();       // print it on the default printer
    void PMenuTreeGClick();   // the current folder's pictures as thumbnails
    void ThumbLayout(int count);
    void gSizeMClick(QAction *item); // the four items of the grid's size menu
    void connectPrinting();
    void printCurrentNode(bool preview);
    void setupThumbGrid();
    TListF ListF;         // the report of text memos and rich text
    TListG ListG;         // the report of pictures
    ThumbList Thumbs;     // the thumbnails shown in DrawGrid1
    QMenu *PopupMenuSam = nullptr;
    QAction *gSizeS = nullptr; // 画像ｻｲｽﾞ小
    QAction *gSizeM = nullptr; // 画像ｻｲｽﾞ中
    QAction *gSizeB = nullptr; // 画像ｻｲｽﾞ大
    QAction *gSizeN = nullptr; // 画像ｻｲｽﾞ変更

    // ---- view modes (tree/ui/mainwindow_viewmodes.cpp) and search (search/ui/mainwindow_search.cpp) ----
    void ToolButtonWClick();   // word wrap of the memos
    void ToolButton2Click();   // the second, read-only pane under a text memo
    void MenuFTVClick();       // hide or show the tree panel
    void PMenuTreeOpenClick(); // expand every node
    void PMenuTreeCloseClick();
    void PopupMenuTreePopup(); // enabling of the tree's pop-up menu
    void ShowTabs(bool show);  // the bottom page control and all its tabs
    void ToolButtonSClick();   // ask for a word and list its hits in MemoF
    void MemoFDblClick();      // jump to the hit on MemoF's caret line
    bool searchResultsShown() const; // the first tab holds search results, not the second pane
    void connectViewModes();
    void connectSearch();
    SearchState Search; // the word, kinds, scope and history of the search dialog

public:
    // Controls, under the names the rest of the program uses.
    QToolBar *ToolBar1 = nullptr;
    QAction *ToolButtonA = nullptr;   // ノード追加
    QAction *ToolButtonI = nullptr;   // 子ノード追加
    QAction *ToolButtonAC = nullptr;  // ノード挿入
    QAction *ToolButtonND = nullptr;  // ノードのみ削除
    QAction *ToolButtonD = nullptr;   // ノード+実ファイル削除
    QAction *ToolButtonNC = nullptr;  // ノード複写
    QAction *ToolButtonW = nullptr;   // 折り返し
    QAction *ToolButton2 = nullptr;   // ２画面
    QAction *ToolButtonS = nullptr;   // 検索
    QAction *ToolButtonP = nullptr;   // 印刷プレビュー
    QPushButton *Button4 = nullptr;   // OLEの表示切り替え
    QAction *ToolButtonTO = nullptr;  // Orvan開く
    QAction *ToolButtonTN = nullptr;  // 新規Orvan
    QAction *ToolButtonSET = nullptr; // 環境設定

    // Main menu items.
    QAction *MenuFTN = nullptr;  // ファイル > Tree > 新規作成(&N)
    QAction *MenuFTO = nullptr;  // 開く(&O)
    QAction *MenuFTV = nullptr;  // 非表示 / 表示
    QMenu *MenuFTR = nullptr;    // 履歴(&R)
    QAction *MenuFTRNew = nullptr; // 最新
    QAction *MenuFQ = nullptr;   // 終了(&X)
    QAction *MenuNA = nullptr;   // 追加(&N)
    QAction *MenuNI = nullptr;   // 挿入(&I)
    QAction *MenuNC = nullptr;   // 子追加(&C)
    QAction *MenuNDD = nullptr;   // 削除ﾉｰﾄﾞのみ(&D)
    QAction *MenuND = nullptr;  // 削除+ﾌｧｲﾙ
    QAction *MenuNCC = nullptr; // 複写
    QAction *MenuN2 = nullptr;   // 2画面(&2)
    QAction *MenuNW = nullptr;   // 折り返し(&W)
    QAction *MenuNPV = nullptr;  // 印刷ﾌﾟﾚﾋﾞｭｰ(&V)
    QAction *MenuNP = nullptr;   // 印刷(&P)
    QAction *MenuNTAdd = nullptr;  // 様式 > 登録-ﾒﾓ
    QAction *MenuNTDel = nullptr;  // 様式 > 削除-ﾒﾓ
    QAction *MenuTooLF = nullptr;   // 検索(&F)
    QAction *MenuTooLCTN = nullptr;  // 環境設定 > ノード
    QAction *MenuTooLCA = nullptr;  // 環境設定 > 全体
    QAction *MenuTooLEx = nullptr;  // 環境設定 > 拡張子
    QAction *MenuTooLOut = nullptr;  // ﾒﾓ一括出力
    QAction *MenuTooLNM = nullptr;  // ﾌｫﾙﾀﾞｰﾉｰﾄﾞ修復
    QAction *MenuHH = nullptr;   // ﾍﾙﾌﾟ目次(&H)
    QAction *MenuHF = nullptr;   // ﾍﾙﾌﾟ検索(&S)
    QAction *MenuHV = nullptr;   // Ver(&V)

    // Tree pop-up menu.
    QMenu *PopupMenuTree = nullptr;
    QAction *PMenuTreeOpen = nullptr;   // Tree全て開く
    QAction *PMenuTreeClose = nullptr;  // Tree全て閉じる
    QAction *PMenuTreeG = nullptr;        // 画像ｻﾑﾈｰﾙ表示
    QAction *MenuTreeM = nullptr;     // フォルダーノード修復

    QSplitter *Splitter1 = nullptr;   // tree | content
    QWidget *PanelTree = nullptr;
    NodeTreeWidget *TreeView1 = nullptr;
    QTextEdit *RichEditF = nullptr;   // hidden, plain text, used by search
    QWidget *Panel1 = nullptr;
    QSplitter *Splitter2 = nullptr;   // content / bottom panel
    QWidget *PanelC = nullptr;

    QWidget *PanelMemo = nullptr;
    QPlainTextEdit *Memo1 = nullptr;

    QWidget *PanelRichEdit = nullptr;
    QToolBar *ToolBar2 = nullptr;
    QFontComboBox *RFontName = nullptr;
    QComboBox *RFontSize = nullptr;
    QAction *ToolButtonRB = nullptr;
    QAction *ToolButtonRI = nullptr;
    QAction *ToolButtonRU = nullptr;
    QComboBox *RFontColorBox = nullptr;
    QTextEdit *RichEdit1 = nullptr;

    QWidget *PanelGra = nullptr;
    QScrollArea *ScrollBox1 = nullptr;
    QLabel *Image1 = nullptr;
    QSplitter *Splitter4 = nullptr;
    QWidget *PanelG2 = nullptr;
    QPlainTextEdit *MemoG = nullptr;

    QWidget *PanelOLE = nullptr;
    QWidget *PanelOLEOLE = nullptr;
    OleView *OleContainer1 = nullptr;
    QSplitter *Splitter3 = nullptr;
    QWidget *PanelOleMemo = nullptr;
    QPlainTextEdit *MemoOLE = nullptr;

    QWidget *PanelSam = nullptr;
    QTableWidget *DrawGrid1 = nullptr;

    QWidget *PanelB = nullptr;
    QTabWidget *PageControl1 = nullptr;
    QPushButton *ButtonCEND = nullptr;
    QWidget *TabSheetF = nullptr;     // 検索 / 2画面
    QPlainTextEdit *MemoF = nullptr;  // second pane
    QWidget *TabSheetT = nullptr;
    QWidget *TabSheetM = nullptr;
    QWidget *TabSheetG = nullptr;
    QWidget *TabSheetS = nullptr;
    QWidget *TabSheetO = nullptr;
    QWidget *TabSheetALL = nullptr;
    QWidget *TabSheetFE = nullptr;
    QWidget *TabSheetOLEi = nullptr;
    QWidget *TabSheetMF = nullptr;
    QWidget *TabSheetPrint = nullptr;
    QWidget *TabSheetMail = nullptr;

    QStatusBar *StatusBar1 = nullptr;
    QLabel *StatusPanels[4] = {nullptr, nullptr, nullptr, nullptr};
    QTimer *Timer1 = nullptr;

    QList<QIcon> ImageList2; // node icons: 0..9 built in, 10.. the OLE icons

    bool LabelEditing = false;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildLayout();        // app/ui/mainwindow_layout.cpp
    void buildToolBar();
    void buildMenus();
    void buildContentPanels();
    void buildBottomPanel();
    void buildNodeIcons();
    void connectCommands();    // app/ui/mainwindow_commands.cpp
    void fillTree(const QList<TreeLine> &nodes);
    void setupSettingsPanel();      // settings/ui: the pages in their tabs, wired
    void openSettingsPanel(bool fromMenu, int code);
    void restoreCommentArea();      // the image comment's height as before the panel opened
    int m_commentHeightBeforePanel = -1; // PanelG2 before the "画像" page took room; -1: none taken
    void chooseStartTree();

    QString m_executablePath;
    QStringList m_args;
    bool m_created = false;
    bool m_activatedOnce = false;
    bool m_destroyed = false;
    bool m_treeReadFailed = false; // the tree on screen did not come whole from TreeFileName

    // ---- memo and comment text shown as UTF-8 (tree/ui) ----
    void tellUtf8(const GuardedText &text); // says so in status panel 2

    // ---- a tree file holding bytes the tree cannot hold (tree/ui) ----
    bool keepOriginalTreeFile(); // copies TreeFileName beside itself under a dated name, and says where
    bool m_treeDropsBytes = false; // writing the tree would lose bytes of TreeFileName
    QByteArray m_treeAsRead;       // then: the tree as read, written out; equal bytes mean untouched
    BusyCursor *m_busyCursor = nullptr;

    // Files changed behind the program: the tree file's bytes as last read or written
    // (another program's change is never written over), and a timer write that failed
    // (retried each second, reported once).
    QByteArray m_treeFileBytes;
    bool m_treeFileKnown = false;
    bool m_timerWriteFailed = false;
    bool m_quietTreeWrite = false;
};

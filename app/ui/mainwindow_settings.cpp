// The settings file at start and whenever it is written, the window geometry it keeps,
// the choice of the tree file to open at start, and the close step of the bottom panel.

#include "app/ui/mainwindow.h"

#include "app/readmetree.h"
#include "base/appsettings.h"
#include "base/globals.h"
#include "base/inifile.h"
#include "base/programfiles.h"
#include "base/settingsfile.h"
#include "base/uiport.h"

#include <QFileInfo>
#include <QSplitter>

namespace {

void applyGeometry(TOrvaneF *w)
{
    w->move(Cfg.FormLeft, Cfg.FormTop);
    w->resize(Cfg.FormWidth, Cfg.FormHeight);
    const int treeWidth = Cfg.TreePanelWidth;
    w->Splitter1->setSizes({treeWidth, qMax(1, Cfg.FormWidth - treeWidth)});
}

// The geometry as it stands, for writing. A window never shown keeps what was read.
void takeGeometry(TOrvaneF *w)
{
    if (!w->testAttribute(Qt::WA_WState_Created) && !w->isVisible())
        return;
    Cfg.FormLeft = w->x();
    Cfg.FormTop = w->y();
    Cfg.FormWidth = w->width();
    Cfg.FormHeight = w->height();
    // A hidden tree panel keeps its last width; the splitter reports it as 0.
    const QList<int> sizes = w->Splitter1->sizes();
    if (!w->PanelTree->isHidden() && !sizes.isEmpty() && sizes.first() > 0)
        Cfg.TreePanelWidth = sizes.first();
    else if (w->PanelTree->width() > 0)
        Cfg.TreePanelWidth = w->PanelTree->width();
}

} // namespace

void TOrvaneF::LoadSettings()
{
    BottomPanelOn = false;
    SkipActivate = false;
    const QString settingsName = ProgName + QStringLiteral(".Ini");
    IniFileName = ProgramFiles::writePath(settingsName);

    QString rememberedTree;
    Cfg = SettingsFile::read(IniFile(ProgramFiles::readPath(settingsName)), &rememberedTree);
    applyGeometry(this);

    TreeFileName = rememberedTree;
    chooseStartTree();
    NodePath = Cfg.LastNodePath;
    NodeName = Cfg.LastNodeName;

    LoadHistory();
    SaveSettings();
}

// Chooses TreeFileName: the command-line argument, else the remembered file (holding
// the remembered name on entry), else the read-me tree at a first start, else the
// default tree (ProgramFiles decides where the last two live). A chosen file that does not exist gives way to
// the default tree, created empty when it is missing.
void TOrvaneF::chooseStartTree()
{
    const QString defaultTree = ProgramFiles::defaultTree();
    Cfg.TreeFileMissingAtStart = false;
    if (!m_args.isEmpty()) {
        const QString arg = m_args.first();
        TreeFileName = arg.isEmpty() ? QString() : QFileInfo(arg).absoluteFilePath();
    } else {
        if (TreeFileName.isEmpty() && !Cfg.FirstStartSW) {
            TreeFileName = ReadMeTree::prepare();
            Cfg.FirstStartSW = true;
        }
        if (TreeFileName.isEmpty())
            TreeFileName = defaultTree;
    }
    if (!QFileInfo(TreeFileName).isFile()) {
        TreeFileName = defaultTree;
        ui().beep();
        CreateAndLoadTree(TreeFileName);
        Cfg.TreeFileMissingAtStart = true;
    }
}

void TOrvaneF::SaveSettings()
{
    takeGeometry(this);
    QStringList problems;
    QString error;
    if (!SettingsFile::save(IniFileName, Cfg, {TreeFileName, NodePath, NodeName}, &error))
        problems.append(error);
    SaveHistory(&error);
    if (!error.isEmpty())
        problems.append(error);
    // Once per run: a folder that cannot be written stays so, and the program goes on.
    if (problems.isEmpty() || SettingsWriteFailReported)
        return;
    SettingsWriteFailReported = true;
    ui().reportError(QStringLiteral("設定を保存できませんでした。") + u'\r' + problems.join(u'\r') + u'\r'
                     + QStringLiteral("設定の変更は保存されません。"));
}

void TOrvaneF::ButtonCENDClick()
{
    PanelB->hide();
    restoreCommentArea();
    SaveSettings();
    BottomPanelOn = false;
}

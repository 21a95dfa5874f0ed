// The main window's lifecycle: creation, activation, the one-second timer, closing.

#include "app/ui/mainwindow.h"

#include "base/appsettings.h"
#include "base/globals.h"
#include "settings/templatestore.h"
#include "tree/anicursor.h"
#include "tree/ui/nodetreewidget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>

TOrvaneF::TOrvaneF(const QString &executablePath, const QStringList &args, QWidget *parent)
    : QMainWindow(parent)
    , m_executablePath(executablePath)
    , m_args(args)
{
    setObjectName(QStringLiteral("TOrvaneF"));
    m_busyCursor = new BusyCursor(this);
    buildLayout();
    connectCommands();
    FormCreate();
}

TOrvaneF::~TOrvaneF()
{
    if (!m_destroyed)
        FormDestroy();
}

void TOrvaneF::FormCreate()
{
    Cfg.OleIconic = false;
    GlobalInit(m_executablePath);
    LoadSettings();

    LoadRegistries(); // text extensions, OLE icons and the OLE button's caption
    TmpListSet();     // the node dialog's template list, read once per run

    m_created = true;
}

void TOrvaneF::FormActivate()
{
    LabelEditing = false;
    if (SkipActivate) {
        SkipActivate = false;
        return;
    }
    const bool first = !m_activatedOnce;
    m_activatedOnce = true;
    TreeReady = false;
    TreeDirty = false;
    HideContentPanels();
    if (!OpenTree(TreeFileName))
        return;
    if (Cfg.RestoreNodeSW && !Cfg.LastNodeName.isEmpty())
        TreeIniSel(Cfg.LastNodePath, Cfg.LastNodeName);
    if (first && Cfg.TreeFileMissingAtStart)
        setStatus(2, QStringLiteral("前回編集Treeﾌｧｲﾙ無し"));
    ApplyViewSettings();
    RichToolbarActivate();
}

void TOrvaneF::FormDestroy()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    TSaveNode(NodeName);
    // A rename made less than a second ago must not leave the tree file naming a file
    // that no longer exists.
    if (TreeDirty && TreeReady && !m_treeReadFailed) {
        TreeWrite();
        TreeDirty = false;
    }
    SaveSettings();
    GlobalFree();
    m_busyCursor->stop();
    CloseHelpWindows();
}

void TOrvaneF::FormResize()
{
    const int w = StatusBar1->width();
    StatusPanels[0]->setFixedWidth(60);
    StatusPanels[1]->setFixedWidth(60);
    // Panel 2 takes the rest; a fixed width would keep the window from shrinking.
    StatusPanels[2]->setMinimumWidth(0);
    StatusPanels[2]->setMaximumWidth(qMax(0, w - 180));
    StatusPanels[3]->setFixedWidth(60);
}

void TOrvaneF::Timer1Timer()
{
    if (!TreeDirty)
        return;
    // The renamed file is on disk and only the tree file lags behind: a write that fails
    // is tried again each second, and reported the first time only.
    m_quietTreeWrite = m_timerWriteFailed;
    const bool written = TreeWrite();
    m_quietTreeWrite = false;
    m_timerWriteFailed = !written;
    TreeDirty = !written;
}

void TOrvaneF::MenuFQClick()
{
    close();
}

void TOrvaneF::setStatus(int panel, const QString &text)
{
    if (panel >= 0 && panel < 4)
        StatusPanels[panel]->setText(text);
}

QString TOrvaneF::statusText(int panel) const
{
    return (panel >= 0 && panel < 4) ? StatusPanels[panel]->text() : QString();
}

void TOrvaneF::closeEvent(QCloseEvent *event)
{
    FormDestroy();
    event->accept();
}

void TOrvaneF::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TOrvaneF::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The start-up work runs when the window is first shown, whether or not a window
    // manager ever makes it the active window.
    if (m_created && !m_activatedOnce)
        FormActivate();
}

void TOrvaneF::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Later activations come back from the program's own non-modal windows (print
    // preview), which set SkipActivate first; switching from another application
    // changes nothing but the in-place edit flag.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_created && m_activatedOnce) {
        if (SkipActivate)
            FormActivate();
        else
            LabelEditing = false;
    }
}

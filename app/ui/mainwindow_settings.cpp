// Settings at start and at close, and the choice of the tree file to open.

#include "app/ui/mainwindow.h"

#include "app/appsettings.h"
#include "app/globals.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>

void TOrvaneF::LoadSettings()
{
    BottomPanelOn = false;
    SkipActivate = false;
    chooseStartTree();
}

void TOrvaneF::chooseStartTree()
{
    const QString defaultTree = ExeDir + u'/' + ProgName + QStringLiteral(".Orvan");
    Cfg.TreeFileMissingAtStart = false;
    TreeFileName = m_args.isEmpty() ? defaultTree : QFileInfo(m_args.first()).absoluteFilePath();
    if (!QFileInfo::exists(TreeFileName)) {
        TreeFileName = defaultTree;
        if (!QFileInfo::exists(TreeFileName)) {
            QFile f(TreeFileName);
            if (f.open(QIODevice::WriteOnly))
                f.close();
        }
    }
}

void TOrvaneF::SaveSettings()
{
}

void TOrvaneF::ButtonCENDClick()
{
    PanelB->hide();
    SaveSettings();
    BottomPanelOn = false;
}

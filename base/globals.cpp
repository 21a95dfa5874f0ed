#include "base/globals.h"

#include "base/programfiles.h"

#include <QFileInfo>

QString ProgName;
QString ExeDir;
QString BaseDir;
QString IniFileName;
QString TreeFileName;
QStringList MemoExtList;
QStringList WorkList;
bool TreeReady = false;
bool TreeBusy = false;
bool TreeDirty = false;
bool SaveSuppressed = false;
bool BottomPanelOn = false;
bool SkipActivate = false;
QString NodePath;
QString NodeName;
QString NodeExt;
int NodeKind = 5;

void GlobalInit(const QString &executablePath)
{
    const QFileInfo exe(executablePath);
    ProgName = exe.completeBaseName().toUpper();
    ExeDir = exe.absolutePath();
    BaseDir = ExeDir;
    IniFileName = ProgramFiles::readPath(ProgName + QStringLiteral(".Ini"));
    TreeFileName.clear();
    MemoExtList.clear();
    WorkList.clear();
    TreeReady = TreeBusy = TreeDirty = SaveSuppressed = BottomPanelOn = SkipActivate = false;
    NodePath.clear();
    NodeName.clear();
    NodeExt.clear();
    NodeKind = 5;
}

void GlobalFree()
{
    MemoExtList.clear();
    WorkList.clear();
}

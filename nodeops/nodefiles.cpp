#include "nodeops/nodefiles.h"

#include "base/uiport.h"
#include "nodeops/fileheld.h"
#include "nodeops/fsentry.h"
#include "nodeops/functionu.h"
#include "nodeops/nodetrash.h"
#include "tree/nodekind.h"

namespace NodeFiles {

bool hasComment(int kind)
{
    return kind == KindImage || kind == KindOle;
}

QString sidePath(const QString &nodeFsPath)
{
    return nodeFsPath + QStringLiteral(".TMEM");
}

bool fileAt(const QString &fsPath)
{
    const FsEntry::Type type = FsEntry::typeAt(fsPath);
    return type != FsEntry::Type::None && type != FsEntry::Type::Folder;
}

int deleteFile(const QString &fsPath, Disposal how)
{
    // A file system that locks open files would refuse these; this one would not.
    if (FileHeld(fsPath))
        return FuNotDeleted;
    if (how == Disposal::ToTrash && NodeTrash::moveToTrash(fsPath))
        return FuDone;
    return FunctionUDetail::patDel(fsPath, true);
}

bool remove(int kind, const QString &fsPath, bool reportEveryKind, Disposal how)
{
    const bool comment = hasComment(kind);
    if (deleteFile(fsPath, how) != FuDone) {
        if (comment || reportEveryKind) {
            ui().showMessage(QStringLiteral("ノードの削除に失敗しました。\r") + fsPath
                             + QStringLiteral("\r他のアプリケーションでオープンしていませんか?"));
            ui().beep();
        }
        return true;
    }
    const QString side = sidePath(fsPath);
    if (comment && fileAt(side) && deleteFile(side, how) != FuDone) {
        ui().showMessage(QStringLiteral("ノードコメントの削除に失敗しました。\r") + side
                         + QStringLiteral("\r追加コメントが残っています"));
        ui().beep();
    }
    return false;
}

bool copy(int kind, const QString &source, const QString &destination)
{
    const bool failed = FunctionUDetail::patCopy(source, destination, true) != FuDone;
    if (hasComment(kind))
        FunctionUDetail::patCopy(sidePath(source), sidePath(destination), true);
    return failed;
}

} // namespace NodeFiles

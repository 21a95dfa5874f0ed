// XCopy and XDel: copying and deleting whole folders. Links inside are entries of their
// own (copied and deleted as links), so neither routine ever leaves the folder it was
// given through one.

#include "nodeops/functionu.h"

#include "base/diskfile.h"

#include "base/sjiscodec.h"
#include "base/uiport.h"
#include "nodeops/dirsearch.h"
#include "nodeops/fsentry.h"
#include "nodeops/mounttable.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The form both routines want: longer than two bytes and ending with the separator.
bool folderForm(const QString &dir)
{
    return Sjis::byteLength(dir) > 2 && dir.endsWith(u'/');
}

QString withoutSlash(const QString &dir)
{
    return dir.size() > 1 && dir.endsWith(u'/') ? dir.chopped(1) : dir;
}

bool isSameOrInside(const QString &path, const QString &folder)
{
    return path == folder || path.startsWith(folder == u"/" ? folder : folder + u'/');
}

// Folders XDel never empties: the root, the home folder and every folder above it.
bool isProtected(const QString &dir)
{
    const QString path = QFileInfo(dir).canonicalFilePath();
    if (path.isEmpty() || path == u"/")
        return true;
    const QString home = QFileInfo(QDir::homePath()).canonicalFilePath();
    return !home.isEmpty() && isSameOrInside(home, path);
}

const QString SameFolderMessage = QStringLiteral("同一フォルダーをXCopyしようとしています");

} // namespace

int XCopy(const QString &src, const QString &dst)
{
    if (src == dst) {
        ui().showMessage(SameFolderMessage);
        return FuRefused;
    }
    if (!DExist(src)) {
        ui().showMessage(QStringLiteral("XCopy入力フォルダー ") + src + QStringLiteral(" なし"));
        return FuRefused;
    }
    if (!DExist(dst)) {
        ui().showMessage(QStringLiteral("xCopy出力フォルダー ") + dst + QStringLiteral(" なし"));
        return FuRefused;
    }
    if (!folderForm(src) || !folderForm(dst))
        return FuBadArgument;
    // A copy into the folder itself or below it would copy its own copy without end.
    if (isSameOrInside(QFileInfo(dst).canonicalFilePath(), QFileInfo(src).canonicalFilePath())) {
        ui().showMessage(SameFolderMessage);
        return FuRefused;
    }

    // Every copied file is on the disk when the outermost XCopy returns: one flush of the
    // destination's file system instead of one per file.
    const DiskFile::FlushBatch flush(dst);
    const DirSearch::Result found = DirSearch::search(src, QStringLiteral("*.*"), DirSearch::Want::FilesAndFolders);
    for (const DirSearch::Entry &e : found.entries) {
        if (e.folder) {
            if (!MkDirChk(dst + e.name))
                return FuRefused;
            if (XCopy(src + e.name + u'/', dst + e.name + u'/') != FuDone)
                return FuFolderStepFailed;
        } else if (FunctionUDetail::patCopy(src + e.name, dst + e.name, true) != FuDone) {
            return FuFileStepFailed;
        }
    }
    return FuDone;
}

int XDel(const QString &dir)
{
    if (!DExist(dir)) {
        ui().showMessage(QStringLiteral("XDel入力フォルダー[ ") + dir + QStringLiteral(" ]なし"));
        return FuRefused;
    }
    const QString folder = withoutSlash(dir);
    const QString cannotDeleteFolder = QStringLiteral("XDel ディレクトリ[ ") + folder + QStringLiteral(" ]は削除できませんでした");
    if (!folderForm(dir)) {
        ui().showMessage(QStringLiteral("XDel入力フォルダー不正[ ") + dir + QStringLiteral(" ]"));
        return FuBadArgument;
    }
    // A link to a folder is removed as the link; what it points to is not touched.
    if (FsEntry::typeAt(folder) == FsEntry::Type::Link) {
        if (FsEntry::removeFile(folder))
            return FuDone;
        ui().showMessage(cannotDeleteFolder);
        return FuFileStepFailed;
    }
    if (isProtected(dir)) {
        ui().showMessage(QStringLiteral("XDel入力フォルダー不正[ ") + dir + QStringLiteral(" ]"));
        return FuBadArgument;
    }

    const DirSearch::Result found = DirSearch::search(dir, QStringLiteral("*.*"), DirSearch::Want::FilesAndFolders);
    for (const DirSearch::Entry &e : found.entries) {
        if (e.folder) {
            if (XDel(dir + e.name + u'/') != FuDone)
                return FuFolderStepFailed;
        } else if (FunctionUDetail::patDel(dir + e.name, true) != FuDone) {
            ui().showMessage(QStringLiteral("XDel ファイル[ ") + dir + e.name + QStringLiteral(" ]は削除できませんでした"));
            return FuFileStepFailed;
        }
    }
    // The root of a mounted file system (a drive) is emptied but kept.
    if (MountTable::isMountPoint(folder))
        return FuDone;
    if (!RmDirChk(folder)) {
        ui().showMessage(cannotDeleteFolder);
        return FuFileStepFailed;
    }
    return FuDone;
}

// Existence tests, copying, deleting, creating and renaming single files and folders.

#include "nodeops/functionu.h"

#include "base/uiport.h"
#include "nodeops/dirsearch.h"
#include "nodeops/fsentry.h"

#include <QFileInfo>

namespace {

const QString SameFileMessage = QStringLiteral("同一ﾌｧｲﾙをCopyしようとしています");
const QString NoSourceMessage = QStringLiteral("Copy入力ファイルなし");
const QString TargetExistsMessage = QStringLiteral("Copy出力ファイルは既にあります");

// A file entry is at exactly this path (no pattern).
bool fileEntryAt(const QString &path)
{
    const FsEntry::Type t = FsEntry::typeAt(path);
    return t != FsEntry::Type::None && t != FsEntry::Type::Folder;
}

bool fileExists(const QString &path, bool literal)
{
    return literal ? fileEntryAt(path) : FExist(path);
}

// The names a copy or a deletion works on: the one name, or every file the pattern finds.
QStringList filesFor(const QString &folder, const QString &name, bool literal)
{
    QStringList names;
    if (literal) {
        const FsEntry::Type t = FsEntry::typeAt(FsEntry::join(folder, name));
        if (t == FsEntry::Type::File || t == FsEntry::Type::Link)
            names.append(name);
        return names;
    }
    for (const DirSearch::Entry &e : DirSearch::search(folder, name, DirSearch::Want::Files).entries)
        names.append(e.name);
    return names;
}

} // namespace

bool FExist(const QString &path)
{
    const QString name = DirSearch::namePart(path);
    if (!DirSearch::hasWildcards(name))
        return fileEntryAt(path);
    const std::optional<DirSearch::Entry> first = DirSearch::firstMatch(DirSearch::folderPart(path), name);
    return first && !first->folder;
}

bool DExist(const QString &path)
{
    return FsEntry::isFolder(path);
}

bool FNewEmpty(const QString &path)
{
    if (FExist(path)) {
        ui().showMessage(QStringLiteral("新規作成ファイル=") + path + QStringLiteral("既にあります。"));
        return true;
    }
    QString why;
    if (FsEntry::createEmpty(path, &why))
        return true;
    ui().reportError(QStringLiteral("ファイル %1 を作成できません。(%2)").arg(path, why));
    return false;
}

int FileCopyChk(const QString &source, const QString &destination)
{
    if (source == destination) {
        ui().showMessage(SameFileMessage);
        return FuRefused;
    }
    if (!FExist(source)) {
        ui().showMessage(NoSourceMessage);
        return FuRefused;
    }
    if (FExist(destination)) {
        ui().showMessage(TargetExistsMessage);
        return FuRefused;
    }
    // A link stands for the file it names: the copy is a file of its own, so that a
    // change to the copy never reaches the original.
    const QString real = QFileInfo(source).canonicalFilePath();
    // The copy never replaces a file that appears at the destination while it is made.
    if (!FsEntry::copyFile(real.isEmpty() ? source : real, destination, FsEntry::Finish::NoReplace)) {
        ui().showMessage(QStringLiteral("ﾌｧｲﾙのCopyに失敗 [") + source + QStringLiteral("]->[") + destination
                         + u']');
        return FuRefused;
    }
    return FuDone;
}

int FunctionUDetail::patCopy(const QString &source, const QString &destination, bool literal)
{
    const QString srcDir = DirSearch::folderPart(source);
    const QString dstDir = DirSearch::folderPart(destination);
    const QString srcName = DirSearch::namePart(source);
    if (source == destination) {
        ui().showMessage(SameFileMessage);
        return FuRefused;
    }
    if (literal || srcName != u"*.*") {
        if (!fileExists(source, literal)) {
            ui().showMessage(NoSourceMessage);
            return FuRefused;
        }
        if (fileExists(FsEntry::join(dstDir, srcName), literal)) {
            ui().showMessage(TargetExistsMessage);
            return FuRefused;
        }
    }
    int result = FuDone;
    for (const QString &name : filesFor(srcDir, srcName, literal)) {
        const QString from = FsEntry::join(srcDir, name);
        const QString to = FsEntry::join(dstDir, name);
        if (FsEntry::copyFile(from, to))
            continue;
        // A read-only destination: make it writable and try once more.
        if (!(FsEntry::makeWritable(to) && FsEntry::copyFile(from, to)))
            result = FuRefused;
    }
    return result;
}

int PatCopy(const QString &source, const QString &destination)
{
    return FunctionUDetail::patCopy(source, destination, false);
}

int FunctionUDetail::patDel(const QString &pattern, bool literal)
{
    const QString dir = DirSearch::folderPart(pattern);
    const QString name = DirSearch::namePart(pattern);
    if ((literal || name != u"*.*") && !fileExists(pattern, literal)) {
        ui().showMessage(QStringLiteral("削除ファイルなし"));
        return FuRefused;
    }
    for (const QString &found : filesFor(dir, name, literal)) {
        const QString path = FsEntry::join(dir, found);
        if (FsEntry::removeFile(path))
            continue;
        // A read-only file: make it writable and delete once more; stop at the first failure.
        if (!(FsEntry::makeWritable(path) && FsEntry::removeFile(path)))
            return FuNotDeleted;
    }
    return FuDone;
}

int PatDel(const QString &pattern)
{
    return FunctionUDetail::patDel(pattern, false);
}

bool MkDirChk(const QString &path)
{
    if (DExist(path)) {
        ui().showMessage(path + QStringLiteral(" は既にあります。"));
        return false;
    }
    return FsEntry::makeFolder(path);
}

bool RmDirChk(const QString &path)
{
    if (DExist(path))
        return FsEntry::removeFolder(path);
    ui().showMessage(path + QStringLiteral(" はありません。"));
    return false;
}

bool ReName(const QString &oldPath, const QString &newPath)
{
    // A file wins when both would hold (a link to a folder).
    const bool isFile = FExist(oldPath);
    const bool isFolder = !isFile && DExist(oldPath);
    if (!isFile && !isFolder) {
        ui().showMessage(QStringLiteral("ReName = ") + oldPath + QStringLiteral(" は､ありません"));
        return false;
    }
    if ((isFolder && DExist(newPath)) || (isFile && FExist(newPath))) {
        ui().showMessage(QStringLiteral("ReName = ") + newPath + QStringLiteral(" は､既にあります"));
        return false;
    }
    if (FsEntry::renameEntry(oldPath, newPath))
        return true;
    ui().showMessage(QStringLiteral("ﾌｧｲﾙ名の変更に失敗 [") + oldPath + QStringLiteral("]->[") + newPath + u']');
    return false;
}

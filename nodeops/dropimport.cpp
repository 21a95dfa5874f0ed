#include "nodeops/dropimport.h"

#include "base/globals.h"
#include "base/sjiscodec.h"
#include "nodeops/fsentry.h"
#include "nodeops/functionu.h"
#include "tree/nodepath.h"
#include "tree/treefile.h"

#include <QFileInfo>

namespace {

struct Item {
    QString path; // without a final "/"
    QString name;
};

QString withoutFinalSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

// The tree file can hold the name and the node's path stays inside its folder.
bool storable(const QString &name)
{
    return nameFitsTreeFile(name) && NodePaths::isSafeName(name);
}

QByteArray lineOf(const QByteArray &indent, int deeper, const QString &name)
{
    return indent + QByteArray(deeper, '\t') + Sjis::encode(name).bytes;
}

bool isSameOrInside(const QString &path, const QString &folder)
{
    return !path.isEmpty() && !folder.isEmpty() && (path == folder || path.startsWith(folder + u'/'));
}

} // namespace

DropImportResult importDropped(const QStringList &dropped, const QString &destFolder, const QByteArray &treeBytes,
                               int anchor)
{
    DropImportResult result;
    result.treeBytes = treeBytes;
    QList<QByteArray> lines = splitTreeFileLines(Sjis::beforeNul(treeBytes));
    if (anchor < 0 || anchor >= lines.size())
        return result;
    const QByteArray &anchorLine = lines.at(anchor);
    qsizetype indentLength = 0;
    while (indentLength < anchorLine.size() && (anchorLine.at(indentLength) == '\t' || anchorLine.at(indentLength) == ' '))
        ++indentLength;
    const QByteArray indent = anchorLine.left(indentLength);

    QList<Item> folders, files;
    for (const QString &raw : dropped) {
        const QString path = withoutFinalSlash(raw);
        const QString name = path.mid(path.lastIndexOf(u'/') + 1);
        if (name.isEmpty() || FsEntry::typeAt(destFolder + name) != FsEntry::Type::None)
            continue;
        (DExist(path) ? folders : files).append({path, name});
    }

    const QString destCanonical = QFileInfo(destFolder).canonicalFilePath();
    QList<QByteArray> folderLines, fileLines;
    for (const Item &f : folders) {
        if (isSameOrInside(destCanonical, QFileInfo(f.path).canonicalFilePath())) {
            result.intoItself.append(f.path);
            continue;
        }
        // The whole content is listed before anything is copied, so that a folder holding
        // a name the tree file cannot store is left out whole.
        WorkList.clear();
        DirListAll(f.path + u'/', true);
        const QStringList inside = WorkList;
        WorkList.clear();
        bool ok = storable(f.name);
        for (qsizetype i = 0; ok && i < inside.size(); ++i)
            ok = storable(inside.at(i).mid(inside.at(i).lastIndexOf(u'/') + 1));
        if (!ok) {
            result.unstorable.append(f.path);
            continue;
        }
        folderLines.append(lineOf(indent, 0, f.name));
        result.made.append(destFolder + f.name);
        MkDirChk(destFolder + f.name);
        XCopy(f.path + u'/', destFolder + f.name + u'/');
        const qsizetype skip = f.path.size() + 1;
        for (const QString &p : inside) {
            const QString rest = p.mid(skip); // the path inside the dropped folder
            folderLines.append(lineOf(indent, 1 + int(rest.count(u'/')), rest.mid(rest.lastIndexOf(u'/') + 1)));
        }
    }
    for (const Item &f : files) {
        if (!storable(f.name)) {
            result.unstorable.append(f.path);
            continue;
        }
        if (FunctionUDetail::patCopy(f.path, destFolder + f.name, true) != FuDone && QFileInfo::exists(f.path)
            && FsEntry::typeAt(destFolder + f.name) == FsEntry::Type::None) {
            result.notCopied.append(destFolder + f.name);
            continue;
        }
        fileLines.append(lineOf(indent, 0, f.name));
        result.made.append(destFolder + f.name);
    }

    result.added = int(folderLines.size() + fileLines.size());
    if (result.added == 0)
        return result;
    QList<QByteArray> out = lines.mid(0, anchor);
    out += folderLines;
    out += fileLines;
    out += lines.mid(anchor);
    result.treeBytes.clear();
    for (const QByteArray &line : out)
        result.treeBytes += line + "\r\n";
    return result;
}

// orvane-cli export TREE OUT [--toc FILE] [--settings INI] [--branch TEXT]: the bulk text
// export of the dialog, with the same engine and the same settings file.

#include "app/cli/clicommands.h"
#include "base/diskfile.h"
#include "base/programfiles.h"
#include "export/bulkexport.h"
#include "nodeops/fsentry.h"
#include "tree/treefile.h"

#include <QFileInfo>

#include <algorithm>

namespace {

// Creates an empty file where none is; false with the reason on stderr.
bool ensureFile(const QString &path)
{
    if (QFileInfo::exists(path))
        return true;
    QString why;
    if (FsEntry::createEmpty(path, &why))
        return true;
    cliErr(QStringLiteral("ファイル %1 を作成できません。(%2)").arg(path, why));
    return false;
}

} // namespace

int cliExport(const QStringList &args)
{
    QStringList positional;
    QString tocPath, settingsPath, branch;
    bool hasBranch = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == u"--toc" || a == u"--settings" || a == u"--branch") {
            if (i + 1 >= args.size())
                return cliUsage("export");
            const QString value = args.at(++i);
            if (a == u"--toc")
                tocPath = value;
            else if (a == u"--settings")
                settingsPath = value;
            else {
                branch = value;
                hasBranch = true;
            }
        } else if (a.startsWith(QStringLiteral("--"))) {
            return cliUsage("export");
        } else {
            positional.append(a);
        }
    }
    if (positional.size() != 2 || (!tocPath.isNull() && tocPath.isEmpty()))
        return cliUsage("export");

    BulkExportRequest request;
    request.treeFileName = QFileInfo(positional.at(0)).absoluteFilePath();
    request.outPath = QFileInfo(positional.at(1)).absoluteFilePath();

    if (settingsPath.isEmpty())
        settingsPath = ProgramFiles::readPath(QLatin1String(BTxtOutIni::FileName));
    else if (!QFileInfo(settingsPath).isFile()) {
        cliErr(QStringLiteral("設定ファイル %1 が有りません").arg(settingsPath));
        return 2;
    }
    // The command line only reads the settings; the dialog is what keeps them.
    request.settings = BTxtOutIni::load(settingsPath, QString());
    // The contents are written when the settings ask for them and --toc names the file.
    request.settings.mokuji = request.settings.mokuji && !tocPath.isEmpty();
    if (!tocPath.isEmpty())
        request.tocPath = QFileInfo(tocPath).absoluteFilePath();

    // The tree must exist before anything else is looked at or any file is made.
    if (!QFileInfo(request.treeFileName).isFile()) {
        cliErr(BulkExport::check(request)); // names the missing tree
        return 1;
    }
    {
        const DiskFile::ReadResult file = DiskFile::read(request.treeFileName);
        if (!file.ok) {
            cliErr(file.error);
            return 2;
        }
        const TreeReadResult parsed = parseTreeFile(file.bytes);
        if (!parsed.ok) {
            cliErr(request.treeFileName + QStringLiteral(": ") + parsed.errorMessage());
            return 2;
        }
        request.nodes = parsed.nodes;
    }
    if (hasBranch) {
        request.all = false;
        request.chosenText = branch;
        const auto first = std::find_if(request.nodes.cbegin(), request.nodes.cend(),
                                        [&](const TreeLine &n) { return n.text == branch; });
        if (first == request.nodes.cend()) {
            cliErr(QStringLiteral("出力ノード「%1」が有りません").arg(branch));
            return 1;
        }
        request.chosenLevel = first->level + 1;
    }

    if (!ensureFile(request.outPath) || (!request.tocPath.isEmpty() && !ensureFile(request.tocPath)))
        return 1;
    const BulkExportResult result = BulkExport::run(request);
    if (!result.ok) {
        cliErr(result.message);
        return 1;
    }
    return 0;
}

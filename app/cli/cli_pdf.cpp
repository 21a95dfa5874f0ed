// orvane-cli pdf TREE INDEX OUT.pdf [--settings INI]: the node with that absolute index
// printed into a PDF file by the report code of the application, with the print options
// and memo font of the settings file.

#include "app/cli/clicommands.h"
#include "base/appsettings.h"
#include "base/diskfile.h"
#include "base/globals.h"
#include "base/inifile.h"
#include "base/programfiles.h"
#include "base/settingsfile.h"
#include "print/nodeprint.h"
#include "print/picturereport.h"
#include "print/textreport.h"
#include "tree/nodepath.h"
#include "tree/treefile.h"
#include "tree/treelisting.h"

#include <QFileInfo>

int cliPdf(const QStringList &args)
{
    QStringList positional;
    QString settingsPath;
    bool settingsGiven = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QStringLiteral("--settings")) {
            if (settingsGiven || i + 1 >= args.size())
                return cliUsage("pdf");
            settingsGiven = true;
            settingsPath = args.at(++i);
        } else {
            positional.append(args.at(i));
        }
    }
    bool indexOk = false;
    const int index = positional.size() == 3 ? positional.at(1).toInt(&indexOk) : -1;
    if (!indexOk || index < 0)
        return cliUsage("pdf");

    CliTree tree;
    if (!cliReadTree(positional.at(0), &tree))
        return 2;
    if (!tree.parsed.ok) {
        cliTreeError(tree);
        return 2;
    }
    const QString &treePath = tree.path;
    const QString &baseDir = tree.folder;
    const QList<ListedNode> nodes = listTree(tree.parsed.nodes, baseDir);
    if (index >= nodes.size()) {
        cliErr(QStringLiteral("%1: ノード %2 はありません (%3 ノード)").arg(treePath).arg(index).arg(nodes.size()));
        return 2;
    }

    // The settings: the file named, else the application's own beside this program (the
    // application is this program's name without "-CLI"); defaults where it has none.
    if (!settingsGiven) {
        const QString appName = ProgName.endsWith(QStringLiteral("-CLI")) ? ProgName.chopped(4) : ProgName;
        settingsPath = ProgramFiles::readPath(appName + QStringLiteral(".Ini"));
    }
    const IniFile ini(settingsPath);
    if (settingsGiven && !ini.loaded()) {
        cliErr(QStringLiteral("設定ファイル %1 を読めません").arg(settingsPath));
        return 2;
    }
    const AppSettings settings = SettingsFile::read(ini);

    const ListedNode &node = nodes.at(index);
    if (!NodePrint::canPrint(node.kind)) {
        cliErr(NodePrint::refusalText());
        return 1;
    }
    TListF text;
    TListG picture;
    QString error;
    const QString fsPath = NodePaths::fullPath(baseDir, node.folderPath, node.name);
    const NodePrint::Painter paint = NodePrint::fillFromFiles(text, picture, settings, node.kind, fsPath, node.name, &error);
    if (!paint) {
        cliErr(error);
        return 2;
    }
    const QString out = QFileInfo(positional.at(2)).absoluteFilePath();
    if (!NodePrint::writePdf(paint, out, &error)) {
        cliErr(error);
        return 2;
    }
    return 0;
}

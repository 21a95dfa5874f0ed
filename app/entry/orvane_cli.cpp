// Command-line companion: reads a tree file the way the application does.
//   orvane-cli list TREE   one line per node: index, level, kind, folder path, name

#include "app/diskfile.h"
#include "app/globals.h"
#include "settings/memoextregistry.h"
#include "tree/treefile.h"
#include "tree/treelisting.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace {

int usage()
{
    std::fputs("usage: orvane-cli list TREE\n", stderr);
    return 2;
}

void printLine(const QString &line, FILE *to)
{
    const QByteArray utf8 = line.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), to);
    std::fputc('\n', to);
}

int listCommand(const QString &treeArg)
{
    const QString treePath = QFileInfo(treeArg).absoluteFilePath();
    const DiskFile::ReadResult file = DiskFile::read(treePath);
    if (!file.ok) {
        printLine(file.error, stderr);
        return 1;
    }
    const TreeReadResult parsed = parseTreeFile(file.bytes);
    const QString baseDir = QFileInfo(treePath).absolutePath();
    for (const ListedNode &n : listTree(parsed.nodes, baseDir)) {
        printLine(QStringLiteral("%1\t%2\t%3\t%4\t%5")
                      .arg(n.index).arg(n.level).arg(n.kind).arg(n.folderPath, n.name),
                  stdout);
    }
    std::fflush(stdout);
    if (!parsed.ok) {
        printLine(treePath + QStringLiteral(": ") + parsed.errorMessage(), stderr);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    GlobalInit(QCoreApplication::applicationFilePath());
    const QString memoExtFile = ExeDir + QStringLiteral("/Res/MemoFEX.ini");
    if (QFileInfo::exists(memoExtFile))
        MemoExtLoad(memoExtFile);
    if (args.size() == 2 && args.at(0) == u"list")
        return listCommand(args.at(1));
    return usage();
}

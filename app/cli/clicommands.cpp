#include "app/cli/clicommands.h"

#include "base/diskfile.h"

#include <QFileInfo>

#include <array>
#include <cstdio>

namespace {

const std::array kCommands = {
    CliCommand{"list", "list TREE",
               "one line per node: index, level, kind, folder path, name", &cliList},
    CliCommand{"export", "export TREE OUT [--toc FILE] [--settings INI] [--branch TEXT]",
               "appends the numbered outline with the memo bodies to OUT (Shift-JIS, CR LF)", &cliExport},
    CliCommand{"check", "check TREE",
               "one line per mismatch between the tree and the disk: no-file, no-node", &cliCheck},
    CliCommand{"pdf", "pdf TREE INDEX OUT.pdf [--settings INI]",
               "the node with that index printed into a PDF file", &cliPdf, true},
    CliCommand{"search", "search TREE WORD [--memo] [--rich] [--comment] [--below INDEX]",
               "the search result list: header lines, then one line per hit", &cliSearch},
    // What the tool offers (cli_help.cpp).
    CliCommand{"help", "help [COMMAND]", "this list, or the usage of one command", &cliHelp},
    CliCommand{"--help", "--help", "this list", &cliHelp},
    CliCommand{"--version", "--version", "the version of orvane-cli", &cliVersion},
};

void printLine(const QString &line, FILE *to)
{
    const QByteArray utf8 = line.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), to);
    std::fputc('\n', to);
}

} // namespace

std::span<const CliCommand> cliCommands()
{
    return kCommands;
}

const CliCommand *findCliCommand(const QString &name)
{
    for (const CliCommand &c : kCommands) {
        if (name == QLatin1String(c.name))
            return &c;
    }
    return nullptr;
}

bool cliReadTree(const QString &arg, CliTree *tree)
{
    const QFileInfo info(arg);
    tree->path = info.absoluteFilePath();
    tree->folder = info.absolutePath();
    const DiskFile::ReadResult file = DiskFile::read(tree->path);
    if (!file.ok) {
        cliErr(file.error);
        return false;
    }
    tree->parsed = parseTreeFile(file.bytes);
    return true;
}

void cliTreeError(const CliTree &tree)
{
    cliErr(tree.path + QStringLiteral(": ") + tree.parsed.errorMessage());
}

void cliOut(const QString &line)
{
    printLine(line, stdout);
}

void cliErr(const QString &line)
{
    std::fflush(stdout);
    printLine(line, stderr);
}

int cliUsage(const CliCommand &command)
{
    cliErr(QStringLiteral("usage: orvane-cli ") + QLatin1String(command.usage));
    return 2;
}

int cliUsage(const char *name)
{
    const CliCommand *c = findCliCommand(QLatin1String(name));
    return c ? cliUsage(*c) : 2;
}

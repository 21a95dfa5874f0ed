#pragma once
// The sub-commands of orvane-cli. Each lives in a file of its own (cli_<name>.cpp) and
// is listed in the table of clicommands.cpp; main only picks one by its name.
// Convention shared by all: UTF-8 lines on stdout, messages on stderr; exit 0 success,
// 1 found nothing or refused, 2 bad usage or unreadable input.

#include "tree/treefile.h"

#include <QString>
#include <QStringList>

#include <span>

struct CliCommand {
    const char *name;
    const char *usage;   // one line: "list TREE"
    const char *summary; // what it does, one line
    int (*run)(const QStringList &args); // args after the sub-command's name
    bool drawsText = false; // needs fonts: runs in a GUI application on the offscreen platform
};

std::span<const CliCommand> cliCommands();
const CliCommand *findCliCommand(const QString &name);

// Output helpers every sub-command uses, so all print UTF-8 the same way.
void cliOut(const QString &line);
void cliErr(const QString &line);
// A tree file read and parsed as the window reads it.
struct CliTree {
    QString path;   // absolute path of the tree file
    QString folder; // the folder that holds it: the tree's base folder
    TreeReadResult parsed;
};
// Reads the tree file named on the command line; false (the reason printed on stderr)
// when the file cannot be read. A level error is left to the caller (parsed.ok).
bool cliReadTree(const QString &arg, CliTree *tree);
// Prints the level error of a tree that did not read whole.
void cliTreeError(const CliTree &tree);

// Prints "usage: orvane-cli <usage>" on stderr and returns 2.
int cliUsage(const CliCommand &command);
int cliUsage(const char *name);

// Every command with its usage and summary, as "help" prints it.
QString cliOverview();

// Sub-commands (one file each).
int cliList(const QStringList &args);
int cliCheck(const QStringList &args);
int cliExport(const QStringList &args);
int cliHelp(const QStringList &args);
int cliVersion(const QStringList &args);
int cliPdf(const QStringList &args);
int cliSearch(const QStringList &args);

// Command-line companion: runs the engines of the application on tree files.
// Each sub-command lives in app/cli/; this file only picks one.

#include "app/cli/clicommands.h"
#include "base/globals.h"
#include "base/programfiles.h"
#include "settings/memoextregistry.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

int usage()
{
    cliErr(cliOverview());
    return 2;
}

bool asksForHelp(const QString &arg)
{
    return arg == u"--help" || arg == u"-h";
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    GlobalInit(QCoreApplication::applicationFilePath());
    const QString memoExtFile = ProgramFiles::readPath(QStringLiteral("Res/MemoFEX.ini"));
    if (QFileInfo::exists(memoExtFile))
        MemoExtLoad(memoExtFile);
    if (args.isEmpty())
        return usage();
    const CliCommand *command = findCliCommand(asksForHelp(args.at(0)) ? QStringLiteral("--help") : args.at(0));
    if (!command)
        return usage();
    return command->run(args.mid(1));
}

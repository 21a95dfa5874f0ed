// Command-line companion: runs the engines of the application on tree files.
// Each sub-command lives in app/cli/; this file only picks one.

#include "app/cli/clicommands.h"
#include "base/globals.h"
#include "base/programfiles.h"
#include "settings/memoextregistry.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>

#include <memory>

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
    // A sub-command that draws text needs fonts, so a GUI application; it runs on the
    // offscreen platform and needs no display.
    const CliCommand *drawing = argc > 1 ? findCliCommand(QString::fromLocal8Bit(argv[1])) : nullptr;
    std::unique_ptr<QCoreApplication> app;
    if (drawing && drawing->drawsText) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const QStringList args = QCoreApplication::arguments().mid(1);
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

// orvane-cli help [COMMAND], --help, --version: what the tool offers, on stdout.

#include "app/cli/clicommands.h"

#include <algorithm>

namespace {

QString commandLine(const CliCommand &c, qsizetype width)
{
    return QStringLiteral("  ") + QString::fromLatin1(c.usage).leftJustified(width) + QStringLiteral("  ")
           + QLatin1String(c.summary);
}

} // namespace

QString cliOverview()
{
    qsizetype width = 0;
    for (const CliCommand &c : cliCommands())
        width = std::max(width, qsizetype(qstrlen(c.usage)));
    QStringList lines{QStringLiteral("usage: orvane-cli COMMAND [ARGUMENTS]"), QStringLiteral("commands:")};
    for (const CliCommand &c : cliCommands())
        lines.append(commandLine(c, width));
    lines.append(QStringLiteral("exit status: 0 success, 1 found nothing or refused, "
                                "2 bad usage or unreadable input"));
    return lines.join(u'\n');
}

int cliHelp(const QStringList &args)
{
    if (args.isEmpty()) {
        cliOut(cliOverview());
        return 0;
    }
    const CliCommand *c = args.size() == 1 ? findCliCommand(args.first()) : nullptr;
    if (!c)
        return cliUsage("help");
    cliOut(QStringLiteral("usage: orvane-cli ") + QLatin1String(c->usage));
    cliOut(QLatin1String(c->summary));
    return 0;
}

int cliVersion(const QStringList &args)
{
    if (!args.isEmpty())
        return cliUsage("--version");
    cliOut(QStringLiteral("orvane-cli " ORVANE_VERSION));
    return 0;
}

#pragma once
// Runs the built orvane-cli (or another program given) and collects what it printed.

#include <QProcess>
#include <QString>
#include <QStringList>

struct CliRun {
    int exitCode = -1;
    QString out; // standard output, decoded as UTF-8
    QString err;
};

inline CliRun runCli(const QStringList &args, const QString &program = QStringLiteral(ORVANE_BINARY_DIR "/orvane-cli"))
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

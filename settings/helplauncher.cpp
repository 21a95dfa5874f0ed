#include "settings/helplauncher.h"

#include "base/uiport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <signal.h>
#include <unistd.h>

namespace {

// The start time of a process (clock ticks since boot), -1 when there is no such process.
qint64 startTimeOf(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')'); // the command name may hold spaces
    if (close < 0)
        return -1;
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    // Fields after the name start at the third (state); the start time is the 22nd.
    constexpr int StartTimeField = 22 - 3;
    return fields.size() > StartTimeField ? fields.at(StartTimeField).toLongLong() : -1;
}

bool groupExists(qint64 group)
{
    return ::kill(pid_t(-group), 0) == 0;
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

HelpLauncher::HelpLauncher(QObject *parent) : QObject(parent) {}

HelpLauncher::~HelpLauncher()
{
    closeAll();
}

QString HelpLauncher::helpFileFor(const QString &programFolder, const QString &progName, Page page)
{
    // The compiled help file, found whatever the case of its name.
    const QStringList chm = QDir(programFolder).entryList({progName + QStringLiteral(".chm")}, QDir::Files);
    if (!chm.isEmpty())
        return programFolder + u'/' + chm.constFirst();
    const QString html = page == Page::Contents ? QStringLiteral("contents.html") : QStringLiteral("index.html");
    return programFolder + QStringLiteral("/Res/Help/") + html;
}

void HelpLauncher::setViewer(const QString &program, const QStringList &leadingArgs)
{
    m_program = program;
    m_leadingArgs = leadingArgs;
}

bool HelpLauncher::open(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        ui().showMessage(QStringLiteral("ヘルプファイルが見つかりません。\r%1").arg(native(path)));
        return false;
    }
    const QString program = QFileInfo(m_program).isAbsolute() ? m_program
                                                               : QStandardPaths::findExecutable(m_program);
    if (program.isEmpty() || !QFileInfo(program).isExecutable()) {
        ui().showMessage(QStringLiteral("ヘルプを表示するプログラム (%1) が見つかりません。\r"
                                        "HTML を表示できるプログラムを入れてください。")
                             .arg(m_program));
        return false;
    }

    auto *process = new QProcess(this);
    process->setProgram(program);
    process->setArguments(m_leadingArgs + QStringList{path});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    // A group of its own, so that the viewer and whatever it starts can be ended together.
    process->setChildProcessModifier([] { ::setpgid(0, 0); });
    const QString shown = native(path);
    connect(process, &QProcess::finished, this, [shown](int exitCode, QProcess::ExitStatus status) {
        if (status == QProcess::NormalExit && exitCode != 0)
            ui().showMessage(QStringLiteral("ヘルプを表示できませんでした。\r%1").arg(shown));
    });
    process->start();
    if (!process->waitForStarted()) {
        ui().showMessage(QStringLiteral("ヘルプを表示するプログラム (%1) を起動できませんでした。\r%2")
                             .arg(m_program, process->errorString()));
        delete process;
        return false;
    }
    Started s;
    s.process = process;
    s.group = process->processId();
    s.startTime = startTimeOf(s.group);
    m_started.append(s);
    return true;
}

void HelpLauncher::closeAll()
{
    for (const Started &s : std::as_const(m_started)) {
        // While the group exists its id cannot be taken by another process; a process
        // with that id and another start time means the group is gone.
        const qint64 leaderStart = startTimeOf(s.group);
        const bool ours = leaderStart < 0 || leaderStart == s.startTime;
        if (ours && groupExists(s.group))
            ::kill(pid_t(-s.group), SIGTERM);
        s.process->disconnect(this);
        if (s.process->state() != QProcess::NotRunning && !s.process->waitForFinished(1000) && ours)
            ::kill(pid_t(-s.group), SIGKILL);
        s.process->waitForFinished(1000);
        delete s.process;
    }
    m_started.clear();
}

QList<qint64> HelpLauncher::groups() const
{
    QList<qint64> out;
    for (const Started &s : m_started)
        out.append(s.group);
    return out;
}

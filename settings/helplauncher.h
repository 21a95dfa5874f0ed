#pragma once
// Opens the program's help in the desktop's viewer and closes, at exit, the viewers it
// started.
//
// The help is the compiled help file beside the executable (ProgName + ".chm") when
// there is one; otherwise the HTML help shipped in the "Res/Help" folder, whose contents
// ("contents.html") and index ("index.html") are separate pages, so any viewer can show
// either. Each viewer runs in a process group of its own; closeAll ends the groups that
// are still there, and nothing else.

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QProcess;

class HelpLauncher : public QObject
{
    Q_OBJECT

public:
    enum class Page { Contents, Index };

    explicit HelpLauncher(QObject *parent = nullptr);
    ~HelpLauncher() override;

    // The file to show for the page: the compiled help file beside the executable when
    // it exists (whatever the page), else the page of the shipped HTML help. The path
    // returned may not exist.
    static QString helpFileFor(const QString &programFolder, const QString &progName, Page page);

    // The viewer: the program and the arguments put before the file's path. By default
    // the desktop's opener, "xdg-open".
    void setViewer(const QString &program, const QStringList &leadingArgs = {});

    // Starts the viewer on the file. A missing file, a missing viewer or a viewer that
    // fails is told to the user through ui(); false when the viewer was not started.
    bool open(const QString &path);

    // Ends every viewer started here that is still running.
    void closeAll();

    // Process groups started and not yet closed (for tests).
    QList<qint64> groups() const;

private:
    struct Started {
        QProcess *process = nullptr;
        qint64 group = 0;
        qint64 startTime = -1; // the leader's start time, to tell it from a later process with its id
    };

    QString m_program = QStringLiteral("xdg-open");
    QStringList m_leadingArgs;
    QList<Started> m_started;
};

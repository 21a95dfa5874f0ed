#pragma once
// One running Orvane per settings file. Two starts that would write the same settings
// file exclude each other, whoever starts them and whatever their environment: the
// first holds a lock on the folder that holds the settings file and listens on a local
// socket named after that folder; a later start connects, asks the running window to
// come forward, and ends without touching any file.

#include <QObject>
#include <QString>

class QLocalServer;

class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // settingsFolder is the folder of the settings file (see settingsFolder()).
    explicit SingleInstance(const QString &settingsFolder, QObject *parent = nullptr);
    ~SingleInstance() override;

    // The folder that holds the settings file of this program (after GlobalInit).
    static QString settingsFolder();

    // True when this process is the only instance and now listens for later starts.
    bool claim();
    // From a later start: asks the running instance to come forward.
    bool notifyRunning();

    QString serverName() const { return m_serverName; }

    // What a later start tells the user: its own full path, a line break, and the notice.
    static QString alreadyRunningMessage(const QString &executablePath);

signals:
    void anotherStartRequested();

private:
    QString m_folder;
    QString m_serverName;
    int m_folderFd = -1; // holds the lock while this instance runs
    QLocalServer *m_server = nullptr;
};

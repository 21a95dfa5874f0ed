#pragma once
// One running Orvane per user. The first instance holds a lock file and listens on a
// local socket named after the user; a later start connects, asks the running window
// to come forward, and ends without touching any file.

#include <QObject>
#include <QString>

class QLocalServer;
class QLockFile;

class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // name distinguishes the instance key (the application title, per user).
    explicit SingleInstance(const QString &name, QObject *parent = nullptr);
    ~SingleInstance() override;

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
    QString m_serverName;
    QLockFile *m_lock = nullptr;
    QLocalServer *m_server = nullptr;
};

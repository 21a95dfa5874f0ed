#include "app/ui/singleinstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>

SingleInstance::SingleInstance(const QString &name, QObject *parent)
    : QObject(parent)
    , m_serverName(QStringLiteral("%1-%2").arg(name.toLower()).arg(::getuid()))
{
}

SingleInstance::~SingleInstance()
{
    delete m_server;
    delete m_lock;
}

bool SingleInstance::claim()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    m_lock = new QLockFile(dir + u'/' + m_serverName + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(100))
        return false; // a live process holds it (a stale lock after a crash is taken over)
    QLocalServer::removeServer(m_serverName);
    m_server = new QLocalServer;
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_serverName))
        return true; // still the only instance; later starts just cannot reach us
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *s = m_server->nextPendingConnection()) {
            s->waitForReadyRead(500);
            s->write("ok");
            s->flush();
            s->disconnectFromServer();
            s->deleteLater();
            emit anotherStartRequested();
        }
    });
    return true;
}

bool SingleInstance::notifyRunning()
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(1000))
        return false;
    socket.write("raise");
    socket.flush();
    socket.waitForReadyRead(1000);
    return true;
}

QString SingleInstance::alreadyRunningMessage(const QString &executablePath)
{
    return executablePath + u'\r' + QStringLiteral("起動済みです｡");
}

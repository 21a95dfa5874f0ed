#include "app/ui/singleinstance.h"

#include "base/globals.h"
#include "base/programfiles.h"

#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int openFolder(const QString &folder)
{
    return ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

} // namespace

SingleInstance::SingleInstance(const QString &settingsFolder, QObject *parent)
    : QObject(parent)
    , m_folder(settingsFolder)
{
    // The socket is named after the folder itself (device and inode), so that every
    // path to it, and every user and environment, gives the same name; it lives in the
    // abstract namespace, which no runtime or temporary folder setting moves.
    struct stat st;
    if (::stat(QFile::encodeName(settingsFolder).constData(), &st) == 0)
        m_serverName = QStringLiteral("orvane-%1-%2").arg(quint64(st.st_dev)).arg(quint64(st.st_ino));
    else
        m_serverName = QStringLiteral("orvane-") + QFileInfo(settingsFolder).absoluteFilePath();
}

SingleInstance::~SingleInstance()
{
    delete m_server;
    if (m_folderFd >= 0)
        ::close(m_folderFd);
}

QString SingleInstance::settingsFolder()
{
    return QFileInfo(ProgramFiles::writePath(ProgName + QStringLiteral(".Ini"))).absolutePath();
}

bool SingleInstance::claim()
{
    // A lock on the folder: taken by whichever start comes first, released by the system
    // when that process ends, however it ends. Programs this one starts do not inherit it.
    m_folderFd = openFolder(m_folder);
    if (m_folderFd < 0)
        return true; // no folder to guard: no settings file can be shared either
    if (::flock(m_folderFd, LOCK_EX | LOCK_NB) != 0) {
        ::close(m_folderFd);
        m_folderFd = -1;
        return false;
    }
    m_server = new QLocalServer;
    m_server->setSocketOptions(QLocalServer::AbstractNamespaceOption);
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
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
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

#include "nodeops/nodetrash.h"

#include "nodeops/fsentry.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QUrl>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The freedesktop trash, written here rather than taken from QFile::moveToTrash: where
// the trash folder cannot be made, that one moves the file into "files" below the
// current folder instead of failing.
namespace NodeTrash {

namespace {

QByteArray fs(const QString &path)
{
    return QFile::encodeName(path);
}

bool deviceOf(const QString &path, dev_t *device)
{
    struct stat st;
    if (::lstat(fs(path).constData(), &st) != 0)
        return false;
    *device = st.st_dev;
    return true;
}

// The device the path is on, or would be on once made: that of its nearest existing folder.
bool deviceOfNearest(QString path, dev_t *device)
{
    while (!path.isEmpty()) {
        if (deviceOf(path, device))
            return true;
        const QString parent = FsEntry::parentOf(path);
        if (parent == path)
            break;
        path = parent;
    }
    return false;
}

// A real folder (not a link) owned by us, made when missing.
bool ownFolder(const QString &path)
{
    if (!QDir().mkpath(path))
        return false;
    struct stat st;
    return ::lstat(fs(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
}

bool usableTrash(const QString &trash, dev_t device)
{
    dev_t at;
    return ownFolder(trash + QStringLiteral("/files")) && ownFolder(trash + QStringLiteral("/info"))
           && deviceOf(trash + QStringLiteral("/files"), &at) && at == device;
}

// The trash for an entry on `device`: the home trash for the home's own file system,
// else the per-user trash at the top of the entry's file system. Empty when none.
QString trashFor(const QString &path, dev_t device)
{
    const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Trash");
    dev_t homeDevice;
    if (deviceOfNearest(home, &homeDevice) && homeDevice == device)
        return usableTrash(home, device) ? home : QString();
    const QString top = QStorageInfo(FsEntry::parentOf(path)).rootPath();
    if (top.isEmpty())
        return {};
    const QString uid = QString::number(::geteuid());
    // A trash the administrator made for everyone: sticky, not a link; one folder per user in it.
    const QString shared = FsEntry::join(top, QStringLiteral(".Trash"));
    struct stat st;
    if (::lstat(fs(shared).constData(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)
        && usableTrash(shared + u'/' + uid, device))
        return shared + u'/' + uid;
    const QString own = FsEntry::join(top, QStringLiteral(".Trash-") + uid);
    return usableTrash(own, device) ? own : QString();
}

QString isoNow()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddThh:mm:ss"));
}

// Claims a name in the trash by creating its information file; the entry follows.
QString claimName(const QString &trash, const QString &name, const QByteArray &info)
{
    for (int n = 1; n < 10000; ++n) {
        const QString candidate = n == 1 ? name : name + u'.' + QString::number(n);
        const QString infoPath = trash + QStringLiteral("/info/") + candidate + QStringLiteral(".trashinfo");
        if (QFileInfo::exists(trash + QStringLiteral("/files/") + candidate))
            continue;
        const int fd = ::open(fs(infoPath).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return {};
        }
        const bool written = ::write(fd, info.constData(), size_t(info.size())) == info.size();
        if (::close(fd) != 0 || !written) {
            ::unlink(fs(infoPath).constData());
            return {};
        }
        return candidate;
    }
    return {};
}

} // namespace

bool moveToTrash(const QString &path)
{
    const FsEntry::Type type = FsEntry::typeAt(path);
    if (type == FsEntry::Type::None || type == FsEntry::Type::Special)
        return false;
    if (!FsEntry::allowsChanges(FsEntry::parentOf(path)))
        return false;
    if (type == FsEntry::Type::Folder
        && !QDir(path).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        return false;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    dev_t device;
    if (!deviceOf(absolute, &device))
        return false;
    const QString trash = trashFor(absolute, device);
    if (trash.isEmpty())
        return false;
    const QByteArray info = "[Trash Info]\nPath=" + QUrl::toPercentEncoding(absolute, "/") + "\nDeletionDate="
                            + isoNow().toLatin1() + "\n";
    const QString name = claimName(trash, QFileInfo(absolute).fileName(), info);
    if (name.isEmpty())
        return false;
    if (FsEntry::renameEntry(absolute, trash + QStringLiteral("/files/") + name))
        return true;
    ::unlink(fs(trash + QStringLiteral("/info/") + name + QStringLiteral(".trashinfo")).constData());
    return false;
}

} // namespace NodeTrash

#include "nodeops/fileheld.h"

#include "nodeops/fsentry.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool lockedElsewhere(const QString &fsPath)
{
    const QByteArray native = QFile::encodeName(fsPath);
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return false; // unreadable: the command itself will meet the refusal
    bool held = false;
    // A whole-file lock (flock) taken through any other open file.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        held = errno == EWOULDBLOCK;
    else
        ::flock(fd, LOCK_UN);
    // A record lock: open-file-description locks conflict with the locks of other
    // processes and with those of other descriptions in this one.
    if (!held) {
        struct flock probe = {};
        probe.l_type = F_WRLCK;
        probe.l_whence = SEEK_SET;
        probe.l_start = 0;
        probe.l_len = 0;
        if (::fcntl(fd, F_OFD_GETLK, &probe) == 0)
            held = probe.l_type != F_UNLCK;
    }
    ::close(fd);
    return held;
}

bool allDigits(const char *name)
{
    if (!*name)
        return false;
    for (; *name; ++name)
        if (*name < '0' || *name > '9')
            return false;
    return true;
}

// Whether any open descriptor of the process refers to this file (same device and inode).
bool processHasOpen(const char *pid, dev_t dev, ino_t ino)
{
    const QByteArray fdDir = QByteArray("/proc/") + pid + "/fd";
    DIR *dir = ::opendir(fdDir.constData());
    if (!dir)
        return false; // gone, or another user's process we may not look into
    bool found = false;
    while (const dirent *e = ::readdir(dir)) {
        if (!allDigits(e->d_name))
            continue;
        struct stat st;
        if (::fstatat(::dirfd(dir), e->d_name, &st, 0) == 0 && st.st_dev == dev && st.st_ino == ino) {
            found = true;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

// Another process has the file open: the list of open descriptors every process shows
// under /proc, followed to the files they name.
bool openInAnotherProcess(const QString &fsPath)
{
    struct stat target;
    if (::stat(QFile::encodeName(fsPath).constData(), &target) != 0)
        return false;
    DIR *proc = ::opendir("/proc");
    if (!proc)
        return false;
    const QByteArray self = QByteArray::number(qint64(::getpid()));
    bool found = false;
    while (const dirent *e = ::readdir(proc)) {
        if (!allDigits(e->d_name) || self == e->d_name)
            continue;
        if (processHasOpen(e->d_name, target.st_dev, target.st_ino)) {
            found = true;
            break;
        }
    }
    ::closedir(proc);
    return found;
}

} // namespace

bool FileHeld(const QString &fsPath)
{
    if (fsPath.isEmpty())
        return false;
    if (FsEntry::typeAt(fsPath) != FsEntry::Type::File)
        return false;
    return lockedElsewhere(fsPath) || openInAnotherProcess(fsPath);
}

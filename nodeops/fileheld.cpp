#include "nodeops/fileheld.h"

#include "nodeops/fsentry.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
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

} // namespace

bool FileHeld(const QString &fsPath)
{
    if (fsPath.isEmpty())
        return false;
    if (FsEntry::typeAt(fsPath) != FsEntry::Type::File)
        return false;
    return FsEntry::isReadOnly(fsPath) || lockedElsewhere(fsPath);
}

#include "nodeops/fsentry.h"

#include "base/diskfile.h"
#include "base/filefaults.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FsEntry {

namespace {

QByteArray fs(const QString &path)
{
    return QFile::encodeName(path);
}

bool lstatOf(const QString &path, struct stat *st)
{
    return !path.isEmpty() && ::lstat(fs(path).constData(), st) == 0;
}

// A file that may be replaced or deleted: nothing there, a link, or a file with its
// owner write bit set.
bool replaceable(const struct stat &st)
{
    return S_ISLNK(st.st_mode) || (st.st_mode & S_IWUSR);
}

bool copyContent(int in, int out)
{
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n == 0)
            return true;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (!DiskFile::writeAll(out, buffer, n))
            return false;
    }
}

// A temporary name beside `to` that listings never show (it starts with ".").
QByteArray temporaryBeside(const QString &to)
{
    return fs(join(parentOf(to), QStringLiteral(".orvane-copy-XXXXXX")));
}

std::function<void(const QString &)> &beforeCopyTakesItsName()
{
    static std::function<void(const QString &)> hook;
    return hook;
}

// Gives the finished copy its name. Without replacing, a file that appeared at `to`
// while the copy was made stays and the copy fails.
bool takeName(const QByteArray &tmp, const QString &to, Finish finish)
{
    if (const auto &hook = beforeCopyTakesItsName())
        hook(to);
    const QByteArray target = fs(to);
    if (finish == Finish::Replace)
        return ::rename(tmp.constData(), target.constData()) == 0;
    if (::renameat2(AT_FDCWD, tmp.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without the no-replace flag: a second link fails where anything is.
    if (::link(tmp.constData(), target.constData()) != 0)
        return false;
    ::unlink(tmp.constData());
    return true;
}

bool copyLink(const QString &from, const QString &to, Finish finish)
{
    QByteArray target(4096, '\0');
    const ssize_t n = ::readlink(fs(from).constData(), target.data(), size_t(target.size()));
    if (n < 0 || n >= target.size())
        return false;
    target.truncate(n);
    // Reserve a unique name, then put the link there.
    QByteArray tmp = temporaryBeside(to);
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(tmp.constData());
    if (::symlink(target.constData(), tmp.constData()) != 0)
        return false;
    if (!takeName(tmp, to, finish)) {
        ::unlink(tmp.constData());
        return false;
    }
    return true;
}

bool copyRegular(const QString &from, const struct stat &src, const QString &to, Finish finish)
{
    const int in = ::open(fs(from).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (in < 0)
        return false;
    QByteArray tmp = temporaryBeside(to);
    const int out = ::mkstemp(tmp.data());
    if (out < 0) {
        ::close(in);
        return false;
    }
    bool ok = copyContent(in, out);
    ok = ok && ::fchmod(out, src.st_mode & 07777) == 0;
    const struct timespec times[2] = {src.st_atim, src.st_mtim};
    ok = ok && ::futimens(out, times) == 0;
    // On the disk before it takes the name, so a kill or a power cut never leaves a
    // copy that is there but empty.
    ok = ok && !FileFaults::check(FileFaults::Operation::Flush)
         && (DiskFile::FlushBatch::active() || ::fsync(out) == 0);
    ok = (::close(out) == 0) && ok;
    ::close(in);
    if (ok && !FileFaults::check(FileFaults::Operation::Rename) && takeName(tmp, to, finish)) {
        DiskFile::flushFolder(parentOf(to)); // the copy is whole and in place either way
        return true;
    }
    const int saved = errno;
    ::unlink(tmp.constData());
    errno = saved;
    return false;
}

} // namespace

Type typeAt(const QString &path)
{
    struct stat st;
    if (!lstatOf(path, &st))
        return Type::None;
    if (S_ISDIR(st.st_mode))
        return Type::Folder;
    if (S_ISLNK(st.st_mode))
        return Type::Link;
    if (S_ISREG(st.st_mode))
        return Type::File;
    return Type::Special;
}

bool isFolder(const QString &path)
{
    struct stat st;
    return !path.isEmpty() && ::stat(fs(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isHiddenName(const QString &name)
{
    return name.startsWith(u'.');
}

QString parentOf(const QString &path)
{
    QString p = path;
    while (p.size() > 1 && p.endsWith(u'/'))
        p.chop(1);
    const qsizetype slash = p.lastIndexOf(u'/');
    if (slash < 0)
        return QStringLiteral(".");
    if (slash == 0)
        return QStringLiteral("/");
    return p.left(slash);
}

QString join(const QString &folder, const QString &name)
{
    if (folder.isEmpty())
        return name;
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

bool isReadOnly(const QString &path)
{
    struct stat st;
    return lstatOf(path, &st) && !S_ISLNK(st.st_mode) && !(st.st_mode & S_IWUSR);
}

bool makeWritable(const QString &path)
{
    struct stat st;
    if (!lstatOf(path, &st))
        return false;
    if (S_ISLNK(st.st_mode) || (st.st_mode & S_IWUSR))
        return true;
    return ::chmod(fs(path).constData(), (st.st_mode & 07777) | S_IWUSR) == 0;
}

bool allowsChanges(const QString &folder)
{
    struct stat st;
    if (::stat(fs(folder).constData(), &st) != 0)
        return true; // nothing there: the step itself fails
    if (st.st_mode & S_IWUSR)
        return true;
    errno = EACCES; // refused as the system would refuse it to anyone but the superuser
    return false;
}

bool copyFile(const QString &from, const QString &to, Finish finish)
{
    struct stat src;
    if (!lstatOf(from, &src) || !(S_ISREG(src.st_mode) || S_ISLNK(src.st_mode)))
        return false;
    struct stat dst;
    if (lstatOf(to, &dst)
        && (finish == Finish::NoReplace || !(S_ISREG(dst.st_mode) || S_ISLNK(dst.st_mode)) || !replaceable(dst)))
        return false;
    if (!allowsChanges(parentOf(to)))
        return false;
    if (FileFaults::check(FileFaults::Operation::Copy))
        return false;
    return S_ISLNK(src.st_mode) ? copyLink(from, to, finish) : copyRegular(from, src, to, finish);
}

void setBeforeCopyTakesItsName(std::function<void(const QString &to)> hook)
{
    beforeCopyTakesItsName() = std::move(hook);
}

bool removeFile(const QString &path)
{
    struct stat st;
    if (!lstatOf(path, &st) || !(S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)) || !replaceable(st))
        return false;
    if (!allowsChanges(parentOf(path)))
        return false;
    if (FileFaults::check(FileFaults::Operation::Delete))
        return false;
    return ::unlink(fs(path).constData()) == 0;
}

bool makeFolder(const QString &path)
{
    if (path.isEmpty() || !allowsChanges(parentOf(path)))
        return false;
    if (FileFaults::check(FileFaults::Operation::MakeFolder))
        return false;
    return ::mkdir(fs(path).constData(), 0777) == 0;
}

bool removeFolder(const QString &path)
{
    if (typeAt(path) != Type::Folder || !allowsChanges(parentOf(path)))
        return false;
    if (FileFaults::check(FileFaults::Operation::Delete))
        return false;
    return ::rmdir(fs(path).constData()) == 0;
}

bool renameEntry(const QString &from, const QString &to)
{
    if (typeAt(from) == Type::None || to.isEmpty())
        return false;
    if (!allowsChanges(parentOf(from)) || !allowsChanges(parentOf(to)))
        return false;
    if (FileFaults::check(FileFaults::Operation::Rename))
        return false;
    const QByteArray a = fs(from);
    const QByteArray b = fs(to);
    bool renamed = ::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE) == 0;
    if (!renamed) {
        if (errno != EINVAL && errno != ENOSYS)
            return false;
        // A file system without the no-replace flag: check, then rename.
        if (typeAt(to) != Type::None)
            return false;
        renamed = ::rename(a.constData(), b.constData()) == 0;
    }
    if (renamed)
        DiskFile::flushFolder(parentOf(to)); // the new name survives a power cut
    return renamed;
}

bool createEmpty(const QString &path, QString *why)
{
    auto fail = [&](const QString &reason) {
        if (why)
            *why = reason;
        return false;
    };
    if (path.isEmpty())
        return fail(QStringLiteral("パスが空です"));
    if (!allowsChanges(parentOf(path)))
        return fail(QStringLiteral("フォルダーが読み取り専用です"));
    if (FileFaults::check(FileFaults::Operation::Write))
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    const int fd = ::open(fs(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    ::close(fd);
    return true;
}

} // namespace FsEntry

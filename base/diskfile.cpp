#include "base/diskfile.h"

#include "base/filefaults.h"
#include "base/sjiscodec.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace DiskFile {

ReadResult read(const QString &path)
{
    ReadResult r;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        r.error = QStringLiteral("ファイル %1 を開けません。(%2)").arg(path, f.errorString());
        return r;
    }
    r.bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        r.error = QStringLiteral("ファイル %1 を読めません。(%2)").arg(path, f.errorString());
        r.bytes.clear();
        return r;
    }
    r.ok = true;
    return r;
}

namespace {

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}


// A new file beside the target, created by us alone: a hidden name that says whose it is
// (".memo.txt.k3x9qa"), so one left by a kill is not listed and can be told apart. It
// starts with the permissions a new file gets (0666 less the umask), as the target would.
int createTemporary(const QString &folder, const QString &fileName, QByteArray *name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString random = QString::number(QRandomGenerator::system()->bounded(quint32(2176782336u)), 36);
        const QString candidate = folder + QStringLiteral("/.") + fileName + u'.' + random.rightJustified(6, u'0');
        *name = QFile::encodeName(candidate);
        const int fd = ::open(name->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

// In pieces of 64 KB, each of them a step that may fail, as a full disk fails part way.
bool writeAll(int fd, const char *data, qsizetype size)
{
    constexpr qsizetype Piece = 64 * 1024;
    while (size > 0) {
        if (FileFaults::check(FileFaults::Operation::Write))
            return false;
        const ssize_t n = ::write(fd, data, size_t(qMin(size, Piece)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

namespace {
thread_local int batchDepth = 0;
} // namespace

FlushBatch::FlushBatch(const QString &folder)
    : m_folder(folder)
{
    ++batchDepth;
}

FlushBatch::~FlushBatch()
{
    if (--batchDepth > 0)
        return;
    const int fd = ::open(QFile::encodeName(m_folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        ::sync();
        return;
    }
    ::syncfs(fd);
    ::close(fd);
}

bool FlushBatch::active()
{
    return batchDepth > 0;
}

bool flushFolder(const QString &folder)
{
    if (FlushBatch::active())
        return true; // the batch flushes it all at its end
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return ok;
}

bool writeAtomic(const QString &path, const QByteArray &bytes, QString *error)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = QStringLiteral("ファイル %1 を書き込めません。(%2)").arg(path, why);
        return false;
    };
    const QFileInfo info(path);
    // Write through a link to the file it names, never replace the link itself.
    const QString target = info.isSymLink() ? info.symLinkTarget() : path;
    const QFileInfo targetInfo(target);
    if (targetInfo.exists() && targetInfo.isDir())
        return fail(QStringLiteral("フォルダーです"));
    // Read-only means no write permission for the owner, also when running as root
    // (which the system itself would let write anything).
    if (targetInfo.exists() && !(targetInfo.permissions() & QFileDevice::WriteOwner))
        return fail(QStringLiteral("読み取り専用です"));

    // The new version goes to a temporary file that is forced to the disk before it takes
    // the target's name, and the folder is forced after the rename: killed or cut off at
    // any moment, the target is the previous version or the new one, never a part.
    const QString folder = targetInfo.absolutePath();
    QByteArray tmp;
    const int fd = createTemporary(folder, targetInfo.fileName(), &tmp);
    if (fd < 0)
        return fail(reason(errno));
    auto abandon = [&](int why) {
        ::close(fd);
        ::unlink(tmp.constData());
        return fail(reason(why));
    };
    struct stat st;
    if (targetInfo.exists() && ::stat(QFile::encodeName(target).constData(), &st) == 0
        && ::fchmod(fd, st.st_mode & 07777) != 0)
        return abandon(errno);
    if (!writeAll(fd, bytes.constData(), bytes.size()))
        return abandon(errno);
    if (FileFaults::check(FileFaults::Operation::Flush) || ::fsync(fd) != 0)
        return abandon(errno);
    if (::close(fd) != 0) {
        const int why = errno;
        ::unlink(tmp.constData());
        return fail(reason(why));
    }
    if (FileFaults::check(FileFaults::Operation::Rename)
        || ::rename(tmp.constData(), QFile::encodeName(target).constData()) != 0) {
        const int why = errno;
        ::unlink(tmp.constData());
        return fail(reason(why));
    }
    // The new version is in place; the folder's entry goes to the disk too, so that a
    // power cut cannot bring the previous version back. Should that flush fail, the file
    // already holds the whole new version: reporting a failure would make the caller keep
    // (and later take for someone else's change) what is in fact written.
    flushFolder(folder);
    return true;
}

bool writeText(const QString &path, const QString &text, QString *error)
{
    const Sjis::Encoded enc = Sjis::encode(text);
    if (!enc.ok) {
        if (error)
            *error = QStringLiteral("ファイル %1 に保存できない文字があります: %2").arg(path, enc.unencodable);
        return false;
    }
    return writeAtomic(path, enc.bytes, error);
}

} // namespace DiskFile

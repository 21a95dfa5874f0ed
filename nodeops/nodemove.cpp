#include "nodeops/nodemove.h"

#include "base/uiport.h"
#include "nodeops/fsentry.h"
#include "nodeops/functionu.h"
#include "nodeops/nodefiles.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace NodeMove {

namespace {

// Every entry of a folder, hidden and system entries included, never through a link.
QStringList allEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
}

bool writableFolder(const QString &folder)
{
    return FsEntry::allowsChanges(folder) && ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

QByteArray linkTarget(const QString &path)
{
    QByteArray target(4096, '\0');
    const ssize_t n = ::readlink(QFile::encodeName(path).constData(), target.data(), size_t(target.size()));
    return n < 0 ? QByteArray() : target.left(n);
}

// Reads until the buffer is full or the file ends; -1 on an error.
ssize_t readFull(int fd, char *buffer, size_t size)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, buffer + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += size_t(n);
    }
    return ssize_t(done);
}

class Fd
{
public:
    explicit Fd(const QString &path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW))
    {
    }
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

bool sameBytes(const QString &a, const QString &b)
{
    const Fd fa(a), fb(b);
    struct stat sa, sb;
    if (fa.get() < 0 || fb.get() < 0 || ::fstat(fa.get(), &sa) != 0 || ::fstat(fb.get(), &sb) != 0
        || sa.st_size != sb.st_size)
        return false;
    constexpr size_t chunk = 1 << 16;
    static thread_local std::vector<char> x(chunk), y(chunk);
    for (;;) {
        const ssize_t n = readFull(fa.get(), x.data(), chunk);
        const ssize_t m = readFull(fb.get(), y.data(), chunk);
        if (n < 0 || n != m || std::memcmp(x.data(), y.data(), size_t(n)) != 0)
            return false;
        if (size_t(n) < chunk)
            return true;
    }
}

bool sameEntry(const QString &a, const QString &b)
{
    const FsEntry::Type type = FsEntry::typeAt(a);
    if (type != FsEntry::typeAt(b))
        return false;
    switch (type) {
    case FsEntry::Type::File:
        return sameBytes(a, b);
    case FsEntry::Type::Link:
        return linkTarget(a) == linkTarget(b);
    case FsEntry::Type::Folder:
        return sameContent(a, b);
    default:
        return false;
    }
}

void removeCopy(const QString &path)
{
    // A copy of a read-only file is read-only too.
    if (NodeFiles::fileAt(path) && FsEntry::makeWritable(path))
        FsEntry::removeFile(path);
}

void tellNotMoved(const QString &source)
{
    ui().showMessage(QStringLiteral("ノードの移動に失敗しました。\r") + source + QStringLiteral("\r移動元はそのまま残っています"));
}

} // namespace

bool sameContent(const QString &source, const QString &destination)
{
    for (const QString &name : allEntries(source))
        if (!sameEntry(FsEntry::join(source, name), FsEntry::join(destination, name)))
            return false;
    return true;
}

QString firstUnmovable(const QString &folder)
{
    if (!writableFolder(folder))
        return folder;
    for (const QString &name : allEntries(folder)) {
        const QString path = FsEntry::join(folder, name);
        const FsEntry::Type type = FsEntry::typeAt(path);
        if (FsEntry::isHiddenName(name) || type == FsEntry::Type::Special)
            return path;
        if (type == FsEntry::Type::Folder) {
            const QString inner = firstUnmovable(path);
            if (!inner.isEmpty())
                return inner;
        }
    }
    return {};
}

Result moveFile(int kind, const QString &source, const QString &destination)
{
    const QString side = NodeFiles::sidePath(source);
    const QString sideCopy = NodeFiles::sidePath(destination);
    const bool withComment = NodeFiles::hasComment(kind) && NodeFiles::fileAt(side);

    bool copied = FunctionUDetail::patCopy(source, destination, true) == FuDone;
    bool sideCopied = false;
    if (copied && withComment)
        copied = sideCopied = FunctionUDetail::patCopy(side, sideCopy, true) == FuDone;
    if (copied)
        copied = sameEntry(source, destination) && (!withComment || sameEntry(side, sideCopy));
    if (!copied) {
        // Only what this move made goes: a side file that was at the destination before
        // (the reason a side-file copy is refused) stays.
        removeCopy(destination);
        if (sideCopied)
            removeCopy(sideCopy);
        tellNotMoved(source);
        return Result::NotCopied;
    }
    if (NodeFiles::remove(kind, source, true)) {
        removeCopy(destination);
        if (withComment)
            removeCopy(sideCopy);
        return Result::NotCopied;
    }
    return Result::Moved;
}

Result moveFolder(const QString &source, const QString &destination)
{
    const QString unmovable = firstUnmovable(source);
    if (!unmovable.isEmpty() || !writableFolder(FsEntry::parentOf(source))) {
        ui().showMessage(QStringLiteral("フォルダーノードの削除に失敗しました\r")
                         + (unmovable.isEmpty() ? source : unmovable)
                         + QStringLiteral(" は移動できません\r移動元はそのまま残っています"));
        return Result::NotCopied;
    }
    if (!MkDirChk(destination)) {
        ui().showMessage(QStringLiteral("フォルダーノードのコピーに失敗しました"));
        return Result::NotCopied;
    }
    const QString src = source + u'/';
    const QString dst = destination + u'/';
    if (XCopy(src, dst) != FuDone || !sameContent(source, destination)) {
        // The destination folder was made by this move: all of it is the partial copy.
        XDel(dst);
        ui().showMessage(QStringLiteral("フォルダーノードのコピーに失敗しました\rTree内容を実ファイルを確認して下さい"));
        return Result::NotCopied;
    }
    if (XDel(src) != FuDone) {
        ui().showMessage(QStringLiteral("フォルダーノードの削除に失敗しました\rTree内容を実ファイルを確認して下さい"));
        return Result::SourceNotDeleted;
    }
    return Result::Moved;
}

} // namespace NodeMove

#include "support/unprivileged.h"

#include <QDirIterator>
#include <QFile>

#include <cerrno>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// In the child: gives up root for good; false when it is still there.
bool dropRoot()
{
    if (::geteuid() != 0)
        return true;
    if (::setgroups(0, nullptr) != 0 || ::setgid(gid_t(kUnprivilegedId)) != 0
        || ::setuid(uid_t(kUnprivilegedId)) != 0)
        return false;
    return ::geteuid() == uid_t(kUnprivilegedId) && ::setuid(0) != 0;
}

void writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        data += n;
        left -= n;
    }
}

} // namespace

QString runUnprivileged(const std::function<QString()> &body)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return QStringLiteral("no pipe to the child");
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(channel[0]);
        ::close(channel[1]);
        return QStringLiteral("no child process");
    }
    if (pid == 0) {
        ::close(channel[0]);
        // "+" marks an answer, so that a child that ends without one is told apart.
        const QString answer = dropRoot() ? body() : QStringLiteral("the child could not give up root");
        writeAll(channel[1], '+' + answer.toUtf8());
        ::close(channel[1]);
        ::_exit(0);
    }
    ::close(channel[1]);
    QByteArray received;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(channel[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        received.append(buffer, n);
    }
    ::close(channel[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!received.startsWith('+'))
        return QStringLiteral("the child ended without an answer (status %1)").arg(status);
    return QString::fromUtf8(received.mid(1));
}

void giveToUnprivileged(const QString &path)
{
    if (::geteuid() != 0)
        return;
    auto give = [](const QString &p) {
        ::lchown(QFile::encodeName(p).constData(), uid_t(kUnprivilegedId), gid_t(kUnprivilegedId));
    };
    give(path);
    QDirIterator it(path, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        give(it.next());
}

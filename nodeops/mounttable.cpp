#include "nodeops/mounttable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace MountTable {

namespace {

// Undoes the octal escapes the kernel writes for blanks and backslashes in names.
QString unescape(const QByteArray &field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field.at(i) == '\\' && i + 3 < field.size()) {
            const QByteArray oct = field.mid(i + 1, 3);
            bool ok = true;
            for (char c : oct)
                ok = ok && c >= '0' && c <= '7';
            if (ok) {
                out.append(char(oct.toInt(nullptr, 8)));
                i += 3;
                continue;
            }
        }
        out.append(field.at(i));
    }
    return QFile::decodeName(out);
}

QByteArray readAll(const char *path)
{
    QFile f(QString::fromLatin1(path));
    // Files in /proc report a size of 0: read until the end.
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool isUnder(const QString &path, const QString &folder)
{
    if (folder == u"/")
        return path.startsWith(u'/');
    return path == folder || path.startsWith(folder + u'/');
}

} // namespace

QList<Mount> parseMountInfo(const QByteArray &text)
{
    // id parent major:minor root mount-point options [optional fields] - fstype source super-options
    QList<Mount> table;
    for (const QByteArray &line : text.split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        const qsizetype dash = f.indexOf("-");
        if (f.size() < 5 || dash < 5 || dash + 2 >= f.size())
            continue;
        table.append(Mount{unescape(f[4]), unescape(f[dash + 1]), unescape(f[dash + 2])});
    }
    return table;
}

QList<Mount> parseMounts(const QByteArray &text)
{
    // source mount-point fstype options dump pass
    QList<Mount> table;
    for (const QByteArray &line : text.split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        if (f.size() < 3)
            continue;
        table.append(Mount{unescape(f[1]), unescape(f[2]), unescape(f[0])});
    }
    return table;
}

QList<Mount> current()
{
    const QList<Mount> info = parseMountInfo(readAll("/proc/self/mountinfo"));
    return info.isEmpty() ? parseMounts(readAll("/proc/mounts")) : info;
}

const Mount *mountOf(const QList<Mount> &table, const QString &canonicalPath)
{
    const Mount *best = nullptr;
    for (const Mount &m : table)
        if (isUnder(canonicalPath, m.mountPoint) && (!best || m.mountPoint.size() >= best->mountPoint.size()))
            best = &m;
    return best;
}

int kindOf(const Mount &mount, const std::function<bool(const QString &)> &isRemovable)
{
    static const QSet<QString> cd = {QStringLiteral("iso9660"), QStringLiteral("udf")};
    static const QSet<QString> remote = {
        QStringLiteral("nfs"),       QStringLiteral("nfs4"),    QStringLiteral("cifs"),
        QStringLiteral("smb3"),      QStringLiteral("smbfs"),   QStringLiteral("ncpfs"),
        QStringLiteral("afs"),       QStringLiteral("ceph"),    QStringLiteral("9p"),
        QStringLiteral("glusterfs"), QStringLiteral("lustre"),  QStringLiteral("davfs"),
        QStringLiteral("fuse.sshfs"), QStringLiteral("fuse.glusterfs"), QStringLiteral("fuse.davfs2"),
        QStringLiteral("fuse.rclone"),
    };
    static const QSet<QString> ram = {QStringLiteral("tmpfs"), QStringLiteral("ramfs")};
    const QString type = mount.fsType.toLower();
    if (cd.contains(type))
        return DriveCdRom;
    if (remote.contains(type))
        return DriveRemote;
    if (ram.contains(type))
        return DriveRam;
    if (mount.source.startsWith(QStringLiteral("/dev/")) && isRemovable && isRemovable(mount.source))
        return DriveRemovable;
    return DriveFixed;
}

bool isRemovableDevice(const QString &device)
{
    // /dev/disk/by-*/... and /dev/mapper/... are links to the device node.
    const QString node = QFileInfo(device).canonicalFilePath();
    if (node.isEmpty())
        return false;
    const QString block = QStringLiteral("/sys/class/block/") + QFileInfo(node).fileName();
    QString flag = block + QStringLiteral("/removable");
    if (!QFileInfo::exists(flag)) // a partition: the flag sits on its disk
        flag = QFileInfo(QFileInfo(block).canonicalFilePath()).absolutePath() + QStringLiteral("/removable");
    return readAll(QFile::encodeName(flag).constData()).trimmed() == "1";
}

bool isMountPoint(const QString &folder)
{
    const QString path = QFileInfo(folder).canonicalFilePath();
    if (path.isEmpty())
        return false;
    for (const Mount &m : current())
        if (m.mountPoint == path)
            return true;
    return false;
}

} // namespace MountTable

#pragma once
// The mounted file systems, from /proc/self/mountinfo (or /proc/mounts), and the drive
// kind the utility library reports for a path: the kind of the file system the path
// lies on.

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

namespace MountTable {

struct Mount {
    QString mountPoint;
    QString fsType;
    QString source; // device or remote name as the table gives it
};

// Drive kinds, as the platform's drive-type query numbers them.
enum DriveKindValue : int {
    DriveFixed = 0,
    DriveRemote = 1,
    DriveRemovable = 2,
    DriveRam = 3,
    DriveCdRom = 9,
    DriveUnknown = 10,
};

// Parses the text of /proc/self/mountinfo; octal escapes ("\040") are undone.
QList<Mount> parseMountInfo(const QByteArray &text);
// Parses the text of /proc/mounts (the fstab form).
QList<Mount> parseMounts(const QByteArray &text);
// The table of this process.
QList<Mount> current();

// The mount that holds the absolute, link-free path: the longest mount point that is the
// path or one of its folders; among equal ones the last (it hides the earlier). Null when none.
const Mount *mountOf(const QList<Mount> &table, const QString &canonicalPath);

// The drive kind of a mount: CD/DVD file systems 9, network file systems 1, tmpfs and
// ramfs 3, a block device the kernel marks removable 2, anything else 0.
int kindOf(const Mount &mount, const std::function<bool(const QString &device)> &isRemovable);
// True when the kernel marks the block device (a "/dev/..." path) removable.
bool isRemovableDevice(const QString &device);

// True when the folder is itself the mount point of a mounted file system.
bool isMountPoint(const QString &folder);

} // namespace MountTable

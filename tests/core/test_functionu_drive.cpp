// DriveKind: the kind of the file system a path lies on, from the mount table.

#include "nodeops/functionu.h"
#include "nodeops/mounttable.h"

#include <gtest/gtest.h>

#include <QFileInfo>

TEST(MountTableParse, MountInfoAndMounts)
{
    const QByteArray info =
        "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
        "30 22 0:25 / /media/usb\\040stick rw master:2 - vfat /dev/sdb1 rw\n"
        "31 22 0:26 / /mnt/cd ro - iso9660 /dev/sr0 ro\n"
        "32 22 0:27 / /net rw - nfs4 server:/export rw\n"
        "33 22 0:28 / /dev/shm rw - tmpfs tmpfs rw\n"
        "garbage line\n";
    const QList<MountTable::Mount> t = MountTable::parseMountInfo(info);
    ASSERT_EQ(t.size(), 5);
    EXPECT_EQ(t[1].mountPoint, "/media/usb stick");
    EXPECT_EQ(t[1].fsType, "vfat");
    EXPECT_EQ(t[1].source, "/dev/sdb1");
    EXPECT_EQ(t[3].source, "server:/export");

    const QList<MountTable::Mount> m = MountTable::parseMounts("/dev/sda1 / ext4 rw 0 0\ntmpfs /tmp tmpfs rw 0 0\n");
    ASSERT_EQ(m.size(), 2);
    EXPECT_EQ(m[1].mountPoint, "/tmp");
    EXPECT_EQ(m[1].fsType, "tmpfs");

    // The longest mount point that holds the path; a later mount on the same point wins.
    QList<MountTable::Mount> table = t;
    table.append(MountTable::Mount{"/net", "cifs", "//srv/share"});
    EXPECT_EQ(MountTable::mountOf(table, "/media/usb stick/a/b")->mountPoint, "/media/usb stick");
    EXPECT_EQ(MountTable::mountOf(table, "/media/usb")->mountPoint, "/");
    EXPECT_EQ(MountTable::mountOf(table, "/net/x")->fsType, "cifs");
    EXPECT_EQ(MountTable::mountOf(table, "/networks")->mountPoint, "/");
    EXPECT_EQ(MountTable::mountOf({}, "/a"), nullptr);
}

TEST(MountTableKind, ByFileSystemAndDevice)
{
    struct Case {
        const char *type;
        const char *source;
        int kind;
    };
    const QList<Case> cases = {
        {"ext4", "/dev/sda1", 0},  {"btrfs", "/dev/nvme0n1p2", 0}, {"overlay", "overlay", 0},
        {"vfat", "/dev/sdb1", 2},  {"exfat", "/dev/sdb1", 2},      {"ext4", "/dev/sdb2", 2},
        {"iso9660", "/dev/sr0", 9}, {"udf", "/dev/sr0", 9},
        {"nfs", "srv:/x", 1},      {"nfs4", "srv:/x", 1},          {"cifs", "//srv/s", 1},
        {"fuse.sshfs", "u@h:", 1}, {"tmpfs", "tmpfs", 3},          {"ramfs", "ramfs", 3},
        {"proc", "proc", 0},
    };
    // The test's removable devices: the partitions of sdb.
    const auto removable = [](const QString &device) { return device.startsWith("/dev/sdb"); };
    for (const Case &c : cases)
        EXPECT_EQ(MountTable::kindOf({"/m", c.type, c.source}, removable), c.kind) << c.type << " " << c.source;
}

TEST(FunctionUDrive, DriveKindOfThisMachine)
{
    EXPECT_EQ(DriveKind("/no/such/path/anywhere"), 10);
    EXPECT_EQ(DriveKind(""), 10);
    const QList<MountTable::Mount> table = MountTable::current();
    ASSERT_FALSE(table.isEmpty());
    // Whatever this machine mounts, DriveKind agrees with its own table.
    for (const QString &path : {QStringLiteral("/"), QStringLiteral("/proc"), QStringLiteral("/dev/shm")}) {
        const QString canonical = QFileInfo(path).canonicalFilePath();
        if (canonical.isEmpty())
            continue;
        const MountTable::Mount *mount = MountTable::mountOf(table, canonical);
        ASSERT_NE(mount, nullptr);
        EXPECT_EQ(DriveKind(path), MountTable::kindOf(*mount, MountTable::isRemovableDevice)) << path.toStdString();
        if (mount->fsType == u"tmpfs") {
            EXPECT_EQ(DriveKind(path), 3);
        }
    }
    EXPECT_TRUE(MountTable::isMountPoint("/"));
    EXPECT_TRUE(MountTable::isMountPoint("/proc"));
    EXPECT_FALSE(MountTable::isMountPoint("/proc/self"));
}

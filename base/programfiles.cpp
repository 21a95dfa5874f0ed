#include "base/programfiles.h"

#include "base/globals.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace ProgramFiles {

namespace {

std::optional<Home> forcedHome;

const QString kOwnFolder = QStringLiteral("orvane");

bool folderWritable(const QString &folder)
{
    const QByteArray path = QFile::encodeName(folder);
    struct stat st;
    if (::stat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    return (st.st_mode & S_IWUSR) != 0 && ::access(path.constData(), W_OK) == 0;
}

QString join(const QString &folder, const QString &relative)
{
    return relative.isEmpty() ? folder : folder + u'/' + relative;
}

QString userPath(const QString &relative)
{
    return join(configFolder(), relative);
}

} // namespace

Home home()
{
    if (forcedHome)
        return *forcedHome;
    return folderWritable(ExeDir) ? Home::Portable : Home::User;
}

void forceHome(std::optional<Home> forced)
{
    forcedHome = forced;
}

QString readPath(const QString &relative)
{
    if (home() == Home::User) {
        const QString mine = userPath(relative);
        if (QFileInfo::exists(mine))
            return mine;
    }
    return shippedPath(relative);
}

QString writePath(const QString &relative)
{
    if (home() == Home::Portable)
        return shippedPath(relative);
    const QString mine = userPath(relative);
    QDir().mkpath(QFileInfo(mine).absolutePath());
    const QString shipped = shippedPath(relative);
    if (!QFileInfo::exists(mine) && QFileInfo(shipped).isFile() && QFile::copy(shipped, mine)) {
        // The shipped copy may be read-only; the user's copy is the user's to change.
        QFile::setPermissions(mine, QFile::permissions(mine) | QFile::WriteOwner | QFile::ReadOwner);
    }
    return mine;
}

QString ownPath(const QString &relative)
{
    return home() == Home::Portable ? shippedPath(relative) : userPath(relative);
}

QStringList readFolders(const QString &relativeDir)
{
    QStringList folders;
    if (home() == Home::User && QFileInfo(userPath(relativeDir)).isDir())
        folders.append(userPath(relativeDir));
    if (QFileInfo(shippedPath(relativeDir)).isDir())
        folders.append(shippedPath(relativeDir));
    return folders;
}

QString shippedPath(const QString &relative)
{
    return join(ExeDir, relative);
}

QString configFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' + kOwnFolder;
}

QString dataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u'/' + kOwnFolder;
}

QString shippedReadMeTree()
{
    return shippedPath(QStringLiteral("ReadMe.Orvan"));
}

QString readMeTree()
{
    if (home() == Home::Portable)
        return shippedReadMeTree();
    return dataFolder() + QStringLiteral("/ReadMe/ReadMe.Orvan");
}

QString defaultTree()
{
    const QString name = ProgName + QStringLiteral(".Orvan");
    if (home() == Home::Portable)
        return shippedPath(name);
    QDir().mkpath(dataFolder()); // so that the tree can be created there
    return dataFolder() + u'/' + name;
}

} // namespace ProgramFiles

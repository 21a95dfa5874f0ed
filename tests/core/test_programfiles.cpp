// Where the program's own files live: beside the executable while its folder can be
// written (a portable copy), in the user's folders when it cannot (an installed
// program), and the read-me tree copied for the user at a first start.

#include "app/readmetree.h"
#include "base/globals.h"
#include "base/programfiles.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {

using ProgramFiles::Home;

// An executable folder and the user's folders, all temporary. The program folder can
// be closed the way an installation leaves it (no write bit), which the program honours
// for every user, the superuser too.
struct Homes {
    TestDir dir;
    QString exeDir = dir.file(QStringLiteral("exe"));
    QString config = dir.file(QStringLiteral("config"));
    QString data = dir.file(QStringLiteral("data"));
    QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    QByteArray oldData = qgetenv("XDG_DATA_HOME");

    Homes()
    {
        GlobalInit(dir.makeExeDir());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
        qputenv("XDG_DATA_HOME", QFile::encodeName(data));
        ProgramFiles::forceHome(std::nullopt);
    }
    ~Homes()
    {
        closeProgramFolder(false);
        qputenv("XDG_CONFIG_HOME", oldConfig);
        qputenv("XDG_DATA_HOME", oldData);
        ProgramFiles::forceHome(std::nullopt);
    }
    void closeProgramFolder(bool closed)
    {
        QFile::setPermissions(exeDir, closed ? QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                             : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GlobalInit(exeDir + QStringLiteral("/orvane"));
    }
    // The shipped read-me tree laid out beside the executable, as the build does.
    void shipReadMe()
    {
        const QString source = QStringLiteral(ORVANE_SOURCE_DIR "/ReadMe");
        QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString from = it.next();
            const QString to = exeDir + u'/' + QDir(source).relativeFilePath(from);
            QDir().mkpath(QFileInfo(to).absolutePath());
            QFile::copy(from, to);
        }
    }
};

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every file below a folder with its bytes, by relative path.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), bytesOf(path));
    }
    return files;
}

} // namespace

TEST(ProgramFiles, HomeFollowsTheProgramFolderPermissions)
{
    Homes h;
    EXPECT_EQ(ProgramFiles::home(), Home::Portable);
    h.closeProgramFolder(true);
    EXPECT_EQ(ProgramFiles::home(), Home::User);
    h.closeProgramFolder(false);
    EXPECT_EQ(ProgramFiles::home(), Home::Portable);
    // A program folder that is not there cannot be written either.
    GlobalInit(h.dir.file(QStringLiteral("gone/orvane")));
    EXPECT_EQ(ProgramFiles::home(), Home::User);
    ProgramFiles::forceHome(Home::Portable);
    EXPECT_EQ(ProgramFiles::home(), Home::Portable);
}

TEST(ProgramFiles, PortableCopyKeepsEverythingBesideTheExecutable)
{
    Homes h;
    const QString ini = QStringLiteral("ORVANE.Ini");
    EXPECT_EQ(ProgramFiles::readPath(ini), h.exeDir + QStringLiteral("/ORVANE.Ini"));
    EXPECT_EQ(ProgramFiles::writePath(QStringLiteral("Res/OLEFEX.ini")), h.exeDir + QStringLiteral("/Res/OLEFEX.ini"));
    EXPECT_EQ(ProgramFiles::readFolders(QStringLiteral("Res")), QStringList{h.exeDir + QStringLiteral("/Res")});
    EXPECT_EQ(ProgramFiles::readMeTree(), h.exeDir + QStringLiteral("/ReadMe.Orvan"));
    EXPECT_EQ(ProgramFiles::defaultTree(), h.exeDir + QStringLiteral("/ORVANE.Orvan"));
    EXPECT_FALSE(QFileInfo::exists(h.config));
    EXPECT_FALSE(QFileInfo::exists(h.data));
}

// Installed: writes go to the user's folder, reads take the user's copy when there is
// one and the shipped copy otherwise; the shipped files are never changed.
TEST(ProgramFiles, InstalledProgramWritesToTheUsersFolderAndReadsTheShippedCopyUntilThen)
{
    Homes h;
    h.dir.createFile(QStringLiteral("exe/Res/様式Memo日報.TXT"), "shipped\r\n");
    h.closeProgramFolder(true);
    const auto shipped = snapshot(h.exeDir);
    const QString memoExt = QStringLiteral("Res/MemoFEX.ini");
    const QString cfg = h.config + QStringLiteral("/orvane/");

    EXPECT_EQ(ProgramFiles::readPath(memoExt), h.exeDir + u'/' + memoExt);
    EXPECT_EQ(ProgramFiles::readPath(QStringLiteral("ORVANE.Ini")), h.exeDir + QStringLiteral("/ORVANE.Ini"));
    EXPECT_FALSE(QFileInfo::exists(h.config)) << "reading creates nothing";

    // The first write carries the shipped copy over, so a key-by-key writer keeps it.
    const QString target = ProgramFiles::writePath(memoExt);
    EXPECT_EQ(target, cfg + memoExt);
    EXPECT_EQ(bytesOf(target), bytesOf(h.exeDir + u'/' + memoExt));
    EXPECT_TRUE(QFileInfo(target).isWritable());
    EXPECT_EQ(ProgramFiles::readPath(memoExt), target);

    // A file with no shipped copy: only its folder is made.
    EXPECT_EQ(ProgramFiles::writePath(QStringLiteral("Orvan履歴.Ini")), cfg + QStringLiteral("Orvan履歴.Ini"));
    EXPECT_FALSE(QFileInfo::exists(cfg + QStringLiteral("Orvan履歴.Ini")));

    EXPECT_EQ(ProgramFiles::readFolders(QStringLiteral("Res")),
              (QStringList{cfg + QStringLiteral("Res"), h.exeDir + QStringLiteral("/Res")}));
    EXPECT_EQ(ProgramFiles::readMeTree(), h.data + QStringLiteral("/orvane/ReadMe/ReadMe.Orvan"));
    EXPECT_EQ(ProgramFiles::defaultTree(), h.data + QStringLiteral("/orvane/ORVANE.Orvan"));
    EXPECT_TRUE(QFileInfo(h.data + QStringLiteral("/orvane")).isDir()) << "the default tree can be created";
    EXPECT_EQ(ProgramFiles::shippedPath(QStringLiteral("Res/Help")), h.exeDir + QStringLiteral("/Res/Help"));
    EXPECT_EQ(snapshot(h.exeDir), shipped);
}

TEST(ReadMeTree, InstalledFirstStartCopiesTheTreeAndEveryNodeOnce)
{
    Homes h;
    h.shipReadMe();
    h.closeProgramFolder(true);
    const QString shipped = h.exeDir;
    const QString mine = h.data + QStringLiteral("/orvane/ReadMe");

    EXPECT_EQ(ReadMeTree::prepare(), mine + QStringLiteral("/ReadMe.Orvan"));
    const auto copied = snapshot(mine);
    ASSERT_TRUE(copied.contains(QStringLiteral("ReadMe.Orvan")));
    int nodes = 0;
    for (auto it = copied.cbegin(); it != copied.cend(); ++it) {
        EXPECT_EQ(it.value(), bytesOf(shipped + u'/' + it.key())) << it.key().toStdString();
        ++nodes;
    }
    EXPECT_GT(nodes, 20);
    // What the tree does not name (the program's own files) stays behind.
    EXPECT_FALSE(copied.contains(QStringLiteral("Res/MemoFEX.ini")));
    // Every file of the shipped read-me tree came along.
    for (const QString &rel : snapshot(QStringLiteral(ORVANE_SOURCE_DIR "/ReadMe")).keys())
        EXPECT_TRUE(copied.contains(rel)) << rel.toStdString();

    // The user's edits are theirs: a later call copies nothing over them.
    QFile edited(mine + QStringLiteral("/はじめに.TXT"));
    ASSERT_TRUE(edited.open(QIODevice::WriteOnly));
    edited.write("mine\r\n");
    edited.close();
    EXPECT_EQ(ReadMeTree::prepare(), mine + QStringLiteral("/ReadMe.Orvan"));
    EXPECT_EQ(bytesOf(mine + QStringLiteral("/はじめに.TXT")), QByteArray("mine\r\n"));
}

TEST(ReadMeTree, PortableCopyOpensTheShippedTreeAndWithoutOneNothingIsMade)
{
    Homes h;
    h.shipReadMe();
    EXPECT_EQ(ReadMeTree::prepare(), h.exeDir + QStringLiteral("/ReadMe.Orvan"));
    EXPECT_FALSE(QFileInfo::exists(h.data));

    Homes bare; // installed without a read-me tree: the start falls back to the default tree
    bare.closeProgramFolder(true);
    const QString target = ReadMeTree::prepare();
    EXPECT_FALSE(QFileInfo::exists(target));
}

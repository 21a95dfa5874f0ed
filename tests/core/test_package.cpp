// The desktop integration files and the Debian package: the desktop entry passes the
// desktop's validator, the tree-file type maps "*.Orvan" files to Orvane, and CPack
// builds a .deb holding the installation with dependencies taken from the binaries.

#include "support/testdir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

namespace {

const QString kPackaging = QStringLiteral(ORVANE_SOURCE_DIR "/packaging");

struct Ran {
    int exitCode = -1;
    QString out;
    QString err;
};

Ran run(const QString &program, const QStringList &args, const QString &workDir = {})
{
    QProcess p;
    if (!workDir.isEmpty())
        p.setWorkingDirectory(workDir);
    p.start(program, args);
    if (!p.waitForFinished(240000))
        p.kill();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

TEST(DesktopFiles, EntryValidatesAndOpensTreeFiles)
{
    const Ran r = run(QStringLiteral("desktop-file-validate"), {kPackaging + QStringLiteral("/orvane.desktop")});
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString() << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << "warnings: " << r.out.toStdString();

    QFile entry(kPackaging + QStringLiteral("/orvane.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(entry.readAll()).split(u'\n');
    for (const char *line : {"Exec=orvane %f", "Icon=orvane", "MimeType=application/x-orvane-tree;", "Name=Orvane"})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(line))) << line;
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const QString &l) { return l.startsWith(u"GenericName[ja]="); }));
}

// The shared MIME database built from our type alone maps the extension to it, in any
// letter case (the database keeps case-insensitive globs in lower case).
TEST(DesktopFiles, MimeTypeCoversTheTreeFileExtension)
{
    TestDir dir;
    dir.createDir(QStringLiteral("mime/packages"));
    ASSERT_TRUE(QFile::copy(kPackaging + QStringLiteral("/orvane-mime.xml"), dir.file(QStringLiteral("mime/packages/orvane.xml"))));
    const Ran r = run(QStringLiteral("update-mime-database"), {dir.file(QStringLiteral("mime"))});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString globs = QString::fromUtf8(dir.read(QStringLiteral("mime/globs2")));
    EXPECT_TRUE(globs.contains(QStringLiteral(":application/x-orvane-tree:*.orvan"))) << globs.toStdString();
    const QString icons = QString::fromUtf8(dir.read(QStringLiteral("mime/icons")));
    EXPECT_TRUE(icons.contains(QStringLiteral("application/x-orvane-tree:application-x-orvane-tree")));
}

// What CI ships: cpack over the build, into a folder of its own.
TEST(DebianPackage, HoldsTheInstallationAndComputedDependencies)
{
    TestDir dir;
    const Ran pack = run(QStringLiteral(ORVANE_CPACK_COMMAND),
                         {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                          QStringLiteral(ORVANE_BINARY_DIR "/CPackConfig.cmake"), QStringLiteral("-B"), dir.path()},
                         dir.path());
    ASSERT_EQ(pack.exitCode, 0) << pack.out.toStdString() << pack.err.toStdString();
    const QStringList debs = QDir(dir.path()).entryList({QStringLiteral("orvane_*.deb")}, QDir::Files);
    ASSERT_EQ(debs.size(), 1) << pack.out.toStdString();
    const QString deb = dir.file(debs.first());

    const Ran contents = run(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), deb});
    ASSERT_EQ(contents.exitCode, 0) << contents.err.toStdString();
    for (const char *entry : {"./usr/lib/orvane/orvane", "./usr/lib/orvane/orvane-cli", "./usr/lib/orvane/Res/MemoFEX.ini",
                              "./usr/lib/orvane/Res/Ac.ani", "./usr/lib/orvane/ReadMe.Orvan",
                              "./usr/lib/orvane/はじめに.TXT", "./usr/bin/orvane -> ../lib/orvane/orvane",
                              "./usr/bin/orvane-cli -> ../lib/orvane/orvane-cli",
                              "./usr/share/applications/orvane.desktop",
                              "./usr/share/icons/hicolor/scalable/apps/orvane.svg",
                              "./usr/share/mime/packages/orvane.xml"})
        EXPECT_TRUE(contents.out.contains(QString::fromUtf8(entry))) << entry;

    const Ran depends = run(QStringLiteral("dpkg-deb"), {QStringLiteral("--field"), deb, QStringLiteral("Depends")});
    for (const char *package : {"libqt6widgets6", "libqt6core6", "libjpeg62-turbo", "qt6-qpa-plugins"})
        EXPECT_TRUE(depends.out.contains(QLatin1String(package))) << depends.out.toStdString();
}

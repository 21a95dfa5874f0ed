// The installation made by "cmake --install": its layout, the installed orvane-cli on
// the installed read-me tree, and the installed program started by a user who cannot
// write the program folder: its files go to the user's folders, the program folder is
// left as it was, and a second start reads the settings back.

#include "base/inifile.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const uid_t kNobody = 65534;

struct Ran {
    int exitCode = -1;
    QString out;
    QString err;
};

// One installation for the whole file: installing takes a moment.
class Install : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        dir = new TestDir;
        prefix = dir->file(QStringLiteral("prefix"));
        QProcess p;
        p.start(QStringLiteral(ORVANE_CMAKE_COMMAND),
                {QStringLiteral("--install"), QStringLiteral(ORVANE_BINARY_DIR), QStringLiteral("--prefix"), prefix});
        p.waitForFinished(120000);
        installLog = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
        installed = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        // Another user must be able to reach the installation, as under /usr.
        ::chmod(QFile::encodeName(dir->path()).constData(), 0755);
    }
    static void TearDownTestSuite()
    {
        delete dir;
        dir = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(installed) << installLog.toStdString(); }

    static QString programDir() { return prefix + QStringLiteral("/lib/orvane"); }

    static TestDir *dir;
    static QString prefix;
    static QString installLog;
    static bool installed;
};

TestDir *Install::dir = nullptr;
QString Install::prefix;
QString Install::installLog;
bool Install::installed = false;

Ran run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        const QFileInfo info(path);
        QByteArray entry = QByteArray::number(info.lastModified().toMSecsSinceEpoch());
        if (info.isFile() && f.open(QIODevice::ReadOnly))
            entry += f.readAll();
        files.insert(QDir(folder).relativeFilePath(path), entry);
    }
    return files;
}

void chownTree(const QString &folder, uid_t uid)
{
    if (::geteuid() != 0)
        return;
    ::chown(QFile::encodeName(folder).constData(), uid, uid);
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        ::lchown(QFile::encodeName(it.next()).constData(), uid, uid);
}

// The installed program started from bin/ by a user with this home folder, offscreen.
// The superuser may write anywhere, so as the superuser the program runs as "nobody".
// It is ended the way a desktop session ends it (SIGTERM) once `ready` holds.
struct Started {
    int exitCode = -1;
    bool normalExit = false;
    bool becameReady = false;
    QString err;
};

Started startInstalled(const QString &prefix, const QString &home, const std::function<bool()> &ready)
{
    const QString runtime = home + QStringLiteral("/runtime");
    QDir().mkpath(runtime);
    ::chmod(QFile::encodeName(runtime).constData(), 0700);
    chownTree(home, kNobody);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QLatin1String(name));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(home);
    const QString orvane = prefix + QStringLiteral("/bin/orvane");
    if (::geteuid() == 0) {
        p.start(QStringLiteral("setpriv"), {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                            QStringLiteral("--clear-groups"), QStringLiteral("--"), orvane});
    } else {
        p.start(orvane, {});
    }
    Started s;
    if (!p.waitForStarted(10000))
        return s;
    s.becameReady = QTest::qWaitFor([&] { return ready() || p.state() == QProcess::NotRunning; }, 60000) && ready();
    p.terminate();
    if (!p.waitForFinished(30000))
        p.kill();
    p.waitForFinished(5000);
    s.exitCode = p.exitCode();
    s.normalExit = p.exitStatus() == QProcess::NormalExit;
    s.err = QString::fromUtf8(p.readAllStandardError());
    return s;
}

} // namespace

TEST_F(Install, LaysOutTheProgramFolderLinksAndDesktopFiles)
{
    for (const char *rel : {"lib/orvane/orvane", "lib/orvane/orvane-cli", "lib/orvane/Res/MemoFEX.ini",
                            "lib/orvane/Res/Ac.ani", "lib/orvane/Res/Help/contents.html",
                            "lib/orvane/ReadMe.Orvan", "lib/orvane/はじめに.TXT", "lib/orvane/見本/絵/木の絵.BMP",
                            "share/applications/orvane.desktop", "share/icons/hicolor/scalable/apps/orvane.svg",
                            "share/icons/hicolor/scalable/mimetypes/application-x-orvane-tree.svg",
                            "share/mime/packages/orvane.xml"})
        EXPECT_TRUE(QFileInfo(prefix + u'/' + QString::fromUtf8(rel)).isFile()) << rel;
    for (const char *exe : {"orvane", "orvane-cli"}) {
        const QFileInfo link(prefix + QStringLiteral("/bin/") + QLatin1String(exe));
        EXPECT_TRUE(link.isSymLink()) << exe;
        char target[256] = {};
        ::readlink(QFile::encodeName(link.filePath()).constData(), target, sizeof target - 1);
        EXPECT_EQ(QString::fromUtf8(target), QStringLiteral("../lib/orvane/") + QLatin1String(exe)) << exe;
        EXPECT_TRUE(link.isExecutable()) << exe;
    }
}

// Through the link in bin/, the tool finds its program folder (and the text extensions
// registered there) and reads the installed read-me tree.
TEST_F(Install, InstalledCliListsTheInstalledReadMeTree)
{
    const Ran r = run(prefix + QStringLiteral("/bin/orvane-cli"),
                      {QStringLiteral("list"), programDir() + QStringLiteral("/ReadMe.Orvan")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_GT(lines.size(), 20);
    EXPECT_TRUE(lines.contains(QStringLiteral("0\t0\t1\t\\\tはじめに.TXT"))) << r.out.toStdString();
    for (const QString &line : lines)
        EXPECT_NE(line.section(u'\t', 2, 2), QStringLiteral("5")) << "missing node: " << line.toStdString();
    EXPECT_EQ(run(prefix + QStringLiteral("/bin/orvane-cli"), {QStringLiteral("--version")}).out,
              QStringLiteral("orvane-cli " ORVANE_VERSION "\n"));
}

TEST_F(Install, UserWhoCannotWriteTheProgramFolderGetsFilesInTheirHomeAndKeepsThem)
{
    TestDir homeDir;
    const QString home = homeDir.file(QStringLiteral("home"));
    QDir().mkpath(home);
    ::chmod(QFile::encodeName(homeDir.path()).constData(), 0755);
    // As installed by a package: the program folder is not the user's to write.
    ::chmod(QFile::encodeName(programDir()).constData(), 0555);
    const auto before = snapshot(programDir());
    const QString config = home + QStringLiteral("/.config/orvane");
    const QString readMe = home + QStringLiteral("/.local/share/orvane/ReadMe/ReadMe.Orvan");
    const QString ini = config + QStringLiteral("/ORVANE.Ini");
    const QString history = config + QStringLiteral("/Orvan履歴.Ini");

    // First start: the read-me tree is copied for the user and opened; the settings and
    // the history are written to the user's configuration folder.
    const Started first = startInstalled(prefix, home, [&] { return QFileInfo::exists(history); });
    EXPECT_TRUE(first.becameReady) << first.err.toStdString();
    EXPECT_TRUE(first.normalExit);
    EXPECT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_EQ(IniFile(ini).readString(QStringLiteral("Tree"), QStringLiteral("TreeFileName"), {}), readMe);
    EXPECT_EQ(IniFile(ini).readString(QStringLiteral("Tree"), QStringLiteral("1PSW"), {}), QStringLiteral("1"));
    EXPECT_TRUE(QFileInfo(home + QStringLiteral("/.local/share/orvane/ReadMe/見本/絵/木の絵.BMP")).isFile());
    EXPECT_EQ(snapshot(programDir()), before) << "the program folder was touched";

    // Second start: what the user set is read back from their folder and written again.
    IniFile settings(ini);
    ASSERT_TRUE(settings.writeString(QStringLiteral("Tree"), QStringLiteral("Name"), QStringLiteral("山田")));
    ASSERT_TRUE(settings.save());
    QFile::remove(history); // made again at start: the sign that the second run is up
    const Started second = startInstalled(prefix, home, [&] { return QFileInfo::exists(history); });
    EXPECT_TRUE(second.becameReady) << second.err.toStdString();
    EXPECT_EQ(second.exitCode, 0) << second.err.toStdString();
    IniFile after(ini);
    EXPECT_EQ(after.readString(QStringLiteral("Tree"), QStringLiteral("Name"), {}), QStringLiteral("山田"));
    EXPECT_EQ(after.readString(QStringLiteral("Tree"), QStringLiteral("TreeFileName"), {}), readMe);
    EXPECT_EQ(snapshot(programDir()), before) << "the program folder was touched";
    ::chmod(QFile::encodeName(programDir()).constData(), 0755);
}

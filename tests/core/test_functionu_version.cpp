// FileVerGet: the FileVersion of a Windows program file's version resource (first
// translation), the build's version for the program's own executable, "" otherwise.
// The program files are built here byte by byte (support/peimage.h).

#include "nodeops/functionu.h"
#include "nodeops/peresources.h"
#include "support/foundinputs.h"
#include "support/peimage.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>

#include <sys/stat.h>

namespace {

const QList<QPair<quint16, quint16>> Japanese = {{0x0411, 0x03A4}};

QByteArray dllWithVersion(const QList<QPair<quint16, quint16>> &translations,
                          const QList<VersionStringTable> &tables, bool pe32plus = false)
{
    return buildPeImage({PeResource{PeResources::TypeVersion, 1, {}, 0x0411,
                                    buildVersionResource(translations, tables)}},
                        pe32plus);
}

} // namespace

TEST(FunctionUVersion, FileVersionOfTheFirstTranslation)
{
    struct Case {
        const char *what;
        QByteArray file;
        QString version;
    };
    const VersionStringTable ja{"041103A4", {{"CompanyName", "X"}, {"FileVersion", "1.2.3.4"}}};
    const VersionStringTable en{"040904B0", {{"FileVersion", "9.9"}}};
    const QList<Case> cases = {
        {"PE32", dllWithVersion(Japanese, {ja}), "1.2.3.4"},
        {"PE32+", dllWithVersion(Japanese, {ja}, true), "1.2.3.4"},
        {"first translation decides", dllWithVersion({{0x0409, 0x04B0}, {0x0411, 0x03A4}}, {ja, en}), "9.9"},
        {"table key in lower case", dllWithVersion(Japanese, {{"041103a4", {{"fileversion", "2.0"}}}}), "2.0"},
        {"Japanese text", dllWithVersion(Japanese, {{"041103A4", {{"FileVersion", QStringLiteral("第3版")}}}}),
         QStringLiteral("第3版")},
        {"no translation table", dllWithVersion({}, {ja}), ""},
        {"no table for the first translation", dllWithVersion({{0x0409, 0x04B0}}, {ja}), ""},
        {"no FileVersion", dllWithVersion(Japanese, {{"041103A4", {{"ProductVersion", "1"}}}}), ""},
        {"no version resource", buildPeImage({PeResource{PeResources::TypeGroupIcon, 1, {}, 0x0411, "xx"}}), ""},
        {"at most 256 characters", dllWithVersion(Japanese, {{"041103A4", {{"FileVersion", QString(300, u'7')}}}}),
         QString(256, u'7')},
        {"not a program file", "MZ just text, long enough to hold a header offset.......", ""},
        {"plain text", "hello", ""},
    };
    for (const Case &c : cases) {
        TestDir dir;
        dir.createFile("x.dll", c.file);
        EXPECT_EQ(FileVerGet(dir.file("x.dll")), c.version) << c.what;
    }
}

TEST(FunctionUVersion, DamagedFilesGiveNothingAndNeverCrash)
{
    const QByteArray good = dllWithVersion(Japanese, {{"041103A4", {{"FileVersion", "1.0"}}}});
    TestDir dir;
    // Every truncation, and every single byte of the headers and resources set to 0xFF.
    for (qsizetype n = 0; n < good.size(); n += 7) {
        dir.createFile("cut.dll", good.left(n));
        const QString v = FileVerGet(dir.file("cut.dll"));
        EXPECT_TRUE(v.isEmpty() || v == "1.0");
    }
    for (qsizetype i = 0; i < good.size(); ++i) {
        if (good.at(i) == char(0xFF))
            continue;
        QByteArray bad = good;
        bad[i] = char(0xFF);
        (void)PeResources::versionString(PeResources::Image(bad).items(PeResources::TypeVersion).value(0).data,
                                         "FileVersion");
    }
    SUCCEED();
}

TEST(FunctionUVersion, NothingToReadGivesNothing)
{
    TestDir dir;
    dir.createDir("folder");
    ::mkfifo(QFile::encodeName(dir.file("pipe")).constData(), 0600); // must not wait for a writer
    EXPECT_EQ(FileVerGet(dir.file("none.exe")), "");
    EXPECT_EQ(FileVerGet(dir.file("folder")), "");
    EXPECT_EQ(FileVerGet(dir.file("pipe")), "");
    EXPECT_EQ(FileVerGet(""), "");
}

TEST(FunctionUVersion, OwnExecutableGivesTheBuildVersion)
{
    const QString self = QCoreApplication::applicationFilePath();
    EXPECT_EQ(FileVerGet(self), QStringLiteral(ORVANE_VERSION));
    TestDir dir;
    QFile::link(self, dir.file("me"));
    EXPECT_EQ(FileVerGet(dir.file("me")), QStringLiteral(ORVANE_VERSION));
    QFile::copy(self, dir.file("copy")); // another file, even with the same bytes
    EXPECT_EQ(FileVerGet(dir.file("copy")), "");
}

TEST(PeResourcesImage, ItemsInDirectoryOrder)
{
    // Named entries first, then numbers ascending: the order icon indices count in.
    const QByteArray image = buildPeImage({
        PeResource{PeResources::TypeGroupIcon, 5, {}, 0x0409, "five"},
        PeResource{PeResources::TypeGroupIcon, 0, "MAINICON", 0x0411, "named"},
        PeResource{PeResources::TypeGroupIcon, 2, {}, 0x0411, "two"},
        PeResource{PeResources::TypeIcon, 1, {}, 0x0411, "icon"},
    });
    const PeResources::Image pe(image);
    ASSERT_TRUE(pe.isValid());
    const QList<PeResources::Item> groups = pe.items(PeResources::TypeGroupIcon);
    ASSERT_EQ(groups.size(), 3);
    EXPECT_TRUE(groups[0].named);
    EXPECT_EQ(groups[0].name, "MAINICON");
    EXPECT_EQ(groups[0].data, "named");
    EXPECT_EQ(groups[1].id, 2);
    EXPECT_EQ(groups[2].id, 5);
    EXPECT_EQ(groups[2].language, 0x0409);
    EXPECT_EQ(pe.find(PeResources::TypeIcon, 1), "icon");
    EXPECT_TRUE(pe.find(PeResources::TypeIcon, 2).isEmpty());
    EXPECT_FALSE(PeResources::Image("MZ").isValid());
}

TEST(PeResourcesImage, CopiesNeverTakeMoreThanTheFile)
{
    // 4,096 version names all point at one data entry as large as the section.
    const QByteArray amplify = foundInput("pe_amplify.exe");
    ASSERT_EQ(amplify.size(), 1 << 20);
    const PeResources::Image pe(amplify);
    qint64 copied = 0;
    for (const PeResources::Item &item : pe.items(PeResources::TypeVersion))
        copied += item.data.size();
    EXPECT_LE(copied, amplify.size());
    // Resources of ordinary size all come out.
    QList<PeResource> many;
    for (quint16 id = 1; id <= 200; ++id)
        many.append(PeResource{PeResources::TypeIcon, id, {}, 0x0411, QByteArray(100, char(id))});
    const PeResources::Image ordinary(buildPeImage(many));
    EXPECT_EQ(ordinary.items(PeResources::TypeIcon).size(), 200);
}

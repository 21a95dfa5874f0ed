// The OLE icon registry file "Res/OLEFEX.ini" with its icon files: loading, comma-text
// comments, renumbering on save, placeholders, and saves that fail without losing the
// registry saved before.

#include "base/globals.h"
#include "base/sjiscodec.h"
#include "settings/iconimage.h"
#include "settings/oleiconregistry.h"
#include "support/recordingui.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace {

QImage solid(QRgb colour)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

struct Registry {
    TestDir dir;
    RecordingUi ui;
    Registry()
    {
        GlobalInit(dir.makeExeDir());
    }
    QString res(const QString &name) const { return dir.file(QStringLiteral("exe/Res/") + name); }
    QStringList iconFiles() const
    {
        return QDir(dir.file(QStringLiteral("exe/Res"))).entryList({QStringLiteral("ExImage*")}, QDir::Files, QDir::Name);
    }
    QString ini() const { return Sjis::decode(dir.read(QStringLiteral("exe/Res/OLEFEX.ini"))); }
};

} // namespace

TEST(OleIconRegistry, CommentsRoundTripInCommaTextForm)
{
    const struct {
        const char *comment;
        const char *stored;
    } cases[] = {
        {"Word", "Word"},
        {"Acrobat 文書", "\"Acrobat 文書\""},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"", "\"\""},
        {" lead", "\" lead\""},
        {"tab\there", "\"tab\there\""},
        {"表計算", "表計算"},
    };
    Registry r;
    QList<OleIconEntry> entries;
    for (const auto &c : cases) {
        EXPECT_EQ(OleIconRegistry::commaText(QString::fromUtf8(c.comment)), QString::fromUtf8(c.stored)) << c.comment;
        entries.append(OleIconEntry{QStringLiteral("E%1").arg(entries.size()), QString::fromUtf8(c.comment),
                                    solid(qRgb(10 * int(entries.size()), 0, 0))});
    }
    QString error;
    ASSERT_TRUE(OleIconRegistry::save(entries, &error)) << error.toStdString();
    EXPECT_TRUE(r.ini().contains(QStringLiteral("Exp5=\"\"\r\n")));
    EXPECT_TRUE(r.ini().contains(QStringLiteral("Exp3=\"a,b\"\r\n")));

    const QList<OleIconEntry> back = OleIconRegistry::load();
    ASSERT_EQ(back.size(), entries.size());
    for (int i = 0; i < back.size(); ++i) {
        EXPECT_EQ(back.at(i).comment, entries.at(i).comment) << i;
        EXPECT_EQ(back.at(i).ext, entries.at(i).ext);
        EXPECT_EQ(back.at(i).icon.pixel(8, 8), entries.at(i).icon.pixel(8, 8)) << i;
    }
}

TEST(OleIconRegistry, SavingAfterDeletingTheMiddleEntryRenumbersKeysAndIconFiles)
{
    Registry r;
    QList<OleIconEntry> entries{{QStringLiteral("PDF"), QStringLiteral("one"), solid(qRgb(255, 0, 0))},
                                {QStringLiteral("DOC"), QStringLiteral("two"), solid(qRgb(0, 255, 0))},
                                {QStringLiteral("xls"), QStringLiteral("three"), solid(qRgb(0, 0, 255))}};
    ASSERT_TRUE(OleIconRegistry::save(entries));
    EXPECT_EQ(r.iconFiles(), (QStringList{"ExImage1.Ico", "ExImage2.Ico", "ExImage3.Ico"}));
    EXPECT_TRUE(r.ini().contains(QStringLiteral("Ext3=XLS\r\n"))) << "extensions are written in upper case";

    entries.removeAt(1);
    ASSERT_TRUE(OleIconRegistry::save(entries));
    EXPECT_TRUE(r.ini().contains(QStringLiteral("Count=2\r\n")));
    EXPECT_TRUE(r.ini().contains(QStringLiteral("Ext2=XLS\r\n")));
    EXPECT_TRUE(r.ini().contains(QStringLiteral("Exp2=three\r\n")));
    EXPECT_EQ(r.iconFiles(), (QStringList{"ExImage1.Ico", "ExImage2.Ico"}));
    EXPECT_EQ(OleIconRegistry::iconOf(2).pixel(3, 3), qRgb(0, 0, 255)) << "icon file 2 is the former entry 3";

    const QList<OleIconEntry> back = OleIconRegistry::load();
    ASSERT_EQ(back.size(), 2) << "keys beyond Count are never read";
    EXPECT_EQ(back.at(1).ext, QStringLiteral("XLS"));

    ASSERT_TRUE(OleIconRegistry::save({}));
    EXPECT_TRUE(r.ini().contains(QStringLiteral("Count=0\r\n")));
    EXPECT_TRUE(r.iconFiles().isEmpty());
    EXPECT_TRUE(OleIconRegistry::load().isEmpty());
}

TEST(OleIconRegistry, OtherLinesOfTheFileKeepTheirBytes)
{
    Registry r;
    const QByteArray before = sjis(QStringLiteral("; 手で書いた注釈\r\n[OLEIcon]\r\nCount=1\r\nExt1=PDF\r\nExp1=old\r\n"
                                                  "Ext9=STALE\r\n[Other]\r\nkey = 値 \r\n"));
    r.dir.createFile(QStringLiteral("exe/Res/OLEFEX.ini"), before);
    ASSERT_TRUE(OleIconRegistry::save({{QStringLiteral("TXT"), QStringLiteral("new one"), solid(qRgb(1, 2, 3))}}));
    EXPECT_EQ(r.dir.read(QStringLiteral("exe/Res/OLEFEX.ini")),
              sjis(QStringLiteral("; 手で書いた注釈\r\n[OLEIcon]\r\nCount=1\r\nExt1=TXT\r\nExp1=\"new one\"\r\n"
                                  "Ext9=STALE\r\n[Other]\r\nkey = 値 \r\n")));
}

TEST(OleIconRegistry, MissingIconsFallBackToThePlaceholderThenToNothing)
{
    Registry r;
    r.dir.createFile(QStringLiteral("exe/Res/OLEFEX.ini"),
                     sjis(QStringLiteral("[OLEIcon]\r\nCount=3\r\nExt1=A\r\nExp1=x\r\nExt2=B\r\nExp2=y\r\nExt3=C\r\nExp3=z\r\n")));
    // Written by hand on Windows in either spelling; names in Res match without regard to case.
    r.dir.createFile(QStringLiteral("exe/Res/EXIMAGE1.ICO"), IconImage::toIconFile(solid(qRgb(255, 0, 0))));
    r.dir.createFile(QStringLiteral("exe/Res/ExImage3.Ico"), IconImage::toIconFile(solid(qRgb(0, 0, 255))));
    const QImage placeholder = IconImage::fromIconFile(r.dir.read(QStringLiteral("exe/Res/NULL.ico")));
    ASSERT_FALSE(placeholder.isNull()) << "NULL.ico is shipped in Res";

    QList<OleIconEntry> entries = OleIconRegistry::load();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries.at(0).icon.pixel(8, 8), qRgb(255, 0, 0));
    EXPECT_EQ(entries.at(1).icon, placeholder) << "missing icon file: the placeholder";
    EXPECT_EQ(entries.at(1).ext, QStringLiteral("B"));
    EXPECT_EQ(entries.at(1).comment, QStringLiteral("y"));
    EXPECT_EQ(entries.at(2).icon.pixel(8, 8), qRgb(0, 0, 255));

    // Neither the icon file nor the placeholder can be read: no picture, the row stays.
    QFile::remove(r.res(QStringLiteral("NULL.ico")));
    r.dir.createFile(QStringLiteral("exe/Res/ExImage3.Ico"), "damaged");
    entries = OleIconRegistry::load();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_TRUE(entries.at(1).icon.isNull());
    EXPECT_TRUE(entries.at(2).icon.isNull());
    EXPECT_EQ(entries.at(2).ext, QStringLiteral("C"));
}

TEST(OleIconRegistry, MissingFileOrCountMeansNoEntries)
{
    Registry r;
    EXPECT_TRUE(OleIconRegistry::load().isEmpty());
    for (const char *text : {"[OLEIcon]\r\nExt1=PDF\r\n", "[OLEIcon]\r\nCount=abc\r\nExt1=PDF\r\n",
                             "[OLEIcon]\r\nCount=-3\r\n"}) {
        r.dir.createFile(QStringLiteral("exe/Res/OLEFEX.ini"), text);
        EXPECT_TRUE(OleIconRegistry::load().isEmpty()) << text;
    }
}

TEST(OleIconRegistry, AFailedSaveReportsTheFileAndKeepsWhatWasSaved)
{
    Registry r;
    const QList<OleIconEntry> saved{{QStringLiteral("PDF"), QStringLiteral("one"), solid(qRgb(255, 0, 0))},
                                    {QStringLiteral("DOC"), QStringLiteral("two"), solid(qRgb(0, 255, 0))}};
    ASSERT_TRUE(OleIconRegistry::save(saved));
    const QByteArray iniBefore = r.dir.read(QStringLiteral("exe/Res/OLEFEX.ini"));
    const QByteArray icon1Before = r.dir.read(QStringLiteral("exe/Res/ExImage1.Ico"));
    QFile::setPermissions(r.res(QStringLiteral("OLEFEX.ini")), QFile::ReadOwner | QFile::ReadGroup);

    QString error;
    EXPECT_FALSE(OleIconRegistry::save({saved.at(1)}, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("OLEFEX.ini"))) << error.toStdString();
    EXPECT_EQ(r.dir.read(QStringLiteral("exe/Res/OLEFEX.ini")), iniBefore);
    EXPECT_EQ(r.dir.read(QStringLiteral("exe/Res/ExImage1.Ico")), icon1Before) << "icon 1 not replaced by entry 2's";
    EXPECT_EQ(r.iconFiles(), (QStringList{"ExImage1.Ico", "ExImage2.Ico"})) << "no staged file left behind";
    EXPECT_EQ(QDir(r.dir.file(QStringLiteral("exe/Res"))).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".~")).size(), 0);

    // Text the file's code page cannot hold is refused the same way.
    QFile::setPermissions(r.res(QStringLiteral("OLEFEX.ini")), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_FALSE(OleIconRegistry::save({{QStringLiteral("PDF"), QStringLiteral("emoji 😀"), solid(0xFF000000)}}, &error));
    EXPECT_EQ(r.dir.read(QStringLiteral("exe/Res/OLEFEX.ini")), iniBefore);
    EXPECT_EQ(r.dir.read(QStringLiteral("exe/Res/ExImage1.Ico")), icon1Before);
}

TEST(OleIconRegistry, ImageNumberIsTheFirstMatchingRowPlusTen)
{
    OleIconExtList = QStringList{QStringLiteral("PDF"), QStringLiteral("DOC"), QStringLiteral("PDF")};
    EXPECT_EQ(OLEImageNo(QStringLiteral("PDF")), 10);
    EXPECT_EQ(OLEImageNo(QStringLiteral("DOC")), 11);
    EXPECT_EQ(OLEImageNo(QStringLiteral("pdf")), 4) << "case-sensitive";
    EXPECT_EQ(OLEImageNo(QStringLiteral("XLS")), 4);
    OleIconExtList.clear();
}

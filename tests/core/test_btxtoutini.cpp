// "BTxtOut.Ini": replacement values written at opening, the closing order, ranges, and
// a copy written elsewhere than it was read from.

#include "base/inifile.h"
#include "export/bulkexportsettings.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

namespace {

TEST(BTxtOutIni, MissingFileGetsTheReplacementsAtOpeningAndEveryKeyAtClosing)
{
    TestDir dir;
    const QString path = dir.file(QStringLiteral("BTxtOut.Ini"));
    const BulkExportSettings s = BTxtOutIni::load(path, path);
    EXPECT_EQ(s.outlin, 2);
    EXPECT_EQ(s.outline, (std::array<int, 5>{1, 2, 3, 4, 5}));
    EXPECT_EQ(s.kugiri, QStringLiteral("．"));
    EXPECT_EQ(s.indent, QStringLiteral("TAB"));
    EXPECT_EQ(s.indMax, 5);
    EXPECT_EQ(s.pageL, 0);
    EXPECT_FALSE(s.kugiSw || s.indSw || s.indAddSw || s.page || s.mokuji);
    EXPECT_EQ(dir.read(QStringLiteral("BTxtOut.Ini")),
              sjis(QStringLiteral("[OUTLINE]\r\nOUTLIN=2\r\nOUTLINE1=1\r\nOUTLINE2=2\r\nOUTLINE3=3\r\nOUTLINE4=4\r\n"
                                  "OUTLINE5=5\r\nKUGIRI=．\r\nINDENT=TAB\r\n")));

    ASSERT_TRUE(BTxtOutIni::save(path, path, s));
    EXPECT_EQ(dir.read(QStringLiteral("BTxtOut.Ini")),
              sjis(QStringLiteral("[OUTLINE]\r\nOUTLIN=2\r\nOUTLINE1=0\r\nOUTLINE2=0\r\nOUTLINE3=0\r\nOUTLINE4=0\r\n"
                                  "OUTLINE5=0\r\nKUGIRI=．\r\nINDENT=TAB\r\nOUTEDIT6=0\r\nKUGISW=0\r\nINDSW=0\r\n"
                                  "INDMAX=5\r\nINDADDSW=0\r\nPAGE=0\r\nPAGEL=0\r\nMOKUJI=0\r\nSEPA0=0\r\n")));

    // The next opening takes the zero styles as 1 to 5 again.
    EXPECT_EQ(BTxtOutIni::load(path, path).outline, (std::array<int, 5>{1, 2, 3, 4, 5}));
}

TEST(BTxtOutIni, ValuesOutsideTheirRangesAreBroughtIntoThem)
{
    TestDir dir;
    dir.createSjisFile(QStringLiteral("B.Ini"),
                       QStringLiteral("[OUTLINE]\r\nOUTLIN=9\r\nOUTLINE1=13\r\nOUTLINE2=14\r\nOUTLINE3=-1\r\nOUTLINE4=x\r\n"
                                      "OUTLINE5=12\r\nOUTEDIT6=7\r\nINDMAX=50\r\nPAGEL=500\r\nKUGIRI=、\r\nINDENT=  \r\n"));
    const QString path = dir.file(QStringLiteral("B.Ini"));
    const BulkExportSettings s = BTxtOutIni::load(path, QString()); // read only
    EXPECT_EQ(s.outlin, 2);
    EXPECT_EQ(s.outline, (std::array<int, 5>{13, 2, 3, 4, 12}));
    EXPECT_EQ(s.outEdit6, 0);
    EXPECT_EQ(s.indMax, 20);
    EXPECT_EQ(s.pageL, 100);
    EXPECT_EQ(s.kugiri, QStringLiteral("、"));
    EXPECT_EQ(s.indent, QStringLiteral("TAB")); // blanks are trimmed away: empty
    EXPECT_FALSE(IniFile(path).hasKey(QStringLiteral("OUTLINE"), QStringLiteral("INDSW"))); // nothing written

    dir.createSjisFile(QStringLiteral("C.Ini"), QStringLiteral("[OUTLINE]\r\nINDMAX=0\r\nPAGEL=-4\r\n"));
    const BulkExportSettings low = BTxtOutIni::load(dir.file(QStringLiteral("C.Ini")), QString());
    EXPECT_EQ(low.indMax, 1);
    EXPECT_EQ(low.pageL, 0);
}

TEST(BTxtOutIni, AfterBodyLinesAndUserStylesSurviveARoundTrip)
{
    TestDir dir;
    const QString path = dir.file(QStringLiteral("BTxtOut.Ini"));
    BulkExportSettings s;
    s.outlin = 5;
    s.outline = {9, 2, 13, 6, 8};
    s.outEdit6 = 1;
    s.kugiSw = s.indSw = s.indAddSw = s.page = s.mokuji = true;
    s.kugiri = QStringLiteral("：");
    s.indent = QStringLiteral("TABTAB");
    s.indMax = 7;
    s.pageL = 40;
    s.sepa = {QStringLiteral("――――"), QString(), QStringLiteral("end")};
    ASSERT_TRUE(BTxtOutIni::save(path, path, s));
    BulkExportSettings back = BTxtOutIni::load(path, path);
    EXPECT_EQ(back.outlin, 5);
    EXPECT_EQ(back.outline, s.outline);
    EXPECT_EQ(back.outEdit6, 1);
    EXPECT_TRUE(back.kugiSw && back.indSw && back.indAddSw && back.page && back.mokuji);
    EXPECT_EQ(back.kugiri, s.kugiri);
    EXPECT_EQ(back.indent, s.indent);
    EXPECT_EQ(back.indMax, 7);
    EXPECT_EQ(back.pageL, 40);
    EXPECT_EQ(back.sepa, s.sepa);

    // A shorter list leaves the old keys in the file; SEPA0 says how many count.
    back.sepa = {QStringLiteral("only")};
    ASSERT_TRUE(BTxtOutIni::save(path, path, back));
    const IniFile ini(path);
    EXPECT_EQ(ini.readString(QStringLiteral("OUTLINE"), QStringLiteral("SEPA3")), QStringLiteral("end"));
    EXPECT_EQ(BTxtOutIni::load(path, path).sepa, QStringList{QStringLiteral("only")});
}

TEST(BTxtOutIni, ACopyWrittenElsewhereKeepsEveryLineOfTheFileRead)
{
    TestDir dir;
    dir.createSjisFile(QStringLiteral("prog/BTxtOut.Ini"),
                       QStringLiteral("; shipped\r\n[OUTLINE]\r\nKUGISW=1\r\nSEPA0=1\r\nSEPA1=＊\r\n[Other]\r\nx=1\r\n"));
    const QString readPath = dir.file(QStringLiteral("prog/BTxtOut.Ini"));
    const QString writePath = dir.file(QStringLiteral("user/BTxtOut.Ini"));
    dir.createDir(QStringLiteral("user"));
    const QByteArray shipped = dir.read(QStringLiteral("prog/BTxtOut.Ini"));
    BulkExportSettings s = BTxtOutIni::load(readPath, writePath);
    EXPECT_TRUE(s.kugiSw);
    EXPECT_EQ(dir.read(QStringLiteral("prog/BTxtOut.Ini")), shipped); // the file read is left alone
    const IniFile copy(writePath);
    EXPECT_EQ(copy.readString(QStringLiteral("OUTLINE"), QStringLiteral("SEPA1")), QStringLiteral("＊"));
    EXPECT_EQ(copy.readString(QStringLiteral("Other"), QStringLiteral("x")), QStringLiteral("1"));
    EXPECT_EQ(copy.readString(QStringLiteral("OUTLINE"), QStringLiteral("OUTLIN")), QStringLiteral("2"));

    s.indMax = 9;
    ASSERT_TRUE(BTxtOutIni::save(readPath, writePath, s));
    EXPECT_EQ(IniFile(writePath).readInteger(QStringLiteral("OUTLINE"), QStringLiteral("INDMAX"), 0), 9);
    EXPECT_EQ(IniFile(writePath).readString(QStringLiteral("Other"), QStringLiteral("x")), QStringLiteral("1"));
    EXPECT_EQ(dir.read(QStringLiteral("prog/BTxtOut.Ini")), shipped);
}

TEST(BTxtOutIni, ASettingTheFileCannotHoldIsRefusedAndTheFileKept)
{
    TestDir dir;
    const QString path = dir.file(QStringLiteral("BTxtOut.Ini"));
    BulkExportSettings s = BTxtOutIni::load(path, path);
    const QByteArray before = dir.read(QStringLiteral("BTxtOut.Ini"));
    s.kugiri = QStringLiteral("😀");
    QString error;
    EXPECT_FALSE(BTxtOutIni::save(path, path, s, &error));
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_EQ(dir.read(QStringLiteral("BTxtOut.Ini")), before);
}

} // namespace

// The main settings file: every key spelt and ordered as the program writes it, the
// defaults and fallbacks when reading, and a write that cannot happen.

#include "base/inifile.h"
#include "base/settingsfile.h"
#include "base/sjiscodec.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// The file a first start writes, key for key (the session values left empty).
const char16_t kDefaultFile[] =
    u"[Form]\r\nTop=106\r\nLeft=438\r\nWidth=543\r\nHeight=526\r\n"
    u"[TreePanel]\r\nWidth=145\r\n"
    u"[Tree]\r\n1PSW=0\r\nName=\r\nOrvan履歴数=5\r\n編集ﾉｰﾄﾞ復帰SW=0\r\nOLEDISP=1\r\n"
    u"最終編集ﾊﾟｽ=\r\n最終編集ﾉｰﾄﾞ=\r\nTreeFileName=\r\n"
    u"[Tree環境SET]\r\nRoot=1\r\nLine=1\r\nButton=1\r\n"
    u"FontName=ＭＳ 明朝\r\nFonrSize=9\r\nFontColor=clBlack\r\nFonrColorI=1\r\nFontBColor=clWhite\r\nFonrBColorI=16\r\n"
    u"[Memo環境SET]\r\n"
    u"FontName=ＭＳ 明朝\r\nFonrSize=9\r\nFontColor=clBlack\r\nFonrColorI=1\r\nFontBColor=clWhite\r\nFonrBColorI=16\r\n"
    u"Warp=0\r\nTAB=0\r\n"
    u"[画像Memo環境SET]\r\n"
    u"FontName=ＭＳ 明朝\r\nFonrSize=9\r\nFontColor=clBlack\r\nFonrColorI=1\r\nFontBColor=clWhite\r\nFonrBColorI=16\r\n"
    u"[OLEMemo環境SET]\r\n"
    u"FontName=ＭＳ 明朝\r\nFonrSize=9\r\nFontColor=clBlack\r\nFonrColorI=1\r\nFontBColor=clWhite\r\nFonrBColorI=16\r\n"
    u"[ｻﾑﾈｰﾙ環境SET]\r\n画像ｻｲｽﾞ小=32\r\n画像ｻｲｽﾞ中=64\r\n画像ｻｲｽﾞ大=128\r\n画像ｻｲｽﾞ幅=128\r\n画像ｻｲｽﾞ高=64\r\n"
    u"[印刷]\r\nタイトル=0\r\nファイル名=0\r\n日付=0\r\nページ数=0\r\nセパレータ=0\r\n";

AppSettings readText(const QString &text, QString *tree = nullptr)
{
    TestDir dir;
    dir.createSjisFile(QStringLiteral("S.Ini"), text);
    return SettingsFile::read(IniFile(dir.file(QStringLiteral("S.Ini"))), tree);
}

} // namespace

TEST(SettingsFileWrite, EveryKeySpeltAndOrderedWithItsDefault)
{
    TestDir dir;
    const QString path = dir.file(QStringLiteral("ORVANE.Ini"));
    ASSERT_TRUE(SettingsFile::save(path, AppSettings{}, {}));
    EXPECT_EQ(Sjis::decode(dir.read(QStringLiteral("ORVANE.Ini"))), QString::fromUtf16(kDefaultFile));
}

TEST(SettingsFileWrite, ValuesReadBackAsWrittenAndOtherLinesStay)
{
    TestDir dir;
    dir.createSjisFile(QStringLiteral("S.Ini"), QStringLiteral("; 手で書いた注記\r\n[自分用]\r\nx=1\r\n[Tree]\r\nName=旧\r\n"));
    const QString path = dir.file(QStringLiteral("S.Ini"));
    AppSettings s;
    s.FormTop = -20;
    s.TreePanelWidth = 260;
    s.FirstStartSW = true;
    s.UserName = QStringLiteral("山田 太郎");
    s.HistoryCount = 32;
    s.OleIconic = false;
    s.Tree.FontName = QStringLiteral("ＭＳ Ｐゴシック");
    s.Memo.FontColor = QStringLiteral("$00FF8000");
    s.Memo.BackColorIndex = 0;
    s.MemoWrap = true;
    s.MemoTabWidth = 3;
    s.OleMemo.FontSize = 48;
    s.ThumbHeight = 1;
    s.PrintSeparator = true;
    const SettingsFile::Session session{QStringLiteral("/home/u/文書/T.Orvan"), QStringLiteral("\\A\\B\\"),
                                        QStringLiteral("メモ.TXT")};
    ASSERT_TRUE(SettingsFile::save(path, s, session));

    QString tree;
    const AppSettings r = SettingsFile::read(IniFile(path), &tree);
    EXPECT_EQ(r.FormTop, -20);
    EXPECT_EQ(r.TreePanelWidth, 260);
    EXPECT_TRUE(r.FirstStartSW);
    EXPECT_EQ(r.UserName, s.UserName);
    EXPECT_EQ(r.HistoryCount, 32);
    EXPECT_FALSE(r.OleIconic);
    EXPECT_EQ(r.Tree.FontName, s.Tree.FontName);
    EXPECT_EQ(r.Memo.FontColor, QStringLiteral("$00FF8000"));
    EXPECT_EQ(r.Memo.BackColorIndex, 0);
    EXPECT_TRUE(r.MemoWrap);
    EXPECT_EQ(r.MemoTabWidth, 3);
    EXPECT_EQ(r.OleMemo.FontSize, 48);
    EXPECT_EQ(r.ThumbHeight, 1);
    EXPECT_TRUE(r.PrintSeparator);
    EXPECT_EQ(tree, session.treeFileName);
    EXPECT_EQ(r.LastNodePath, session.nodePath);
    EXPECT_EQ(r.LastNodeName, session.nodeName);

    const QString text = Sjis::decode(dir.read(QStringLiteral("S.Ini")));
    EXPECT_TRUE(text.startsWith(QStringLiteral("; 手で書いた注記\r\n[自分用]\r\nx=1\r\n[Tree]\r\nName=山田 太郎\r\n")))
        << text.toStdString();
}

TEST(SettingsFileRead, MissingFileGivesEveryDefault)
{
    TestDir dir;
    QString tree = QStringLiteral("x");
    const AppSettings r = SettingsFile::read(IniFile(dir.file(QStringLiteral("none.Ini"))), &tree);
    const AppSettings d;
    EXPECT_EQ(r.FormWidth, 543);
    EXPECT_EQ(r.TreePanelWidth, 145);
    EXPECT_FALSE(r.FirstStartSW);
    EXPECT_TRUE(r.OleIconic);
    EXPECT_EQ(r.HistoryCount, 5);
    EXPECT_EQ(r.ImageMemo.FontName, QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(r.OleMemo.BackColorIndex, 16);
    EXPECT_EQ(r.ThumbLarge, d.ThumbLarge);
    EXPECT_TRUE(tree.isEmpty());
}

TEST(SettingsFileRead, NumbersBooleansAndFallbacks)
{
    struct Case {
        const char *what;
        const char16_t *file;
        std::function<int(const AppSettings &)> field;
        int expected;
    };
    auto memoSize = [](const AppSettings &s) { return s.Memo.FontSize; };
    auto panel = [](const AppSettings &s) { return s.TreePanelWidth; };
    auto wrap = [](const AppSettings &s) { return int(s.MemoWrap); };
    auto iconic = [](const AppSettings &s) { return int(s.OleIconic); };
    auto top = [](const AppSettings &s) { return s.FormTop; };
    const Case cases[] = {
        {"0x hexadecimal", u"[Memo環境SET]\r\nFonrSize=0x10\r\n", memoSize, 16},
        {"0X hexadecimal", u"[Memo環境SET]\r\nFonrSize=0X0C\r\n", memoSize, 12},
        {"$ hexadecimal", u"[Memo環境SET]\r\nFonrSize=$14\r\n", memoSize, 20},
        {"blanks and quotes around", u"[Memo環境SET]\r\nFonrSize = \"11\" \r\n", memoSize, 11},
        {"malformed number gives the default", u"[Memo環境SET]\r\nFonrSize=12pt\r\n", memoSize, 9},
        {"empty number gives the default", u"[Memo環境SET]\r\nFonrSize=\r\n", memoSize, 9},
        {"names ignore case", u"[memo環境set]\r\nfonrsize=14\r\n", memoSize, 14},
        {"the misspelt key only: FontSize is not read", u"[Memo環境SET]\r\nFontSize=14\r\n", memoSize, 9},
        {"negative position kept", u"[Form]\r\nTop=-30\r\n", top, -30},
        {"panel of 40 raised to 100", u"[TreePanel]\r\nWidth=40\r\n", panel, 100},
        {"panel of 100 stays 100", u"[TreePanel]\r\nWidth=100\r\n", panel, 100},
        {"panel of 101 kept", u"[TreePanel]\r\nWidth=101\r\n", panel, 101},
        {"negative panel raised to 100", u"[TreePanel]\r\nWidth=-5\r\n", panel, 100},
        {"malformed panel: default 145", u"[TreePanel]\r\nWidth=wide\r\n", panel, 145},
        {"boolean 2 is true", u"[Memo環境SET]\r\nWarp=2\r\n", wrap, 1},
        {"boolean -1 is true", u"[Memo環境SET]\r\nWarp=-1\r\n", wrap, 1},
        {"boolean 0 is false", u"[Tree]\r\nOLEDISP=0\r\n", iconic, 0},
        {"boolean text gives the default", u"[Tree]\r\nOLEDISP=yes\r\n", iconic, 1},
        {"boolean 0x0 is false", u"[Tree]\r\nOLEDISP=0x0\r\n", iconic, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.field(readText(QString::fromUtf16(c.file))), c.expected) << c.what;
}

TEST(SettingsFileRead, TextsKeptAsWritten)
{
    QString tree;
    const AppSettings r = readText(QStringLiteral("[Tree環境SET]\r\nFontColor=$000000FF\r\nFontBColor=clCream\r\n"
                                                  "FontName=存在しない書体\r\n[OLEMemo環境SET]\r\nFontColor=何色\r\n"
                                                  "[Tree]\r\nName=\r\nTreeFileName= /t/ツリー.Orvan \r\n"
                                                  "最終編集ﾊﾟｽ=\\表\\\r\n最終編集ﾉｰﾄﾞ=ソース.TXT\r\n"),
                                   &tree);
    EXPECT_EQ(r.Tree.FontColor, QStringLiteral("$000000FF"));
    EXPECT_EQ(r.Tree.BackColor, QStringLiteral("clCream"));
    EXPECT_EQ(r.Tree.FontName, QStringLiteral("存在しない書体"));
    EXPECT_EQ(r.OleMemo.FontColor, QStringLiteral("何色"));
    EXPECT_EQ(r.UserName, QString());
    EXPECT_EQ(tree, QStringLiteral("/t/ツリー.Orvan"));
    // "表" and "ソ" end in the byte 0x5C: the value is decoded before it is parsed.
    EXPECT_EQ(r.LastNodePath, QStringLiteral("\\表\\"));
    EXPECT_EQ(r.LastNodeName, QStringLiteral("ソース.TXT"));
}

TEST(SettingsFileSave, AFileThatCannotBeWrittenIsReportedAndLeftWhole)
{
    // The new file is written beside the old one first; a name with no room for the
    // temporary name makes that fail as a full disk or a read-only folder does, for
    // any user.
    TestDir dir;
    const QString name = QString(246, u'S') + QStringLiteral(".Ini");
    const QByteArray before = sjis(QStringLiteral("[Tree]\r\nName=前\r\n"));
    dir.createFile(name, before);
    QString error;
    EXPECT_FALSE(SettingsFile::save(dir.file(name), AppSettings{}, {}, &error));
    EXPECT_TRUE(error.contains(dir.file(name))) << error.toStdString();
    EXPECT_EQ(dir.read(name), before);
}

TEST(SettingsFileSave, AValueShiftJisCannotHoldLeavesThatKeyAndNamesIt)
{
    TestDir dir;
    const QString path = dir.file(QStringLiteral("S.Ini"));
    ASSERT_TRUE(SettingsFile::save(path, AppSettings{}, {QStringLiteral("/t/old.Orvan"), {}, {}}));
    QString error;
    EXPECT_FALSE(SettingsFile::save(path, AppSettings{}, {QStringLiteral("/t/caf\u00e9.Orvan"), {}, {}}, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("TreeFileName"))) << error.toStdString();
    QString tree;
    SettingsFile::read(IniFile(path), &tree);
    EXPECT_EQ(tree, QStringLiteral("/t/old.Orvan"));
}

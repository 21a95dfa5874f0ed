// Starting the program: which tree opens (argument, remembered file, read-me tree,
// default tree), what the settings file holds afterwards, the window geometry and the
// view settings applied at the first activation, and a settings file that cannot be
// written.

#include "base/appsettings.h"
#include "base/fontchoice.h"
#include "base/globals.h"
#include "base/inifile.h"
#include "base/sjiscodec.h"
#include "app/ui/mainwindow.h"
#include "app/ui/treebranchstyle.h"
#include "support/recordingui.h"
#include "support/testdir.h"
#include "tree/ui/nodetreewidget.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>

#include <memory>

namespace {

const QString kMissing = QStringLiteral("前回編集Treeﾌｧｲﾙ無し");

// An executable folder with its Res folder and no settings yet; the program is started
// over it as from the desktop.
struct Start {
    TestDir dir;
    RecordingUi ui;
    QString exePath = dir.makeExeDir();
    QString exeDir = dir.file(QStringLiteral("exe"));
    std::unique_ptr<TOrvaneF> w;

    ~Start() { w.reset(); }

    void settings(const QString &text) { dir.createSjisFile(QStringLiteral("exe/ORVANE.Ini"), text); }
    void readMe()
    {
        dir.createSjisFile(QStringLiteral("exe/ReadMe.Orvan"), QStringLiteral("はじめに.TXT\r\n"));
        dir.createSjisFile(QStringLiteral("exe/はじめに.TXT"), QStringLiteral("ようこそ\r\n"));
    }
    TOrvaneF &start(const QStringList &args = {})
    {
        w = std::make_unique<TOrvaneF>(exePath, args);
        w->FormActivate();
        return *w;
    }
    QString key(const QString &section, const QString &key) const
    {
        return IniFile(exeDir + QStringLiteral("/ORVANE.Ini")).readString(section, key, QStringLiteral("<none>"));
    }
    QString readMePath() const { return exeDir + QStringLiteral("/ReadMe.Orvan"); }
    QString defaultTree() const { return exeDir + QStringLiteral("/ORVANE.Orvan"); }
};

} // namespace

TEST(Startup, FirstStartOpensTheReadMeTreeAndRecordsIt)
{
    Start s;
    s.readMe();
    TOrvaneF &w = s.start();

    EXPECT_EQ(TreeFileName, s.readMePath());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("ORVANE：") + s.readMePath());
    EXPECT_TRUE(w.Memo1->toPlainText().contains(QStringLiteral("ようこそ")));
    EXPECT_EQ(s.ui.count(QStringLiteral("beep")), 0);
    EXPECT_EQ(s.ui.count(QStringLiteral("report")), 0);
    EXPECT_NE(w.statusText(2), kMissing);

    EXPECT_EQ(s.key(QStringLiteral("Tree"), QStringLiteral("1PSW")), QStringLiteral("1"));
    EXPECT_EQ(s.key(QStringLiteral("Tree"), QStringLiteral("TreeFileName")), s.readMePath());
    EXPECT_EQ(s.dir.read(QStringLiteral("exe/Orvan履歴.Ini")), sjis(s.readMePath() + QStringLiteral("\r\n")));
    EXPECT_EQ(w.MenuFTRNew->text(), s.readMePath());
    EXPECT_EQ(w.MenuFTR->actions().size(), 1);

    // The second start opens the remembered tree, now without the first-start rule.
    s.w.reset();
    s.ui.clear();
    s.start();
    EXPECT_EQ(TreeFileName, s.readMePath());
    EXPECT_EQ(s.ui.count(QStringLiteral("beep")), 0);
}

TEST(Startup, MissingTreesFallBackToTheDefaultTreeCreatedEmpty)
{
    struct Case {
        const char *what;
        bool readMe;
        QString settings;  // "%1" stands for the test folder
        bool argument;     // start with a missing file as argument
        const char *firstStart;
    };
    const Case cases[] = {
        {"first start without the read-me tree", false, {}, false, "1"},
        {"first start done, no remembered tree", true, QStringLiteral("[Tree]\r\n1PSW=1\r\n"), false, "1"},
        {"remembered tree gone", true, QStringLiteral("[Tree]\r\n1PSW=1\r\nTreeFileName=%1/gone.Orvan\r\n"), false, "1"},
        {"argument names a missing file", true, {}, true, "0"},
    };
    for (const Case &c : cases) {
        Start s;
        if (c.readMe)
            s.readMe();
        if (!c.settings.isEmpty())
            s.settings(QString(c.settings).replace(QStringLiteral("%1"), s.dir.path()));
        TOrvaneF &w = s.start(c.argument ? QStringList{s.dir.file(QStringLiteral("gone.Orvan"))} : QStringList{});

        EXPECT_EQ(TreeFileName, s.defaultTree()) << c.what;
        EXPECT_TRUE(QFileInfo(s.defaultTree()).isFile()) << c.what;
        EXPECT_EQ(QFileInfo(s.defaultTree()).size(), 0) << c.what;
        EXPECT_EQ(s.ui.count(QStringLiteral("beep")), 1) << c.what;
        EXPECT_EQ(s.ui.count(QStringLiteral("message")), 0) << c.what;
        EXPECT_EQ(w.statusText(2), kMissing) << c.what;
        EXPECT_TRUE(TreeReady) << c.what;
        EXPECT_EQ(s.key(QStringLiteral("Tree"), QStringLiteral("TreeFileName")), s.defaultTree()) << c.what;
        EXPECT_EQ(s.key(QStringLiteral("Tree"), QStringLiteral("1PSW")), QString::fromLatin1(c.firstStart)) << c.what;
    }
}

TEST(Startup, AnExistingDefaultTreeIsOpenedAsItIsWithItsNotice)
{
    Start s;
    s.settings(QStringLiteral("[Tree]\r\n1PSW=1\r\nTreeFileName=/nowhere/T.Orvan\r\n"));
    s.dir.createSjisFile(QStringLiteral("exe/ORVANE.Orvan"), QStringLiteral("メモ.TXT\r\n"));
    s.dir.createSjisFile(QStringLiteral("exe/メモ.TXT"), QStringLiteral("中身\r\n"));
    TOrvaneF &w = s.start();
    EXPECT_EQ(TreeFileName, s.defaultTree());
    EXPECT_EQ(s.ui.texts(QStringLiteral("message")),
              QStringList{QStringLiteral("新規作成ファイル=") + s.defaultTree() + QStringLiteral("既にあります。")});
    EXPECT_EQ(s.dir.read(QStringLiteral("exe/ORVANE.Orvan")), sjis(QStringLiteral("メモ.TXT\r\n")));
    EXPECT_EQ(NodeName, QStringLiteral("メモ.TXT"));
    EXPECT_EQ(w.statusText(2), kMissing);
}

TEST(Startup, TheArgumentWinsAndARelativeOneIsMadeAbsolute)
{
    Start s;
    s.readMe();
    s.dir.createSjisFile(QStringLiteral("docs/T.Orvan"), QStringLiteral("a.TXT\r\n"));
    s.dir.createSjisFile(QStringLiteral("docs/a.TXT"), QStringLiteral("x\r\n"));
    const QString before = QDir::currentPath();
    QDir::setCurrent(s.dir.path());
    s.start({QStringLiteral("docs/T.Orvan")});
    QDir::setCurrent(before);
    EXPECT_EQ(TreeFileName, s.dir.file(QStringLiteral("docs/T.Orvan")));
    EXPECT_EQ(BaseDir, s.dir.file(QStringLiteral("docs")));
    EXPECT_EQ(NodeName, QStringLiteral("a.TXT"));
    EXPECT_EQ(s.key(QStringLiteral("Tree"), QStringLiteral("1PSW")), QStringLiteral("0"));
    EXPECT_EQ(s.ui.count(QStringLiteral("beep")), 0);
}

TEST(Startup, TheLastEditedNodeIsReselectedOnlyWhenAsked)
{
    for (const bool restore : {true, false}) {
        Start s;
        s.dir.createSjisFile(QStringLiteral("docs/T.Orvan"), QStringLiteral("F\r\n\tb.TXT\r\na.TXT\r\n"));
        s.dir.createSjisFile(QStringLiteral("docs/F/b.TXT"), QStringLiteral("b\r\n"));
        s.dir.createSjisFile(QStringLiteral("docs/a.TXT"), QStringLiteral("a\r\n"));
        s.settings(QStringLiteral("[Tree]\r\n1PSW=1\r\n編集ﾉｰﾄﾞ復帰SW=%1\r\n最終編集ﾊﾟｽ=\\F\\\r\n最終編集ﾉｰﾄﾞ=b.TXT\r\n"
                                  "TreeFileName=%2\r\n")
                       .arg(restore ? 1 : 0)
                       .arg(s.dir.file(QStringLiteral("docs/T.Orvan"))));
        s.start();
        EXPECT_EQ(TreeFileName, s.dir.file(QStringLiteral("docs/T.Orvan")));
        EXPECT_EQ(NodeName, restore ? QStringLiteral("b.TXT") : QStringLiteral("F")) << restore;
        EXPECT_EQ(NodePath, restore ? QStringLiteral("\\F\\") : QStringLiteral("\\")) << restore;
    }
}

TEST(Startup, WindowGeometryAndTheTreePanelFloor)
{
    Start s;
    s.readMe();
    s.settings(QStringLiteral("[Form]\r\nTop=50\r\nLeft=60\r\nWidth=0x2BC\r\nHeight=500\r\n[TreePanel]\r\nWidth=40\r\n"));
    TOrvaneF &w = s.start();
    w.show();
    EXPECT_EQ(w.pos(), QPoint(60, 50));
    EXPECT_EQ(w.size(), QSize(700, 500));
    EXPECT_EQ(w.PanelTree->width(), 100);

    w.Splitter1->setSizes({180, 520});
    w.close();
    EXPECT_EQ(s.key(QStringLiteral("TreePanel"), QStringLiteral("Width")), QStringLiteral("180"));
    EXPECT_EQ(s.key(QStringLiteral("Form"), QStringLiteral("Width")), QStringLiteral("700"));
    EXPECT_EQ(s.key(QStringLiteral("Form"), QStringLiteral("Left")), QStringLiteral("60"));
}

TEST(Startup, ViewSettingsAreAppliedAtTheFirstActivation)
{
    Start s;
    s.readMe();
    s.settings(QStringLiteral("[Tree環境SET]\r\nRoot=0\r\nLine=0\r\nButton=1\r\nFonrSize=$0B\r\nFontColor=clNavy\r\n"
                              "FontBColor=何色\r\n"
                              "[Memo環境SET]\r\nFonrSize=0x10\r\nFontColor=$000000FF\r\nFontBColor=clYellow\r\n"
                              "Warp=1\r\nTAB=3\r\n"
                              "[画像Memo環境SET]\r\nFontName=ＭＳ ゴシック\r\nFonrSize=12\r\n"
                              "[OLEMemo環境SET]\r\nFontBColor=clAqua\r\n"));
    TOrvaneF &w = s.start();

    EXPECT_EQ(w.Memo1->font().pointSize(), 16);
    EXPECT_EQ(w.Memo1->font().family(), FontChoice::installedFamily(QStringLiteral("ＭＳ 明朝")));
    if (QFontDatabase::families().contains(QStringLiteral("Noto Serif CJK JP")))
        EXPECT_EQ(w.Memo1->font().family(), QStringLiteral("Noto Serif CJK JP"));
    EXPECT_EQ(w.Memo1->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(w.Memo1->palette().color(QPalette::Base), QColor(255, 255, 0));
    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const qreal average = QFontMetricsF(w.Memo1->font()).horizontalAdvance(letters) / letters.size();
    EXPECT_NEAR(w.Memo1->tabStopDistance(), 3 * average, 0.01);
    for (QPlainTextEdit *memo : {w.Memo1, w.MemoF, w.MemoG, w.MemoOLE}) {
        EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth) << memo->objectName().toStdString();
        EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    }

    EXPECT_FALSE(w.TreeView1->rootIsDecorated());
    EXPECT_FALSE(TreeBranchStyle::linesOn(w.TreeView1));
    EXPECT_TRUE(TreeBranchStyle::buttonsOn(w.TreeView1));
    EXPECT_EQ(w.TreeView1->font().pointSize(), 11);
    EXPECT_EQ(w.TreeView1->palette().color(QPalette::Text), QColor(0, 0, 128));
    EXPECT_EQ(w.TreeView1->palette().color(QPalette::Base), QColor(255, 255, 255)); // unknown colour: default

    EXPECT_EQ(w.MemoG->font().pointSize(), 12);
    EXPECT_EQ(w.MemoG->font().family(), FontChoice::installedFamily(QStringLiteral("ＭＳ ゴシック")));
    EXPECT_EQ(w.MemoOLE->palette().color(QPalette::Base), QColor(0, 255, 255));

    // What the file said stays as it said it.
    w.SaveSettings();
    EXPECT_EQ(s.key(QStringLiteral("Memo環境SET"), QStringLiteral("FontName")), QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(s.key(QStringLiteral("Memo環境SET"), QStringLiteral("FontColor")), QStringLiteral("$000000FF"));
    EXPECT_EQ(s.key(QStringLiteral("Memo環境SET"), QStringLiteral("FonrSize")), QStringLiteral("16"));
    EXPECT_EQ(s.key(QStringLiteral("Tree環境SET"), QStringLiteral("FontBColor")), QStringLiteral("何色"));
}

TEST(Startup, TabWidthZeroKeepsEightCharacters)
{
    Start s;
    s.readMe();
    TOrvaneF &w = s.start();
    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const qreal average = QFontMetricsF(w.Memo1->font()).horizontalAdvance(letters) / letters.size();
    EXPECT_NEAR(w.Memo1->tabStopDistance(), 8 * average, 0.01);
    EXPECT_EQ(w.Memo1->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_TRUE(w.TreeView1->rootIsDecorated());
    EXPECT_TRUE(TreeBranchStyle::linesOn(w.TreeView1));
}

TEST(Startup, ClosingRemembersTheNodeLastEdited)
{
    Start s;
    s.dir.createSjisFile(QStringLiteral("docs/T.Orvan"), QStringLiteral("F\r\n\tb.TXT\r\na.TXT\r\n"));
    s.dir.createSjisFile(QStringLiteral("docs/F/b.TXT"), QStringLiteral("b\r\n"));
    s.dir.createSjisFile(QStringLiteral("docs/a.TXT"), QStringLiteral("a\r\n"));
    TOrvaneF &w = s.start({s.dir.file(QStringLiteral("docs/T.Orvan"))});
    w.TreeView1->expandAll();
    w.TreeView1->setCurrentItem(w.nodeAt(1));
    w.TreeView1MouseUp();
    w.Memo1->setPlainText(QStringLiteral("書き直し"));
    w.close();
    EXPECT_EQ(s.dir.read(QStringLiteral("docs/F/b.TXT")), sjis(QStringLiteral("書き直し")));
    EXPECT_EQ(s.key(QStringLiteral("Tree"), QStringLiteral("最終編集ﾊﾟｽ")), QStringLiteral("\\F\\"));
    EXPECT_EQ(s.key(QStringLiteral("Tree"), QStringLiteral("最終編集ﾉｰﾄﾞ")), QStringLiteral("b.TXT"));
}

TEST(Startup, SettingsThatCannotBeWrittenAreReportedOnceAndTheProgramGoesOn)
{
    // The settings file is written beside the old one first; an executable name that
    // leaves no room for the temporary name makes that fail as a full disk or a
    // read-only folder does, for any user.
    Start s;
    s.readMe();
    const QString prog = QString(246, u'P');
    s.exePath = s.exeDir + u'/' + prog.toLower();
    const QString iniName = prog + QStringLiteral(".Ini");
    const QByteArray before = sjis(QStringLiteral("[Tree]\r\nName=前の名前\r\n"));
    s.dir.createFile(QStringLiteral("exe/") + iniName, before);

    TOrvaneF &w = s.start();
    EXPECT_TRUE(TreeReady);
    EXPECT_EQ(TreeFileName, s.readMePath());
    EXPECT_EQ(Cfg.UserName, QStringLiteral("前の名前"));
    ASSERT_EQ(s.ui.count(QStringLiteral("report")), 1);
    EXPECT_TRUE(s.ui.texts(QStringLiteral("report")).first().contains(s.exeDir + u'/' + iniName));
    // The history file beside it could be written.
    EXPECT_EQ(s.dir.read(QStringLiteral("exe/Orvan履歴.Ini")), sjis(s.readMePath() + QStringLiteral("\r\n")));

    w.ButtonCENDClick();
    w.close();
    EXPECT_EQ(s.ui.count(QStringLiteral("report")), 1);
    EXPECT_EQ(s.dir.read(QStringLiteral("exe/") + iniName), before);
}

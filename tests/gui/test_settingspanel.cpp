// The settings pages of the bottom panel: which pages open from the toolbar and the
// menu, each change shown at once on its control, the settings file written when the
// panel closes, and the image comment's height across openings.

#include "base/appsettings.h"
#include "base/colortext.h"
#include "base/globals.h"
#include "base/inifile.h"
#include "base/sjiscodec.h"
#include "settings/ui/commentmemosettingspage.h"
#include "settings/ui/generalsettingspage.h"
#include "settings/ui/memosettingspage.h"
#include "settings/ui/printsettingspage.h"
#include "settings/ui/settingscontrols.h"
#include "settings/ui/thumbsettingspage.h"
#include "settings/ui/treesettingspage.h"
#include "support/windowfixture.h"
#include "tree/ui/nodetreewidget.h"
#include "tree/ui/oleview.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>

namespace {

// A folder, a memo, a rich text, a picture, another file and a node whose file is gone.
struct Panel : WindowFixture {
    Panel()
        : WindowFixture(QStringLiteral("F\r\nm.TXT\r\nr.rtf\r\np.bmp\r\no.pdf\r\ngone.TXT\r\n"), false)
    {
        dir.createDir(QStringLiteral("docs/F"));
        dir.createSjisFile(QStringLiteral("docs/m.TXT"), QStringLiteral("memo\r\n"));
        dir.createFile(QStringLiteral("docs/r.rtf"), "{\\rtf1 rich\\par}");
        QImage pic(8, 8, QImage::Format_RGB32);
        pic.fill(Qt::red);
        pic.save(dir.file(QStringLiteral("docs/p.bmp")), "BMP");
        dir.createFile(QStringLiteral("docs/o.pdf"), "%PDF-1.4 not really");
        w().FormActivate();
    }
    QStringList visibleTabs()
    {
        QStringList out;
        if (!w().PanelB->isVisibleTo(&w()))
            return {QStringLiteral("<closed>")};
        for (int i = 0; i < w().PageControl1->count(); ++i)
            if (w().PageControl1->isTabVisible(i))
                out.append(w().PageControl1->tabText(i));
        return out;
    }
    QByteArray ini() const { return dir.read(QStringLiteral("exe/ORVANE.Ini")); }
};

void focusOut(QWidget *w)
{
    QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(w, &event);
}

} // namespace

TEST(SettingsPanel, ToolbarOpensThePagesOfTheNodeKindAndTogglesMenuEntriesOpenFixedSets)
{
    Panel p;
    const struct {
        const char *node;
        QStringList tabs;
    } cases[] = {
        {"F", {"Tree", "ｻﾑﾈｰﾙ"}}, {"m.TXT", {"Memo"}}, {"p.bmp", {"画像"}},
        {"o.pdf", {"OLE"}},       {"gone.TXT", {}},
    };
    for (const auto &c : cases) {
        p.clickName(QString::fromUtf8(c.node));
        p.w().ToolButtonSETClick();
        EXPECT_EQ(p.visibleTabs(), c.tabs) << c.node;
        EXPECT_TRUE(BottomPanelOn);
        p.w().ToolButtonSETClick(); // the second press closes
        EXPECT_EQ(p.visibleTabs(), QStringList{QStringLiteral("<closed>")}) << c.node;
        EXPECT_FALSE(BottomPanelOn);
    }

    p.clickName(QStringLiteral("m.TXT"));
    p.w().MenuTooLCTNClick();
    EXPECT_EQ(p.visibleTabs(), (QStringList{"Tree", "Memo", "画像", "ｻﾑﾈｰﾙ", "OLE"}));
    p.w().MenuTooLCAClick(); // menu entries always open, never close
    EXPECT_EQ(p.visibleTabs(), (QStringList{"全体", "印刷"}));
    p.w().MenuTooLExClick();
    EXPECT_EQ(p.visibleTabs(), (QStringList{"ﾒﾓ拡張子", "OLEｱｲｺﾝ"}));

    // A rich-text node: the toolbar button neither closes nor opens.
    p.clickName(QStringLiteral("r.rtf"));
    p.w().ToolButtonSETClick();
    EXPECT_EQ(p.visibleTabs(), (QStringList{"ﾒﾓ拡張子", "OLEｱｲｺﾝ"}));
    p.w().ButtonCENDClick();
    p.w().ToolButtonSETClick();
    EXPECT_EQ(p.visibleTabs(), QStringList{QStringLiteral("<closed>")});
}

TEST(SettingsPanel, TreeChangesShowAtOnceAndReachTheFileWhenClosedOtherLinesUntouched)
{
    Panel p;
    // Lines the settings do not own stay as they are.
    QByteArray before = p.ini() + QByteArray("[Other]\r\nkeep = ") + sjis(QStringLiteral("値")) + " \r\n";
    p.dir.createFile(QStringLiteral("exe/ORVANE.Ini"), before);

    p.clickName(QStringLiteral("F"));
    p.w().ToolButtonSETClick();
    TreeSettingsPage *page = p.w().SettingsTree;
    auto *root = p.w().findChild<QCheckBox *>(QStringLiteral("CheckBoxTR"));
    ASSERT_EQ(root, page->CheckBoxTR);
    EXPECT_TRUE(root->isChecked());
    root->setChecked(false);
    EXPECT_FALSE(p.w().TreeView1->rootIsDecorated());
    page->font->sizeBox->setValue(14);
    EXPECT_EQ(p.w().TreeView1->font().pointSize(), 14);
    auto *back = p.w().findChild<ColorBox *>(QStringLiteral("ColorBox4"));
    ASSERT_NE(back, nullptr);
    back->setCurrentIndex(12); // yellow
    emit back->activated(12);
    EXPECT_EQ(p.w().TreeView1->palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_EQ(Cfg.Tree.BackColor, QStringLiteral("clYellow"));
    EXPECT_EQ(p.ini(), before) << "nothing is written while the panel is open";

    p.w().ButtonCENDClick();
    // What the file should hold: the same bytes with these values only.
    p.dir.createFile(QStringLiteral("exe/model.Ini"), before);
    IniFile wanted(p.dir.file(QStringLiteral("exe/model.Ini")));
    wanted.writeBool(QStringLiteral("Tree環境SET"), QStringLiteral("Root"), false);
    wanted.writeInteger(QStringLiteral("Tree環境SET"), QStringLiteral("FonrSize"), 14);
    wanted.writeString(QStringLiteral("Tree環境SET"), QStringLiteral("FontBColor"), QStringLiteral("clYellow"));
    wanted.writeInteger(QStringLiteral("Tree環境SET"), QStringLiteral("FonrBColorI"), 12);
    // The session: the node current at closing.
    wanted.writeString(QStringLiteral("Tree"), QStringLiteral("最終編集ﾊﾟｽ"), QStringLiteral("\\"));
    wanted.writeString(QStringLiteral("Tree"), QStringLiteral("最終編集ﾉｰﾄﾞ"), QStringLiteral("F"));
    EXPECT_EQ(p.ini(), wanted.bytes());
    EXPECT_FALSE(BottomPanelOn);

    // The custom entry opens the colour dialog; cancelling changes nothing.
    p.w().ToolButtonSETClick();
    auto *text = p.w().findChild<ColorBox *>(QStringLiteral("ColorBox3"));
    p.ui.colorAnswers.enqueue(QColor(0x12, 0x34, 0x56));
    emit text->activated(0);
    EXPECT_EQ(Cfg.Tree.FontColor, QStringLiteral("$00563412"));
    EXPECT_EQ(Cfg.Tree.FontColorIndex, 0);
    EXPECT_EQ(p.w().TreeView1->palette().color(QPalette::Text), QColor(0x12, 0x34, 0x56));
    emit text->activated(0); // no answer: cancelled
    EXPECT_EQ(Cfg.Tree.FontColor, QStringLiteral("$00563412"));
    EXPECT_EQ(p.ui.count(QStringLiteral("color")), 2);
}

TEST(SettingsPanel, MemoPageAppliesFontWrapTabWidthAndTabInput)
{
    Panel p;
    p.clickName(QStringLiteral("m.TXT"));
    p.w().ToolButtonSETClick();
    MemoSettingsPage *page = p.w().SettingsMemo;
    page->font->fontBox->setEditText(QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(Cfg.Memo.FontName, QStringLiteral("ＭＳ ゴシック"));
    page->font->sizeBox->setValue(20);
    EXPECT_EQ(p.w().Memo1->font().pointSize(), 20);

    page->CheckBox1->setChecked(true);
    EXPECT_TRUE(Cfg.MemoWrap);
    for (QPlainTextEdit *memo : {p.w().Memo1, p.w().MemoF, p.w().MemoG, p.w().MemoOLE}) {
        EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth) << memo->objectName().toStdString();
        EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    }

    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const qreal average = QFontMetricsF(p.w().Memo1->font()).horizontalAdvance(letters) / letters.size();
    page->SpinEdit3->setValue(3);
    EXPECT_NEAR(p.w().Memo1->tabStopDistance(), 3 * average, 0.01);
    page->SpinEdit3->setValue(0);
    EXPECT_NEAR(p.w().Memo1->tabStopDistance(), 8 * average, 0.01);

    const bool tookTab = !p.w().Memo1->tabChangesFocus();
    EXPECT_EQ(page->CheckBox2->isChecked(), tookTab) << "the box shows what the editor does now";
    page->CheckBox2->setChecked(!tookTab);
    EXPECT_EQ(p.w().Memo1->tabChangesFocus(), tookTab);
    p.w().ButtonCENDClick();
    EXPECT_FALSE(p.ini().contains("TABの入力")) << "the tab input switch is never stored";
}

TEST(SettingsPanel, SizeFieldsKeepTypedValuesUntilFocusLeavesAndOleBigSizesBecome48)
{
    Panel p;
    p.w().MenuTooLCTNClick();
    SizeSpin *ole = p.w().SettingsOle->font->sizeBox;
    ole->findChild<QLineEdit *>()->setText(QStringLiteral("60"));
    ole->interpretText();
    EXPECT_EQ(Cfg.OleMemo.FontSize, 60);
    EXPECT_EQ(p.w().MemoOLE->font().pointSize(), 60);
    focusOut(ole);
    EXPECT_EQ(ole->value(), 48);
    EXPECT_EQ(Cfg.OleMemo.FontSize, 48);
    ole->setValue(80);
    EXPECT_EQ(ole->value(), 48) << "above 71 becomes 48 at once";
    EXPECT_EQ(Cfg.OleMemo.FontSize, 48);

    SizeSpin *image = p.w().SettingsImage->font->sizeBox;
    image->setValue(3);
    EXPECT_EQ(Cfg.ImageMemo.FontSize, 3);
    focusOut(image);
    EXPECT_EQ(Cfg.ImageMemo.FontSize, 7);
    image->stepBy(-5);
    EXPECT_EQ(image->value(), 7) << "the arrows stay within the bounds";
}

TEST(SettingsPanel, GeneralPageRefusesAnEmptyNameAndSwitchesTheOleDisplayCaptions)
{
    Panel p;
    p.w().MenuTooLCAClick();
    GeneralSettingsPage *page = p.w().SettingsGeneral;
    page->EditALL->setText(QStringLiteral("山田"));
    EXPECT_EQ(Cfg.UserName, QStringLiteral("山田"));
    p.ui.clear();
    page->EditALL->setText(QString());
    EXPECT_EQ(page->EditALL->text(), QStringLiteral("山田"));
    EXPECT_EQ(Cfg.UserName, QStringLiteral("山田"));
    EXPECT_EQ(p.w().statusText(2), QStringLiteral("利用者名は必ず入力して下さい"));
    EXPECT_EQ(p.ui.count(QStringLiteral("beep")), 1);

    page->SpinEdit6->setValue(12);
    EXPECT_EQ(Cfg.HistoryCount, 12);
    page->CheckBox3->setChecked(true);
    EXPECT_TRUE(Cfg.RestoreNodeSW);

    ASSERT_TRUE(Cfg.OleIconic);
    EXPECT_EQ(page->CheckBox9->text(), QStringLiteral("OLE ｱｲｺﾝ表示"));
    EXPECT_EQ(p.w().Button4->text(), QStringLiteral("ｱｲｺﾝ"));
    page->CheckBox9->setChecked(false);
    EXPECT_FALSE(Cfg.OleIconic);
    EXPECT_EQ(page->CheckBox9->text(), QStringLiteral("OLE 内容表示"));
    EXPECT_EQ(p.w().Button4->text(), QStringLiteral("表示"));

    p.w().ButtonCENDClick();
    IniFile ini(p.dir.file(QStringLiteral("exe/ORVANE.Ini")));
    EXPECT_EQ(ini.readString(QStringLiteral("Tree"), QStringLiteral("Name")), QStringLiteral("山田"));
    EXPECT_EQ(ini.readInteger(QStringLiteral("Tree"), QStringLiteral("Orvan履歴数"), 0), 12);
    EXPECT_EQ(ini.readString(QStringLiteral("Tree"), QStringLiteral("OLEDISP")), QStringLiteral("0"));
    EXPECT_EQ(ini.readString(QStringLiteral("Tree"), QStringLiteral("編集ﾉｰﾄﾞ復帰SW")), QStringLiteral("1"));
}

TEST(SettingsPanel, TitleOffClearsAndDisablesThePrintOptionsOnEnablesThem)
{
    Panel p;
    p.w().MenuTooLCAClick();
    PrintSettingsPage *page = p.w().SettingsPrint;
    EXPECT_FALSE(page->CheckBox5->isEnabled()) << "no title by default";
    page->CheckBox4->setChecked(true);
    for (QCheckBox *box : {page->CheckBox5, page->CheckBox6, page->CheckBox7, page->CheckBox8}) {
        EXPECT_TRUE(box->isEnabled());
        box->setChecked(true);
    }
    EXPECT_TRUE(Cfg.PrintFileName && Cfg.PrintDate && Cfg.PrintPageCount && Cfg.PrintSeparator);
    page->CheckBox4->setChecked(false);
    page->CheckBox4->setChecked(true);
    for (QCheckBox *box : {page->CheckBox5, page->CheckBox6, page->CheckBox7, page->CheckBox8}) {
        EXPECT_FALSE(box->isChecked());
        EXPECT_TRUE(box->isEnabled());
    }
    EXPECT_FALSE(Cfg.PrintFileName || Cfg.PrintDate || Cfg.PrintPageCount || Cfg.PrintSeparator);
    EXPECT_TRUE(Cfg.PrintTitle);
}

TEST(SettingsPanel, ThumbnailFieldsTakeWholeNumbersOnly)
{
    Panel p;
    p.clickName(QStringLiteral("F"));
    p.w().ToolButtonSETClick();
    ThumbSettingsPage *page = p.w().SettingsThumb;
    EXPECT_EQ(page->EditNsS->text(), QStringLiteral("32"));
    page->EditNsL->setText(QStringLiteral("200"));
    EXPECT_EQ(Cfg.ThumbLarge, 200);
    page->EditNsW->setText(QString());
    EXPECT_EQ(page->EditNsW->text(), QStringLiteral("1"));
    EXPECT_EQ(Cfg.ThumbWidth, 1);
    p.ui.clear();
    page->EditNsH->setText(QStringLiteral("6x"));
    EXPECT_EQ(Cfg.ThumbHeight, 64);
    EXPECT_EQ(p.ui.count(QStringLiteral("report")), 1);
}

TEST(SettingsPanel, TheImageCommentGivesRoomWhileOpenAndGetsItBackOnClosing)
{
    Panel p;
    p.w().resize(800, 700);
    p.w().show();
    p.clickName(QStringLiteral("p.bmp"));
    ASSERT_TRUE(p.w().PanelGra->isVisible());
    const QList<int> sizes = p.w().Splitter4->sizes();
    const int total = sizes.at(0) + sizes.at(1);
    ASSERT_GT(total, 400);
    const auto comment = [&p] {
        QApplication::processEvents(); // the panel's room is taken and given back by the layouts
        return p.w().Splitter4->sizes().at(1);
    };
    for (const int height : {300, 100}) {
        p.w().Splitter4->setSizes({total - height, height});
        ASSERT_EQ(comment(), height);
        const int whileOpen = qMax(10, height - 160);
        p.w().MenuTooLCTNClick();
        EXPECT_EQ(comment(), whileOpen);
        p.w().MenuTooLCTNClick(); // a second opening takes nothing more
        EXPECT_EQ(comment(), whileOpen);
        p.w().ToolButtonSETClick(); // closes
        EXPECT_EQ(comment(), height);
        p.w().ToolButtonSETClick(); // the image's own page
        EXPECT_EQ(comment(), whileOpen);
        p.w().ButtonCENDClick();
        EXPECT_EQ(comment(), height);
    }
}

TEST(SettingsPanel, OleButtonSwitchesTheFlagAndTheShownObject)
{
    Panel p;
    ASSERT_TRUE(Cfg.OleIconic);
    EXPECT_EQ(p.w().Button4->text(), QStringLiteral("ｱｲｺﾝ"));
    p.w().Button4Click(); // nothing shown yet
    EXPECT_FALSE(Cfg.OleIconic);
    EXPECT_EQ(p.w().Button4->text(), QStringLiteral("表示"));
    EXPECT_EQ(p.ui.texts(QStringLiteral("message")), QStringList{QStringLiteral("OLEがありません")});

    p.w().Button4Click();
    p.clickName(QStringLiteral("o.pdf"));
    EXPECT_EQ(p.w().OleContainer1->shown(), OleView::Shown::Icon);
    p.w().Button4Click();
    EXPECT_NE(p.w().OleContainer1->shown(), OleView::Shown::Icon);
    EXPECT_EQ(p.w().Button4->text(), QStringLiteral("表示"));
    p.w().MenuTooLCAClick();
    EXPECT_FALSE(p.w().SettingsGeneral->CheckBox9->isChecked()) << "the 全体 page shows the same switch";
    EXPECT_EQ(p.ui.count(QStringLiteral("message")), 2) << "only the two presses without an object";
}

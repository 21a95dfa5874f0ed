// The bulk output dialog: its settings file at opening and closing, the change rules of
// its controls, the file fields' checks, and exports started from it.

#include "base/globals.h"
#include "base/inifile.h"
#include "export/ui/btxtoutf.h"
#include "support/windowfixture.h"
#include "tree/ui/nodetreewidget.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <gtest/gtest.h>

namespace {

const QString kSection = QStringLiteral("OUTLINE");

QString iniPath()
{
    return ExeDir + QStringLiteral("/BTxtOut.Ini");
}

QTreeWidgetItem *nodeNamed(QTreeWidget *tree, const QString &name, int nth = 0)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->text(0) == name && nth-- == 0)
            return *it;
    return nullptr;
}

TEST(BTxtOutF, OpensWithTheTreeCopyAndReplacementSettingsAndSavesAllKeysOnClosing)
{
    WindowFixture fx(QStringLiteral("A\r\n\tB\r\nC\r\n"));
    {
        TBTxtOutF dialog(fx.w().TreeView1, TreeFileName);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ﾃｷｽﾄ一括出力"));
        EXPECT_EQ(dialog.size(), QSize(494, 550));
        EXPECT_EQ(dialog.Label1->text(), QStringLiteral("入力 --- ") + fx.treePath);
        EXPECT_EQ(dialog.Edit1->text(), QString());
        EXPECT_EQ(dialog.Edit2->text(), QStringLiteral("全て"));
        EXPECT_TRUE(dialog.Edit2->isReadOnly());
        EXPECT_TRUE(dialog.CheckBox1->isChecked());
        ASSERT_EQ(dialog.TreeView1->topLevelItemCount(), 2);
        EXPECT_EQ(dialog.TreeView1->topLevelItem(0)->child(0)->text(0), QStringLiteral("B"));
        EXPECT_FALSE(dialog.TreeView1->topLevelItem(0)->icon(0).isNull());
        // Written at once: the replacement values.
        const IniFile opened(iniPath());
        EXPECT_EQ(opened.keyNames(kSection), (QStringList{"OUTLIN", "OUTLINE1", "OUTLINE2", "OUTLINE3", "OUTLINE4",
                                                          "OUTLINE5", "KUGIRI", "INDENT"}));
        EXPECT_EQ(dialog.ComboBox1->currentIndex(), 1);
        EXPECT_TRUE(dialog.ComboBox2->isHidden());
        EXPECT_TRUE(dialog.ComboBox3->isHidden());
        EXPECT_EQ(dialog.Edit3->text(), QStringLiteral("．"));
        EXPECT_EQ(dialog.Edit4->text(), QStringLiteral("TAB"));
        EXPECT_EQ(dialog.SpinEdit2->value(), 5);
        // PAGE off: the line count is 50, whatever PAGEL held.
        EXPECT_FALSE(dialog.CheckBox2->isChecked());
        EXPECT_EQ(dialog.SpinEdit1->value(), 50);
        EXPECT_TRUE(dialog.ProgressBar1->isHidden());
        dialog.reject();
    }
    const IniFile closed(iniPath());
    EXPECT_EQ(closed.keyNames(kSection),
              (QStringList{"OUTLIN", "OUTLINE1", "OUTLINE2", "OUTLINE3", "OUTLINE4", "OUTLINE5", "KUGIRI", "INDENT",
                           "OUTEDIT6", "KUGISW", "INDSW", "INDMAX", "INDADDSW", "PAGE", "PAGEL", "MOKUJI", "SEPA0"}));
    EXPECT_EQ(closed.readInteger(kSection, QStringLiteral("OUTLINE3"), -1), 0);
    EXPECT_EQ(closed.readInteger(kSection, QStringLiteral("PAGEL"), -1), 50);
    EXPECT_EQ(closed.readInteger(kSection, QStringLiteral("SEPA0"), -1), 0);
}

TEST(BTxtOutF, CheckBoxesShowTheirControlsAndSetTheirSettings)
{
    WindowFixture fx(QStringLiteral("A\r\n"));
    TBTxtOutF dialog(fx.w().TreeView1, TreeFileName);
    const struct {
        QCheckBox *box;
        QList<QWidget *> shown;
        bool BulkExportSettings::*setting;
    } cases[] = {
        {dialog.CheckBox5, {dialog.Label7, dialog.Edit3}, &BulkExportSettings::kugiSw},
        {dialog.CheckBox4, {dialog.Label5, dialog.Label6, dialog.Label9, dialog.Edit4, dialog.SpinEdit2, dialog.CheckBox6},
         &BulkExportSettings::indSw},
        {dialog.CheckBox2, {dialog.Label8, dialog.SpinEdit1}, &BulkExportSettings::page},
        {dialog.CheckBox3, {dialog.Edit5, dialog.Button2}, &BulkExportSettings::mokuji},
    };
    for (const auto &c : cases) {
        for (bool on : {true, false, true}) {
            c.box->setChecked(on);
            EXPECT_EQ(dialog.Settings.*c.setting, on) << c.box->objectName().toStdString();
            for (QWidget *w : c.shown)
                EXPECT_EQ(w->isHidden(), !on) << w->objectName().toStdString();
        }
    }
    // Unchecking "改ページ挿入" sets the line count to 50; a count typed later is kept.
    dialog.SpinEdit1->setValue(7);
    EXPECT_EQ(dialog.Settings.pageL, 7);
    dialog.CheckBox2->setChecked(false);
    EXPECT_EQ(dialog.Settings.pageL, 50);
    EXPECT_EQ(dialog.SpinEdit1->value(), 50);
    // "目次作成" asks for the file in the status bar, and clears it when unchecked.
    dialog.CheckBox3->setChecked(false);
    EXPECT_EQ(dialog.statusText(), QString());
    dialog.CheckBox3->setChecked(true);
    EXPECT_EQ(dialog.statusText(), QStringLiteral("目次ファイル(*.TXT)を指定して下さい"));
    // The edits, spin edits, radio group, body check box and memo.
    dialog.Edit3->setText(QStringLiteral("："));
    dialog.Edit4->setText(QStringLiteral("TABTAB"));
    dialog.SpinEdit2->setValue(20);
    dialog.CheckBox6->setChecked(true);
    dialog.RadioGroup1Buttons->button(1)->click();
    dialog.Memo1->setPlainText(QStringLiteral("――\n\nend"));
    EXPECT_EQ(dialog.Settings.kugiri, QStringLiteral("："));
    EXPECT_EQ(dialog.Settings.indent, QStringLiteral("TABTAB"));
    EXPECT_EQ(dialog.Settings.indMax, 20);
    EXPECT_TRUE(dialog.Settings.indAddSw);
    EXPECT_EQ(dialog.Settings.outEdit6, 1);
    EXPECT_EQ(dialog.Settings.sepa, (QStringList{"――", "", "end"}));
}

TEST(BTxtOutF, UserPresetShowsTheLevelStylesAndTheyAreKeptOnlyForIt)
{
    WindowFixture fx(QStringLiteral("A\r\n"));
    {
        TBTxtOutF dialog(fx.w().TreeView1, TreeFileName);
        dialog.ComboBox1->setCurrentIndex(4);
        EXPECT_EQ(dialog.Settings.outlin, 5);
        EXPECT_FALSE(dialog.ComboBox2->isHidden());
        EXPECT_EQ(dialog.ComboBox2->currentText(), QStringLiteral("階層1"));
        EXPECT_EQ(dialog.ComboBox3->currentText(), QStringLiteral("1"));
        dialog.ComboBox2->setCurrentIndex(2);
        EXPECT_EQ(dialog.ComboBox3->currentText(), QStringLiteral("1)"));
        dialog.ComboBox3->setCurrentIndex(8); // 第1章 for level 3
        EXPECT_EQ(dialog.Settings.outline[2], 9);
        dialog.ComboBox2->setCurrentIndex(0);
        EXPECT_EQ(dialog.ComboBox3->currentText(), QStringLiteral("1"));
        dialog.reject();
    }
    EXPECT_EQ(IniFile(iniPath()).readInteger(kSection, QStringLiteral("OUTLINE3"), -1), 9);
    {
        TBTxtOutF dialog(fx.w().TreeView1, TreeFileName);
        EXPECT_EQ(dialog.ComboBox1->currentIndex(), 4);
        dialog.ComboBox2->setCurrentIndex(2);
        EXPECT_EQ(dialog.ComboBox3->currentText(), QStringLiteral("第1章"));
        dialog.ComboBox1->setCurrentIndex(2); // 数字
        EXPECT_TRUE(dialog.ComboBox3->isHidden());
        dialog.reject();
    }
    EXPECT_EQ(IniFile(iniPath()).readInteger(kSection, QStringLiteral("OUTLINE3"), -1), 0);
    TBTxtOutF dialog(fx.w().TreeView1, TreeFileName);
    dialog.ComboBox1->setCurrentIndex(4);
    dialog.ComboBox2->setCurrentIndex(2);
    EXPECT_EQ(dialog.ComboBox3->currentText(), QStringLiteral("1)")); // style 3 again
}

TEST(BTxtOutF, ScopeFollowsAllAndTheTreeSelection)
{
    WindowFixture fx(QStringLiteral("A\r\n\tB\r\n\t\tC\r\n"));
    TBTxtOutF dialog(fx.w().TreeView1, TreeFileName);
    dialog.TreeView1->setCurrentItem(nullptr);
    dialog.CheckBox1->setChecked(false); // nothing selected: the first node is
    EXPECT_EQ(dialog.TreeView1->currentItem(), dialog.TreeView1->topLevelItem(0));
    EXPECT_EQ(dialog.Edit2->text(), QStringLiteral("A"));
    dialog.TreeView1->setCurrentItem(nodeNamed(dialog.TreeView1, QStringLiteral("C")));
    EXPECT_EQ(dialog.Edit2->text(), QStringLiteral("C"));
    EXPECT_EQ(dialog.statusText(), QStringLiteral("第3階層"));
    dialog.CheckBox1->setChecked(true);
    EXPECT_EQ(dialog.Edit2->text(), QStringLiteral("全て"));
    dialog.TreeView1->setCurrentItem(nodeNamed(dialog.TreeView1, QStringLiteral("B")));
    EXPECT_EQ(dialog.Edit2->text(), QStringLiteral("全て")); // ignored while ALL is checked
}

TEST(BTxtOutF, TypedFilePathsAreCheckedOnLeavingTheField)
{
    WindowFixture fx(QStringLiteral("A\r\n"));
    TBTxtOutF dialog(fx.w().TreeView1, TreeFileName);
    fx.ui.clear();

    dialog.Edit1->setText(QStringLiteral("/abcdef")); // 7 bytes
    dialog.Edit1Exit();
    EXPECT_EQ(dialog.statusText(), QStringLiteral("出力ファイルを正しく指定ください。"));
    EXPECT_EQ(dialog.Edit1->text(), QString());
    EXPECT_EQ(fx.ui.count(QStringLiteral("beep")), 1);

    dialog.Edit5->setText(QStringLiteral("目次.TXT")); // 8 bytes, but no drive: not absolute
    dialog.Edit5Exit();
    EXPECT_EQ(dialog.statusText(), QStringLiteral("不明なドライブが指定されています"));
    EXPECT_EQ(dialog.Edit5->text(), QStringLiteral("目次.TXT"));
    dialog.Edit5->setText(QStringLiteral("/a"));
    dialog.Edit5Exit();
    EXPECT_EQ(dialog.statusText(), QStringLiteral("目次ファイルを正しく指定ください。"));

    // A missing folder one level down is made, then the file.
    const QString out = fx.dir.file(QStringLiteral("new/出力.TXT"));
    dialog.Edit1->setText(out);
    fx.ui.clear();
    dialog.Edit1Exit();
    EXPECT_EQ(dialog.statusText(), QString());
    EXPECT_TRUE(fx.dir.exists(QStringLiteral("new/出力.TXT")));
    EXPECT_EQ(fx.ui.events.size(), 0);
    dialog.Edit1Exit(); // there now: the create-new-file routine says so
    EXPECT_EQ(fx.ui.texts(QStringLiteral("message")), QStringList{QStringLiteral("新規作成ファイル=") + out + QStringLiteral("既にあります。")});

    // Two missing levels: refused with the folder named, nothing made.
    dialog.Edit1->setText(fx.dir.file(QStringLiteral("x/y/o.TXT")));
    dialog.Edit1Exit();
    EXPECT_TRUE(dialog.statusText().contains(fx.dir.file(QStringLiteral("x/y")))) << dialog.statusText().toStdString();
    EXPECT_FALSE(fx.dir.exists(QStringLiteral("x")));

    // A message box or another window taking the focus does not leave the field (the
    // checks show message boxes themselves); moving to another control does.
    dialog.Edit1->setText(QStringLiteral("/short"));
    QFocusEvent toWindow(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(dialog.Edit1, &toWindow);
    EXPECT_EQ(dialog.Edit1->text(), QStringLiteral("/short"));
    QFocusEvent toControl(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(dialog.Edit1, &toControl);
    EXPECT_EQ(dialog.Edit1->text(), QString());

    // Leaving the field by focus runs the same checks.
    dialog.show();
    dialog.activateWindow();
    QTRY_VERIFY(dialog.isActiveWindow());
    dialog.Edit1->setText(QStringLiteral("/short"));
    dialog.Edit1->setFocus();
    QTRY_VERIFY(dialog.Edit1->hasFocus());
    dialog.Edit->setFocus();
    QTRY_COMPARE(dialog.statusText(), QStringLiteral("出力ファイルを正しく指定ください。"));
}

TEST(BTxtOutF, BrowseButtonsTakeTheChosenFileAndCreateIt)
{
    WindowFixture fx(QStringLiteral("A\r\n"));
    TBTxtOutF dialog(fx.w().TreeView1, TreeFileName);
    fx.ui.fileAnswers.enqueue(fx.dir.file(QStringLiteral("docs/OUT.TXT")));
    dialog.Button1Click();
    EXPECT_EQ(dialog.Edit1->text(), fx.dir.file(QStringLiteral("docs/OUT.TXT")));
    EXPECT_TRUE(fx.dir.exists(QStringLiteral("docs/OUT.TXT")));
    EXPECT_EQ(fx.ui.texts(QStringLiteral("save")), QStringList{QStringLiteral("一括出力")});
    dialog.CheckBox3->setChecked(true);
    fx.ui.fileAnswers.enqueue(fx.dir.file(QStringLiteral("docs/TOC.TXT")));
    dialog.Button2Click();
    EXPECT_EQ(dialog.Edit5->text(), fx.dir.file(QStringLiteral("docs/TOC.TXT")));
    EXPECT_TRUE(fx.dir.exists(QStringLiteral("docs/TOC.TXT")));
    EXPECT_EQ(dialog.statusText(), QString());
    dialog.Button2Click(); // cancelled: nothing changes
    EXPECT_EQ(dialog.Edit5->text(), fx.dir.file(QStringLiteral("docs/TOC.TXT")));
}

TEST(BTxtOutF, ExportRefusesInTheStatusBarThenRunsAndBranchesFollowTheLastSelection)
{
    WindowFixture fx(QStringLiteral("X\r\n\tY\r\nZ\r\n\tY\r\n\t\tW\r\n"));
    TBTxtOutF dialog(fx.w().TreeView1, TreeFileName);
    dialog.ComboBox1->setCurrentIndex(0); // no labels
    fx.ui.clear();
    dialog.EditClick();
    EXPECT_EQ(dialog.statusText(), QStringLiteral("Outファイル(*.TXT)を指定して下さい"));
    EXPECT_EQ(fx.ui.count(QStringLiteral("beep")), 1);
    dialog.Edit1->setText(fx.dir.file(QStringLiteral("none.TXT")));
    dialog.EditClick();
    EXPECT_EQ(dialog.statusText(), QStringLiteral("Outファイルが有りません"));
    fx.dir.createFile(QStringLiteral("OUT.TXT"));
    fx.dir.createFile(QStringLiteral("TOC.TXT"));
    dialog.Edit1->setText(fx.dir.file(QStringLiteral("OUT.TXT")));
    dialog.CheckBox3->setChecked(true);
    dialog.EditClick();
    EXPECT_EQ(dialog.statusText(), QStringLiteral("目次ファイル(*.TXT)を指定して下さい"));
    EXPECT_TRUE(fx.dir.read(QStringLiteral("OUT.TXT")).isEmpty());

    dialog.Edit5->setText(fx.dir.file(QStringLiteral("TOC.TXT")));
    dialog.CheckBox1->setChecked(false);
    dialog.TreeView1->setCurrentItem(nodeNamed(dialog.TreeView1, QStringLiteral("Y")));
    fx.ui.clear();
    dialog.EditClick();
    EXPECT_EQ(dialog.statusText(), QStringLiteral("一括出力 終了"));
    EXPECT_TRUE(dialog.ProgressBar1->isHidden());
    EXPECT_FALSE(dialog.ExportBusy);
    EXPECT_EQ(fx.ui.texts(QStringLiteral("message")),
              (QStringList{QStringLiteral("新規作成ファイル=") + fx.dir.file("TOC.TXT") + QStringLiteral("既にあります。"),
                           QStringLiteral("新規作成ファイル=") + fx.dir.file("OUT.TXT") + QStringLiteral("既にあります。")}));
    // Level 2: both Y, and W below the second.
    EXPECT_EQ(fx.dir.read(QStringLiteral("OUT.TXT")), QByteArray("Y\r\nY\r\nW\r\n"));
    EXPECT_EQ(dialog.TreeView1->currentItem()->text(0), QStringLiteral("W"));
    EXPECT_EQ(dialog.Edit2->text(), QStringLiteral("Y"));

    // Again without selecting: the level comes from W, where the walk stopped.
    dialog.EditClick();
    EXPECT_EQ(fx.dir.read(QStringLiteral("OUT.TXT")), QByteArray("Y\r\nY\r\nW\r\nY\r\nY\r\n"));
    EXPECT_EQ(fx.dir.read(QStringLiteral("TOC.TXT")), QByteArray("Y\r\nY\r\nW\r\nY\r\nY\r\n"));
}

TEST(BTxtOutF, AFailedExportIsReportedAndTheOutputKept)
{
    WindowFixture fx(QStringLiteral("A\r\n"));
    fx.dir.createFile(QStringLiteral("docs/A.TXT"), QStringLiteral("😀\n").toUtf8());
    fx.dir.createFile(QStringLiteral("OUT.TXT"), "old");
    TBTxtOutF dialog(fx.w().TreeView1, TreeFileName);
    dialog.Edit1->setText(fx.dir.file(QStringLiteral("OUT.TXT")));
    fx.ui.clear();
    dialog.EditClick();
    ASSERT_EQ(fx.ui.count(QStringLiteral("report")), 1);
    EXPECT_TRUE(fx.ui.texts(QStringLiteral("report")).at(0).contains(fx.dir.file(QStringLiteral("docs/A.TXT"))));
    EXPECT_EQ(dialog.statusText(), QStringLiteral("一括出力 中止"));
    EXPECT_EQ(fx.dir.read(QStringLiteral("OUT.TXT")), QByteArray("old"));
    EXPECT_TRUE(dialog.ProgressBar1->isHidden());
    EXPECT_FALSE(dialog.ExportBusy);
}

TEST(BTxtOutF, TheToolMenuOpensTheDialogOnTheTreeAndClosingSavesTheSettings)
{
    WindowFixture fx(QStringLiteral("A\r\n\tB\r\n"));
    int nodes = -1;
    fx.ui.dialogScript = [&](QDialog &d) {
        auto *dialog = qobject_cast<TBTxtOutF *>(&d);
        ASSERT_NE(dialog, nullptr);
        nodes = dialog->TreeView1->topLevelItem(0)->childCount() + dialog->TreeView1->topLevelItemCount();
        dialog->CheckBox5->setChecked(true);
        dialog->Button3->click(); // キャンセル
    };
    fx.w().MenuTooLOut->trigger();
    EXPECT_EQ(fx.ui.texts(QStringLiteral("dialog")), QStringList{QStringLiteral("TBTxtOutF")});
    EXPECT_EQ(nodes, 2);
    EXPECT_TRUE(IniFile(iniPath()).readBool(kSection, QStringLiteral("KUGISW"), false));
}

} // namespace

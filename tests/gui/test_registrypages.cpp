// The pages "ﾒﾓ拡張子" and "OLEｱｲｺﾝ": the registries loaded at start, changed on their
// pages, saved, and followed by the node kinds and icons of the open tree.

#include "app/ui/mainwindow.h"
#include "base/globals.h"
#include "base/sjiscodec.h"
#include "nodeops/peresources.h"
#include "settings/iconimage.h"
#include "settings/oleiconregistry.h"
#include "settings/ui/memoextpage.h"
#include "settings/ui/oleiconpage.h"
#include "support/peimage.h"
#include "support/recordingui.h"
#include "support/testdir.h"
#include "tree/nodekind.h"
#include "tree/ui/nodetreewidget.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTreeWidget>

#include <memory>

namespace {

constexpr QRgb Red = 0xFFFF0000, Blue = 0xFF0000FF, Yellow = 0xFFFFFF00;

// A window over a tree of a memo-to-be, two other files and a spreadsheet, with the
// registry files the test lays out in "Res".
struct Start {
    TestDir dir;
    RecordingUi ui;
    QString exe = dir.makeExeDir();
    std::unique_ptr<TOrvaneF> w;

    Start()
    {
        dir.createSjisFile(QStringLiteral("docs/T.Orvan"), QStringLiteral("a.TXT\r\nb.pdf\r\nc.doc\r\nd.xls\r\n"));
        dir.createSjisFile(QStringLiteral("docs/a.TXT"), QStringLiteral("本文\r\n"));
        for (const char *name : {"docs/b.pdf", "docs/c.doc", "docs/d.xls"})
            dir.createFile(QString::fromLatin1(name), "data");
    }
    ~Start() { w.reset(); }
    TOrvaneF &open()
    {
        w = std::make_unique<TOrvaneF>(exe, QStringList{dir.file(QStringLiteral("docs/T.Orvan"))});
        w->FormActivate();
        return *w;
    }
    int icon(int node) const { return w->nodeAt(node)->data(0, NodeTreeWidget::IconIndexRole).toInt(); }
    QString res(const QString &name) const { return dir.file(QStringLiteral("exe/Res/") + name); }
    QByteArray read(const QString &name) const { return dir.read(QStringLiteral("exe/Res/") + name); }
};

// A program file with two icons: number 0 red, number 1 blue.
QByteArray program()
{
    const QByteArray red = buildIconResource(16, 16, Red);
    const QByteArray blue = buildIconResource(32, 32, Blue);
    return buildPeImage({
        PeResource{PeResources::TypeIcon, 1, {}, 0x0411, red},
        PeResource{PeResources::TypeIcon, 2, {}, 0x0411, blue},
        PeResource{PeResources::TypeGroupIcon, 1, {}, 0x0411, buildGroupIconResource({{16, 16, 32, 1, int(red.size())}})},
        PeResource{PeResources::TypeGroupIcon, 2, {}, 0x0411, buildGroupIconResource({{32, 32, 32, 2, int(blue.size())}})},
    });
}

QRgb centre(const QImage &image)
{
    return image.isNull() ? 0 : image.pixel(8, 8);
}

} // namespace

TEST(MemoExtPage, WithoutARegistryFileTxtIsNoMemoUntilTheBuiltInRowIsSaved)
{
    Start s;
    QFile::remove(s.res(QStringLiteral("MemoFEX.ini")));
    TOrvaneF &w = s.open();
    EXPECT_TRUE(MemoExtList.isEmpty());
    EXPECT_EQ(s.icon(0), KindOle);
    MemoExtPage *page = w.SettingsMemoExt;
    EXPECT_EQ(page->entries(), QStringList{QStringLiteral("TXT=テキスト")});

    w.MenuTooLExClick();
    page->Button3Click();
    EXPECT_EQ(s.read(QStringLiteral("MemoFEX.ini")), sjis(QStringLiteral("TXT=テキスト\r\n")));
    EXPECT_EQ(MemoExtList, QStringList{QStringLiteral("TXT")});
    EXPECT_EQ(s.icon(0), KindMemo);
    EXPECT_EQ(NodeKind, KindMemo) << "the current node is shown again as a memo";
    EXPECT_TRUE(w.PanelMemo->isVisibleTo(&w));
    EXPECT_EQ(w.Memo1->toPlainText(), QStringLiteral("本文\n"));
    EXPECT_EQ(w.statusText(2), QStringLiteral("ﾃｷｽﾄ拡張子設定ﾌｧｲﾙ=\\Res\\MemoFEX.ini を保存しました"));
}

TEST(MemoExtPage, AddAndDeleteChangeTheGridOnlyWithTheirMessages)
{
    Start s;
    s.dir.createFile(QStringLiteral("exe/Res/MemoFEX.ini"), sjis(QStringLiteral("TXT=テキスト\r\nLOG=\r\n")));
    TOrvaneF &w = s.open();
    w.MenuTooLExClick();
    MemoExtPage *page = w.SettingsMemoExt;
    ASSERT_EQ(page->ValueListEditor1->rowCount(), 2);

    page->Button1Click();
    EXPECT_EQ(w.statusText(2), QStringLiteral("一覧をｸﾘｯｸし､追加内容を編集して下さい"));
    page->Button2Click();
    EXPECT_EQ(w.statusText(2), QStringLiteral("一覧をｸﾘｯｸし､削除する拡張子を選択して下さい"));

    const struct {
        const char *typed;
        const char *status;
        int rows;
    } adds[] = {
        {"doc", "ﾃｷｽﾄ拡張子=DOCを追加しました", 3},
        {"DOC", "DOC既に登録されています", 3},
        {"ｍｄ", "ﾃｷｽﾄ拡張子=ＭＤを追加しました", 4},
        {"", "拡張子を入力して下さい", 4},
        {"A.B", "拡張子に｢.｣と｢=｣は使えません", 4},
        {"A=B", "拡張子に｢.｣と｢=｣は使えません", 4},
    };
    for (const auto &a : adds) {
        page->ValueListEditor1SelectCell(2);
        EXPECT_EQ(page->LabExNo->text(), QStringLiteral("2"));
        EXPECT_EQ(page->EditEx->text(), QStringLiteral("LOG"));
        page->EditEx->setText(QString::fromUtf8(a.typed));
        page->EditExCo->setText(QStringLiteral("説明"));
        page->Button1Click();
        EXPECT_EQ(w.statusText(2), QString::fromUtf8(a.status)) << a.typed;
        EXPECT_EQ(page->ValueListEditor1->rowCount(), a.rows) << a.typed;
    }
    EXPECT_EQ(page->entries(), (QStringList{"TXT=テキスト", "LOG=", "DOC=説明", "ＭＤ=説明"}));
    EXPECT_EQ(MemoExtList, (QStringList{"TXT", "LOG"})) << "nothing changes before 保存";

    page->ValueListEditor1SelectCell(1);
    page->Button2Click();
    EXPECT_EQ(w.statusText(2), QStringLiteral("拡張子=TXTは削除できません"));
    page->ValueListEditor1SelectCell(3);
    page->Button2Click();
    EXPECT_EQ(w.statusText(2), QStringLiteral("ﾃｷｽﾄ拡張子=DOCを削除しました"));
    EXPECT_EQ(page->LabExNo->text(), QStringLiteral("No"));
    EXPECT_EQ(page->entries(), (QStringList{"TXT=テキスト", "LOG=", "ＭＤ=説明"}));
}

TEST(MemoExtPage, AFailedSaveIsReportedAndKeepsFileAndList)
{
    Start s;
    const QByteArray before = sjis(QStringLiteral("TXT=テキスト\r\n"));
    s.dir.createFile(QStringLiteral("exe/Res/MemoFEX.ini"), before);
    TOrvaneF &w = s.open();
    MemoExtPage *page = w.SettingsMemoExt;
    page->setEntries({QStringLiteral("TXT=テキスト"), QStringLiteral("PDF=x")});
    QFile::setPermissions(s.res(QStringLiteral("MemoFEX.ini")), QFile::ReadOwner);
    page->Button3Click();
    ASSERT_EQ(s.ui.count(QStringLiteral("report")), 1);
    EXPECT_TRUE(s.ui.texts(QStringLiteral("report")).first().contains(QStringLiteral("MemoFEX.ini")));
    EXPECT_EQ(s.read(QStringLiteral("MemoFEX.ini")), before);
    EXPECT_EQ(MemoExtList, QStringList{QStringLiteral("TXT")});
    EXPECT_EQ(s.icon(1), KindOle);
}

TEST(OleIconPage, IconsFromAProgramFileAndAnSvgAreAddedShownInTheTreeSavedAndLoadedAgain)
{
    Start s;
    s.dir.createFile(QStringLiteral("tools/prog.exe"), program());
    s.dir.createFile(QStringLiteral("tools/doc.svg"),
                     "<svg xmlns='http://www.w3.org/2000/svg' width='32' height='32'>"
                     "<rect width='32' height='32' fill='yellow'/></svg>");
    TOrvaneF &w = s.open();
    w.MenuTooLExClick();
    OleIconPage *page = w.SettingsOleIcon;
    EXPECT_EQ(w.ImageList2.size(), 10);
    EXPECT_EQ(s.icon(1), KindOle);

    s.ui.fileAnswers.enqueue(s.dir.file(QStringLiteral("tools/prog.exe")));
    page->ButtonFXOpenClick();
    EXPECT_EQ(s.ui.texts(QStringLiteral("open")), QStringList{QStringLiteral("OLE ｱｲｺﾝ ｲﾒｰｼﾞ 追加")});
    EXPECT_EQ(page->LabOleExNo->text(), QStringLiteral("No:1"));
    EXPECT_EQ(page->EditFXFile->text(), QStringLiteral("prog.exe"));
    EXPECT_EQ(centre(page->preview()), Red);
    page->SpinEditFX->setValue(1);
    EXPECT_EQ(centre(page->preview()), Blue) << "a new number takes the icon out again";
    page->SpinEditFX->setValue(2);
    EXPECT_TRUE(page->preview().isNull()) << "no icon at that number";

    // Refusals, each with a beep and nothing added.
    const struct {
        const char *ext, *comment;
        int number;
        const char *status;
    } refusals[] = {
        {"", "c", 0, "ﾌｧｲﾙ拡張子が登録されていません"},
        {"PDF", "", 0, "ｺﾒﾝﾄが登録されていません"},
        {"PDF", "c", 2, "ｱｲｺﾝが選択されていません"},
    };
    for (const auto &r : refusals) {
        page->SpinEditFX->setValue(r.number);
        page->EditFX->setText(QString::fromUtf8(r.ext));
        page->EditFXFile->setText(QString::fromUtf8(r.comment));
        s.ui.clear();
        page->ButtonFXAddClick();
        EXPECT_EQ(w.statusText(2), QString::fromUtf8(r.status));
        EXPECT_EQ(s.ui.count(QStringLiteral("beep")), 1);
        EXPECT_EQ(w.OleIcons.size(), 0);
    }

    page->SpinEditFX->setValue(1);
    page->EditFX->setText(QStringLiteral("PDF"));
    page->EditFXFile->setText(QStringLiteral("Acrobat 文書"));
    page->ButtonFXAddClick();
    ASSERT_EQ(w.OleIcons.size(), 1);
    EXPECT_EQ(page->ListViewFX->topLevelItemCount(), 1);
    EXPECT_EQ(w.ImageList2.size(), 11);
    EXPECT_EQ(s.icon(1), 10) << "the tree follows at once";
    EXPECT_EQ(s.icon(2), KindOle);
    EXPECT_FALSE(QFile::exists(s.res(QStringLiteral("ExImage1.ico")))) << "files change at 保存 only";

    s.ui.fileAnswers.enqueue(s.dir.file(QStringLiteral("tools/doc.svg")));
    page->ButtonFXOpenClick();
    EXPECT_EQ(page->LabOleExNo->text(), QStringLiteral("No:2"));
    EXPECT_EQ(centre(page->preview()), Yellow);
    page->EditFX->setText(QStringLiteral("DOC"));
    page->ButtonFXAddClick();
    EXPECT_EQ(s.icon(2), 11);

    s.ui.clear();
    page->ButtonFXSaveClick();
    EXPECT_EQ(s.ui.count(QStringLiteral("report")), 0);
    EXPECT_EQ(s.ui.texts(QStringLiteral("message")), QStringList{QStringLiteral("削除ファイルなし")});
    EXPECT_EQ(Sjis::decode(s.read(QStringLiteral("OLEFEX.ini"))),
              QStringLiteral("[OLEIcon]\r\nCount=2\r\nExt1=PDF\r\nExp1=\"Acrobat 文書\"\r\nExt2=DOC\r\nExp2=doc.svg\r\n"));

    // The next start loads the registry: rows, icons and the tree's images.
    s.w.reset();
    TOrvaneF &again = s.open();
    ASSERT_EQ(again.OleIcons.size(), 2);
    EXPECT_EQ(again.OleIcons.at(0).comment, QStringLiteral("Acrobat 文書"));
    EXPECT_EQ(centre(again.OleIcons.at(0).icon), Blue);
    EXPECT_EQ(centre(again.OleIcons.at(1).icon), Yellow);
    EXPECT_EQ(s.icon(1), 10);
    EXPECT_EQ(s.icon(2), 11);
    EXPECT_EQ(s.icon(3), KindOle);
    EXPECT_EQ(again.SettingsOleIcon->ListViewFX->topLevelItem(1)->text(1), QStringLiteral("doc.svg"));
}

TEST(OleIconPage, DeletingARowMovesTheLaterIconsDownAndChoosingARowShowsIt)
{
    Start s;
    s.dir.createFile(QStringLiteral("exe/Res/OLEFEX.ini"),
                     "[OLEIcon]\r\nCount=3\r\nExt1=PDF\r\nExp1=a\r\nExt2=DOC\r\nExp2=\"b c\"\r\nExt3=XLS\r\nExp3=d\r\n");
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Red);
    QImage blue(16, 16, QImage::Format_ARGB32);
    blue.fill(Blue);
    s.dir.createFile(QStringLiteral("exe/Res/ExImage1.ico"), IconImage::toIconFile(red));
    s.dir.createFile(QStringLiteral("exe/Res/ExImage3.Ico"), IconImage::toIconFile(blue));
    TOrvaneF &w = s.open();
    EXPECT_EQ(s.icon(1), 10);
    EXPECT_EQ(s.icon(2), 11);
    EXPECT_EQ(s.icon(3), 12);
    OleIconPage *page = w.SettingsOleIcon;

    w.MenuTooLExClick();
    page->ListViewFX->setCurrentItem(page->ListViewFX->topLevelItem(1));
    EXPECT_EQ(page->LabOleExNo->text(), QStringLiteral("No:2"));
    EXPECT_EQ(page->EditFX->text(), QStringLiteral("DOC"));
    EXPECT_EQ(page->EditFXFile->text(), QStringLiteral("b c")) << "the comment as it reads";
    const QImage placeholder = IconImage::fromIconFile(s.read(QStringLiteral("NULL.ico")));
    EXPECT_EQ(page->preview(), placeholder) << "its icon file is missing";

    page->ButtonFXDelClick();
    ASSERT_EQ(w.OleIcons.size(), 2);
    EXPECT_EQ(page->ListViewFX->topLevelItem(1)->text(0), QStringLiteral("XLS"));
    EXPECT_EQ(s.icon(2), KindOle);
    EXPECT_EQ(s.icon(3), 11);
    EXPECT_EQ(w.ImageList2.size(), 12);

    page->ButtonFXDelClick(); // nothing selected: nothing happens
    EXPECT_EQ(w.OleIcons.size(), 2);

    page->ButtonFXSaveClick();
    const QList<OleIconEntry> saved = OleIconRegistry::load();
    ASSERT_EQ(saved.size(), 2);
    EXPECT_EQ(saved.at(1).ext, QStringLiteral("XLS"));
    EXPECT_EQ(centre(saved.at(1).icon), Blue) << "the icon moved to number 2 with its entry";
}

TEST(OleIconPage, AnEntryWithoutAnyReadableIconShowsTheGenericImage)
{
    Start s;
    QFile::remove(s.res(QStringLiteral("NULL.ico")));
    s.dir.createFile(QStringLiteral("exe/Res/OLEFEX.ini"), "[OLEIcon]\r\nCount=1\r\nExt1=PDF\r\nExp1=a\r\n");
    s.dir.createFile(QStringLiteral("exe/Res/ExImage1.ico"), "broken");
    TOrvaneF &w = s.open();
    ASSERT_EQ(w.ImageList2.size(), 11);
    EXPECT_EQ(w.ImageList2.at(10).cacheKey(), w.ImageList2.at(KindOle).cacheKey());
    EXPECT_EQ(s.icon(1), 10);
    EXPECT_EQ(w.SettingsOleIcon->ListViewFX->topLevelItem(0)->text(0), QStringLiteral("PDF"));
}

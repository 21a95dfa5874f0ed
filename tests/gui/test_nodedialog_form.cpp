// The node dialog's window and the template dialog's window, driven step by step
// (and once through their modal loop): what each mode shows, the kind and template that
// stay chosen, the file pickers, the date list, the clean-up message.

#include "base/globals.h"
#include "nodeops/ui/nodedialog.h"
#include "settings/ui/templatedialog.h"
#include "support/recordingui.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

NodeDialogRequest request(int mode, const QString &nodeName = QStringLiteral("memo.TXT"),
                          const QStringList &templates = {QStringLiteral("なし"), QStringLiteral("日報")})
{
    NodeDialogRequest r;
    r.mode = mode;
    r.nodeName = nodeName;
    r.templates = templates;
    return r;
}

bool shown(QWidget *w)
{
    return w->isVisibleTo(w->window());
}

} // namespace

TEST(NodeDialogForm, EachModeShowsItsCaptionPromptControlsAndSize)
{
    RecordingUi ui;
    TFormD form;
    struct Case {
        int mode;
        const char *nodeName;
        const char *caption;
        const char *label;
        bool asksName;
        int width;
        int height;
    };
    const Case cases[] = {
        {DlgAddNode, "x", "ﾉｰﾄﾞ追加", "追加する名称を入力(ﾌｧｲﾙ拡張子は不要)", true, 290, 200},
        {DlgAddChildNode, "x", "子ﾉｰﾄﾞ追加", "追加する下層(子)名称を入力(ﾌｧｲﾙ拡張子は不要)", true, 306, 200},
        {DlgInsertNode, "x", "ﾉｰﾄﾞ挿入", "挿入する名称を入力(ﾌｧｲﾙ拡張子は不要)", true, 290, 200},
        {DlgDeleteNode, "memo.TXT", "ﾉｰﾄﾞ削除(ﾉｰﾄﾞのみ)", "memo.TXT を削除します", false, 290, 130},
        {DlgDeleteWithFile,
         "とても長い名前のノードでウィンドウが最大幅まで広がることを確かめるためのメモ.TXT",
         "ﾉｰﾄﾞ削除(ﾉｰﾄﾞ+ファイル)",
         "とても長い名前のノードでウィンドウが最大幅まで広がることを確かめるためのメモ.TXT を削除します", false, 500, 130},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mode);
        form.FormActivate(request(c.mode, QString::fromUtf8(c.nodeName)));
        EXPECT_EQ(form.windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_EQ(form.Label1->text(), QString::fromUtf8(c.label));
        for (QWidget *w : {static_cast<QWidget *>(form.RadioGroup1), static_cast<QWidget *>(form.ComboBox1),
                           static_cast<QWidget *>(form.ComboBoxNM), static_cast<QWidget *>(form.Edit1),
                           static_cast<QWidget *>(form.Label2)})
            EXPECT_EQ(shown(w), c.asksName) << w->objectName().toStdString();
        EXPECT_TRUE(shown(form.Button1));
        EXPECT_TRUE(shown(form.Button2));
        EXPECT_FALSE(shown(form.Button3));
        // The client area inside a 10 × 30 frame.
        EXPECT_EQ(form.width() + 10, c.width);
        EXPECT_EQ(form.height() + 30, c.height);
        // The buttons stay at the right and bottom edges.
        EXPECT_EQ(form.Button1->geometry().right(), form.width() - 8);
        EXPECT_EQ(form.Button1->y(), form.height() - 54);
        EXPECT_EQ(form.Edit1->text(), QString());
        EXPECT_EQ(form.statusText(), QString());
    }
}

TEST(NodeDialogForm, DateAndTimeListFeedsTheNameField)
{
    RecordingUi ui;
    TFormD form;
    form.FormActivate(request(DlgAddNode));
    ASSERT_EQ(form.ComboBoxNM->count(), 4);
    const char *formats[] = {"^\\d{4}年\\d{2}月\\d{2}日$", "^\\d{8}$", "^\\d{2}時\\d{2}分$", "^\\d{6}$"};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(QRegularExpression(QString::fromUtf8(formats[i])).match(form.ComboBoxNM->itemText(i)).hasMatch())
            << form.ComboBoxNM->itemText(i).toStdString();
    emit form.ComboBoxNM->textActivated(form.ComboBoxNM->itemText(0));
    EXPECT_EQ(form.Edit1->text(), form.ComboBoxNM->itemText(0));
    // The name field lies over the list, leaving only its button.
    EXPECT_EQ(form.Edit1->geometry().topLeft(), form.ComboBoxNM->geometry().topLeft());
    EXPECT_LT(form.Edit1->width(), form.ComboBoxNM->width());
}

TEST(NodeDialogForm, ImageAndOleKindsTakeTheNameFromAPickedFile)
{
    RecordingUi ui;
    TFormD form;
    form.FormActivate(request(DlgAddNode));
    form.Edit1->setText(QStringLiteral("typed"));
    form.setKindChoice(ChoiceImage);
    EXPECT_TRUE(shown(form.Button3));
    EXPECT_TRUE(form.Edit1->isReadOnly());
    EXPECT_FALSE(form.ComboBox1->isEnabled());
    EXPECT_EQ(form.statusText(), QStringLiteral("ﾌｧｲﾙを指定して下さい"));
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("typed")); // switching keeps the text

    ui.fileAnswers.enqueue(QStringLiteral("/pics/2024/Photo.JPG"));
    form.Button3Click();
    EXPECT_EQ(ui.texts(QStringLiteral("open")), QStringList{QStringLiteral("画像ﾌｧｲﾙ Open")});
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("Photo.JPG"));
    form.Button1Click();
    NodeDialogResult r = form.result();
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.name, QStringLiteral("Photo.JPG"));
    EXPECT_EQ(r.kind, 3);
    EXPECT_EQ(r.file, QStringLiteral("/pics/2024/Photo.JPG"));

    // The next showing keeps the kind: the picker is offered at once.
    form.FormActivate(request(DlgInsertNode));
    EXPECT_EQ(form.kindChoice(), ChoiceImage);
    EXPECT_TRUE(shown(form.Button3));
    EXPECT_TRUE(form.Edit1->isReadOnly());
    EXPECT_EQ(form.statusText(), QStringLiteral("ﾌｧｲﾙを指定して下さい"));
    form.setKindChoice(ChoiceOle);
    ui.fileAnswers.enqueue(QStringLiteral("/docs/sheet.ods"));
    form.Button3Click();
    EXPECT_EQ(ui.texts(QStringLiteral("open")).last(), QStringLiteral("OLE ﾌｧｲﾙ Open"));
    // Cancelling a second pick leaves both the field and the file empty.
    form.Button3Click();
    EXPECT_EQ(form.Edit1->text(), QString());
    form.Button1Click();
    EXPECT_FALSE(form.result().ok);

    // Back to text: typing again, no file.
    form.setKindChoice(ChoiceText);
    EXPECT_FALSE(form.Edit1->isReadOnly());
    EXPECT_FALSE(shown(form.Button3));
    EXPECT_TRUE(form.ComboBox1->isEnabled());
    EXPECT_EQ(form.statusText(), QString());
}

TEST(NodeDialogForm, OkCleansTheNameFirstAndAcceptsItOnTheSecondPress)
{
    RecordingUi ui;
    TFormD form;
    form.setKindChoice(ChoiceText);
    form.ComboBox1->setEditText(QStringLiteral("なし"));
    form.FormActivate(request(DlgAddNode));
    form.Edit1->setText(QStringLiteral(" a/b "));
    form.Button1Click();
    EXPECT_EQ(ui.texts(QStringLiteral("message")),
              QStringList{QStringLiteral("File名に不具合なｷｬﾗｸﾀｰを削除しました。\rノード名を確認してください。")});
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("ab"));
    EXPECT_FALSE(form.result().ok);
    form.Button1Click();
    EXPECT_TRUE(form.result().ok);
    EXPECT_EQ(form.result().name, QStringLiteral("ab.TXT"));
    EXPECT_EQ(ui.count(QStringLiteral("message")), 1);
}

TEST(NodeDialogForm, KindAndTemplateStayChosenAcrossShowings)
{
    GlobalInit(QStringLiteral("/opt/orvane/orvane")); // the templates are the program's files
    RecordingUi ui;
    TFormD form;
    form.FormActivate(request(DlgAddNode));
    EXPECT_EQ(form.ComboBox1->currentText(), QStringLiteral("なし"));
    form.ComboBox1->setCurrentIndex(1);
    form.Edit1->setText(QStringLiteral("m"));
    form.Button1Click();
    EXPECT_EQ(form.result().templatePath, QStringLiteral("/opt/orvane/Res/様式Memo日報.TXT"));

    // A template registered since: the list grows, the choice stays.
    form.FormActivate(request(DlgAddChildNode, QString(),
                              {QStringLiteral("なし"), QStringLiteral("日報"), QStringLiteral("議事録")}));
    EXPECT_EQ(form.ComboBox1->currentText(), QStringLiteral("日報"));
    EXPECT_EQ(form.ComboBox1->count(), 3);
    EXPECT_EQ(form.Edit1->text(), QString());
    // A typed template name is kept as typed and never added to the list.
    form.ComboBox1->setEditText(QStringLiteral("手入力"));
    form.Edit1->setText(QStringLiteral("m"));
    QTest::keyClick(form.ComboBox1, Qt::Key_Return);
    EXPECT_EQ(form.ComboBox1->count(), 3);

    form.setKindChoice(ChoiceFolder);
    form.Button1Click();
    EXPECT_EQ(form.result().kind, 0);
    EXPECT_EQ(form.result().templatePath, QString()); // templates are for text memos only
    form.FormActivate(request(DlgAddNode));
    EXPECT_EQ(form.kindChoice(), ChoiceFolder);
    EXPECT_FALSE(form.ComboBox1->isEnabled());
    EXPECT_EQ(form.ComboBox1->currentText(), QStringLiteral("手入力"));
}

TEST(NodeDialogForm, DeleteModesConfirmAndCancelResets)
{
    RecordingUi ui;
    TFormD form;
    form.FormActivate(request(DlgDeleteWithFile));
    form.Button1Click();
    EXPECT_TRUE(form.result().ok);
    EXPECT_EQ(form.result().name, QString());

    form.FormActivate(request(DlgDeleteNode));
    form.Button2Click();
    EXPECT_FALSE(form.result().ok);
}

TEST(NodeDialogForm, EnterAcceptsAndEscapeCancelsTheModalDialog)
{
    RecordingUi ui;
    TFormD form;
    form.setKindChoice(ChoiceRich);
    QTimer::singleShot(0, &form, [&form] {
        QTest::keyClicks(form.Edit1, QStringLiteral("report"));
        QTest::keyClick(form.Edit1, Qt::Key_Return);
    });
    NodeDialogResult r = form.run(request(DlgAddNode));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.name, QStringLiteral("report.RTF"));

    QTimer::singleShot(0, &form, [&form] {
        QTest::keyClicks(form.Edit1, QStringLiteral("gone"));
        QTest::keyClick(form.Edit1, Qt::Key_Escape);
    });
    r = form.run(request(DlgAddNode));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.name, QString());
}

TEST(TemplateDialogForm, RegistrationAsksForANameWithTheSuggestion)
{
    TTmpF form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("様式"));
    TemplateDialogRequest r;
    r.suggestion = QStringLiteral("a.b");
    form.FormActivate(r);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("様式登録"));
    EXPECT_EQ(form.Label1->text(), QStringLiteral("様式名を入力して下さい"));
    EXPECT_EQ(form.Button2->text(), QStringLiteral("登録"));
    EXPECT_TRUE(shown(form.Edit1));
    EXPECT_FALSE(shown(form.ComboBox1));
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("a.b"));
    form.Button2Click();
    EXPECT_EQ(form.tmpName(), QStringLiteral("a.b"));
    form.FormActivate(r);
    form.Button1Click();
    EXPECT_EQ(form.tmpName(), QString());
}

TEST(TemplateDialogForm, DeletionOffersTheTemplatesAndBecomesPickOnly)
{
    TTmpF form;
    TemplateDialogRequest r;
    r.deleting = true;
    r.templates = {QStringLiteral("なし"), QStringLiteral("日報"), QStringLiteral("議事録")};
    form.FormActivate(r);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("様式削除"));
    EXPECT_EQ(form.Label1->text(), QStringLiteral("削除する、様式名を選択して下さい"));
    EXPECT_EQ(form.Button2->text(), QStringLiteral("削除"));
    EXPECT_FALSE(shown(form.Edit1));
    ASSERT_EQ(form.ComboBox1->count(), 2);
    EXPECT_EQ(form.ComboBox1->itemText(0), QStringLiteral("日報"));
    EXPECT_EQ(form.ComboBox1->currentText(), QStringLiteral("様式を指定"));
    form.Button2Click();
    EXPECT_EQ(form.tmpName(), QString()); // nothing chosen counts as a cancel

    form.ComboBox1->setCurrentIndex(1);
    QTRY_VERIFY(!form.ComboBox1->isEditable());
    EXPECT_EQ(form.ComboBox1->currentText(), QStringLiteral("議事録"));
    form.Button2Click();
    EXPECT_EQ(form.tmpName(), QStringLiteral("議事録"));
}

TEST(TemplateDialogForm, EnterBeforeAChoiceIsACancel)
{
    // Enter is the default button: with "様式を指定" still showing it deletes nothing,
    // however often it is pressed.
    TTmpF form;
    TemplateDialogRequest r;
    r.deleting = true;
    r.templates = {QStringLiteral("なし"), QStringLiteral("日報"), QStringLiteral("議事録")};
    int presses = 0;
    std::function<void()> press = [&] {
        if (!form.isVisible())
            return;
        if (++presses > 3) { // still open after three: give up the way the user would
            form.reject();
            return;
        }
        QWidget *target = form.ComboBox1->lineEdit() ? static_cast<QWidget *>(form.ComboBox1->lineEdit())
                                                      : static_cast<QWidget *>(form.ComboBox1);
        QTest::keyClick(target, Qt::Key_Return);
        QTimer::singleShot(0, &form, press);
    };
    QTimer::singleShot(0, &form, press);
    EXPECT_EQ(form.run(r), QString());
    EXPECT_EQ(presses, 1); // the first Enter closed the dialog
}

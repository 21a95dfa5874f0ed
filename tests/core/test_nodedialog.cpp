// The node dialog's rules without its window: captions and prompts per mode, the window
// width, what OK makes of a typed name, and the calling protocol through the UI port.

#include "base/globals.h"
#include "nodeops/nodedialogmodel.h"
#include "settings/templatestore.h"
#include "support/recordingui.h"

#include <gtest/gtest.h>

using namespace NodeDialog;

TEST(NodeDialogLayout, CaptionPromptAndSizePerMode)
{
    struct Case {
        int mode;
        const char *caption;
        const char *prompt;
        int width;
        int height;
    };
    const Case cases[] = {
        {DlgAddNode, "ﾉｰﾄﾞ追加", "追加する名称を入力(ﾌｧｲﾙ拡張子は不要)", 290, 200},
        // 44 bytes: 6 × 44 + 42 = 306, the one add prompt above the minimum.
        {DlgAddChildNode, "子ﾉｰﾄﾞ追加", "追加する下層(子)名称を入力(ﾌｧｲﾙ拡張子は不要)", 306, 200},
        {DlgInsertNode, "ﾉｰﾄﾞ挿入", "挿入する名称を入力(ﾌｧｲﾙ拡張子は不要)", 290, 200},
        {DlgDeleteNode, "ﾉｰﾄﾞ削除(ﾉｰﾄﾞのみ)", "memo.TXT を削除します", 290, 130},
        {DlgDeleteWithFile, "ﾉｰﾄﾞ削除(ﾉｰﾄﾞ+ファイル)", "memo.TXT を削除します", 290, 130},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mode);
        EXPECT_EQ(caption(c.mode), QString::fromUtf8(c.caption));
        const QString p = prompt(c.mode, QStringLiteral("memo.TXT"));
        EXPECT_EQ(p, QString::fromUtf8(c.prompt));
        EXPECT_EQ(windowWidth(p), c.width);
        EXPECT_EQ(windowHeight(c.mode), c.height);
    }
}

TEST(NodeDialogLayout, WidthCountsShiftJisBytesBetween290And500)
{
    struct Case {
        const char *prompt;
        int bytes;
        int width;
    };
    const Case cases[] = {
        {"", 0, 290},
        {"ｱｲｳｴｵ", 5, 290},                                     // half-width katakana: one byte each
        {"abcdefghijklmnopqrstuvwxyz0123456789abcdefg", 43, 300}, // 6 × 43 + 42
        {"議事録二〇二四年度第三四半期分の記録 を削除します", 49, 336},
        {"ああああああああああああああああああああああああああああああああああああああ", 76, 498},
        {"あああああああああああああああああああああああああああああああああああああああ", 78, 500},
        {"あああああああああああああああああああああああああああああああああああああああああああああああああ", 98, 500},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.prompt);
        EXPECT_EQ(sjisLength(QString::fromUtf8(c.prompt)), c.bytes);
        EXPECT_EQ(windowWidth(QString::fromUtf8(c.prompt)), c.width);
    }
}

namespace {
OkInput typed(const QString &name, int choice = ChoiceText, const QString &templ = QStringLiteral("なし"),
              const QString &file = {})
{
    OkInput in;
    in.mode = DlgAddNode;
    in.nameText = name;
    in.choice = choice;
    in.templateText = templ;
    in.file = file;
    return in;
}
} // namespace

TEST(NodeDialogOk, AcceptedNamesGetTheExtensionOfTheirKind)
{
    struct Case {
        const char *typed;
        int choice;
        const char *name;
        int kind;
    };
    const Case cases[] = {
        {"memo", ChoiceText, "memo.TXT", 1},
        {"  memo  ", ChoiceText, "memo.TXT", 1},          // half-width spaces trimmed
        {"memo.txt", ChoiceText, "memo.txt.TXT", 1},      // a typed extension stays
        {"report", ChoiceRich, "report.RTF", 2},
        {"box", ChoiceFolder, "box", 0},
        {"photo.jpg", ChoiceImage, "photo.jpg", 3},       // the picked file's name, as it is
        {"sheet.ods", ChoiceOle, "sheet.ods", 4},
        {"\u3000a\u3000", ChoiceText, "\u3000a\u3000.TXT", 1}, // full-width spaces are not trimmed
        {"ａ／ｂ：ｃ", ChoiceText, "ａ／ｂ：ｃ.TXT", 1},   // full-width look-alikes stay
        {"ソ表", ChoiceText, "ソ表.TXT", 1},              // second bytes 0x5C are not a backslash
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        const OkOutcome out = pressOk(typed(QString::fromUtf8(c.typed), c.choice));
        ASSERT_TRUE(out.accepted);
        EXPECT_FALSE(out.cleaned);
        EXPECT_TRUE(out.result.ok);
        EXPECT_EQ(out.result.name, QString::fromUtf8(c.name));
        EXPECT_EQ(out.result.kind, c.kind);
        EXPECT_EQ(out.result.templatePath, QString());
    }
}

TEST(NodeDialogOk, ForbiddenCharactersAreRemovedAndTheDialogStaysForAConfirmation)
{
    OkOutcome out = pressOk(typed(QStringLiteral("a/b")));
    EXPECT_FALSE(out.accepted);
    EXPECT_TRUE(out.cleaned);
    EXPECT_EQ(out.nameText, QStringLiteral("ab"));
    EXPECT_EQ(cleanedMessage(), QStringLiteral("File名に不具合なｷｬﾗｸﾀｰを削除しました。\rノード名を確認してください。"));

    out = pressOk(typed(out.nameText)); // the second OK accepts the cleaned name
    ASSERT_TRUE(out.accepted);
    EXPECT_EQ(out.result.name, QStringLiteral("ab.TXT"));

    out = pressOk(typed(QStringLiteral("\\a/b:c*d?e\"f<g>h|i")));
    EXPECT_TRUE(out.cleaned);
    EXPECT_EQ(out.nameText, QStringLiteral("abcdefghi"));

    // A TAB or a line break would change the tree file's levels and lines.
    out = pressOk(typed(QStringLiteral("a\tb\r\nc")));
    EXPECT_TRUE(out.cleaned);
    EXPECT_EQ(out.nameText, QStringLiteral("abc"));

    // A picked file whose name Shift-JIS cannot hold: the characters go, the user is told.
    out = pressOk(typed(QStringLiteral("写真😀.png"), ChoiceImage, {}, QStringLiteral("/pics/x.png")));
    EXPECT_TRUE(out.cleaned);
    EXPECT_EQ(out.nameText, QStringLiteral("写真.png"));
}

TEST(NodeDialogOk, EmptyAndDotNamesKeepTheDialogOpenWithoutMessage)
{
    for (const char *name : {"", "   ", "."}) {
        SCOPED_TRACE(name);
        const OkOutcome out = pressOk(typed(QString::fromUtf8(name)));
        EXPECT_FALSE(out.accepted);
        EXPECT_FALSE(out.cleaned);
        EXPECT_EQ(out.nameText, QString());
    }
    EXPECT_TRUE(pressOk(typed(QStringLiteral("  "))).focusName);
    // With 画像 chosen and nothing picked the field is empty: OK does nothing.
    EXPECT_FALSE(pressOk(typed(QString(), ChoiceImage)).accepted);
}

TEST(NodeDialogOk, TemplateOnlyForTextMemos)
{
    GlobalInit(QStringLiteral("/opt/orvane/orvane")); // the templates are the program's files
    OkOutcome out = pressOk(typed(QStringLiteral("memo"), ChoiceText, QStringLiteral("議事録")));
    EXPECT_EQ(out.result.templatePath, QStringLiteral("/opt/orvane/Res/様式Memo議事録.TXT"));
    // A typed name that matches no template still becomes a path; the copy reports it.
    out = pressOk(typed(QStringLiteral("memo"), ChoiceText, QStringLiteral("typed")));
    EXPECT_EQ(out.result.templatePath, QStringLiteral("/opt/orvane/Res/様式Memotyped.TXT"));
    for (int choice : {ChoiceRich, ChoiceFolder, ChoiceImage, ChoiceOle}) {
        SCOPED_TRACE(choice);
        out = pressOk(typed(QStringLiteral("x"), choice, QStringLiteral("議事録")));
        EXPECT_TRUE(out.accepted);
        EXPECT_EQ(out.result.templatePath, QString());
    }
    EXPECT_EQ(pressOk(typed(QStringLiteral("memo"))).result.templatePath, QString());
}

TEST(NodeDialogOk, DeleteModesConfirmWithoutName)
{
    for (int mode : {DlgDeleteNode, DlgDeleteWithFile}) {
        SCOPED_TRACE(mode);
        OkInput in = typed(QStringLiteral("left over"), ChoiceText, QStringLiteral("議事録"));
        in.mode = mode;
        const OkOutcome out = pressOk(in);
        ASSERT_TRUE(out.accepted);
        EXPECT_TRUE(out.result.ok);
        EXPECT_EQ(out.result.name, QString());
        EXPECT_EQ(out.result.kind, 0);
        EXPECT_EQ(out.result.templatePath, QString());
    }
}

TEST(NodeDialogProtocol, ShowNodeDialogPassesTheRequestAndSetsTheResults)
{
    RecordingUi ui;
    GlobalInit(QStringLiteral("/opt/orvane/orvane"));
    NodeName = QStringLiteral("old.TXT");
    TemplateList = {QStringLiteral("なし"), QStringLiteral("議事録")};

    NodeDialogResult answer;
    answer.ok = true;
    answer.name = QStringLiteral("new.TXT");
    answer.kind = 1;
    answer.templatePath = QStringLiteral("/opt/orvane/Res/様式Memo議事録.TXT");
    ui.nodeDialogAnswers.enqueue(answer);
    DlgMode = DlgInsertNode;
    ShowNodeDialog();
    ASSERT_EQ(ui.nodeDialogRequests.size(), 1);
    EXPECT_EQ(ui.nodeDialogRequests[0].mode, DlgInsertNode);
    EXPECT_EQ(ui.nodeDialogRequests[0].nodeName, QStringLiteral("old.TXT"));
    EXPECT_EQ(ui.nodeDialogRequests[0].templates, TemplateList);
    EXPECT_TRUE(DlgOK);
    EXPECT_EQ(DlgName, answer.name);
    EXPECT_EQ(DlgKind, 1);
    EXPECT_EQ(DlgTemplate, answer.templatePath);

    // An empty queue is a Cancel: every result is reset.
    DlgFile = QStringLiteral("/stale");
    ShowNodeDialog();
    EXPECT_FALSE(DlgOK);
    EXPECT_EQ(DlgName, QString());
    EXPECT_EQ(DlgKind, 0);
    EXPECT_EQ(DlgTemplate, QString());
    EXPECT_EQ(DlgFile, QString());
    TemplateList = {QStringLiteral("なし")};
}

TEST(NodeDialogProtocol, WithoutAPortTheDialogCancels)
{
    setUiPort(nullptr);
    DlgMode = DlgAddNode;
    DlgOK = true;
    DlgName = QStringLiteral("x");
    ShowNodeDialog();
    EXPECT_FALSE(DlgOK);
    EXPECT_EQ(DlgName, QString());
}

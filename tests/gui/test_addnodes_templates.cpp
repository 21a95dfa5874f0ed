// Memo templates in the main window: registering the memo being edited, deleting a
// template, and a new text memo starting as a copy of its template.

#include "base/globals.h"
#include "base/sjiscodec.h"
#include "nodeops/nodedialogmodel.h"
#include "settings/templatestore.h"
#include "support/windowfixture.h"
#include "tree/nodekind.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

// A folder and a memo a.b.TXT; one template 日報 in Res.
struct TemplateTree : WindowFixture {
    TemplateTree()
        : WindowFixture(QStringLiteral("Box\r\na.b.TXT\r\n"), false)
    {
        dir.createDir(QStringLiteral("docs/Box"));
        dir.createFile(QStringLiteral("docs/a.b.TXT"), sjis(QStringLiteral("一行目\r\n二行目")));
        dir.createFile(QStringLiteral("exe/Res/様式Memo日報.TXT"), "daily");
        TmpListSet(); // as the program's start does, now that the template is there
        window->FormActivate();
        click(1);
    }
    QString templateFile(const QString &name) const { return QStringLiteral("exe/Res/様式Memo") + name + QStringLiteral(".TXT"); }
    void typeInMemo(const QString &text)
    {
        window->Memo1->moveCursor(QTextCursor::End);
        window->Memo1->insertPlainText(text);
    }
};

} // namespace

TEST(Templates, ListedAtStartAndOfferedByTheNodeDialog)
{
    TemplateTree fx;
    EXPECT_EQ(TemplateList, (QStringList{QStringLiteral("なし"), QStringLiteral("日報")}));
    fx.w().ToolButtonAClick();
    ASSERT_EQ(fx.ui.nodeDialogRequests.size(), 1);
    EXPECT_EQ(fx.ui.nodeDialogRequests[0].templates, TemplateList);
}

TEST(Templates, RegisteringSavesTheMemoAsEditedAndANewMemoCopiesItByteForByte)
{
    TemplateTree fx;
    fx.typeInMemo(QStringLiteral("\r\n追記"));
    fx.ui.templateAnswers.enqueue(QStringLiteral("議事録"));
    fx.w().MenuNTAdd->trigger();

    ASSERT_EQ(fx.ui.templateRequests.size(), 1);
    EXPECT_FALSE(fx.ui.templateRequests[0].deleting);
    EXPECT_EQ(fx.ui.templateRequests[0].suggestion, QStringLiteral("a.b")); // up to the last "."
    const QByteArray saved = fx.dir.read(fx.templateFile(QStringLiteral("議事録")));
    EXPECT_EQ(saved, sjis(QStringLiteral("一行目\r\n二行目\r\n追記")));
    EXPECT_EQ(TemplateList.last(), QStringLiteral("議事録"));
    EXPECT_EQ(fx.w().statusText(2), QStringLiteral("様式 議事録 を登録しました"));
    EXPECT_EQ(fx.ui.count(QStringLiteral("beep")), 0);

    NodeDialogResult answer;
    answer.ok = true;
    answer.name = QStringLiteral("new.TXT");
    answer.kind = KindMemo;
    answer.templatePath = TemplatePath(QStringLiteral("議事録"));
    fx.ui.nodeDialogAnswers.enqueue(answer);
    fx.w().ToolButtonAClick();
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/new.TXT")), saved);
    EXPECT_EQ(fx.w().Memo1->toPlainText(), QStringLiteral("一行目\n二行目\n追記"));
}

TEST(Templates, RegistrationRefusalsLeaveFilesAndListAlone)
{
    struct Case {
        const char *what;
        QString answer;      // "" cancels
        QString memoExtra;   // typed into the memo first
        const char *status;  // message panel afterwards
        bool beep;
        bool report;         // a file-creation error
    };
    const Case cases[] = {
        {"cancelled", QString(), QString(), "様式登録はキャンセルされました", true, false},
        {"a template of that name exists", QStringLiteral("日報"), QString(), "既に様式 日報 は、登録されています", true, false},
        {"a name no file name can hold", QStringLiteral("a/b"), QString(), "", false, true},
        {"a name with a wildcard", QStringLiteral("*"), QString(), "", false, true},
        {"a memo Shift-JIS cannot hold", QStringLiteral("絵"), QStringLiteral("😀"), "", false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TemplateTree fx;
        fx.typeInMemo(c.memoExtra);
        const QStringList listBefore = TemplateList;
        if (!c.answer.isEmpty())
            fx.ui.templateAnswers.enqueue(c.answer);
        fx.w().MenuNTAddClick();
        EXPECT_EQ(fx.w().statusText(2), QString::fromUtf8(c.status));
        EXPECT_EQ(fx.ui.count(QStringLiteral("beep")), c.beep ? 1 : 0);
        EXPECT_EQ(fx.ui.count(QStringLiteral("report")), c.report ? 1 : 0);
        EXPECT_EQ(TemplateList, listBefore);
        EXPECT_EQ(fx.dir.read(fx.templateFile(QStringLiteral("日報"))), QByteArray("daily"));
        EXPECT_EQ(QDir(fx.dir.file(QStringLiteral("exe/Res"))).entryList({QStringLiteral("様式Memo*")}, QDir::AllEntries),
                  QStringList{QStringLiteral("様式Memo日報.TXT")});
    }
}

TEST(Templates, DeletingRemovesFileAndListEntry)
{
    TemplateTree fx;
    fx.ui.templateAnswers.enqueue(QStringLiteral("日報"));
    fx.w().MenuNTDel->trigger();
    ASSERT_EQ(fx.ui.templateRequests.size(), 1);
    EXPECT_TRUE(fx.ui.templateRequests[0].deleting);
    EXPECT_EQ(fx.ui.templateRequests[0].templates, (QStringList{QStringLiteral("なし"), QStringLiteral("日報")}));
    EXPECT_FALSE(fx.dir.exists(fx.templateFile(QStringLiteral("日報"))));
    EXPECT_EQ(TemplateList, QStringList{QStringLiteral("なし")});
    EXPECT_EQ(fx.w().statusText(2), QStringLiteral("様式 日報 を削除しました"));

    // Nothing left to delete: refused without the dialog.
    fx.ui.clear();
    fx.w().MenuNTDelClick();
    EXPECT_EQ(fx.w().statusText(2), QStringLiteral("様式は、ありません"));
    EXPECT_EQ(fx.ui.count(QStringLiteral("beep")), 1);
    EXPECT_EQ(fx.ui.count(QStringLiteral("template")), 0);
}

TEST(Templates, DeletionRefusalsLeaveFilesAndListAlone)
{
    struct Case {
        const char *what;
        QString answer;
        bool removeFileFirst;
        const char *status;
    };
    const Case cases[] = {
        {"cancelled", QString(), false, "様式削除は、キャンセルされました"},
        {"the file went while the program ran", QStringLiteral("日報"), true, "様式 日報 は、ありません"},
        {"a file that is not in the list", QStringLiteral("控え"), false, "様式 控え は、ありません"},
        {"item 0 is never a template", QStringLiteral("なし"), false, "様式 なし は、ありません"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TemplateTree fx;
        fx.dir.createFile(fx.templateFile(QStringLiteral("控え")), "copy"); // made after the list was read
        fx.dir.createFile(fx.templateFile(QStringLiteral("なし")), "none");
        if (c.removeFileFirst)
            QFile::remove(fx.dir.file(fx.templateFile(QStringLiteral("日報"))));
        if (!c.answer.isEmpty())
            fx.ui.templateAnswers.enqueue(c.answer);
        fx.w().MenuNTDelClick();
        EXPECT_EQ(fx.w().statusText(2), QString::fromUtf8(c.status));
        EXPECT_EQ(fx.ui.count(QStringLiteral("beep")), 1);
        EXPECT_EQ(TemplateList, (QStringList{QStringLiteral("なし"), QStringLiteral("日報")}));
        EXPECT_TRUE(fx.dir.exists(fx.templateFile(QStringLiteral("控え"))));
        EXPECT_TRUE(fx.dir.exists(fx.templateFile(QStringLiteral("なし"))));
        EXPECT_EQ(fx.dir.exists(fx.templateFile(QStringLiteral("日報"))), !c.removeFileFirst);
    }
}

TEST(Templates, MenuItemsOnlyForATextMemo)
{
    TemplateTree fx;
    EXPECT_TRUE(fx.w().MenuNTAdd->isEnabled());
    EXPECT_TRUE(fx.w().MenuNTDel->isEnabled());
    fx.click(0);
    EXPECT_FALSE(fx.w().MenuNTAdd->isEnabled());
    EXPECT_FALSE(fx.w().MenuNTDel->isEnabled());
}

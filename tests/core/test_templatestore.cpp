// The template list read from the Res folder, the names a registration suggests, and
// the template dialog's answer.

#include "base/globals.h"
#include "settings/templatedialogmodel.h"
#include "settings/templatestore.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

TEST(TemplateList, ListsTemplateFilesOnlyAfterNone)
{
    TestDir dir;
    const QString exe = dir.makeExeDir();
    GlobalInit(exe);
    dir.createFile(QStringLiteral("exe/Res/様式Memo議事録.TXT"), "x");
    dir.createFile(QStringLiteral("exe/Res/様式Memo日報.TXT"));
    dir.createFile(QStringLiteral("exe/Res/様式Memo.TXT"));         // the empty name is a template too
    dir.createFile(QStringLiteral("exe/Res/.様式Memo隠し.TXT"));     // hidden: not listed
    dir.createDir(QStringLiteral("exe/Res/様式Memoフォルダ.TXT"));   // a folder: not listed
    dir.createFile(QStringLiteral("exe/Res/様式Memo控え.TXT.bak"));  // does not match
    dir.createFile(QStringLiteral("exe/Res/Memo議事録.TXT"));

    TmpListSet();
    ASSERT_FALSE(TemplateList.isEmpty());
    EXPECT_EQ(TemplateList.first(), QStringLiteral("なし"));
    QStringList names = TemplateList.mid(1);
    names.sort(); // the folder's own order is kept; compare as a set
    EXPECT_EQ(names, (QStringList{QString(), QStringLiteral("日報"), QStringLiteral("議事録")}));
}

TEST(TemplateList, MissingResFolderGivesOnlyNone)
{
    TestDir dir;
    GlobalInit(dir.file(QStringLiteral("nowhere/orvane")));
    TemplateList = {QStringLiteral("なし"), QStringLiteral("stale")};
    TmpListSet();
    EXPECT_EQ(TemplateList, QStringList{QStringLiteral("なし")});
}

TEST(TemplateNames, SuggestionPathAndUsability)
{
    EXPECT_EQ(TemplateSuggestion(QStringLiteral("a.b.TXT")), QStringLiteral("a.b"));
    EXPECT_EQ(TemplateSuggestion(QStringLiteral("議事録.TXT")), QStringLiteral("議事録"));
    EXPECT_EQ(TemplateSuggestion(QStringLiteral("README")), QString());
    EXPECT_EQ(TemplateSuggestion(QStringLiteral(".TXT")), QString());
    GlobalInit(QStringLiteral("/opt/o/orvane"));
    EXPECT_EQ(TemplatePath(QStringLiteral("日報")), QStringLiteral("/opt/o/Res/様式Memo日報.TXT"));

    for (const char *name : {"日報", "a.b", "..", "ｱｲｳ", "ａ／ｂ"})
        EXPECT_TRUE(TemplateNameUsable(QString::fromUtf8(name))) << name;
    for (const char *name : {"a/b", "../x", "a\\b", "a:b", "a*", "a?", "a\"b", "a<b", "a>b", "a|b", "a\tb"})
        EXPECT_FALSE(TemplateNameUsable(QString::fromUtf8(name))) << name;
}

TEST(TemplateDialogAnswer, RegistrationTakesTheTypedNameDeletionTheChoice)
{
    using namespace TemplateDialog;
    EXPECT_EQ(answer(false, QStringLiteral("日報"), chooseTemplate()), QStringLiteral("日報"));
    EXPECT_EQ(answer(false, QString(), QStringLiteral("x")), QString()); // empty: cancel
    EXPECT_EQ(answer(true, QStringLiteral("typed"), QStringLiteral("議事録")), QStringLiteral("議事録"));
    EXPECT_EQ(answer(true, QString(), QStringLiteral("様式を指定")), QString()); // nothing chosen: cancel
    EXPECT_EQ(choices({QStringLiteral("なし"), QStringLiteral("a"), QStringLiteral("b")}),
              (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(caption(false), QStringLiteral("様式登録"));
    EXPECT_EQ(caption(true), QStringLiteral("様式削除"));
    EXPECT_EQ(prompt(false), QStringLiteral("様式名を入力して下さい"));
    EXPECT_EQ(prompt(true), QStringLiteral("削除する、様式名を選択して下さい"));
}

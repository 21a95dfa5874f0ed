// A new tree that cannot be created leaves the current tree working as before.

#include "base/globals.h"
#include "support/windowfixture.h"

#include <QPlainTextEdit>
#include <gtest/gtest.h>

TEST(ReviewNewTree, FailedCreationKeepsSavingTheCurrentNode)
{
    WindowFixture fx(QStringLiteral("a.txt\r\nb.txt\r\n"), false);
    fx.dir.createFile(QStringLiteral("docs/a.txt"), "a");
    fx.dir.createFile(QStringLiteral("docs/b.txt"), "b");
    fx.w().FormActivate();
    ASSERT_EQ(NodeName, QStringLiteral("a.txt"));

    // The chosen folder does not exist: the new file cannot be made.
    fx.ui.fileAnswers.enqueue(fx.dir.file(QStringLiteral("nowhere/New.Orvan")));
    fx.ui.clear();
    fx.w().ToolButtonTNClick();
    EXPECT_EQ(fx.ui.count(QStringLiteral("report")), 1);
    EXPECT_EQ(TreeFileName, fx.treePath);

    // The memo still on screen is written when the user moves on.
    fx.w().Memo1->setPlainText(QStringLiteral("a typed"));
    fx.click(1);
    EXPECT_EQ(fx.dir.read(QStringLiteral("docs/a.txt")), QByteArray("a typed"));
    EXPECT_EQ(NodeName, QStringLiteral("b.txt"));
}

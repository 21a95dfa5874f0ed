// The Help menu of the main window: the version dialog and the help's contents and
// index, whose viewers are closed with the window.

#include "base/globals.h"
#include "settings/helplauncher.h"
#include "settings/ui/verf.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(HelpMenu, VersionDialogShowsTheBuildsVersionAndOkSkipsTheNextActivation)
{
    WindowFixture fx;
    fx.w().MenuHV->trigger(); // closed without OK
    EXPECT_EQ(fx.ui.texts(QStringLiteral("version")), QStringList{QStringLiteral("Ver " ORVANE_VERSION)});
    EXPECT_FALSE(SkipActivate);

    fx.ui.versionAnswers.enqueue(true);
    fx.w().MenuHV->trigger();
    EXPECT_TRUE(SkipActivate);
    fx.w().FormActivate(); // the activation coming back from the dialog is skipped, once
    EXPECT_FALSE(SkipActivate);
}

TEST(HelpMenu, VersionDialogLooksAsDesigned)
{
    TVerF dialog(versionLine());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Ver"));
    EXPECT_EQ(dialog.size(), QSize(272, 121));
    EXPECT_EQ(dialog.L1->text(), QStringLiteral("Orvane"));
    EXPECT_EQ(dialog.L1->font().pixelSize(), 32);
    EXPECT_TRUE(dialog.L1->font().bold());
    EXPECT_TRUE(dialog.L1->font().italic());
    EXPECT_EQ(dialog.L1->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    EXPECT_EQ(dialog.L1->size(), QSize(169, 41));
    EXPECT_EQ(dialog.L2->text(), QStringLiteral("Ver " ORVANE_VERSION));
    EXPECT_EQ(dialog.Image1->geometry(), QRect(8, 8, 32, 32));
    dialog.show();
    dialog.Button1->click();
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
}

// Contents and index open their own pages of the shipped help in the viewer; the
// viewers still open when the window closes are closed with it.
TEST(HelpMenu, ContentsAndIndexOpenTheirPagesAndCloseWithTheWindow)
{
    WindowFixture fx;
    const QString record = fx.dir.file(QStringLiteral("record"));
    fx.w().Help = new HelpLauncher(&fx.w());
    fx.w().Help->setViewer(QStringLiteral("/bin/sh"),
                           {QStringLiteral("-c"), QStringLiteral("printf '%s\\n' \"$1\" >> \"$0\"; exec sleep 60"),
                            record});
    fx.w().MenuHH->trigger();
    fx.w().MenuHF->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return fx.dir.read(QStringLiteral("record")).count('\n') == 2; }, 5000));
    const QList<QByteArray> opened = fx.dir.read(QStringLiteral("record")).trimmed().split('\n');
    EXPECT_TRUE(opened.contains((ExeDir + QStringLiteral("/Res/Help/contents.html")).toUtf8()));
    EXPECT_TRUE(opened.contains((ExeDir + QStringLiteral("/Res/Help/index.html")).toUtf8()));
    EXPECT_TRUE(QFile::exists(ExeDir + QStringLiteral("/Res/Help/contents.html"))); // shipped
    EXPECT_TRUE(fx.ui.events.isEmpty());

    const QList<qint64> groups = fx.w().Help->groups();
    ASSERT_EQ(groups.size(), 2);
    fx.close();
    for (const qint64 group : groups)
        EXPECT_TRUE(QTest::qWaitFor([group] { return !QFile::exists(QStringLiteral("/proc/%1").arg(group)); }, 5000));
}

TEST(HelpMenu, AMissingHelpFileIsToldToTheUser)
{
    WindowFixture fx;
    ASSERT_TRUE(QFile::remove(ExeDir + QStringLiteral("/Res/Help/index.html")));
    fx.w().MenuHF->trigger();
    ASSERT_EQ(fx.ui.count(QStringLiteral("message")), 1);
    EXPECT_TRUE(fx.ui.texts(QStringLiteral("message")).constFirst().startsWith(QStringLiteral("ヘルプファイルが見つかりません。")));
}

} // namespace

// Opening the help in a viewer, telling the user what went wrong, and closing at exit
// the viewers that were started (and what they started), nothing else.

#include "settings/helplauncher.h"
#include "support/recordingui.h"
#include "support/testdir.h"

#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

#include <signal.h>

namespace {

// True while the process exists and has not ended (a zombie has ended).
bool running(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close > 0 && line.size() > close + 2 && line.at(close + 2) != 'Z';
}

// A viewer script: it records its arguments' file ($1) in $0 and leaves a child
// running whose process id it writes after a line break.
HelpLauncher *launcherWith(const QString &script, const QString &record, QObject *parent)
{
    auto *help = new HelpLauncher(parent);
    help->setViewer(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script, record});
    return help;
}

qint64 waitForChild(const TestDir &dir)
{
    qint64 pid = 0;
    QTest::qWaitFor([&] {
        const QList<QByteArray> lines = dir.read(QStringLiteral("record")).split('\n');
        pid = lines.size() > 1 ? lines.at(1).trimmed().toLongLong() : 0;
        return pid > 0;
    });
    return pid;
}

TEST(HelpLauncher, PrefersTheCompiledHelpFileBesideTheExecutable)
{
    TestDir dir;
    const QString exe = dir.path();
    EXPECT_EQ(HelpLauncher::helpFileFor(exe, QStringLiteral("ORVANE"), HelpLauncher::Page::Contents),
              exe + QStringLiteral("/Res/Help/contents.html"));
    EXPECT_EQ(HelpLauncher::helpFileFor(exe, QStringLiteral("ORVANE"), HelpLauncher::Page::Index),
              exe + QStringLiteral("/Res/Help/index.html"));
    dir.createFile(QStringLiteral("orvane.chm"), "ITSF");
    for (const auto page : {HelpLauncher::Page::Contents, HelpLauncher::Page::Index})
        EXPECT_EQ(HelpLauncher::helpFileFor(exe, QStringLiteral("ORVANE"), page), exe + QStringLiteral("/orvane.chm"));
}

TEST(HelpLauncher, SaysWhatIsMissingOrFailing)
{
    TestDir dir;
    dir.createFile(QStringLiteral("help.html"), "<p>help</p>");
    const QString help = dir.file(QStringLiteral("help.html"));
    struct Case {
        const char *name;
        QString program;
        QStringList args;
        QString path;
        bool started;
        const char16_t *message;
    };
    const Case cases[] = {
        {"missing help file", QStringLiteral("/bin/true"), {}, dir.file(QStringLiteral("none.html")), false,
         u"ヘルプファイルが見つかりません。"},
        {"viewer not installed", QStringLiteral("no-such-help-viewer-here"), {}, help, false,
         u"ヘルプを表示するプログラム (no-such-help-viewer-here) が見つかりません。"},
        {"viewer path that is not there", dir.file(QStringLiteral("viewer")), {}, help, false,
         u"が見つかりません。"},
        {"viewer that fails", QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exit 4")}, help,
         true, u"ヘルプを表示できませんでした。"},
    };
    for (const Case &c : cases) {
        RecordingUi ui;
        HelpLauncher launcher;
        launcher.setViewer(c.program, c.args);
        EXPECT_EQ(launcher.open(c.path), c.started) << c.name;
        EXPECT_TRUE(QTest::qWaitFor([&] { return ui.count(QStringLiteral("message")) > 0; }, 5000)) << c.name;
        ASSERT_EQ(ui.count(QStringLiteral("message")), 1) << c.name;
        EXPECT_TRUE(ui.texts(QStringLiteral("message")).constFirst().contains(QString::fromUtf16(c.message)))
            << c.name << ": " << ui.texts(QStringLiteral("message")).constFirst().toStdString();
    }
}

TEST(HelpLauncher, OpensTheFileInTheViewerAndClosesItWithWhatItStarted)
{
    RecordingUi ui;
    TestDir dir;
    dir.createFile(QStringLiteral("help.html"), "<p>help</p>");
    const QString record = dir.file(QStringLiteral("record"));
    // Like a browser started by the opener: the viewer waits on a child of its own.
    QObject owner;
    HelpLauncher *help = launcherWith(QStringLiteral("sleep 60 & printf '%s\\n%s\\n' \"$1\" $! > \"$0\"; wait"),
                                      record, &owner);
    ASSERT_TRUE(help->open(dir.file(QStringLiteral("help.html"))));
    const qint64 child = waitForChild(dir);
    ASSERT_GT(child, 0);
    EXPECT_EQ(dir.read(QStringLiteral("record")).split('\n').constFirst(), dir.file(QStringLiteral("help.html")).toUtf8());
    const qint64 group = help->groups().value(0);
    ASSERT_TRUE(running(group));
    ASSERT_TRUE(running(child));

    help->closeAll();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !running(child) && !running(group); }, 5000));
    EXPECT_TRUE(help->groups().isEmpty());
    EXPECT_TRUE(ui.events.isEmpty()); // being closed is not a failure to report
}

TEST(HelpLauncher, ClosesWhatTheViewerLeftBehindWhenItEnded)
{
    // Like an opener that starts the viewer and returns at once.
    RecordingUi ui;
    TestDir dir;
    dir.createFile(QStringLiteral("help.html"), "<p>help</p>");
    QObject owner;
    HelpLauncher *help = launcherWith(QStringLiteral("sleep 60 & printf '%s\\n%s\\n' \"$1\" $! > \"$0\""),
                                      dir.file(QStringLiteral("record")), &owner);
    ASSERT_TRUE(help->open(dir.file(QStringLiteral("help.html"))));
    const qint64 child = waitForChild(dir);
    ASSERT_GT(child, 0);
    const qint64 group = help->groups().value(0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !running(group); }, 5000)); // the opener has returned
    ASSERT_TRUE(running(child));

    delete help; // as the window closing does
    EXPECT_TRUE(QTest::qWaitFor([&] { return !running(child); }, 5000));
    EXPECT_TRUE(ui.events.isEmpty());
}

} // namespace

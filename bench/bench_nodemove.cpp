// Moving a folder node that holds 10,000 files to another folder (copy, check of the
// copy, deletion of the source) next to `cp -r` of the same folder, and the folder-node
// repair of a folder holding 10,000 files that have no node, next to `ls` of it.
// Prints the figures and their ratios.
//
//   bench_nodemove [FILES] [BYTES PER FILE]      (defaults: 10000, 1024)

#include "app/ui/mainwindow.h"
#include "base/globals.h"
#include "base/uiport.h"
#include "nodeops/functionu.h"
#include "nodeops/nodemove.h"
#include "tree/ui/nodetreewidget.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// Answers every question with Yes and counts the messages.
class YesUi : public UiPort
{
public:
    int messages = 0;
    void showMessage(const QString &) override { ++messages; }
    void errorMessage(const QString &) override { ++messages; }
    void reportError(const QString &text) override { std::fprintf(stderr, "error: %s\n", qPrintable(text)); }
    bool askYesNo(const QString &, const QString &) override { return true; }
    int askChoice(const QString &, const QString &, const QStringList &) override { return 0; }
    void beep() override {}
    QString openFileName(const QString &, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &, const QString &) override { return {}; }
};

void fill(const QString &folder, int files, int bytes)
{
    QDir().mkpath(folder);
    const QByteArray content(bytes, 'x');
    for (int i = 0; i < files; ++i) {
        QFile f(folder + QStringLiteral("/file%1.txt").arg(i, 5, 10, QLatin1Char('0')));
        f.open(QIODevice::WriteOnly);
        f.write(content);
    }
}

double runMs(const QString &program, const QStringList &args)
{
    QElapsedTimer t;
    t.start();
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(program, args);
    p.waitForFinished(-1);
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int files = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int bytes = argc > 2 ? std::atoi(argv[2]) : 1024;
    YesUi port;
    setUiPort(&port);
    QTemporaryDir temp;
    const QString root = temp.path();

    // ---- Moving a folder.
    fill(root + QStringLiteral("/move/A/Big"), files, bytes);
    QDir().mkpath(root + QStringLiteral("/move/B"));
    fill(root + QStringLiteral("/cp/Big"), files, bytes);
    const double cp = runMs(QStringLiteral("cp"), {QStringLiteral("-r"), root + QStringLiteral("/cp/Big"),
                                                   root + QStringLiteral("/cp/Copy")});
    QElapsedTimer t;
    t.start();
    const NodeMove::Result moved =
        NodeMove::moveFolder(root + QStringLiteral("/move/A/Big"), root + QStringLiteral("/move/B/Big"));
    const double move = t.nsecsElapsed() / 1e6;
    const int arrived = int(QDir(root + QStringLiteral("/move/B/Big")).entryList(QDir::Files).size());
    std::printf("move folder of %d files x %d bytes: %8.1f ms  (%s, %d arrived; aim: under 2000 ms)\n", files, bytes,
                move, moved == NodeMove::Result::Moved ? "moved" : "NOT MOVED", arrived);
    std::printf("cp -r of the same folder:           %8.1f ms  ratio %.1f\n", cp, move / cp);

    // The steps of the move one by one, on a second folder.
    {
        const QString a = root + QStringLiteral("/steps/Big"), b = root + QStringLiteral("/steps/Copy");
        fill(a, files, bytes);
        QElapsedTimer s;
        s.start();
        NodeMove::firstUnmovable(a);
        const double check = s.nsecsElapsed() / 1e6;
        s.restart();
        QDir().mkdir(b);
        XCopy(a + u'/', b + u'/');
        const double copy = s.nsecsElapsed() / 1e6;
        s.restart();
        NodeMove::sameContent(a, b);
        const double compare = s.nsecsElapsed() / 1e6;
        s.restart();
        XDel(a + u'/');
        const double del = s.nsecsElapsed() / 1e6;
        std::printf("  steps: check %.1f ms, copy %.1f ms, compare %.1f ms, delete %.1f ms\n", check, copy, compare, del);
    }

    // ---- Repairing a folder node.
    const QString tree = root + QStringLiteral("/repair");
    fill(tree + QStringLiteral("/F"), files, 16);
    {
        QFile f(tree + QStringLiteral("/Bench.Orvan"));
        f.open(QIODevice::WriteOnly);
        f.write("F\r\nmemo.txt\r\n");
    }
    const QString exeDir = root + QStringLiteral("/exe");
    QDir().mkpath(exeDir + QStringLiteral("/Res"));
    QFile::copy(QStringLiteral(ORVANE_SOURCE_DIR "/Res/Ac.ani"), exeDir + QStringLiteral("/Res/Ac.ani"));
    QFile::copy(QStringLiteral(ORVANE_SOURCE_DIR "/Res/MemoFEX.ini"), exeDir + QStringLiteral("/Res/MemoFEX.ini"));
    TOrvaneF window(exeDir + QStringLiteral("/orvane"), {tree + QStringLiteral("/Bench.Orvan")});
    window.FormActivate();
    window.TreeView1->setCurrentItem(window.nodeAt(0));
    const double ls = runMs(QStringLiteral("ls"), {QStringLiteral("-l"), tree + QStringLiteral("/F")});
    t.restart();
    window.MenuTreeMClick();
    const double repair = t.nsecsElapsed() / 1e6;
    std::printf("repair folder with %d new files:   %8.1f ms  (%d nodes; aim: under 2000 ms)\n", files, repair,
                window.nodeCount());
    std::printf("ls -l of the same folder:           %8.1f ms  ratio %.1f\n", ls, repair / ls);
    setUiPort(nullptr);
    return 0;
}

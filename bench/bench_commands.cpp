// Every node command on a large tree: generates the 100,000-node tree of bench_treeopen,
// opens it in the main window (offscreen) and times each command as the user starts it,
// tree-file write included. Prints the median of several runs of each, and the resident
// memory with the tree open next to the size of the tree file. Each figure is given as
// wall time and as the process's processor time; a figure counts as above its aim only
// when both are.
//
//   bench_commands [NODES] [FOLDER] [RUNS]   (defaults: 100000, a temporary folder, 7;
//                                             a FOLDER that already holds the tree is reused)

#include "app/ui/mainwindow.h"
#include "base/globals.h"
#include "base/sjiscodec.h"
#include "bench/support/generatedtree.h"
#include "nodeops/nodedialogmodel.h"
#include "tests/support/recordingui.h"
#include "tree/ui/nodetreewidget.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QKeyEvent>
#include <QTreeWidgetItem>
#include <QTreeWidgetItemIterator>

#include <cstdio>
#include <functional>

namespace {

int g_runs = 7;

struct Row {
    const char *what;
    double ms;    // wall time, median
    double cpuMs; // processor time of this process, median
    double aim;
};

QList<Row> g_rows;

// Runs prepare (untimed) then act (timed) g_runs times; records the median.
void measure(const char *what, double aim, const std::function<void(int)> &prepare,
             const std::function<void(int)> &act)
{
    QList<double> times, cpu;
    for (int run = 0; run < g_runs; ++run) {
        if (prepare)
            prepare(run);
        QElapsedTimer t;
        const double cpu0 = processCpuMs();
        t.start();
        act(run);
        times.append(t.nsecsElapsed() / 1e6);
        cpu.append(processCpuMs() - cpu0);
    }
    const double m = median(times);
    const double c = median(cpu);
    g_rows.append({what, m, c, aim});
    std::printf("%-52s %9.2f ms wall %9.2f ms cpu  (aim: under %.0f ms)%s\n", what, m, c, aim,
                std::min(m, c) > aim ? "  ABOVE AIM" : "");
    std::fflush(stdout);
}

NodeDialogResult newMemo(const QString &name)
{
    NodeDialogResult r;
    r.ok = true;
    r.name = name;
    r.kind = 1;
    return r;
}

NodeDialogResult confirm()
{
    NodeDialogResult r;
    r.ok = true;
    return r;
}

// The last nodes of the tree whose files are of the wanted kind.
QList<int> lastNodes(TOrvaneF &w, const std::function<bool(QTreeWidgetItem *)> &wanted, int count)
{
    QList<int> found;
    for (int i = w.nodeCount() - 1; i >= 0 && found.size() < count; --i) {
        if (wanted(w.nodeAt(i)))
            found.prepend(i);
    }
    return found;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int nodes = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir temp;
    const QString root = argc > 2 && argv[2][0] ? QString::fromLocal8Bit(argv[2]) : temp.path() + QStringLiteral("/tree");
    if (argc > 3)
        g_runs = std::max(1, std::atoi(argv[3]));
    const QString exePath = makeBenchExeDir(temp.path() + QStringLiteral("/exe"));
    const GeneratedTree g = generateTree(root, nodes, argc > 2);
    const qint64 treeBytes = QFileInfo(g.treeFile).size();

    RecordingUi ui;
    const double rssBefore = residentMb();
    TOrvaneF w(exePath, {g.treeFile});
    w.resize(1000, 700);
    w.show();
    QElapsedTimer openTimer;
    openTimer.start();
    w.FormActivate();
    const double openMs = openTimer.nsecsElapsed() / 1e6;
    QApplication::processEvents();
    const double rssOpen = residentMb();

    std::printf("tree: %d nodes, tree file %.1f MB; first open in the window %.0f ms\n", w.nodeCount(),
                treeBytes / 1048576.0, openMs);
    std::printf("resident memory: %.0f MB with the tree open (%.0f MB before the window)  (aim: under 150 MB)\n",
                rssOpen, rssBefore);

    auto isMemo = [&w](QTreeWidgetItem *n) {
        return n->childCount() == 0 && n->text(0).endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive)
               && QFileInfo::exists(w.fullPathOf(n));
    };
    auto isFolder = [&w](QTreeWidgetItem *n) { return QFileInfo(w.fullPathOf(n)).isDir(); };

    // Two memos near the end hold 100 KB of Japanese text each.
    const QList<int> memos = lastNodes(w, isMemo, 2);
    QByteArray body;
    while (body.size() < 100 * 1024)
        body += Sjis::encode(QStringLiteral("大きな木の中のメモ。検索語は含まない行です。0123456789\r\n")).bytes;
    for (int i : memos) {
        QFile f(w.fullPathOf(w.nodeAt(i)));
        f.open(QIODevice::WriteOnly);
        f.write(body);
    }
    auto click = [&w](QTreeWidgetItem *n) {
        w.TreeView1->setCurrentItem(n);
        w.TreeView1MouseUp();
    };
    QTreeWidgetItem *memoA = w.nodeAt(memos.value(0));
    QTreeWidgetItem *memoB = w.nodeAt(memos.value(1));

    measure("select a 100 KB memo near the end (save previous)", 20, nullptr,
            [&](int run) { click(run % 2 ? memoA : memoB); });

    // Adding, inserting and adding a child after a memo near the end.
    measure("add (after the last sibling)", 50, [&](int) {
        click(memoA);
        ui.nodeDialogAnswers.enqueue(newMemo(QStringLiteral("追加%1.txt").arg(ui.nodeDialogAnswers.size() + w.nodeCount())));
    }, [&](int) { w.ToolButtonAClick(); });
    measure("insert (before the selected node)", 50, [&](int) {
        click(memoA);
        ui.nodeDialogAnswers.enqueue(newMemo(QStringLiteral("挿入%1.txt").arg(w.nodeCount())));
    }, [&](int) { w.ToolButtonACClick(); });
    QTreeWidgetItem *folder = w.nodeAt(lastNodes(w, isFolder, 1).value(0));
    measure("add child (last child of a folder)", 50, [&](int) {
        click(folder);
        ui.nodeDialogAnswers.enqueue(newMemo(QStringLiteral("子%1.txt").arg(w.nodeCount())));
    }, [&](int) { w.ToolButtonIClick(); });

    measure("copy a memo", 50, [&](int) { click(memoA); }, [&](int) { w.ToolButtonNCClick(); });

    // Rename in place: the edit, then the timer that writes the tree file. Names are new
    // at every run, so that a reused folder never holds them already.
    const QString stamp = QString::number(QDateTime::currentMSecsSinceEpoch());
    QString renameStatus;
    measure("rename in place (tree file written by the timer)", 50, [&](int) { click(memoA); }, [&](int run) {
        QString name = QStringLiteral("改名%1_%2.txt").arg(stamp).arg(run);
        w.TreeView1Edited(memoA, name);
        memoA->setText(0, name);
        w.Timer1Timer();
        renameStatus = w.statusText(2);
    });
    if (!memoA->text(0).startsWith(QStringLiteral("改名")))
        std::printf("  (the rename was refused: %s)\n", qPrintable(renameStatus));

    // Deleting the nodes the copies made (node only, then node and file).
    auto lastCopy = [&] {
        return w.nodeAt(lastNodes(w, [](QTreeWidgetItem *n) { return n->text(0).contains(QStringLiteral("のCopy")); }, 1).value(0));
    };
    measure("delete node only", 50, [&](int) {
        click(lastCopy());
        ui.nodeDialogAnswers.enqueue(confirm());
    }, [&](int) { w.ToolButtonNDClick(); });
    measure("delete node and file", 50, [&](int) {
        click(memoA);
        w.ToolButtonNCClick();
        click(lastCopy());
        ui.nodeDialogAnswers.enqueue(confirm());
    }, [&](int) { w.ToolButtonDClick(); });

    measure("keyboard: 1,000 steps down the tree", 1000, [&](int) {
        w.TreeView1->setCurrentItem(w.nodeAt(0));
        w.TreeView1->setFocus();
    }, [&](int) {
        for (int i = 0; i < 1000; ++i) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
            QApplication::sendEvent(w.TreeView1, &press);
            QApplication::sendEvent(w.TreeView1, &release);
        }
    });

    measure("expand all", 1000, nullptr, [&](int) { w.PMenuTreeOpen->trigger(); QApplication::processEvents(); });
    measure("collapse all", 1000, nullptr, [&](int) { w.PMenuTreeClose->trigger(); QApplication::processEvents(); });

    // Search of every text memo for a word found in the two large memos (about 3,400 hits).
    measure("search all memos (about 3,400 hits listed)", 1000, [&](int) {
        click(memoA);
        RecordingUi::SearchAnswer answer;
        answer.word = QStringLiteral("木の中");
        ui.searchAnswers.enqueue(answer);
    }, [&](int) { w.ToolButtonSClick(); });

    measure("write the tree file", 50, nullptr, [&](int) { w.TreeWrite(); });

    QElapsedTimer closeTimer;
    closeTimer.start();
    w.close();
    std::printf("%-52s %9.2f ms\n", "close the window (content and settings written)", closeTimer.nsecsElapsed() / 1e6);
    std::printf("peak resident memory of the run: %.0f MB\n", peakResidentMb());

    int above = 0;
    for (const Row &r : g_rows)
        above += std::min(r.ms, r.cpuMs) > r.aim;
    std::printf("%d of %lld figures above their aims\n", above, g_rows.size());
    return 0;
}

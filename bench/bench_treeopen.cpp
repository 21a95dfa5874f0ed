// Opening a large tree: generates a tree of 100,000 nodes (depth up to 8) with a file
// or folder on disk for each, then times opening it as the application does (read,
// classify every node, fill the tree control) against a plain loop that only stats
// the same paths, and times `orvane-cli list` of the tree against `find -printf` over
// the same folder. Prints the figures and their ratios.
//
//   bench_treeopen [NODES] [FOLDER]     (defaults: 100000, a temporary folder; a FOLDER
//                                        that already holds the tree is opened as it is)

#include "app/ui/mainwindow.h"
#include "bench/support/generatedtree.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <cstdio>

namespace {

double statLoop(const QStringList &paths)
{
    QElapsedTimer t;
    t.start();
    int seen = 0;
    for (const QString &p : paths) {
        struct stat st;
        if (::stat(QFile::encodeName(p).constData(), &st) == 0)
            ++seen;
    }
    if (seen != paths.size())
        std::fprintf(stderr, "warning: %d of %lld paths missing\n", int(paths.size()) - seen, paths.size());
    return t.nsecsElapsed() / 1e6;
}

// Wall time of a program run with its output thrown away, best of three.
double runBest(const QString &program, const QStringList &args)
{
    double best = 1e18;
    for (int run = 0; run < 3; ++run) {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        p.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer t;
        t.start();
        p.start(program, args);
        p.waitForFinished(-1);
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int nodes = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir temp;
    const QString root = argc > 2 ? QString::fromLocal8Bit(argv[2]) : temp.path() + QStringLiteral("/tree");
    const QString exePath = makeBenchExeDir(temp.path() + QStringLiteral("/exe"));

    QElapsedTimer gen;
    gen.start();
    // A folder given on the command line that already holds the generated tree is reused.
    const GeneratedTree g = generateTree(root, nodes, argc > 2);
    std::printf("generated %lld nodes in %.0f ms\n", g.fsPaths.size(), gen.nsecsElapsed() / 1e6);

    TOrvaneF window(exePath, {g.treeFile});
    double bestOpen = 1e18, bestStat = 1e18;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer t;
        t.start();
        window.OpenTree(g.treeFile);
        bestOpen = std::min(bestOpen, t.nsecsElapsed() / 1e6);
        bestStat = std::min(bestStat, statLoop(g.fsPaths));
    }
    std::printf("nodes in tree: %d\n", window.nodeCount());
    std::printf("open tree (read, classify, fill control): %8.1f ms  (aim: under 1500 ms)\n", bestOpen);
    std::printf("plain stat loop over the same paths:      %8.1f ms\n", bestStat);
    std::printf("ratio open / stat: %.2f  (aim: under 2)\n", bestOpen / bestStat);

    const double cli = runBest(QStringLiteral(ORVANE_BINARY_DIR "/orvane-cli"), {QStringLiteral("list"), g.treeFile});
    const double find = runBest(QStringLiteral("find"), {root, QStringLiteral("-printf"), QStringLiteral("%s\\n")});
    std::printf("orvane-cli list:                          %8.1f ms\n", cli);
    std::printf("find DIR -printf '%%s\\n':                  %8.1f ms\n", find);
    std::printf("ratio list / find: %.2f  (aim: under 1.5)\n", cli / find);
    return 0;
}

// Opening a large tree: generates a tree of 100,000 nodes (depth up to 8) with a file
// or folder on disk for each, then times opening it as the application does (read,
// classify every node, fill the tree control) against a plain loop that only stats
// the same paths. Prints both figures and their ratio.
//
//   bench_treeopen [NODES] [FOLDER]     (defaults: 100000, a temporary folder; a FOLDER
//                                        that already holds the tree is opened as it is)

#include "base/globals.h"
#include "base/sjiscodec.h"
#include "app/ui/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <cstdio>

namespace {

struct Generated {
    QStringList fsPaths;
    QString treeFile;
};

// Deterministic tree: folders (up to level 7) holding 2..12 children, files otherwise.
Generated generate(const QString &root, int target)
{
    Generated g;
    QByteArray tree;
    quint32 seed = 12345;
    auto rnd = [&seed](int n) {
        seed = seed * 1664525u + 1013904223u;
        return int((seed >> 8) % quint32(n));
    };
    const char *exts[] = {"txt", "rtf", "jpg", "doc", "TXT", "bmp"};
    int count = 0;
    // Each frame: folder path on disk, level, children still to make.
    struct Frame { QString dir; int level; int left; };
    QList<Frame> stack;
    while (count < target) {
        if (stack.isEmpty())
            stack.append({root, 0, 1 << 30}); // top level: as many roots as needed
        Frame &top = stack.last();
        if (top.left == 0) {
            stack.removeLast();
            continue;
        }
        --top.left;
        const int level = top.level;
        const bool folder = level < 7 && rnd(10) < 3;
        const QString name = folder ? QStringLiteral("フォルダ%1").arg(count)
                                    : QStringLiteral("メモ%1.%2").arg(count).arg(QLatin1String(exts[rnd(6)]));
        const QString path = top.dir + u'/' + name;
        tree += QByteArray(level, '\t') + Sjis::encode(name).bytes + "\r\n";
        g.fsPaths.append(path);
        ++count;
        if (folder) {
            QDir().mkdir(path);
            stack.append({path, level + 1, 2 + rnd(11)});
        } else {
            QFile f(path);
            f.open(QIODevice::WriteOnly);
        }
    }
    g.treeFile = root + QStringLiteral("/Bench.Orvan");
    QFile f(g.treeFile);
    f.open(QIODevice::WriteOnly);
    f.write(tree);
    return g;
}

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

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int nodes = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir temp;
    const QString root = argc > 2 ? QString::fromLocal8Bit(argv[2]) : temp.path() + QStringLiteral("/tree");
    const QString exeDir = temp.path() + QStringLiteral("/exe");
    QDir().mkpath(root);
    QDir().mkpath(exeDir + QStringLiteral("/Res"));
    QFile::copy(QStringLiteral(ORVANE_SOURCE_DIR "/Res/Ac.ani"), exeDir + QStringLiteral("/Res/Ac.ani"));
    QFile::copy(QStringLiteral(ORVANE_SOURCE_DIR "/Res/MemoFEX.ini"), exeDir + QStringLiteral("/Res/MemoFEX.ini"));

    QElapsedTimer gen;
    gen.start();
    // A folder that already holds the generated tree is reused as it is.
    Generated g;
    if (QFile::exists(root + QStringLiteral("/Bench.Orvan")) && argc > 2) {
        g.treeFile = root + QStringLiteral("/Bench.Orvan");
        QFile f(g.treeFile);
        f.open(QIODevice::ReadOnly);
        QStringList folders;
        for (const QString &line : Sjis::decodeLines(f.readAll())) {
            int level = 0;
            while (level < line.size() && line.at(level) == u'\t')
                ++level;
            folders.resize(level);
            const QString path = (folders.isEmpty() ? root : folders.last()) + u'/' + line.mid(level);
            g.fsPaths.append(path);
            folders.append(path);
        }
    } else {
        g = generate(root, nodes);
    }
    std::printf("generated %lld nodes in %.0f ms\n", g.fsPaths.size(), gen.nsecsElapsed() / 1e6);

    TOrvaneF window(exeDir + QStringLiteral("/orvane"), {g.treeFile});
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
    std::printf("ratio open / stat: %.2f  (aim: under 4)\n", bestOpen / bestStat);
    return 0;
}

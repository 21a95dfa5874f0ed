#include "bench/support/generatedtree.h"

#include "base/sjiscodec.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <ctime>

namespace {

GeneratedTree readBack(const QString &root)
{
    GeneratedTree g;
    g.treeFile = root + QStringLiteral("/Bench.Orvan");
    QFile f(g.treeFile);
    if (!f.open(QIODevice::ReadOnly))
        return g;
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
    return g;
}

double procStatusMb(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

} // namespace

GeneratedTree generateTree(const QString &root, int target, bool reuse)
{
    if (reuse && QFile::exists(root + QStringLiteral("/Bench.Orvan")))
        return readBack(root);
    QDir().mkpath(root);
    GeneratedTree g;
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

QString makeBenchExeDir(const QString &folder)
{
    QDir().mkpath(folder + QStringLiteral("/Res"));
    QFile::copy(QStringLiteral(ORVANE_SOURCE_DIR "/Res/Ac.ani"), folder + QStringLiteral("/Res/Ac.ani"));
    QFile::copy(QStringLiteral(ORVANE_SOURCE_DIR "/Res/MemoFEX.ini"), folder + QStringLiteral("/Res/MemoFEX.ini"));
    return folder + QStringLiteral("/orvane");
}

double residentMb()
{
    return procStatusMb("VmRSS:");
}

double peakResidentMb()
{
    return procStatusMb("VmHWM:");
}

double processCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

// The bulk text export over a large tree: generates 10,000 nodes (100 chapters of 99
// sections) each with a Shift-JIS body of about 10 KB (about 100 MB in all) beside the
// tree file, then times the export of the whole tree (numbering, indentation, page
// breaks, a table of contents) against `cat` of the same bodies into one file. Both
// read from a warm page cache; the best of three runs of each is printed, with the ratio.
//
//   bench_export [NODES] [BODY_KB]     (defaults: 10000, 10)

#include "base/sjiscodec.h"
#include "export/bulkexport.h"
#include "tree/treefile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <cstdio>

namespace {

QByteArray bodyFor(int n, int bytes)
{
    const QByteArray line = Sjis::encode(QStringLiteral("本文の行です。番号%1、日本語の文章が続きます。あいうえおかきくけこ").arg(n)).bytes;
    QByteArray body;
    body.reserve(bytes + line.size() + 2);
    while (body.size() < bytes)
        body += line + "\r\n";
    return body;
}

double best(int runs, const std::function<void()> &work)
{
    double ms = 1e12;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        ms = std::min(ms, double(t.nsecsElapsed()) / 1e6);
    }
    return ms;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int nodes = args.size() > 1 ? args.at(1).toInt() : 10000;
    const int bodyKb = args.size() > 2 ? args.at(2).toInt() : 10;
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;

    QList<TreeLine> tree;
    QStringList bodies;
    qint64 total = 0;
    for (int i = 0; tree.size() < nodes; ++i) {
        const bool chapter = i % 100 == 0;
        const QString name = chapter ? QStringLiteral("章%1").arg(i / 100) : QStringLiteral("節%1").arg(i);
        tree.append(TreeLine{chapter ? 0 : 1, name, {}});
        const QString path = dir.filePath(name + QStringLiteral(".TXT"));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        const QByteArray body = bodyFor(i, bodyKb * 1024);
        f.write(body);
        total += body.size();
        bodies.append(path);
    }
    const QString treeFile = dir.filePath(QStringLiteral("T.Orvan"));
    QFile t(treeFile);
    if (!t.open(QIODevice::WriteOnly))
        return 1;
    t.write(serializeTree(tree).bytes);
    t.close();
    // Warm the page cache for both.
    for (const QString &p : bodies) {
        QFile f(p);
        if (f.open(QIODevice::ReadOnly))
            f.readAll();
    }

    BulkExportRequest request;
    request.treeFileName = treeFile;
    request.nodes = tree;
    request.outPath = dir.filePath(QStringLiteral("OUT.TXT"));
    request.tocPath = dir.filePath(QStringLiteral("TOC.TXT"));
    request.settings.outlin = 2;
    request.settings.kugiSw = true;
    request.settings.indSw = true;
    request.settings.indAddSw = true;
    request.settings.page = true;
    request.settings.pageL = 50;
    request.settings.mokuji = true;
    request.settings.sepa = {QStringLiteral("――――")};

    bool ok = true;
    const double exportMs = best(3, [&] {
        // Each run starts from empty files, as a first export does.
        QFile(request.outPath).open(QIODevice::WriteOnly | QIODevice::Truncate);
        QFile(request.tocPath).open(QIODevice::WriteOnly | QIODevice::Truncate);
        ok = BulkExport::run(request).ok && ok;
    });
    const qint64 outSize = QFileInfo(request.outPath).size();

    const QString catOut = dir.filePath(QStringLiteral("CAT.TXT"));
    const double catMs = best(3, [&] {
        QProcess cat;
        cat.setStandardOutputFile(catOut);
        cat.start(QStringLiteral("cat"), bodies);
        cat.waitForFinished(-1);
    });

    std::printf("nodes %d, bodies %.1f MB, output %.1f MB%s\n", int(tree.size()), double(total) / 1e6,
                double(outSize) / 1e6, ok ? "" : " (EXPORT FAILED)");
    std::printf("export  %9.1f ms\n", exportMs);
    std::printf("cat     %9.1f ms\n", catMs);
    std::printf("ratio   %9.2f x cat (aim: at most 2)\n", exportMs / catMs);
    return ok ? 0 : 1;
}

// The thumbnail grid over a folder of large photos: makes 200 JPEG files of 3000 x 2000
// pixels, then times the grid command as the window runs it (list the folder, decode
// every picture at thumbnail size, lay out and paint the grid) and reports the peak
// memory of the process while it ran. For comparison it also times decoding the same
// files at full size, which is what keeping whole pictures would cost.
//
//   bench_thumbgrid [COUNT] [FOLDER]   (defaults: 200, a temporary folder; a FOLDER that
//                                       already holds the photos is used as it is)

#include "app/ui/mainwindow.h"
#include "base/globals.h"
#include "bench/support/generatedtree.h"
#include "tree/nodepicture.h"
#include "tree/ui/nodetreewidget.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QTableWidget>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// Starts a new peak: from here VmHWM counts again from the current size.
void resetPeakRss()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

// A photo-like picture: colour gradients with fine noise, so it compresses as a photo does.
QByteArray photo(int variant)
{
    QImage image(3000, 2000, QImage::Format_RGB32);
    QRandomGenerator rnd(quint32(variant + 1));
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = int(rnd.bounded(24));
            row[x] = qRgb((x / 12 + variant * 40 + n) & 255, (y / 8 + n) & 255, ((x + y) / 20 + n) & 255);
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setQuality(90);
    writer.write(image);
    return bytes;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 200;
    QTemporaryDir temp;
    const QString root = argc > 2 ? QString::fromLocal8Bit(argv[2]) : temp.path() + QStringLiteral("/tree");
    const QString photos = root + QStringLiteral("/Photos");
    const QString exeDir = temp.path() + QStringLiteral("/exe");
    QDir().mkpath(photos);
    QDir().mkpath(exeDir);

    QElapsedTimer gen;
    gen.start();
    if (QDir(photos).entryList({QStringLiteral("*.jpg")}, QDir::Files).size() < count) {
        QList<QByteArray> variants;
        for (int v = 0; v < 4; ++v)
            variants.append(photo(v));
        for (int i = 0; i < count; ++i) {
            QFile f(photos + QStringLiteral("/IMG_%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
            f.open(QIODevice::WriteOnly);
            f.write(variants.at(i % variants.size()));
        }
    }
    qint64 bytes = 0;
    for (const QFileInfo &fi : QDir(photos).entryInfoList({QStringLiteral("*.jpg")}, QDir::Files))
        bytes += fi.size();
    std::printf("photos: %d files of 3000 x 2000, %.1f MB on disk (made in %.0f ms)\n", count, bytes / 1048576.0,
                gen.nsecsElapsed() / 1e6);

    const QString treeFile = root + QStringLiteral("/Bench.Orvan");
    {
        QFile f(treeFile);
        f.open(QIODevice::WriteOnly);
        f.write("Photos\r\n");
    }
    TOrvaneF window(exeDir + QStringLiteral("/orvane"), {treeFile});
    window.resize(1000, 700);
    window.show();
    window.FormActivate();
    window.TreeView1->setCurrentItem(window.nodeAt(0));
    window.TreeView1MouseUp();
    QApplication::processEvents();

    const double before = residentMb();
    resetPeakRss();
    QElapsedTimer t;
    t.start();
    const double cpuStart = processCpuMs();
    window.PMenuTreeGClick();
    window.DrawGrid1->viewport()->repaint(); // the visible cells drawn
    const double fillMs = t.nsecsElapsed() / 1e6;
    const double fillCpu = processCpuMs() - cpuStart;
    const double peak = peakResidentMb();
    std::printf("thumbnails in the grid: %d (%d columns x %d rows)\n", window.Thumbs.count(),
                window.DrawGrid1->columnCount(), window.DrawGrid1->rowCount());
    std::printf("time until the grid is filled: %8.0f ms   (aim: under 2000 ms; CPU time %.0f ms)\n", fillMs, fillCpu);
    std::printf("peak memory of the process:    %8.1f MB   (aim: under 200 MB; %.1f MB before the command)\n",
                peak, before);

    // A sample of the same files decoded whole, one after the other, each dropped at once,
    // scaled up to all of them.
    const QStringList names = QDir(photos).entryList({QStringLiteral("*.jpg")}, QDir::Files);
    const int sample = qMin(20, int(names.size()));
    QElapsedTimer full;
    full.start();
    const double fullCpuStart = processCpuMs();
    for (int i = 0; i < sample; ++i)
        loadNodePicture(photos + u'/' + names.at(i));
    const double scale = double(names.size()) / sample;
    const double fullMs = full.nsecsElapsed() / 1e6 * scale;
    const double fullCpu = (processCpuMs() - fullCpuStart) * scale;
    std::printf("full-size decoding of the same files (from %d): %8.0f ms (CPU %.0f ms); ratio grid / full: %.2f (CPU %.2f)\n",
                sample, fullMs, fullCpu, fillMs / fullMs, fillCpu / fullCpu);
    std::printf("keeping them whole would hold %.0f MB of pictures\n", count * 3000.0 * 2000 * 4 / 1048576.0);
    return 0;
}

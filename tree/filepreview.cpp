#include "tree/filepreview.h"

#include "base/diskfile.h"
#include "tree/guardedtext.h"
#include "tree/jpegdecoder.h"

#include <QFile>
#include <QImageReader>
#include <QMimeDatabase>

#ifdef ORVANE_HAVE_POPPLER
#include <poppler/qt6/poppler-qt6.h>
#endif

#include <memory>

namespace {

constexpr qint64 kTextPreviewBytes = 64 * 1024;

QImage pdfFirstPage(const QString &fsPath, const QSize &bound)
{
#ifdef ORVANE_HAVE_POPPLER
    std::unique_ptr<Poppler::Document> doc = Poppler::Document::load(fsPath);
    if (!doc || doc->isLocked() || doc->numPages() < 1)
        return {};
    doc->setRenderHint(Poppler::Document::Antialiasing);
    doc->setRenderHint(Poppler::Document::TextAntialiasing);
    std::unique_ptr<Poppler::Page> page = doc->page(0);
    if (!page)
        return {};
    const QSizeF points = page->pageSizeF();
    if (points.width() <= 0 || points.height() <= 0)
        return {};
    const double scale = qMin(bound.width() / points.width(), bound.height() / points.height());
    const double dpi = qBound(10.0, 72.0 * scale, 300.0);
    return page->renderToImage(dpi, dpi);
#else
    Q_UNUSED(fsPath);
    Q_UNUSED(bound);
    return {};
#endif
}

QString textBeginning(const QString &fsPath)
{
    QFile f(fsPath);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = f.read(kTextPreviewBytes);
    if (!f.atEnd()) {
        // Cut at a line break so no character is split.
        const qsizetype lf = bytes.lastIndexOf('\n');
        if (lf > 0)
            bytes.truncate(lf + 1);
    }
    return GuardedText::textOf(bytes);
}

} // namespace

bool pdfPreviewAvailable()
{
#ifdef ORVANE_HAVE_POPPLER
    return true;
#else
    return false;
#endif
}

FilePreview previewFile(const QString &fsPath, const QSize &pageSize)
{
    FilePreview preview;
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(fsPath);
    if (mime.inherits(QStringLiteral("application/pdf"))) {
        preview.image = pdfFirstPage(fsPath, pageSize);
    } else if (mime.inherits(QStringLiteral("image/jpeg"))) {
        const DiskFile::ReadResult r = DiskFile::read(fsPath);
        if (r.ok)
            preview.image = decodeJpeg(r.bytes);
    } else if (mime.name().startsWith(QStringLiteral("image/"))) {
        QImageReader reader(fsPath);
        preview.image = reader.read();
    } else if (mime.inherits(QStringLiteral("text/plain"))) {
        preview.kind = FilePreview::Kind::Text;
        preview.text = textBeginning(fsPath);
        return preview;
    }
    if (!preview.image.isNull())
        preview.kind = FilePreview::Kind::Picture;
    return preview;
}

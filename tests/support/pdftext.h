#pragma once
// Reading back a PDF written by a test with poppler's command-line tools.

#include <QList>
#include <QRectF>
#include <QString>

namespace PdfText {

// Number of pages (pdfinfo); -1 when the file is not a readable PDF.
int pageCount(const QString &pdfPath);
// The text of one page (1-based), or of all pages for 0, in reading layout (pdftotext -layout).
QString text(const QString &pdfPath, int page = 0);

// One word and its box in millimetres from the page's top left (pdftotext -bbox).
struct Word {
    int page = 0; // 1-based
    QString text;
    QRectF boxMm;
};
QList<Word> words(const QString &pdfPath);

// Number of pictures drawn on the pages and the size of the first, in pixels (pdfimages -list).
struct Images {
    int count = 0;
    QSize firstSize;
};
Images images(const QString &pdfPath);

} // namespace PdfText

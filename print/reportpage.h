#pragma once
// What the two reports share: A4 portrait with 10 mm margins, positions given in
// millimetres (and picture sizes in screen pixels at 96 per inch) turned into the
// pixels of whatever device is drawn on, and a text document laid out in pages.
//
// Drawing goes to a QPagedPaintDevice, so the same code fills a printer, the preview
// window and a PDF file written without any printer.

#include <QList>
#include <QPageLayout>
#include <QRectF>

class QPagedPaintDevice;
class QPainter;
class QTextDocument;
class QTextLayout;

namespace ReportPage {

constexpr double MarginMm = 10.0;
constexpr double BandWidthMm = 190.0;  // 210 mm less both margins
constexpr double BandHeightMm = 277.0; // 297 mm less both margins
// Report pixels are screen pixels at 96 per inch (20 pixels are 5.29 mm).
constexpr double MmPerReportPixel = 25.4 / 96.0;

QPageLayout a4Layout();

// Millimetres and report pixels in the pixels of one device.
class Scale
{
public:
    explicit Scale(const QPagedPaintDevice &device);
    double mm(double millimetres) const { return millimetres * m_perMm; }
    double reportPixels(double pixels) const { return pixels * MmPerReportPixel * m_perMm; }
    double toMm(double devicePixels) const { return devicePixels / m_perMm; }

private:
    double m_perMm;
};

// The lines of a document laid out at one width, placed page by page: a line never
// straddles two pages, so every line is drawn once, whole, on exactly one page. The
// first page may offer less room than the others (text starting below a picture);
// where not even one line fits there, the text starts on the second page.
class PagedText
{
public:
    // Lays the document out at `width` (device pixels) without a page size.
    PagedText(QTextDocument &doc, double width, double firstPageHeight, double pageHeight);
    // Pages the text reaches (at least 1).
    int pageCount() const;
    // Draws the lines of one page (0-based) with their top at `origin`.
    void drawPage(QPainter &painter, int page, const QPointF &origin) const;

private:
    struct Line {
        QTextLayout *layout;
        int index;
        int page;
        double top; // from the top of its page's text area
    };
    QList<Line> m_lines;
};

} // namespace ReportPage

#include "print/reportpage.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPageSize>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace ReportPage {

QPageLayout a4Layout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm), QPageLayout::Millimeter);
}

Scale::Scale(const QPagedPaintDevice &device)
    : m_perMm(device.logicalDpiX() / 25.4)
{
}

PagedText::PagedText(QTextDocument &doc, double width, double firstPageHeight, double pageHeight)
{
    doc.setPageSize(QSizeF(-1, -1));
    doc.setTextWidth(width);
    doc.documentLayout(); // lays the document out
    int page = 0;
    double pageStart = 0;   // document position of the current page's top
    double room = firstPageHeight;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextLayout *layout = block.layout();
        const double blockTop = doc.documentLayout()->blockBoundingRect(block).top();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const double top = blockTop + line.y();
            const double bottom = top + line.height();
            if (bottom - pageStart > room) {
                // A line that does not fit goes to the next page, unless it stands alone
                // on a full page already (a line taller than a page).
                const bool pageHasLines = !m_lines.isEmpty() && m_lines.last().page == page;
                if (pageHasLines || room < pageHeight) {
                    ++page;
                    pageStart = top;
                    room = pageHeight;
                }
            }
            m_lines.append(Line{layout, i, page, top - pageStart});
        }
    }
}

int PagedText::pageCount() const
{
    return m_lines.isEmpty() ? 1 : m_lines.last().page + 1;
}

void PagedText::drawPage(QPainter &painter, int page, const QPointF &origin) const
{
    for (const Line &l : m_lines) {
        if (l.page != page)
            continue;
        const QTextLine line = l.layout->lineAt(l.index);
        line.draw(&painter, QPointF(origin.x() + l.layout->position().x(), origin.y() + l.top - line.y()));
    }
}

} // namespace ReportPage

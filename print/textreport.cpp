#include "print/textreport.h"

#include "base/appsettings.h"
#include "base/fontchoice.h"
#include "nodeops/functionu.h"
#include "print/reportpage.h"
#include "tree/rtfreader.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>
#include <QTextOption>

namespace {

// Header items, in millimetres from the band's top left.
constexpr double HeaderHeightMm = 7.35;
constexpr double ItemTopMm = 0.88;
constexpr double DateLeftMm = 153.9;
constexpr double PageLabelLeftMm = 178.3;
constexpr double PageNumberLeftMm = 182.3;
constexpr double SeparatorTopMm = 4.41;
constexpr int SmallPointSize = 9;
constexpr int SeparatorLength = 119;
const QString BaseFontName = QStringLiteral("ＭＳ ゴシック");

void drawItem(QPainter &p, const ReportPage::Scale &s, double leftMm, double topMm, const QFont &font,
              const QString &text)
{
    p.setFont(font);
    const QRectF box(s.mm(leftMm), s.mm(topMm), s.mm(ReportPage::BandWidthMm - leftMm), s.mm(HeaderHeightMm));
    p.save();
    p.setClipRect(QRectF(0, 0, s.mm(ReportPage::BandWidthMm), s.mm(ReportPage::BandHeightMm)));
    p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    p.restore();
}

} // namespace

void TListF::prepareHeader(const AppSettings &settings, const QString &nodeName, const QString &fullPath)
{
    m_body = Body::None;
    m_memoLines.clear();
    m_richBytes.clear();
    m_header = Header();
    if (!settings.PrintTitle)
        return;
    m_header.QRLabel1 = m_header.QRLabel2 = m_header.QRLabel3 = true;
    m_header.QRSysData1 = m_header.QRSysData2 = true;
    m_header.titleFontName = settings.Memo.FontName;
    m_header.titleFontSize = settings.Memo.FontSize;
    m_header.title = settings.PrintFileName ? fullPath : nodeName;
    if (!settings.PrintDate)
        m_header.QRSysData2 = false;
    if (!settings.PrintPageCount)
        m_header.QRSysData1 = m_header.QRLabel2 = false;
    if (!settings.PrintSeparator)
        m_header.QRLabel3 = false;
}

void TListF::setMemo(const QString &text, const AppSettings &settings)
{
    m_body = Body::Memo;
    m_memoLines.clear();
    for (const QString &line : text.split(u'\n'))
        m_memoLines.append(TabExpand(line, settings.MemoTabWidth));
    m_memoFontName = settings.Memo.FontName;
    m_memoFontSize = settings.Memo.FontSize;
}

void TListF::setRichText(const QByteArray &fileBytes)
{
    m_body = Body::RichText;
    m_richBytes = fileBytes;
}

bool TListF::print(QPagedPaintDevice *device) const
{
    device->setPageLayout(ReportPage::a4Layout());
    QPainter p;
    if (!p.begin(device))
        return false;
    const ReportPage::Scale s(*device);
    const QRectF detail(0, s.mm(HeaderHeightMm), s.mm(ReportPage::BandWidthMm),
                        s.mm(ReportPage::BandHeightMm - HeaderHeightMm));

    // The body is laid out for this device, in pages of the detail band's height.
    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(device);
    doc.setDocumentMargin(0);
    if (m_body == Body::Memo) {
        const QFont font = FontChoice::viewFont(m_memoFontName, m_memoFontSize);
        doc.setDefaultFont(font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        // A tab left in the text stops every eight characters, as in the memo view.
        option.setTabStopDistance(QFontMetricsF(font, device).horizontalAdvance(u' ') * 8);
        doc.setDefaultTextOption(option);
        doc.setPlainText(m_memoLines.join(u'\n'));
    } else if (m_body == Body::RichText) {
        doc.setDefaultFont(FontChoice::viewFont(BaseFontName, 9));
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        doc.setDefaultTextOption(option);
        Rtf::read(m_richBytes, &doc);
    }
    const ReportPage::PagedText body(doc, detail.width(), detail.height(), detail.height());
    const int pages = body.pageCount();

    const QFont titleFont = FontChoice::viewFont(m_header.titleFontName, m_header.titleFontSize);
    const QFont smallFont = FontChoice::viewFont(BaseFontName, SmallPointSize);
    const QDate date = m_date.isValid() ? m_date : QDate::currentDate();
    p.setPen(Qt::black);
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device->newPage())
            return false;
        if (m_header.QRLabel1)
            drawItem(p, s, 0, 0, titleFont, m_header.title);
        if (m_header.QRSysData2)
            drawItem(p, s, DateLeftMm, ItemTopMm, smallFont, DateYMDSlash(date.startOfDay()));
        if (m_header.QRLabel2)
            drawItem(p, s, PageLabelLeftMm, ItemTopMm, smallFont, QStringLiteral("P."));
        if (m_header.QRSysData1)
            drawItem(p, s, PageNumberLeftMm, ItemTopMm, smallFont, QString::number(page + 1));
        if (m_header.QRLabel3)
            drawItem(p, s, 0, SeparatorTopMm, smallFont, QString(SeparatorLength, u'-'));
        if (m_body != Body::None)
            body.drawPage(p, page, detail.topLeft());
    }
    return p.end();
}

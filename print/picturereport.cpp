#include "print/picturereport.h"

#include "base/fontchoice.h"
#include "print/reportpage.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>
#include <QTextOption>

namespace {

constexpr double PictureLeftPx = 5;  // 1.32 mm
constexpr double PictureTopPx = 20;  // 5.29 mm
constexpr double CommentLeftPx = 16; // 4.23 mm
constexpr double CommentGapPx = 30;  // below the picture's height: 10 pixels below its bottom

} // namespace

void TListG::fill(const QString &nodeName, const QImage &picture, const QString &comment)
{
    m_name = nodeName;
    m_picture = picture;
    m_comment = comment;
}

QRectF TListG::pictureRectMm() const
{
    using namespace ReportPage;
    const double left = PictureLeftPx * MmPerReportPixel;
    const double top = PictureTopPx * MmPerReportPixel;
    if (m_picture.isNull())
        return QRectF(left, top, 0, 0);
    QSizeF size(m_picture.width() * MmPerReportPixel, m_picture.height() * MmPerReportPixel);
    const QSizeF room(BandWidthMm - left, BandHeightMm - top);
    if (size.width() > room.width() || size.height() > room.height())
        size.scale(room, Qt::KeepAspectRatio);
    return QRectF(QPointF(left, top), size);
}

double TListG::commentTopMm() const
{
    return pictureRectMm().height() + CommentGapPx * ReportPage::MmPerReportPixel;
}

bool TListG::print(QPagedPaintDevice *device) const
{
    using namespace ReportPage;
    device->setPageLayout(a4Layout());
    QPainter p;
    if (!p.begin(device))
        return false;
    const Scale s(*device);
    const QRectF band(0, 0, s.mm(BandWidthMm), s.mm(BandHeightMm));
    const double commentLeft = s.reportPixels(CommentLeftPx);

    // The comment flows from its top on the first page over as many pages as it needs;
    // when not even one line fits below the picture it starts on the next page.
    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(device);
    doc.setDocumentMargin(0);
    doc.setDefaultFont(FontChoice::viewFont(QStringLiteral("ＭＳ 明朝"), 9));
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    doc.setDefaultTextOption(option);
    doc.setPlainText(m_comment);
    const double commentTop = s.mm(commentTopMm());
    const PagedText comment(doc, band.width() - commentLeft, qMax(0.0, band.height() - commentTop), band.height());
    const int pages = m_comment.isEmpty() ? 1 : comment.pageCount();

    p.setPen(Qt::black);
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device->newPage())
            return false;
        if (page == 0) {
            p.setFont(FontChoice::viewFont(QStringLiteral("ＭＳ ゴシック"), 10));
            p.drawText(band, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_name);
            if (!m_picture.isNull()) {
                const QRectF r = pictureRectMm();
                p.drawImage(QRectF(s.mm(r.left()), s.mm(r.top()), s.mm(r.width()), s.mm(r.height())), m_picture);
            }
        }
        if (!m_comment.isEmpty())
            comment.drawPage(p, page, QPointF(commentLeft, page == 0 ? commentTop : 0));
    }
    return p.end();
}

// The preview window and the printer of the application's UI port.

#include "app/ui/qtuiport.h"

#include "print/nodeprint.h"
#include "print/reportpage.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

void QtUiPort::runPrintPreview(const ReportPainter &paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(ReportPage::a4Layout());
    QPrintPreviewDialog dialog(&printer, m_parent);
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
    if (m_parent) // a page is only readable at a good size
        dialog.resize(m_parent->window()->size() * 0.95);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter *target) { paint(target); });
    dialog.exec();
}

namespace {

UiPort::PrintOutcome printOn(QPrinter &printer, const UiPort::ReportPainter &paint, UiPort &port)
{
    if (paint(&printer))
        return UiPort::PrintOutcome::Printed;
    port.reportError(QStringLiteral("プリンター %1 に印刷できませんでした").arg(printer.printerName()));
    return UiPort::PrintOutcome::Failed;
}

} // namespace

UiPort::PrintOutcome QtUiPort::printReport(const ReportPainter &paint, const QString &suggestedPdf)
{
    const QPrinterInfo installed = QPrinterInfo::defaultPrinter();
    if (!installed.isNull()) {
        QPrinter printer(installed, QPrinter::HighResolution);
        return printOn(printer, paint, *this);
    }
    // No printer: the print dialog offers printing into a PDF file.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(suggestedPdf);
    printer.setPageLayout(ReportPage::a4Layout());
    QPrintDialog dialog(&printer, m_parent);
    if (dialog.exec() != QDialog::Accepted || printer.outputFileName().isEmpty())
        return PrintOutcome::NothingChosen;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        // The file is written whole, so a failure never leaves half a PDF behind.
        QString error;
        if (!NodePrint::writePdf(paint, printer.outputFileName(), &error)) {
            reportError(error);
            return PrintOutcome::Failed;
        }
        return PrintOutcome::Printed;
    }
    return printOn(printer, paint, *this);
}

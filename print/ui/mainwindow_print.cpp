// Printing the current node and its preview: the report that fits the node is filled
// from the views (the memo as edited, the picture and comment as shown) and drawn by
// the report code that orvane-cli pdf uses too.

#include "app/ui/mainwindow.h"

#include "base/appsettings.h"
#include "base/diskfile.h"
#include "base/globals.h"
#include "base/uiport.h"
#include "print/nodeprint.h"
#include "tree/nodekind.h"
#include "tree/nodepath.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>

namespace {

// Where the print dialog suggests a PDF when no printer is installed.
QString suggestedPdfPath(const QString &nodeName)
{
    return QDir::homePath() + u'/' + QFileInfo(nodeName).completeBaseName() + QStringLiteral(".pdf");
}

} // namespace

void TOrvaneF::ToolButtonPClick()
{
    printCurrentNode(true);
}

void TOrvaneF::MenuNPClick()
{
    printCurrentNode(false);
}

void TOrvaneF::printCurrentNode(bool preview)
{
    if (!NodePrint::canPrint(NodeKind)) {
        setStatus(2, NodePrint::refusalText());
        ui().beep();
        return;
    }
    SkipActivate = true;
    // A node whose content could not reach its file is not printed: the user has just
    // been told, and the paper would not match the file.
    if (!NodeName.isEmpty() && !TSaveNode(NodeName))
        return;

    const QString fsPath = NodePaths::fullPath(BaseDir, NodePath, NodeName);
    ListF.prepareHeader(Cfg, NodeName, QDir::toNativeSeparators(fsPath));
    UiPort::ReportPainter paint;
    if (NodeKind == KindMemo) {
        ListF.setMemo(Memo1->toPlainText(), Cfg);
        paint = [this](QPagedPaintDevice *device) { return ListF.print(device); };
    } else if (NodeKind == KindRich) {
        const DiskFile::ReadResult file = DiskFile::read(fsPath);
        if (!file.ok) {
            ui().reportError(file.error);
            return;
        }
        ListF.setRichText(file.bytes);
        paint = [this](QPagedPaintDevice *device) { return ListF.print(device); };
    } else {
        ListG.fill(NodeName, Image1->pixmap().toImage(), MemoG->toPlainText());
        paint = [this](QPagedPaintDevice *device) { return ListG.print(device); };
    }

    if (preview) {
        ui().runPrintPreview(paint);
        return;
    }
    if (ui().printReport(paint, suggestedPdfPath(NodeName)) == UiPort::PrintOutcome::NothingChosen)
        ui().showMessage(QStringLiteral("印刷できるプリンターがありません。\r"
                                        "PDF ファイルへの出力も選ばれなかったため、印刷しませんでした。"));
}

void TOrvaneF::connectPrinting()
{
    connect(ToolButtonP, &QAction::triggered, this, &TOrvaneF::ToolButtonPClick);
    connect(MenuNPV, &QAction::triggered, this, &TOrvaneF::ToolButtonPClick);
    connect(MenuNP, &QAction::triggered, this, &TOrvaneF::MenuNPClick);
    setupThumbGrid();
}

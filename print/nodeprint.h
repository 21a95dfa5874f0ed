#pragma once
// Which nodes print and how a node's report is filled from its files: text memos and
// rich text in the text report, pictures in the picture report. The window fills the
// reports from its views instead; both draw through the same report code.

#include <QString>

#include <functional>

class QPagedPaintDevice;
class TListF;
class TListG;
struct AppSettings;

namespace NodePrint {

// Draws a filled report's pages; false when the device could not be drawn on.
using Painter = std::function<bool(QPagedPaintDevice *)>;

// The refusal for a node that has no report (folders, other files, missing files).
QString refusalText();
// Text memos, rich text and pictures print.
bool canPrint(int kind);

// Fills the report for the node from its files: the memo decoded as its view would show
// it, the rich text from the file, the picture and its comment side file (none is
// created when missing). The header of the text report is prepared for every kind. An
// empty painter with a sentence in *error when the node cannot print or its file
// cannot be read.
Painter fillFromFiles(TListF &text, TListG &picture, const AppSettings &settings, int kind,
                      const QString &fsPath, const QString &nodeName, QString *error);

// Draws the report into a PDF file (written whole, atomically). False with a sentence
// in *error when drawing or writing failed.
bool writePdf(const Painter &painter, const QString &pdfPath, QString *error);

} // namespace NodePrint

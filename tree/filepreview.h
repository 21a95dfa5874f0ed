#pragma once
// A look at the content of a file the program does not edit itself (a node of the
// "other file" kind): a picture, the beginning of a plain-text file, or the first page
// of a PDF. Files of any other type have no preview; their view shows the desktop icon.

#include <QImage>
#include <QSize>
#include <QString>

struct FilePreview {
    enum class Kind { None, Picture, Text };
    Kind kind = Kind::None;
    QImage image; // Picture
    QString text; // Text: the beginning of the file, "\n" line breaks
};

// pageSize bounds a rendered PDF page (pictures keep their own size).
FilePreview previewFile(const QString &fsPath, const QSize &pageSize = QSize(800, 1000));

// True when this build can show the first page of a PDF.
bool pdfPreviewAvailable();

#pragma once
// The report of pictures: the node's name, the picture at its own size (scaled down,
// keeping its proportions, when it is larger than the page) and the comment 10 pixels
// below it. No header, date or page number, whatever the print options say.

#include <QImage>
#include <QRectF>
#include <QString>

class QPagedPaintDevice;

class TListG
{
public:
    // Fills the report: QRLabel1 the name, QRImage1 the picture, QRMemo1 the comment
    // (lines as the view holds them, "\n" between lines).
    void fill(const QString &nodeName, const QImage &picture, const QString &comment);

    const QString &name() const { return m_name; }
    const QString &comment() const { return m_comment; }
    // Where the picture goes, in millimetres from the band's top left.
    QRectF pictureRectMm() const;
    // The top of the comment, in millimetres: the picture's height plus 30 pixels.
    double commentTopMm() const;

    // Draws every page. False when the device could not be drawn on.
    bool print(QPagedPaintDevice *device) const;

private:
    QString m_name;
    QImage m_picture;
    QString m_comment;
};

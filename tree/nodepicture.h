#pragma once
// Loading the picture of an image node. The decoder follows the extension (bitmap,
// JPEG, GIF, icon), never the content, so a file is shown the same way by the
// content view, the thumbnails and printing. A GIF of several frames gives its first
// frame as a still picture.

#include <QImage>
#include <QString>

struct NodePicture {
    QImage image;       // null when the file could not be read or decoded
    int frameCount = 0; // frames in the file: more than 1 for an animated GIF
    QString error;      // when image is null: a sentence naming the file
    bool ok() const { return !image.isNull(); }
};

// imageType is ImageTypeOf of the upper-case extension (ImageBitmap, ImageJpeg, ...).
NodePicture loadNodePicture(const QString &fsPath, int imageType);

// A small copy for a thumbnail: the picture scaled down to fit within `bound`, keeping
// its proportions (a smaller picture stays as it is). A JPEG is decoded scaled down by
// libjpeg itself, so the full-size picture is never held.
NodePicture loadNodeThumbnail(const QString &fsPath, int imageType, const QSize &bound);

// The same, with the decoder chosen from the file name's extension.
NodePicture loadNodePicture(const QString &fsPath);

#pragma once
// JPEG pictures are decoded by libjpeg itself rather than by an image plug-in, so
// that every place showing, printing or scaling a node picture gets the same result
// and the same error text.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// Decodes JPEG bytes (baseline or progressive; grey, YCbCr/RGB or CMYK/YCCK).
// A null image with a sentence in *error when the bytes are not a decodable JPEG;
// a file cut short still gives the part that was decoded, as other viewers show it.
QImage decodeJpeg(const QByteArray &bytes, QString *error = nullptr);

// The same, decoded by libjpeg at 1/2, 1/4 or 1/8 of its size where that still covers
// `bound` (a thumbnail), so a large photo never lives in memory at full size. The result
// is at least `bound` in one direction unless the picture itself is smaller.
QImage decodeJpegScaled(const QByteArray &bytes, const QSize &bound, QString *error = nullptr);

#pragma once
// Small pictures made in the tests themselves: a plain-coloured image in any format
// Qt can write, JPEG in the variants the decoder must handle, and GIF files (Qt has no
// GIF writer) of one or several frames.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QSize>

namespace PictureFixtures {

// A picture of this size: the left half `left`, the right half `right`.
QImage twoColour(const QSize &size, const QColor &left, const QColor &right);

// The image written by Qt's writer for this format ("BMP", "ICO", "PNG", "JPG").
QByteArray encoded(const QImage &image, const char *format);

// JPEG bytes; grey writes a one-channel file, progressive a progressive one.
QByteArray jpeg(const QImage &image, bool grey = false, bool progressive = false);

// A GIF of one frame per colour, each frame filled with its colour (at most 4 colours).
QByteArray gif(const QSize &size, const QList<QColor> &frames);

} // namespace PictureFixtures

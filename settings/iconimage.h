#pragma once
// Small icons for the OLE icon registry: taken out of a Windows program file (.exe,
// .dll) by icon number, or read from an icon file, a PNG or an SVG; always handed out
// as one 16 x 16 picture and stored as a standard icon file holding that one picture.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace IconImage {

// Width and height of every registry icon.
constexpr int Size = 16;

// The small form of icon number `index` (counted from 0, in resource order) of a
// program file's bytes: the 16 x 16 picture of that icon group, or its picture nearest
// that size, scaled. Null when the file is no program file or has no such icon.
QImage fromProgramFile(const QByteArray &bytes, int index);

// The 16 x 16 picture of an icon file's bytes (the entry of that size, else the
// largest, scaled); null when the bytes are no icon file.
QImage fromIconFile(const QByteArray &bytes);

// Any file the registry page accepts: a program file (icon number `index`), an icon
// file, or a picture Qt reads (PNG, SVG drawn at 16 x 16). Null when nothing could be
// taken out of it.
QImage fromFile(const QString &path, int index);

// A standard icon file holding the picture at 16 x 16 (32 bits with alpha); empty for a
// null picture.
QByteArray toIconFile(const QImage &image);

// The picture brought to 16 x 16 with alpha, smoothly scaled and centred when it is
// not square; null stays null.
QImage toSmall(const QImage &image);

} // namespace IconImage

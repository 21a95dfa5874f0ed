#include "tree/nodepicture.h"

#include "base/diskfile.h"
#include "tree/jpegdecoder.h"
#include "tree/nodekind.h"
#include "tree/nodepath.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace {

QString failure(const QString &fsPath, const QString &why)
{
    return QStringLiteral("画像ファイル %1 を表示できません。\r%2").arg(QDir::toNativeSeparators(fsPath), why);
}

// Qt's own readers for bitmap, GIF and icon, held to the format the extension names.
QImage readWithQt(const QByteArray &bytes, const char *format, int *frames, QString *why)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    *frames = qMax(1, reader.imageCount());
    QImage image = reader.read(); // the first frame of an animation
    if (image.isNull())
        *why = reader.errorString();
    return image;
}

NodePicture loadPicture(const QString &fsPath, int imageType, const QSize &bound)
{
    NodePicture picture;
    const char *format = nullptr;
    switch (imageType) {
    case ImageBitmap: format = "bmp"; break;
    case ImageGif: format = "gif"; break;
    case ImageIcon: format = "ico"; break;
    case ImageJpeg: break;
    default:
        picture.error = failure(fsPath, QStringLiteral("画像の拡張子ではありません"));
        return picture;
    }

    const DiskFile::ReadResult file = DiskFile::read(fsPath);
    if (!file.ok) {
        picture.error = file.error;
        return picture;
    }
    QString why;
    if (imageType == ImageJpeg) {
        picture.image = bound.isEmpty() ? decodeJpeg(file.bytes, &why) : decodeJpegScaled(file.bytes, bound, &why);
        picture.frameCount = 1;
    } else {
        picture.image = readWithQt(file.bytes, format, &picture.frameCount, &why);
    }
    if (picture.image.isNull())
        picture.error = failure(fsPath, why.isEmpty() ? QStringLiteral("形式が正しくありません") : why);
    else if (!bound.isEmpty() && (picture.image.width() > bound.width() || picture.image.height() > bound.height()))
        picture.image = picture.image.scaled(bound, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return picture;
}

} // namespace

NodePicture loadNodePicture(const QString &fsPath, int imageType)
{
    return loadPicture(fsPath, imageType, QSize());
}

NodePicture loadNodeThumbnail(const QString &fsPath, int imageType, const QSize &bound)
{
    return loadPicture(fsPath, imageType, bound);
}

NodePicture loadNodePicture(const QString &fsPath)
{
    return loadNodePicture(fsPath, ImageTypeOf(NodePaths::extOf(QFileInfo(fsPath).fileName())));
}

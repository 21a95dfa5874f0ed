#include "tree/nodekind.h"

#include "base/globals.h"

#include <QFile>

#include <sys/stat.h>

int NodeKindOf(const QString &fsPath, const QString &upperExt, const QStringList &memoExts)
{
    if (fsPath.isEmpty())
        return KindUnknown;
    // One stat per node: this runs for every node when a tree is opened.
    struct stat st;
    if (::stat(QFile::encodeName(fsPath).constData(), &st) != 0)
        return KindUnknown;
    if (S_ISDIR(st.st_mode))
        return KindFolder;
    for (const QString &ext : memoExts)
        if (ext == upperExt)
            return KindMemo;
    if (upperExt == u"RTF")
        return KindRich;
    if (ImageTypeOf(upperExt) != ImageNone)
        return KindImage;
    return KindOle;
}

int NodeTypeSet(const QString &fsPath, const QString &upperExt)
{
    return NodeKindOf(fsPath, upperExt, MemoExtList);
}

int ImageTypeOf(const QString &upperExt)
{
    if (upperExt == u"BMP")
        return ImageBitmap;
    if (upperExt == u"JPEG" || upperExt == u"JPG" || upperExt == u"JPE")
        return ImageJpeg;
    if (upperExt == u"GIF")
        return ImageGif;
    if (upperExt == u"ICO")
        return ImageIcon;
    return ImageNone;
}

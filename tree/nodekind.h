#pragma once
// The kind of a node, decided from the disk and its extension, and the decoder a
// picture extension calls for.

#include <QString>
#include <QStringList>

enum NodeKindValue {
    KindFolder = 0,
    KindMemo = 1,
    KindRich = 2,
    KindImage = 3,
    KindOle = 4,
    KindUnknown = 5,
};

enum ImageTypeValue {
    ImageNone = 0,
    ImageBitmap = 1,
    ImageJpeg = 2,
    ImageGif = 3,
    ImageIcon = 4,
};

// In order: a folder at the path; nothing at the path (unknown, also for a path that
// would leave the tree's folder, given as ""); a registered text extension; "RTF";
// a picture extension; anything else is an OLE object.
int NodeKindOf(const QString &fsPath, const QString &upperExt, const QStringList &memoExts);

// NodeKindOf with the registered extensions of MemoExtList.
int NodeTypeSet(const QString &fsPath, const QString &upperExt);

int ImageTypeOf(const QString &upperExt);

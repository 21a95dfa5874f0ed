#include "print/thumblist.h"

#include "base/appsettings.h"
#include "base/globals.h"
#include "nodeops/functionu.h"
#include "tree/nodekind.h"
#include "tree/nodepath.h"
#include "tree/nodepicture.h"

#include <QFileInfo>

#include <algorithm>

QString ThumbEntry::name() const
{
    return QFileInfo(path).fileName();
}

int ThumbList::fill(const QString &folderFsPath, const QSize &bound)
{
    m_entries.clear();
    DirList(folderFsPath + QStringLiteral("*.*"));
    const QStringList names = WorkList;
    for (const QString &name : names) {
        const int type = ImageTypeOf(NodePaths::extOf(name));
        if (type == ImageNone)
            continue;
        ThumbEntry entry;
        entry.path = folderFsPath + name;
        entry.imageType = type;
        // An animated GIF gives its first frame straight from its bytes; a file that
        // cannot be decoded keeps an empty picture.
        entry.picture = loadNodeThumbnail(entry.path, type, bound).image;
        m_entries.append(entry);
    }
    return count();
}

QSize ThumbList::boundFor(const AppSettings &s)
{
    const int side = std::max({64, s.ThumbSmall, s.ThumbMedium, s.ThumbLarge, s.ThumbWidth, s.ThumbHeight});
    return QSize(side, side);
}

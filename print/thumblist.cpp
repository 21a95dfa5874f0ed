#include "print/thumblist.h"

#include "base/appsettings.h"
#include "base/globals.h"
#include "nodeops/functionu.h"
#include "tree/nodekind.h"
#include "tree/nodepath.h"
#include "tree/nodepicture.h"

#include <QFileInfo>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <vector>

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
        m_entries.append(entry);
    }
    // Decoding is most of the work: the pictures are decoded side by side on every core,
    // each into its own slot, while the caller waits. An animated GIF gives its first
    // frame straight from its bytes; a file that cannot be decoded keeps an empty picture.
    std::vector<QImage> pictures(m_entries.size());
    const QList<ThumbEntry> &entries = m_entries;
    QThreadPool pool;
    pool.setMaxThreadCount(qMax(1, QThread::idealThreadCount()));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        pool.start([&pictures, &entries, &bound, i] {
            pictures[size_t(i)] = loadNodeThumbnail(entries.at(i).path, entries.at(i).imageType, bound).image;
        });
    }
    pool.waitForDone();
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        m_entries[i].picture = std::move(pictures[size_t(i)]);
    return count();
}

QSize ThumbList::boundFor(const AppSettings &s)
{
    const int side = std::max({64, s.ThumbSmall, s.ThumbMedium, s.ThumbLarge, s.ThumbWidth, s.ThumbHeight});
    return QSize(side, side);
}

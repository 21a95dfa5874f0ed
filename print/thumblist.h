#pragma once
// ThumbList: the pictures of one folder as thumbnails, in the order the folder is
// listed. Each picture is kept at thumbnail size only (a JPEG is decoded scaled down),
// so a folder of large photos does not fill the memory. A file with a picture
// extension that cannot be decoded keeps its entry with an empty picture.

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

struct AppSettings;

struct ThumbEntry {
    QString path;   // the file-system path of the picture file
    int imageType = 0;
    QImage picture; // null when the file could not be decoded
    QString name() const;
};

class ThumbList
{
public:
    void clear() { m_entries.clear(); }
    // Empties the list, then adds every picture file of the folder (a file-system path
    // ending with "/"), each scaled to fit within `bound`. Other files, comment side files
    // included, are skipped. Nothing is ever written into the folder. Returns the count.
    int fill(const QString &folderFsPath, const QSize &bound);

    int count() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    const ThumbEntry &at(int i) const { return m_entries.at(i); }

    // The size pictures are kept at: the largest cell the settings can ask for, so
    // switching sizes never needs the files again.
    static QSize boundFor(const AppSettings &settings);

private:
    QList<ThumbEntry> m_entries;
};

#pragma once
// The OLE icon registry: file extensions that show an icon of their own in the tree.
// It lives in "Res/OLEFEX.ini" (section "OLEIcon": "Count", then "Ext"k and "Exp"k for
// k = 1 .. Count) and one icon file per entry, "Res/ExImage"k".Ico", with "Res/NULL.ico"
// standing in for a missing one. Entry k has image index 9 + k in the node icon list.

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

// Registered extensions, one per registry row, as the tree looks them up.
extern QStringList OleIconExtList;

// The image index for an OLE node of this extension: the first row whose extension
// equals it exactly gives row + 10; no match gives 4.
int OLEImageNo(const QString &upperExt);

struct OleIconEntry {
    QString ext;     // as registered (upper case when entered through the page)
    QString comment; // plain text, never in comma-text form
    QImage icon;     // 16 x 16; null when neither its file nor "NULL.ico" could be read
};

namespace OleIconRegistry {

// The registry file and the placeholder icon, below the program folder.
inline constexpr const char *FileName = "Res/OLEFEX.ini";
inline constexpr const char *NullIconName = "Res/NULL.ico";

// A comment as the registry file holds it: unchanged, unless it holds a blank, a
// control character, a comma or a double quote; then enclosed in double quotes with
// inner ones doubled. An empty comment is two double quotes.
QString commaText(const QString &comment);
// The comment of a value as the INI module hands it out (one enclosing pair of quotes
// already taken off): doubled quotes become one.
QString fromCommaText(const QString &value);

// The file that stands for "Res/<name>" when read: the program-files path, or a file in
// that folder whose name differs only in letter case; "" when there is none.
QString findResFile(const QString &name);

// The icon of entry k: its icon file (".ico" and ".Ico" alike), else "NULL.ico"; null
// when neither can be read.
QImage iconOf(int k);

// Every entry of the registry file; empty when the file is missing. A missing or
// non-numeric "Count" means no entries.
QList<OleIconEntry> load();

// Writes the registry: the icon files "ExImage"k".Ico" renumbered in row order (earlier
// ones removed) and "Count", "Ext"k (upper case) and "Exp"k (comma text). The new icons
// are written beside the old ones first and the registry file after them, so a write
// that fails leaves what was saved before as it was; false with a sentence naming the
// file in *error. The other lines of the registry file keep their bytes.
bool save(const QList<OleIconEntry> &entries, QString *error = nullptr);

} // namespace OleIconRegistry

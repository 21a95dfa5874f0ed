#pragma once
// The main settings file (ProgName + ".Ini" beside the executable) and the typed
// settings: every section and key in one table, read and written in the table's order.
//
// Reading gives every key its default when it is missing or not a number; the tree
// panel is never narrower than 100 pixels; colour texts and font names are kept as
// written. Writing sets every key, so the file always holds the whole table.

#include "base/appsettings.h"

#include <QString>
#include <QStringList>

class IniFile;

namespace SettingsFile {

// The tree panel is never narrower than this.
constexpr int MinTreePanelWidth = 100;

// What the file remembers of the last session besides the settings.
struct Session {
    QString treeFileName; // "Tree" / "TreeFileName"
    QString nodePath;     // "Tree" / "最終編集ﾊﾟｽ" (written; read into AppSettings::LastNodePath)
    QString nodeName;     // "Tree" / "最終編集ﾉｰﾄﾞ" (written; read into AppSettings::LastNodeName)
};

// Every key of the file into a fresh set of settings (fields not kept in the file take
// their defaults); the remembered tree file goes to *treeFileName.
AppSettings read(const IniFile &ini, QString *treeFileName = nullptr);

// Sets every key, in the table's order. A value the file cannot hold (Shift-JIS lacks
// a character) leaves that key as it was and is named in *errors; the rest is written.
void write(IniFile &ini, const AppSettings &settings, const Session &session, QStringList *errors = nullptr);

// Loads the file, writes every key and saves it atomically. False with the reasons in
// *error (one sentence per problem, naming the file) when a key or the file could not
// be written; a file that could not be written is left as it was.
bool save(const QString &path, const AppSettings &settings, const Session &session, QString *error = nullptr);

} // namespace SettingsFile

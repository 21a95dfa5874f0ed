#pragma once
// The one place that decides where the program's own files live: the settings file,
// the history, the registries and their icons in "Res", the templates, "BTxtOut.Ini",
// the read-me tree and the default tree. Callers name a file by its path below the
// program folder ("ORVANE.Ini", "Res/OLEFEX.ini") and never build such paths themselves.
//
// There are two homes:
// - Portable: the program folder (ExeDir) can be written. Everything lives beside the
//   executable, read and written there.
// - User: the program folder cannot be written (an installed program). Files the
//   program writes go to the user's configuration folder ($XDG_CONFIG_HOME/orvane,
//   default ~/.config/orvane); each is read from there when present and otherwise from
//   the copy shipped in the program folder. Trees the program opens or creates by
//   itself (the read-me tree, the default tree) live in the user's data folder
//   ($XDG_DATA_HOME/orvane, default ~/.local/share/orvane).
// The home follows the program folder's permissions as they are when asked.

#include <QString>
#include <QStringList>

#include <optional>

namespace ProgramFiles {

enum class Home { Portable, User };

// The home of the files of the program in ExeDir. A folder counts as writable only when
// the process may write it and its owner write bit is set: the program's own file rules
// treat a folder without that bit as one that keeps its entries, for every user.
Home home();
// Tests choose the home whatever the folder's permissions; nullopt decides again.
void forceHome(std::optional<Home> forced);

// Where the file is read from now.
QString readPath(const QString &relative);
// Where a write of the file goes. In the user's home its folder is created, and a
// shipped copy is carried over first when the user has none yet, so that a writer that
// changes one key at a time starts from the shipped content.
QString writePath(const QString &relative);
// The copy a removal may take away: beside the executable in a portable copy, the
// user's copy otherwise (which may not exist); a shipped file is never removed.
QString ownPath(const QString &relative);
// The existing folders a listing of relativeDir ("Res") reads, the user's first.
QStringList readFolders(const QString &relativeDir);

// The program folder's files that are only ever shipped, never written (help).
QString shippedPath(const QString &relative);

// The user's folders (whatever the home): configuration and data.
QString configFolder();
QString dataFolder();

// The read-me tree as shipped beside the executable.
QString shippedReadMeTree();
// The read-me tree a first start opens: the shipped one in a portable copy, the user's
// copy in the data folder otherwise (copied there by ReadMeTree::prepare).
QString readMeTree();
// The tree opened when no other is known: ProgName + ".Orvan" beside the executable in
// a portable copy, in the user's data folder otherwise (that folder is created).
QString defaultTree();

} // namespace ProgramFiles

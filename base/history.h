#pragma once
// The tree files used most recently, newest first, as the menu "履歴(&R)" lists them
// and as the history file "Orvan履歴.Ini" among the program's own files keeps them. Despite
// its name the file is no INI file: one full path per line, Shift-JIS, CR LF.
//
// The list is a list of captions: the first one belongs to the menu's fixed first item,
// which reads "最新" until a tree file has been recorded. While the program runs the
// list only grows (up to the history length) or reorders; it shrinks only at the next
// start, when entries naming missing files are dropped.

#include <QString>
#include <QStringList>

namespace TreeHistory {

// Caption of the menu's first item before any tree file has been recorded.
QString newestCaption();

// The history file's name among the program's own files (see ProgramFiles).
QString fileName();

// The list at start. A missing history file is created holding the one tree file
// chosen at start, which is then the whole list. Otherwise every line that names an
// existing file is taken, in order, up to historyCount entries (the first is always
// taken); when none is left the list is just "最新".
QStringList load(const QString &file, const QString &startTree, int historyCount);

// Puts path at the top. A path already listed (exact comparison, the last match
// counting) moves up and the entries above it move down one place. A new path is added
// while the list holds fewer than historyCount entries; otherwise the oldest entry drops
// out. A path already at the top changes nothing.
void add(QStringList &items, const QString &path, int historyCount);

// Writes the list, one line per entry, newest first. An entry that Shift-JIS cannot
// hold is left out of the file and named in *error (false is returned), as is a file
// that cannot be written; a failed write leaves the previous file whole.
bool save(const QString &file, const QStringList &items, QString *error = nullptr);

} // namespace TreeHistory

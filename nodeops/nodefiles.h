#pragma once
// A node's file and its comment side file (".TMEM", kept for pictures and other files)
// treated as one unit, by the node's kind. Deleting and moving nodes use these; the
// main window's NodeFileDel and NodeFileCopy pass the current node's kind.
// Node names are names, never patterns: every step takes exactly one file.

#include <QString>

namespace NodeFiles {

// Pictures and other files carry a comment side file; memos and rich text do not.
bool hasComment(int kind);
QString sidePath(const QString &nodeFsPath);
// A file entry (not a folder) is at exactly this path.
bool fileAt(const QString &fsPath);
// How a deleted file goes: gone at once, or into the desktop's trash where there is one
// (the user's delete command), so that a mistaken delete is one restore away.
enum class Disposal { Delete, ToTrash };

// Deletes exactly this file (read-only files included); a file another program holds
// is refused like a file that could not be deleted (-1). 0 done.
int deleteFile(const QString &fsPath, Disposal how = Disposal::Delete);

// Deletes the node's file and, for a kind with a comment, its side file. True when the
// node's file stays (do not go on). A picture or other file that could not be deleted
// is reported by name; a memo or rich text only when reportEveryKind is set. A side
// file that could not be deleted is reported and stays; the result is then false.
bool remove(int kind, const QString &fsPath, bool reportEveryKind = false, Disposal how = Disposal::Delete);

// Copies the node's file and, for a kind with a comment, its side file. True when the
// node's own file could not be copied; a failed side-file copy is reported by the copy
// routine only.
bool copy(int kind, const QString &source, const QString &destination);

} // namespace NodeFiles

#pragma once
// Moving the file or folder behind a node to another folder. Every move copies first,
// checks the copy against the source, and deletes the source only then; a move that
// fails at any step before the source is touched leaves the source as it was and
// removes what it copied, and says so to the user.
// Paths are file-system paths; the destination must not exist yet.

#include <QString>

namespace NodeMove {

enum class Result {
    Moved,
    NotCopied,     // nothing changed: the source is intact and no copy is left
    SourceNotDeleted, // folders only: the complete copy is at the destination and
                      // part of the source could not be deleted
};

// A file node: its file and, for a kind with a comment, its side file when there is
// one. A side file that cannot be copied fails the move, so a comment is never lost.
Result moveFile(int kind, const QString &source, const QString &destination);

// A folder node: the folder with everything below it. Checked before anything is
// copied: an entry the folder copy would leave behind (hidden or system entries) or a
// folder whose entries cannot be deleted refuses the move.
Result moveFolder(const QString &source, const QString &destination);

// The first entry below `folder` (itself included) that a move could not take along,
// or "" when there is none.
QString firstUnmovable(const QString &folder);

// Every entry below `source` is at the same place below `destination`, of the same
// type, files with the same bytes and links with the same target.
bool sameContent(const QString &source, const QString &destination);

} // namespace NodeMove

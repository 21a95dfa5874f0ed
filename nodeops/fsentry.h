#pragma once
// The file-system steps under the utility library, with the rules of the program's file
// model applied by the program itself, so they hold the same for every user (the
// superuser ignores permission bits):
// - an entry is a folder only when it is a real folder; a symbolic link is a file entry
//   whatever it points to, and is copied, renamed and deleted as a link, never followed;
// - sockets, pipes and device files are "system" entries: never listed, copied or deleted;
// - a file is read-only when its owner write bit is clear: it is not overwritten or
//   deleted until it is made writable (owner write bit set);
// - a folder whose owner write bit is clear keeps its entries: nothing is created,
//   deleted or renamed in it.
// Paths are file-system paths ("/").

#include <QString>

#include <functional>

namespace FsEntry {

enum class Type { None, Folder, File, Link, Special };

// What is at the path itself (a link is not followed).
Type typeAt(const QString &path);
// True for a folder, also one reached through a link.
bool isFolder(const QString &path);
// A name the file manager hides.
bool isHiddenName(const QString &name);

// The folder that holds the entry ("." for a bare name, "/" for an entry of the root).
QString parentOf(const QString &path);
// The folder + "/" + name, without doubling a final "/" of the folder.
QString join(const QString &folder, const QString &name);

// Owner write bit clear on a file or folder (never for a link).
bool isReadOnly(const QString &path);
// Sets the owner write bit; a link has nothing to set and succeeds. False when nothing is there.
bool makeWritable(const QString &path);
// The folder may have entries created, deleted or renamed in it.
bool allowsChanges(const QString &folder);

// How a finished copy takes its name: over a writable file or link already there, or
// never over anything (also not over what appears there while the copy is made).
enum class Finish { Replace, NoReplace };

// Copies a file, or a link as a link, onto `to` through a temporary file beside it, so
// `to` is never left half-written. The copy keeps the source's permissions and
// modification time.
bool copyFile(const QString &from, const QString &to, Finish finish = Finish::Replace);
// For tests: runs when a copy is complete, just before it takes its name, so that a
// test can put something at `to` in that moment. An empty function removes it.
void setBeforeCopyTakesItsName(std::function<void(const QString &to)> hook);
// Deletes a file or link (not a folder, not a system entry).
bool removeFile(const QString &path);
// Creates one folder; its parent must exist.
bool makeFolder(const QString &path);
// Removes an empty real folder.
bool removeFolder(const QString &path);
// Renames or moves an entry; never replaces what is at `to`.
bool renameEntry(const QString &from, const QString &to);
// Creates an empty file; fails when anything is at the path. *why gets the reason.
bool createEmpty(const QString &path, QString *why = nullptr);

} // namespace FsEntry

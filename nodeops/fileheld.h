#pragma once
// Whether a node command may change a file: deleting or renaming a file that another
// program holds, or that the user marked read-only, is refused. The file system would
// allow both here (and the superuser ignores permission bits), so the rule is applied
// by looking at the file itself.

#include <QString>

// True when a file (not a folder, not a link) is read-only by FsEntry::isReadOnly, or
// when another open file holds a lock on it (flock, or a record lock of any process).
bool FileHeld(const QString &fsPath);

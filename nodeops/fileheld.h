#pragma once
// Whether a node command may delete or rename a file: a file that another program holds
// is refused, as a file system that locks open files would refuse it. Read-only files
// are not held: deleting one is the utility library's job (it makes the file writable
// first), and a rename never needs write permission on the file.

#include <QString>

// True when a file (not a folder, not a link) is open in another process, or another
// open file holds a lock on it (flock, or a record lock of any process).
bool FileHeld(const QString &fsPath);

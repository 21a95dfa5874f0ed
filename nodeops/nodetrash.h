#pragma once
// The desktop's trash (the freedesktop trash that file managers use) for the files and
// folders a node deletion takes away, so that a mistaken deletion is one restore away.

#include <QString>

namespace NodeTrash {

// Moves a file, a link or an empty folder to the trash (the home trash for the home's
// file system, else the per-user trash at the top of the entry's file system), under the program's own file
// rules (an entry of a folder that keeps its entries stays; a folder that still holds
// anything stays). False when there is no trash for the entry or the move failed: the
// entry is then where it was, and the caller deletes it the usual way.
bool moveToTrash(const QString &path);

} // namespace NodeTrash

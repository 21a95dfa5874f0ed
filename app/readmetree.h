#pragma once
// The read-me tree a first start opens. An installed program cannot let the user edit
// the shipped copy, so the user gets a copy of their own in the data folder.

#include <QString>

namespace ReadMeTree {

// The read-me tree to open at a first start (ProgramFiles::readMeTree). Where that is
// the user's copy and it does not exist yet, the shipped tree file and every file and
// folder its nodes name (with comment side files) are copied there first; the tree file
// comes last, so a copy cut short is made again at the next first start. Nothing that
// is already there is overwritten.
QString prepare();

} // namespace ReadMeTree

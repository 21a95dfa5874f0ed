#pragma once
// Names for the copy of a node's file: base + "のCopy" + "." + ext, then base + "のCopy2"
// + "." + ext and so on until one is free. The "." is written also when the name has
// no extension, and the extension keeps its letter case.

#include <QString>
#include <functional>

namespace CopyName {

// n below 2 gives the first name, without a number.
QString numbered(const QString &base, const QString &ext, int n);

// The first numbered name for which taken() is false.
QString firstFree(const QString &base, const QString &ext, const std::function<bool(const QString &)> &taken);

} // namespace CopyName

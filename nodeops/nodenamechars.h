#pragma once
// What a node name typed by the user may hold. A node name becomes a file or folder
// name and a line of the tree file, so it keeps neither the characters that file
// names forbid nor anything the tree file cannot carry back. The node dialog and the
// in-place rename both clean names with this one rule.

#include <QString>

namespace NodeNameChars {

// True for "\", "/", ":", "*", "?", the double quote, "<", ">" and "|".
bool isForbidden(QChar c);

// The text without the forbidden characters, without control characters (a TAB or a
// line break would change the tree file's levels and lines) and without characters
// that Shift-JIS cannot hold. Characters that Shift-JIS holds only as a look-alike
// (the wave dash, the minus sign ...) become that look-alike, silently, so the name on
// disk equals the name the tree file gives back. Full-width characters are never
// touched. *removed tells whether anything was taken out.
QString cleaned(const QString &text, bool *removed = nullptr);

} // namespace NodeNameChars

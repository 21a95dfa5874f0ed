#pragma once
// The one place that decides where the program's own files live: the settings file,
// the history, the registries and their icons in "Res", the templates, "BTxtOut.Ini".
// Callers name a file by its path below the program folder ("ORVANE.Ini",
// "Res/OLEFEX.ini") and never build such paths themselves.

#include <QString>

namespace ProgramFiles {

// Where the file is read from now.
QString readPath(const QString &relative);
// Where a write of the file goes.
QString writePath(const QString &relative);

} // namespace ProgramFiles

#pragma once
// Directory searches of the utility library: a folder and a name pattern, entries in the
// order the file system returns them, and the search statuses callers test.
//
// Patterns: "*" matches any run of characters and "?" one character; letters match
// without regard to case (Unicode case folding, so "ａ"/"Ａ" and "é"/"É" too). A pattern
// ending in "." matches the names without "." that match the rest ("*." is every name
// without "."); a pattern ending in ".*" also matches names that match the part before
// it ("*.*" is every name). A name without wildcards names exactly one entry: it is
// compared as it is, letter case included, because two names that differ only in case
// are two different files here.
//
// Never returned: "." and "..", hidden entries (names starting with "."), system entries
// (sockets, pipes, devices), and folders when only files are asked for. A symbolic link
// is a file entry, never a folder, so a search never leads through one.

#include <QList>
#include <QString>

#include <optional>

namespace DirSearch {

// Statuses of a search, as the platform's directory search reports them.
enum Status : int {
    NoMatch = 2,  // the folder exists but no name in it matches
    NoFolder = 3, // the folder does not exist or cannot be read
    Done = 18,    // the search ran through the folder (also when every entry met was skipped)
};

struct Entry {
    QString name;
    bool folder = false;
};

enum class Want { Files, FilesAndFolders };

struct Result {
    int status = NoFolder;
    QList<Entry> entries;
};

bool hasWildcards(const QString &name);
bool matches(const QString &name, const QString &pattern);

// Searches `folder` ("" is the current folder) for entries whose names match `pattern`.
Result search(const QString &folder, const QString &pattern, Want want);

// The first entry, in file-system order, whose name matches: hidden, system and folder
// entries included ("." and ".." are not). `folder` is true only for a real folder.
std::optional<Entry> firstMatch(const QString &folder, const QString &pattern);

// A path split at its last "/": the folder part ("/" for an entry of the root, "" for a
// bare name) and the name part.
QString folderPart(const QString &path);
QString namePart(const QString &path);

} // namespace DirSearch

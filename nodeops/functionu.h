#pragma once
// FunctionU: the program's own file, folder, INI and string routines. Every command that
// touches the disk goes through them. The routines check first, report a refusal
// themselves (an information box through ui().showMessage, or an error box with Abort
// through ui().errorMessage for the INI routines) and return a small code, so callers
// only test the code and never report the same failure twice.
//
// Codes: 0 done, 1 refused, 2 or 3 a nested step failed, 9 argument not in the required
// form, -1 a file could not be deleted. Search statuses: 2 no name matches, 3 no such
// folder, 18 the search ran through the folder.
//
// Paths are file-system paths with "/" (stored folder paths keep "\" and are turned into
// these by NodePaths::fullPath). Where a routine wants a folder path ending with the
// separator, that is "/". How the Windows file rules read here (hidden, read-only,
// wildcards, drive root and kind, version resource) is written down in
// docs/platform-mapping.md; nodeops/dirsearch.h and nodeops/fsentry.h hold the rules.

#include "tree/nodekind.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

enum FunctionUCode : int {
    FuDone = 0,
    FuRefused = 1,
    FuFolderStepFailed = 2,
    FuFileStepFailed = 3,
    FuBadArgument = 9,
    FuNotDeleted = -1,
};

enum SearchStatus : int {
    SearchNoMatch = 2,
    SearchNoFolder = 3,
    SearchDone = 18,
};

// ---- INI routines: one key per call; the file is read for the call and written back at
// once (created by the first write). An empty section or key shows an error box
// "<routine> Section Null Error [" / "<routine> Key Null Error [" + path + "]" and leaves
// the file alone. A write the file cannot take (text Shift-JIS cannot hold, a line break,
// a disk error) shows an error box "<routine> Write Error [" + path + "]" with the reason
// and returns false. Code that reads or writes many keys uses IniFile (app/inifile.h).
QString Fini_SGet(const QString &iniPath, const QString &section, const QString &key);
bool Fini_SPut(const QString &iniPath, const QString &section, const QString &key, const QString &value);
// -1 when the key is missing or not an integer (decimal, "0x"/"$" hexadecimal).
int Fini_IGet(const QString &iniPath, const QString &section, const QString &key);
bool Fini_IPut(const QString &iniPath, const QString &section, const QString &key, int value);
// Writes "1" or "0".
bool Fini_BPut(const QString &iniPath, const QString &section, const QString &key, bool value);

// ---- Listing into WorkList (app/globals.h).
// Clears WorkList. A path ending with "/" lists the folder's sub-folders and files whose
// names have no "."; anything else is a folder plus a file pattern and lists files only.
// WorkList gets bare names. Returns the search status, or 9 for an argument of two bytes or less.
int DirList(const QString &folderOrPattern);
// Appends dir + name for every entry below `dir` (ending with "/"), a folder's line before
// its contents; folders only unless `withFiles`. WorkList is not cleared. Returns the
// status of this level's search, or 9 when `dir` is two bytes or less or lacks the final "/".
int DirListAll(const QString &dir, bool withFiles);

// ---- Files and folders.
// A file (any entry but a real folder; a link counts, whatever it points to) is at the
// path. With wildcards in the name: the first matching entry, hidden and folder entries
// included, is a file.
bool FExist(const QString &path);
// A folder (also one reached through a link) is at the path. No wildcards.
bool DExist(const QString &path);
// Creates an empty file. When a file is there, shows "新規作成ファイル=" + path + "既にあります。"
// and returns true. When the file cannot be made, the error goes to the application's
// error report (ui().reportError) and the result is false: the calling command ends there.
bool FNewEmpty(const QString &path);
// 0 done; 1 refused ("同一ﾌｧｲﾙをCopyしようとしています", "Copy入力ファイルなし",
// "Copy出力ファイルは既にあります") or the copy failed ("ﾌｧｲﾙのCopyに失敗 [src]->[dst]").
int FileCopyChk(const QString &source, const QString &destination);
// Copies every file matching `source` into the folder of `destination` under its own name,
// overwriting (a read-only destination is made writable and copied once more).
// 0 done, 1 refused (with its message) or some file could not be copied (no message).
int PatCopy(const QString &source, const QString &destination);
// Deletes every file matching `pattern` (a read-only one is made writable and deleted once
// more). 0 done, 1 nothing to delete ("削除ファイルなし"), -1 a file could not be deleted.
int PatDel(const QString &pattern);
// Creates one folder level. False with path + " は既にあります。" when a folder is there.
bool MkDirChk(const QString &path);
// Removes an empty folder. False with path + " はありません。" when no folder is there.
bool RmDirChk(const QString &path);
// Renames a file or folder, never over something of the same kind ("ReName = ... は､...").
bool ReName(const QString &oldPath, const QString &newPath);
// Copies the contents of folder `src` into the existing folder `dst` (both ending with
// "/"). Links are copied as links and never followed; hidden and system entries stay.
// Copying a folder into itself or into one of its own folders is refused like copying
// it onto itself. 0 done, 1 refused, 2 a sub-folder failed, 3 a file failed, 9 bad form.
int XCopy(const QString &src, const QString &dst);
// Deletes folder `dir` (ending with "/") with everything in it; a link named by `dir` is
// removed as a link and what it points to stays. "/", the home folder and the folders
// above it are refused like a bad form; the root folder of a mounted file system is
// emptied but kept. 0 done, 1 no such folder, 2 a sub-folder failed, 3 a file or the
// folder could not be deleted, 9 bad form.
int XDel(const QString &dir);
// The kind of the file system that holds the path: 0 fixed disk, 1 network, 2 removable,
// 3 RAM disk, 9 CD/DVD, 10 unknown or nothing there.
int DriveKind(const QString &root);

// ---- Paths and strings (no disk access). Both "/" and "\" separate folders here.
// Lengths and positions count Shift-JIS bytes (Sjis::charWidth).
QString PathDir(const QString &path);   // folder part without its final separator ("/" for the root)
QString PathName(const QString &path);  // the part after the last separator
QString PathNoExt(const QString &path); // without the extension and its dot
QString PathExt(const QString &path);   // the extension without its dot, letter case kept
// Byte position (1-based) of the last `c` in `text`; 0 when absent, -1 for an empty text.
int LastCharPos(QChar c, const QString &text);
// Pieces of `text` between separators into `list` (an empty separator leaves it alone).
void StrSplit(const QString &separator, const QString &text, QStringList &list);
QString ZeroPad(int value, int width);
QString SpaceTrim(const QString &text); // half-width spaces only
QString TabExpand(const QString &text, int width);

// ---- Dates and times (local time; `now` is for tests).
QString DateYMD(const QDateTime &now = QDateTime::currentDateTime());      // "20240105"
QString DateYMDSlash(const QDateTime &now = QDateTime::currentDateTime()); // "2024/01/05"
QString DateYMDJ(const QDateTime &now = QDateTime::currentDateTime());     // "2024年01月05日"
QString TimeHMS(const QDateTime &now = QDateTime::currentDateTime());      // "093005"
QString TimeHMJ(const QDateTime &now = QDateTime::currentDateTime());      // "09時30分"

// ---- Version. The "FileVersion" of a Windows program file's version resource (first
// translation), the build's version (ORVANE_VERSION) for the running program's own
// executable, "" for anything else. At most 256 characters.
QString FileVerGet(const QString &path);

// Pieces the routines share: the literal forms used by XCopy and XDel, where an entry's
// name is a name and never a pattern (a "*" or "?" in a file name stays a character).
namespace FunctionUDetail {
int patCopy(const QString &source, const QString &destination, bool literal);
int patDel(const QString &pattern, bool literal);
} // namespace FunctionUDetail

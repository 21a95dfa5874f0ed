#pragma once
// The text extension registry "Res/MemoFEX.ini": one line per entry, extension "="
// comment, Shift-JIS with CR LF. A node whose upper-case extension equals an entry
// is a text memo.

#include <QString>
#include <QStringList>

// The lines of a registry file as they stand ("TXT=テキスト"); empty if it cannot be read.
QStringList MemoExtReadEntries(const QString &path);

// Rebuilds MemoExtList from a registry file: for each line, the text before its first
// "=" (a line without "=" gives an empty extension), duplicates kept, order kept.
void MemoExtLoad(const QString &path);

// The registry file below the program folder.
inline constexpr const char *MemoExtFileName = "Res/MemoFEX.ini";

// Why an extension cannot be registered: an empty one, or one holding "." or "=", which
// the file could not give back as an extension. "" when it can.
QString MemoExtRefusal(const QString &ext);

// Writes the entries ("TXT=テキスト"), one line each with CR LF, replacing the file
// atomically (its folder is made when missing). False with a sentence naming the file
// in *error; the file is then left as it was.
bool MemoExtWriteEntries(const QString &path, const QStringList &entries, QString *error = nullptr);

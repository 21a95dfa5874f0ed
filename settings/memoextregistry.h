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

#pragma once
// Every entry below a folder with its bytes, for tests that must show that a command
// lost, changed or left behind nothing: "path/" for a folder, "path -> target" for a
// link, "path=bytes" (percent-encoded, so every byte counts) for a file. Sorted; hidden
// entries included; tree files (".Orvan") and settings files (".Ini") left out.

#include <QString>
#include <QStringList>

QStringList diskSnapshot(const QString &folder);

// The snapshot lines of `before` moved from one relative folder to another: what a
// move of that folder (or file, with its side file) must leave on disk.
QStringList movedSnapshot(const QStringList &before, const QString &from, const QString &to);

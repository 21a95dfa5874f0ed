#pragma once
// Files and folders dropped from the file manager become nodes: each item is copied
// into the folder of the anchor node (a folder with its whole content) and gets a line
// in the tree file directly before the anchor's line, at its level. The dropped items
// themselves stay where they are.

#include <QByteArray>
#include <QString>
#include <QStringList>

struct DropImportResult {
    QByteArray treeBytes; // the tree file with the new lines (unchanged when added is 0)
    int added = 0;        // lines added
    QStringList unstorable; // dropped items left out: a name Shift-JIS cannot hold
    QStringList intoItself; // dropped folders left out: the anchor's folder lies inside them
    QStringList notCopied;  // dropped files left out: there, but the disk refused the copy
    QStringList made;       // what the import made in destFolder (full paths), for taking back
};

// `dropped`: full file-system paths in the order they were dropped. `destFolder`: the
// anchor's file-system folder, ending with "/". `treeBytes`: the tree file as last
// written; `anchor`: the anchor's line (its absolute index).
//
// Folders come first, each followed by its content (a folder's line before the lines
// inside it), then files, each list in the dropped order. An item whose name is taken
// in destFolder (by anything) is skipped without a word. Copy failures are reported by
// the copy routines; the line is added all the same (the node then shows as unknown),
// except for a file that is there but could not be copied (a disk fault): it is left
// out and named in notCopied.
// The lines of the tree file that are not added stay byte for byte.
DropImportResult importDropped(const QStringList &dropped, const QString &destFolder, const QByteArray &treeBytes,
                               int anchor);

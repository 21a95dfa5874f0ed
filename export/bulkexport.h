#pragma once
// The bulk text export: the tree, or one branch of it, as one numbered outline text
// with the memo bodies, and optionally a table of contents holding the heading lines.
// The dialog and `orvane-cli export` both run it.
//
// Output is Shift-JIS with CR LF, appended to what the files already hold. The new text
// is built whole in memory first and each file is then replaced by its old bytes plus
// the new ones in one atomic write, so a failure half way leaves the earlier output
// exactly as it was. Anything that would have to be written with substitute bytes
// (a UTF-8 memo holding a character Shift-JIS lacks, or such a separator, indentation
// or after-body line) stops the run before anything is written, naming the body file
// or setting and the characters. Shift-JIS bodies are copied byte for byte.

#include "export/bulkexportsettings.h"
#include "tree/treefile.h"

#include <QList>
#include <QString>

#include <functional>

struct BulkExportRequest {
    BulkExportSettings settings;
    QString treeFileName;  // bodies are looked up in its folder
    QList<TreeLine> nodes; // the tree in tree order (levels from 0)
    QString outPath;
    QString tocPath;       // used when settings.mokuji is set
    // Scope: every node, or the runs of nodes that start at a node whose text is
    // `chosenText` and go on while the nodes are deeper than `chosenLevel` (from 1).
    bool all = true;
    QString chosenText;
    int chosenLevel = 1;
};

struct BulkExportResult {
    bool ok = false;
    QString message;      // refusal or failure, in the user's words; empty when ok
    int headings = 0;     // headings written
    int bodies = 0;       // bodies written
};

namespace BulkExport {

// Called for every node of the walk: its number k (from 1), level (from 1) and text.
using Progress = std::function<void(int k, int level, const QString &text)>;

// The checks before a run, in order; the first failure's message, or empty.
// "Treeファイルが有りません", "Outファイル(*.TXT)を指定して下さい", "Outファイルが有りません",
// and with a table of contents "目次ファイル(*.TXT)を指定して下さい", "目次ファイルの指定Dirが有りません".
QString check(const BulkExportRequest &request);

// The file-system path of a node's body file: "<folder of the tree file>/<text>.TXT".
// Empty when the text cannot be a file name in that folder (it holds "/" or "\").
QString bodyPath(const QString &treeFileName, const QString &nodeText);

// The status text shown for node k: "一括出力中･･･[k-L<level>:<text>]".
QString progressText(int k, int level, const QString &text);

// Runs the export: the checks, then the walk, then the writes.
BulkExportResult run(const BulkExportRequest &request, const Progress &progress = {});

} // namespace BulkExport

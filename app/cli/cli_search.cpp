// orvane-cli search TREE WORD [--memo] [--rich] [--comment] [--below INDEX]: the lines
// the window's search puts into its result list, found by the same engine.

#include "app/cli/clicommands.h"
#include "base/diskfile.h"
#include "search/textsearch.h"
#include "tree/treefile.h"

#include <QFileInfo>

#include <cstdio>

int cliSearch(const QStringList &args)
{
    QStringList positional;
    TextSearch::Query query;
    bool memo = false, rich = false, comment = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == u"--memo") {
            memo = true;
        } else if (a == u"--rich") {
            rich = true;
        } else if (a == u"--comment") {
            comment = true;
        } else if (a == u"--below") {
            if (i + 1 >= args.size())
                return cliUsage("search");
            bool ok = false;
            const QString &index = args.at(++i);
            query.startIndex = index.toInt(&ok);
            if (!ok || query.startIndex < 0 || !index.front().isDigit())
                return cliUsage("search");
            query.allNodes = false;
        } else if (a.startsWith(u"--")) {
            return cliUsage("search");
        } else {
            positional.append(a);
        }
    }
    if (positional.size() != 2)
        return cliUsage("search");
    query.word = positional.at(1);
    if (query.word.isEmpty()) {
        cliErr(QStringLiteral("検索文字列を入力して下さい。"));
        return 2;
    }
    // Without a kind named, text memos only, as the dialog starts.
    if (memo || rich || comment) {
        query.inMemo = memo;
        query.inRich = rich;
        query.inComment = comment;
    }

    CliTree tree;
    if (!cliReadTree(positional.at(0), &tree))
        return 2;
    if (!tree.parsed.ok) // the window shows and searches the nodes before the bad line; so do we
        cliTreeError(tree);
    const TreeReadResult &parsed = tree.parsed;
    if (!query.allNodes && query.startIndex >= parsed.nodes.size()) {
        cliErr(QStringLiteral("no node has the index %1 (the tree has %2 nodes)")
                   .arg(query.startIndex).arg(parsed.nodes.size()));
        return 2;
    }
    QList<TextSearch::Node> nodes;
    nodes.reserve(parsed.nodes.size());
    for (const TreeLine &line : parsed.nodes)
        nodes.append({line.level, line.text});

    const TextSearch::Result result =
        TextSearch::run(nodes, tree.folder, query);
    for (const QString &line : result.lines)
        cliOut(line);
    std::fflush(stdout);
    for (const QString &problem : result.unreadable)
        cliErr(problem);
    return result.hits > 0 ? 0 : 1;
}

#pragma once
// Finding a word in the content of a tree's nodes: the engine behind the window's search
// and `orvane-cli search`. It reads the node files on disk (never a view), and gives the
// result list as lines, in the form the window shows and its jump reads back.
//
// Text memos and comment side files are searched in the text their views show
// (GuardedText::textOf, line breaks "\n"); rich-text files in the plain text of the
// document the rich-text view shows. Offsets count characters of that text, each line
// break as one, which is how the rich-text view counts its positions, so that a
// rich-text hit's offset selects the hit there.

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace TextSearch {

// One node of the tree, in pre-order.
struct Node {
    int level = 0; // 0 for a root node
    QString name;
};

struct Query {
    QString word;
    bool inMemo = true;     // kind 1
    bool inRich = false;    // kind 2
    bool inComment = false; // kinds 3 and above, through their ".TMEM" side files
    // False: start at startIndex and end before the first later node above its level.
    bool allNodes = true;
    int startIndex = 0; // used when !allNodes; out of range searches nothing
};

struct Hit {
    int index = 0;  // absolute index of the node
    int kind = 0;
    int offset = 0; // 0-based, in the searched text
    int line = 0;   // 1-based
    QString name;
    QString lineText;
};

struct Result {
    QStringList lines;       // the two header lines, then the hit lines or the no-hit line
    int hits = 0;
    int nodesSearched = 0;   // files actually looked into
    QStringList unreadable;  // files that exist but could not be read (passed over)
};

// "検索文字=" + the word's Shift-JIS byte count + "," + the word.
QString headerLine1(const QString &word);
// As many "-" as header line 1 has bytes, then the scope.
QString headerLine2(const QString &word, bool allNodes);
QString noHitLine();
// index,kind,offset,line,name:line text
QString hitLine(const Hit &hit);

// Every occurrence of word in text, overlapping ones too, in order of position;
// case-sensitive, not limited to whole words. Fills offset, line and lineText.
QList<Hit> findAll(const QString &text, const QString &word);

// The text a rich-text file's bytes show in the rich-text view, formatting removed.
QString richPlainText(const QByteArray &bytes);

// Walks the nodes below baseDir (the tree file's folder) and lists every hit.
Result run(const QList<Node> &nodes, const QString &baseDir, const Query &query);

// The first four fields of a hit line, as the jump reads them.
struct HitRef {
    int index = 0;
    int kind = 0;
    int offset = 0;
    int line = 0;
};
// Nothing for a line with fewer than four fields or a field that is not a decimal number
// (header lines, the no-hit line, anything typed).
std::optional<HitRef> parseHitLine(const QString &line);

// Where the jump puts the caret in a plain-text view: the first occurrence of the word on
// the given 1-based line (its start when the word is not there), counted from the start
// of the text with each earlier line's break as one character (as the views count it).
// -1 when the text has no such line.
int lineCaret(const QString &viewText, int line, const QString &word);

} // namespace TextSearch

#pragma once
// The tree file (".Orvan"): one line per node in pre-order, one TAB per level before
// the node's text, CR LF after every line, Shift-JIS; an empty tree is 0 bytes.

#include <QByteArray>
#include <QList>
#include <QString>

struct TreeLine {
    int level = 0;     // depth in the tree: 0 for a root node
    QString text;      // the node's name
    QByteArray raw;    // the name's bytes as read, kept so that an unchanged name is
                       // written back byte for byte even where it does not round-trip
};

struct TreeReadResult {
    QList<TreeLine> nodes; // the nodes read; on a level error, those before the bad line
    bool ok = true;
    QString badLineText;   // on a level error: the text of the line
    int badLevel = 0;      // on a level error: the line's level (its indentation count)
    bool dropsBytes = false; // the file holds bytes the tree cannot hold (text after a NUL):
                             // writing the tree back would lose them
    QString errorMessage() const; // the level error in the user's words
};

// Raw lines (indentation included, line ends removed) split at CR LF, lone CR or lone
// LF, as the reader sees them: line i is the node with absolute index i once the text
// is cut at its first NUL (Sjis::beforeNul).
QList<QByteArray> splitTreeFileLines(const QByteArray &bytes);

// Reads tree file bytes: the text ends at the first NUL (anything but NULs and line
// breaks after it sets dropsBytes); lines end at CR LF, lone CR
// or lone LF; leading TABs and SPACEs count one level each; the first line is always
// a root; a line more than one level deeper than the node before it stops reading.
TreeReadResult parseTreeFile(const QByteArray &bytes);

// A name a line of the tree file can hold so that it reads back as the same node:
// Shift-JIS can encode it, it holds no line end or NUL, and it does not begin with a
// TAB or SPACE (those count as levels).
bool nameFitsTreeFile(const QString &name);

struct TreeWriteResult {
    QByteArray bytes;
    bool ok = true;
    QString unencodable; // characters of node names that Shift-JIS cannot hold
};

// The bytes of a tree file for these nodes (levels must describe a valid pre-order).
TreeWriteResult serializeTree(const QList<TreeLine> &nodes);

// Builds the same bytes one line at a time, for a caller that walks its own tree and
// need not gather the lines first.
class TreeWriter
{
public:
    explicit TreeWriter(qsizetype expectedBytes = 0) { m_result.bytes.reserve(expectedBytes); }
    // A node's line: the raw bytes it was read from while its text is unchanged, else
    // its text encoded.
    void add(int level, const QString &text, const QByteArray &raw = {});
    // The bytes (empty and not ok when some name cannot be held).
    TreeWriteResult finish();

private:
    TreeWriteResult m_result;
};

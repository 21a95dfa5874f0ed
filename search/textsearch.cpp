#include "search/textsearch.h"

#include "base/diskfile.h"
#include "base/sjiscodec.h"
#include "search/wordprefilter.h"
#include "tree/commentheader.h"
#include "tree/guardedtext.h"
#include "tree/nodekind.h"
#include "tree/nodepath.h"
#include "tree/rtfreader.h"

#include <QFileInfo>
#include <QTextDocument>

#include <sys/stat.h>

namespace TextSearch {

QString headerLine1(const QString &word)
{
    return QStringLiteral("検索文字=%1,").arg(Sjis::byteLength(word)) + word;
}

QString headerLine2(const QString &word, bool allNodes)
{
    return QString(Sjis::byteLength(headerLine1(word)), u'-')
        + (allNodes ? QStringLiteral("<全ノード検索>-----") : QStringLiteral("<下層ノード検索>-----"));
}

QString noHitLine()
{
    return QStringLiteral("*** 検索ノード無し ***");
}

QString hitLine(const Hit &hit)
{
    return QStringLiteral("%1,%2,%3,%4,").arg(hit.index).arg(hit.kind).arg(hit.offset).arg(hit.line)
        + hit.name + u':' + hit.lineText;
}

QList<Hit> findAll(const QString &text, const QString &word)
{
    QList<Hit> hits;
    if (word.isEmpty())
        return hits;
    // The line is followed along as the hits move on, so a long file is scanned once.
    qsizetype lineStart = 0;
    qsizetype lineEnd = -1; // end of the line at lineStart, found when first needed
    int line = 1;
    for (qsizetype p = text.indexOf(word); p >= 0; p = text.indexOf(word, p + 1)) {
        for (qsizetype nl = text.indexOf(u'\n', lineStart); nl >= 0 && nl < p; nl = text.indexOf(u'\n', lineStart)) {
            lineStart = nl + 1;
            lineEnd = -1;
            ++line;
        }
        if (lineEnd < 0) {
            lineEnd = text.indexOf(u'\n', lineStart);
            if (lineEnd < 0)
                lineEnd = text.size();
        }
        Hit h;
        h.offset = int(p);
        h.line = line;
        h.lineText = text.mid(lineStart, lineEnd - lineStart);
        hits.append(h);
    }
    return hits;
}

QString richPlainText(const QByteArray &bytes)
{
    QTextDocument doc;
    Rtf::read(bytes, &doc);
    return doc.toPlainText();
}

namespace {

bool wanted(const Query &q, int kind)
{
    if (kind == KindMemo)
        return q.inMemo;
    if (kind == KindRich)
        return q.inRich;
    return kind >= KindImage && q.inComment;
}

bool isRegularFile(const QString &fsPath)
{
    struct stat st;
    return ::stat(QFile::encodeName(fsPath).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

Result run(const QList<Node> &nodes, const QString &baseDir, const Query &query)
{
    Result result;
    result.lines << headerLine1(query.word) << headerLine2(query.word, query.allNodes);
    const int start = query.allNodes ? 0 : query.startIndex;
    if (!query.word.isEmpty() && start >= 0 && start < nodes.size()) {
        const WordPrefilter prefilter(query.word);
        const int bound = nodes.at(start).level;
        // The ancestors of the node in hand, root first: the folder path without a
        // second walk up the tree for every node.
        QStringList ancestors;
        for (int i = 0; i < start; ++i) {
            ancestors.resize(nodes.at(i).level);
            ancestors.append(nodes.at(i).name);
        }
        for (int i = start; i < nodes.size(); ++i) {
            const Node &node = nodes.at(i);
            if (!query.allNodes && node.level < bound)
                break;
            ancestors.resize(node.level);
            const QString folderPath = NodePaths::folderPath(ancestors);
            ancestors.append(node.name);

            const QString fsPath = NodePaths::fullPath(baseDir, folderPath, node.name);
            const int kind = NodeTypeSet(fsPath, NodePaths::extOf(node.name));
            if (kind == KindFolder || !wanted(query, kind))
                continue;
            const QString file = kind >= KindImage ? commentFilePath(fsPath) : fsPath;
            if (fsPath.isEmpty() || !isRegularFile(file))
                continue; // a missing file is passed over without a word
            const DiskFile::ReadResult read = DiskFile::read(file);
            if (!read.ok) {
                result.unreadable.append(read.error);
                continue;
            }
            ++result.nodesSearched;
            QString text;
            if (kind == KindRich) {
                text = richPlainText(read.bytes);
            } else {
                if (!prefilter.mayHold(read.bytes))
                    continue;
                text = GuardedText::textOf(read.bytes);
            }
            for (Hit &hit : findAll(text, query.word)) {
                hit.index = i;
                hit.kind = kind;
                hit.name = node.name;
                result.lines.append(hitLine(hit));
                ++result.hits;
            }
        }
    }
    if (result.hits == 0)
        result.lines.append(noHitLine());
    return result;
}

std::optional<HitRef> parseHitLine(const QString &line)
{
    const QList<QStringView> fields = QStringView(line).split(u',');
    if (fields.size() < 4)
        return std::nullopt;
    int values[4];
    for (int i = 0; i < 4; ++i) {
        const QStringView f = fields.at(i);
        if (f.isEmpty())
            return std::nullopt;
        for (QChar c : f)
            if (c < u'0' || c > u'9')
                return std::nullopt;
        bool ok = false;
        values[i] = f.toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    return HitRef{values[0], values[1], values[2], values[3]};
}

int lineCaret(const QString &viewText, int line, const QString &word)
{
    if (line < 1)
        return -1;
    qsizetype start = 0;
    for (int n = 1; n < line; ++n) {
        const qsizetype nl = viewText.indexOf(u'\n', start);
        if (nl < 0)
            return -1;
        start = nl + 1;
    }
    qsizetype end = viewText.indexOf(u'\n', start);
    if (end < 0)
        end = viewText.size();
    const qsizetype at = QStringView(viewText).mid(start, end - start).indexOf(word);
    return int(start + (at < 0 ? 0 : at));
}

} // namespace TextSearch

#include "tree/treefile.h"

#include "base/cp932table.h"
#include "base/sjiscodec.h"

#include <algorithm>

QString TreeReadResult::errorMessage() const
{
    return QStringLiteral("項目 \"%1\" のレベル (%2) が無効です").arg(badLineText).arg(badLevel);
}

// Splitting the bytes is safe here: CR and LF never occur as the second byte of a
// Shift-JIS character.
QList<QByteArray> splitTreeFileLines(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes.at(i);
        if (c == '\r' || c == '\n') {
            lines.append(bytes.mid(start, i - start));
            if (c == '\r' && i + 1 < n && bytes.at(i + 1) == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(bytes.mid(start));
    return lines;
}

TreeReadResult parseTreeFile(const QByteArray &bytes)
{
    TreeReadResult result;
    const QByteArray text = Sjis::beforeNul(bytes);
    for (qsizetype i = text.size(); i < bytes.size() && !result.dropsBytes; ++i) {
        const char c = bytes.at(i);
        result.dropsBytes = c != '\0' && c != '\r' && c != '\n';
    }
    const QList<QByteArray> lines = splitTreeFileLines(text);
    result.nodes.reserve(lines.size());
    int previousDepth = -1;
    for (const QByteArray &line : lines) {
        // TAB and SPACE are single bytes that never occur inside a double-byte character.
        qsizetype indent = 0;
        while (indent < line.size() && (line.at(indent) == '\t' || line.at(indent) == ' '))
            ++indent;
        const int level = int(indent);
        TreeLine node;
        node.raw = line.mid(indent);
        node.text = Sjis::decode(node.raw);
        if (previousDepth < 0) {
            node.level = 0; // the first line is always a root
        } else if (level > previousDepth + 1) {
            result.ok = false;
            result.badLineText = node.text;
            result.badLevel = level;
            return result;
        } else {
            node.level = level;
        }
        previousDepth = node.level;
        result.nodes.append(std::move(node));
    }
    return result;
}

bool nameFitsTreeFile(const QString &name)
{
    for (QChar c : name)
        if (c == u'\r' || c == u'\n' || c == QChar(0))
            return false;
    if (name.startsWith(u'\t') || name.startsWith(u' '))
        return false;
    return Sjis::encode(name).ok;
}

void TreeWriter::add(int level, const QString &text, const QByteArray &raw)
{
    QByteArray &bytes = m_result.bytes;
    bytes.append(level, '\t');
    // A name still as it was read goes back as the bytes it was read from.
    if (!raw.isEmpty() && (Cp932Table::decodesTo(raw, text) || Sjis::decode(raw) == text)) {
        bytes.append(raw);
    } else if (!Cp932Table::encodeAppend(text, bytes)) {
        // Look-alikes to map, or characters the code page lacks.
        const Sjis::Encoded enc = Sjis::encode(text);
        if (!enc.ok) {
            m_result.ok = false;
            for (QChar c : enc.unencodable)
                if (!m_result.unencodable.contains(c))
                    m_result.unencodable += c;
        }
        bytes.append(enc.bytes);
    }
    bytes.append("\r\n");
}

TreeWriteResult TreeWriter::finish()
{
    if (!m_result.ok)
        m_result.bytes.clear();
    return std::move(m_result);
}

TreeWriteResult serializeTree(const QList<TreeLine> &nodes)
{
    qsizetype size = 0;
    for (const TreeLine &node : nodes)
        size += node.level + std::max(node.raw.size(), node.text.size() * 2) + 2;
    TreeWriter writer(size);
    for (const TreeLine &node : nodes)
        writer.add(node.level, node.text, node.raw);
    return writer.finish();
}

#include "export/bulkexport.h"

#include "base/diskfile.h"
#include "base/sjiscodec.h"
#include "export/outlinenumbering.h"
#include "tree/guardedtext.h"

#include <QFileInfo>

namespace BulkExport {

namespace {

const QByteArray kCrLf("\r\n");
constexpr char kFormFeed = '\x0C';

QString cannotHold(const QString &what, const QString &chars)
{
    return QStringLiteral("%1 に Shift-JIS で出力できない文字があります: %2").arg(what, chars);
}

// The lines of a body as Shift-JIS bytes, split at CR LF, lone CR and lone LF, each
// handed to `line` without its break. A last line without a break is still a line.
template <typename LineFn>
void forEachLine(const QByteArray &bytes, LineFn line)
{
    const char *p = bytes.constData();
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = p[i];
        if (c != '\r' && c != '\n')
            continue;
        line(p + start, i - start);
        if (c == '\r' && i + 1 < n && p[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        line(p + start, n - start);
}

// The body's text in Shift-JIS: a Shift-JIS file as it is, byte for byte, a UTF-8 file
// converted. Not ok (with the characters) when a UTF-8 body holds what Shift-JIS lacks.
Sjis::Encoded bodyBytes(const QByteArray &fileBytes)
{
    // Shift-JIS bodies are never decoded: their bytes go out as they are, which also
    // keeps every byte of a file that does not decode cleanly.
    if (GuardedText::formOf(fileBytes) == GuardedText::Form::Utf8)
        return Sjis::encode(GuardedText::textOf(fileBytes));
    Sjis::Encoded raw;
    raw.bytes = Sjis::beforeNul(fileBytes);
    return raw;
}

struct Builder {
    const BulkExportSettings &s;
    QByteArray out;
    QByteArray toc;
    QByteArray unit;           // one indentation unit
    QList<QByteArray> sepa;    // the after-body lines
    QString error;

    bool encodeSetting(const QString &what, const QString &text, QByteArray *bytes)
    {
        const Sjis::Encoded e = Sjis::encode(text);
        if (!e.ok) {
            error = cannotHold(what, e.unencodable);
            return false;
        }
        *bytes = e.bytes;
        return true;
    }

    bool prepare()
    {
        QByteArray separator;
        if (s.kugiSw && !encodeSetting(QStringLiteral("区切り文字"), s.kugiri, &separator))
            return false;
        if (!encodeSetting(QStringLiteral("インデント文字"), indentUnit(s), &unit))
            return false;
        for (int i = 0; i < s.sepa.size(); ++i) {
            QByteArray line;
            if (!encodeSetting(QStringLiteral("本文の後の行 %1").arg(i + 1), s.sepa.at(i), &line))
                return false;
            sepa.append(line);
        }
        return true;
    }

    QByteArray units(int count) const { return count > 0 ? unit.repeated(count) : QByteArray(); }

    bool heading(int level, const QString &text)
    {
        const Sjis::Encoded e = Sjis::encode(text);
        if (!e.ok) {
            error = cannotHold(QStringLiteral("ノード「%1」").arg(text), e.unencodable);
            return false;
        }
        const QByteArray line = units(headingUnits(level, s)) + e.bytes + kCrLf;
        out += line;
        if (s.mokuji)
            toc += line;
        return true;
    }

    void body(int level, const QByteArray &bytes)
    {
        const QByteArray indent = units(bodyUnits(level, s));
        const bool breaks = s.page && s.pageL != 0;
        int c = 0;
        out.reserve(out.size() + bytes.size() + bytes.size() / 8 + 64);
        forEachLine(bytes, [&](const char *p, qsizetype n) {
            if (breaks && c == s.pageL) {
                out += kFormFeed;
                c = 0;
            }
            out += indent;
            out.append(p, n);
            out += kCrLf;
            if (s.page)
                ++c;
        });
        if (s.page)
            out += kFormFeed;
        for (const QByteArray &line : sepa) {
            out += line;
            out += kCrLf;
        }
    }
};

// Replaces the file by its bytes as they are now plus `added`, in one atomic write.
bool appendWhole(const QString &path, const QByteArray &added, QString *error)
{
    const DiskFile::ReadResult old = DiskFile::read(path);
    if (!old.ok) {
        *error = old.error;
        return false;
    }
    return DiskFile::writeAtomic(path, old.bytes + added, error);
}

} // namespace

QString check(const BulkExportRequest &r)
{
    if (!QFileInfo(r.treeFileName).isFile())
        return QStringLiteral("Treeファイルが有りません");
    if (r.outPath.isEmpty())
        return QStringLiteral("Outファイル(*.TXT)を指定して下さい");
    if (!QFileInfo(r.outPath).isFile())
        return QStringLiteral("Outファイルが有りません");
    if (r.settings.mokuji) {
        if (r.tocPath.isEmpty())
            return QStringLiteral("目次ファイル(*.TXT)を指定して下さい");
        if (!QFileInfo(r.tocPath).isFile())
            return QStringLiteral("目次ファイルの指定Dirが有りません");
    }
    return {};
}

QString bodyPath(const QString &treeFileName, const QString &nodeText)
{
    if (nodeText.contains(u'/') || nodeText.contains(u'\\'))
        return {};
    return QFileInfo(treeFileName).absolutePath() + u'/' + nodeText + QStringLiteral(".TXT");
}

QString progressText(int k, int level, const QString &text)
{
    return QStringLiteral("一括出力中･･･[%1-L%2:%3]").arg(k).arg(level).arg(text);
}

BulkExportResult run(const BulkExportRequest &r, const Progress &progress)
{
    BulkExportResult result;
    result.message = check(r);
    if (!result.message.isEmpty())
        return result;

    Builder b{r.settings, {}, {}, {}, {}, {}};
    if (!b.prepare()) {
        result.message = b.error;
        return result;
    }
    OutlineNumbering numbering(r.settings);
    bool inScope = r.all;
    int k = 0;
    for (const TreeLine &node : r.nodes) {
        ++k;
        const int level = node.level + 1;
        if (progress)
            progress(k, level, node.text);
        const QString label = numbering.next(level);
        if (!r.all) {
            if (inScope && level <= r.chosenLevel)
                inScope = false;
            if (node.text == r.chosenText)
                inScope = true;
        }
        if (!inScope)
            continue;
        if (!b.heading(level, headingText(label, node.text, r.settings))) {
            result.message = b.error;
            return result;
        }
        ++result.headings;
        const QString path = bodyPath(r.treeFileName, node.text);
        if (path.isEmpty() || !QFileInfo(path).isFile())
            continue;
        const DiskFile::ReadResult file = DiskFile::read(path);
        if (!file.ok) {
            result.message = file.error;
            return result;
        }
        const Sjis::Encoded body = bodyBytes(file.bytes);
        if (!body.ok) {
            result.message = cannotHold(QStringLiteral("本文ファイル %1").arg(path), body.unencodable);
            return result;
        }
        b.body(level, body.bytes);
        ++result.bodies;
    }

    QString error;
    const bool sameFile = r.settings.mokuji
                          && QFileInfo(r.tocPath).canonicalFilePath() == QFileInfo(r.outPath).canonicalFilePath();
    if (sameFile) {
        // One file for both: the outline, then the contents, in a single write.
        if (!b.out.isEmpty() && !appendWhole(r.outPath, b.out + b.toc, &error)) {
            result.message = error;
            return result;
        }
    } else {
        if (!b.out.isEmpty() && !appendWhole(r.outPath, b.out, &error)) {
            result.message = error;
            return result;
        }
        if (r.settings.mokuji && !b.toc.isEmpty() && !appendWhole(r.tocPath, b.toc, &error)) {
            result.message = error;
            return result;
        }
    }
    result.ok = true;
    return result;
}

} // namespace BulkExport

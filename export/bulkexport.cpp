#include "export/bulkexport.h"

#include "base/diskfile.h"
#include "base/sjiscodec.h"
#include "export/outlinenumbering.h"
#include "tree/guardedtext.h"

#include <QFileInfo>

#include <algorithm>
#include <cstring>

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
// (Neither byte occurs inside a Shift-JIS character.)
template <typename LineFn>
void forEachLine(const QByteArray &bytes, LineFn line)
{
    const char *p = bytes.constData();
    const char *end = p + bytes.size();
    while (p < end) {
        const char *lf = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        const char *stop = lf ? lf : end;
        const char *cr = static_cast<const char *>(std::memchr(p, '\r', size_t(stop - p)));
        if (cr && cr + 1 < stop) { // a lone CR before the next LF
            line(p, cr - p);
            p = cr + 1;
            continue;
        }
        if (cr) { // CR LF, or a CR ending the text
            line(p, cr - p);
            p = lf ? lf + 1 : cr + 1;
            continue;
        }
        line(p, stop - p);
        p = lf ? lf + 1 : end;
    }
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
        // Bodies make up nearly all of the output: they are copied line by line straight
        // into room made ahead, which grows geometrically when a body needs more.
        qsizetype used = out.size();
        auto room = [&](qsizetype need) {
            if (used + need <= out.size())
                return;
            if (used + need > out.capacity())
                out.reserve(std::max(used + need, out.capacity() * 2));
            out.resize(out.capacity()); // the new bytes are left as they are, not cleared
        };
        room(bytes.size() + bytes.size() / 8 + 64);
        int c = 0;
        forEachLine(bytes, [&](const char *p, qsizetype n) {
            room(1 + indent.size() + n + 2);
            char *dst = out.data() + used;
            if (breaks && c == s.pageL) {
                *dst++ = kFormFeed;
                c = 0;
            }
            std::memcpy(dst, indent.constData(), size_t(indent.size()));
            dst += indent.size();
            std::memcpy(dst, p, size_t(n));
            dst += n;
            *dst++ = '\r';
            *dst++ = '\n';
            used = dst - out.constData();
            if (s.page)
                ++c;
        });
        room(1);
        char *dst = out.data() + used;
        if (s.page)
            *dst++ = kFormFeed;
        out.resize(dst - out.constData());
        for (const QByteArray &line : sepa) {
            out += line;
            out += kCrLf;
        }
    }
};

// The bytes a file holds now, which the new text is appended to.
bool readOld(const QString &path, QByteArray *bytes, QString *error)
{
    DiskFile::ReadResult old = DiskFile::read(path);
    if (!old.ok) {
        *error = old.error;
        return false;
    }
    *bytes = std::move(old.bytes);
    return true;
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
    // The new text is built behind the files' present bytes, so that each file is
    // written once, whole, and a failure before that leaves it untouched.
    const bool sameFile = r.settings.mokuji
                          && QFileInfo(r.tocPath).canonicalFilePath() == QFileInfo(r.outPath).canonicalFilePath();
    if (!readOld(r.outPath, &b.out, &result.message)
        || (r.settings.mokuji && !sameFile && !readOld(r.tocPath, &b.toc, &result.message)))
        return result;
    const qsizetype outStart = b.out.size();
    const qsizetype tocStart = b.toc.size();

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

    if (sameFile) {
        // One file for both: the outline, then the contents, in a single write.
        b.out += b.toc;
        b.toc.clear();
    }
    if (b.out.size() > outStart && !DiskFile::writeAtomic(r.outPath, b.out, &result.message))
        return result;
    if (r.settings.mokuji && !sameFile && b.toc.size() > tocStart
        && !DiskFile::writeAtomic(r.tocPath, b.toc, &result.message)) {
        // The outline without its contents would be half a run: the output file gets its
        // earlier bytes back, so the run can simply be made again.
        QString undoError;
        if (b.out.size() > outStart && !DiskFile::writeAtomic(r.outPath, b.out.left(outStart), &undoError))
            result.message += u'\r' + undoError;
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace BulkExport

// Path and string routines. They work on whole characters, so the second byte of a
// double-byte character is never taken for a separator, a dot or a tab; lengths and
// positions count Shift-JIS bytes.

#include "nodeops/functionu.h"

#include "base/sjiscodec.h"

namespace {

bool isSeparator(QChar c)
{
    return c == u'/' || c == u'\\';
}

qsizetype lastSeparator(const QString &path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (isSeparator(path.at(i)))
            return i;
    return -1;
}

// Index of the dot that starts the extension, or -1 when the name part has none.
qsizetype extensionDot(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > lastSeparator(path) ? dot : -1;
}

} // namespace

QString PathDir(const QString &path)
{
    qsizetype end = lastSeparator(path);
    if (end < 0)
        return {};
    // The separator stays where dropping it would leave no folder: the root ("/a" gives
    // "/") or a run of separators.
    if (end == 0 || isSeparator(path.at(end - 1)))
        ++end;
    return path.left(end);
}

QString PathName(const QString &path)
{
    return path.mid(lastSeparator(path) + 1);
}

QString PathNoExt(const QString &path)
{
    const qsizetype dot = extensionDot(path);
    return dot < 0 ? path : path.left(dot);
}

QString PathExt(const QString &path)
{
    const qsizetype dot = extensionDot(path);
    return dot < 0 ? QString() : path.mid(dot + 1);
}

int LastCharPos(QChar c, const QString &text)
{
    if (text.isEmpty())
        return -1;
    int pos = 0;
    int last = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate())
            continue;
        if (ch == c)
            last = pos + 1;
        pos += Sjis::charWidth(ch.unicode());
    }
    return last;
}

void StrSplit(const QString &separator, const QString &text, QStringList &list)
{
    if (separator.isEmpty())
        return;
    list.clear();
    qsizetype start = 0;
    for (qsizetype at = text.indexOf(separator); at >= 0; at = text.indexOf(separator, start)) {
        list.append(text.mid(start, at - start));
        start = at + separator.size();
    }
    if (start < text.size())
        list.append(text.mid(start));
}

QString ZeroPad(int value, int width)
{
    QString s = QString::number(value);
    while (s.size() < width)
        s.prepend(u'0');
    return s;
}

QString SpaceTrim(const QString &text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text.at(b) == u' ')
        ++b;
    while (e > b && text.at(e - 1) == u' ')
        --e;
    return text.mid(b, e - b);
}

QString TabExpand(const QString &text, int width)
{
    if (width <= 0 || !text.contains(u'\t'))
        return text;
    QString out;
    qsizetype bytes = 0; // Shift-JIS length of `out`
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\t') {
            const int spaces = width - int(bytes % width);
            out += QString(spaces, u' ');
            bytes += spaces;
            continue;
        }
        out += c;
        if (!(c.isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate()))
            bytes += Sjis::charWidth(c.unicode());
    }
    return out;
}

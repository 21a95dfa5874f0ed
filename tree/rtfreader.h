#pragma once
// Reads RTF, as the Windows rich-edit control and word processors write it, into a
// QTextDocument. Bytes that are not RTF are read as plain Shift-JIS text instead.
// What the document cannot hold is dropped and named in the result, so that the
// caller can keep the file from being rewritten without the user knowing.

#include <QByteArray>
#include <QStringList>

class QTextDocument;

namespace Rtf {

struct ReadResult {
    bool rtf = false;     // false: not RTF, read as plain text
    QStringList notKept;  // what was dropped, each name once, in the order met
    bool complete() const { return notKept.isEmpty(); }
};

// True when the bytes start (after white space) with "{\rtf".
bool looksLikeRtf(const QByteArray &bytes);

// Replaces the document's content with the bytes' text and formats. The document's
// default font is left alone; every run read from RTF carries its own font.
ReadResult read(const QByteArray &bytes, QTextDocument *doc);

} // namespace Rtf

#pragma once
// Writes a QTextDocument as RTF in the shape the Windows rich-edit control writes:
// a "\ansicpg932" header with font and colour tables, "\viewkind4\uc1\pard", one
// "\par" after every paragraph. Text that code page 932 holds is written as its
// Shift-JIS bytes ("\'hh"); anything else as "\uN" with "?" for older readers.

#include <QByteArray>
#include <QStringList>

class QTextDocument;

namespace Rtf {

struct WriteResult {
    QByteArray bytes;
    QStringList notWritten; // what the document holds that RTF output here leaves out
};

// Runs without a font or size of their own take the document's default font.
WriteResult write(const QTextDocument &doc);

} // namespace Rtf

#pragma once
// Code pages of RTF text: which one a font charset or a header word names, and how
// the "\'hh" and plain bytes of a run become text. Code page 932 goes through the
// program's Shift-JIS codec; other code pages through Qt's converters by name.

#include <QByteArray>
#include <QString>

namespace RtfCodePage {

// The code page a font's "\fcharsetN" names; 0 for "use the document's \ansicpg"
// (DEFAULT_CHARSET) and for charsets this table does not know.
int forCharset(int charset);

// True when the code page is one whose characters may take two bytes.
bool isDoubleByte(int codePage);
// True when b starts a two-byte character in that code page.
bool isLeadByte(int codePage, uchar b);

// True when this program can decode the code page.
bool isSupported(int codePage);

// Decodes bytes in the code page. *clean is false when some bytes were not valid
// there or the code page is not supported (the bytes are then taken as Latin-1).
QString decode(const QByteArray &bytes, int codePage, bool *clean = nullptr);

// Symbol fonts: their bytes above 0x7F stand for the private-use characters U+F000 + byte.
constexpr int SymbolCodePage = 42;

} // namespace RtfCodePage

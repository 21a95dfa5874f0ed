#pragma once
// Code page 932 as two lookup tables, filled once from the platform's converter: the
// fast path of the codec. Large trees and searches over many memos decode millions of
// names and lines; opening a converter for each costs more than the text itself.
//
// Only what the tables know for certain is converted here: every byte below 0x80 is
// itself (as code page 932 has it), every other single byte or byte pair that decodes
// cleanly maps to its one character, and every character encodes to the bytes the
// converter chooses for it. Anything else (invalid bytes, characters without a code)
// returns false, and the caller takes the converter's slow path.

#include <QByteArray>
#include <QString>

namespace Cp932Table {

// Decodes bytes that are wholly valid code page 932; false at the first byte that is not.
bool decode(const QByteArray &bytes, QString *out);
// True when the bytes are valid code page 932 that decodes to exactly this text; false
// also when the bytes are not valid (the caller then asks the slow path).
bool decodesTo(QByteArrayView bytes, QStringView text);
// Encodes text every character of which has a code; false at the first that has none.
bool encode(QStringView text, QByteArray *out);
// Appends the bytes of text to out; false (out as it was) when a character has no code.
bool encodeAppend(QStringView text, QByteArray &out);

} // namespace Cp932Table

#pragma once
// The one place where disk text is converted. Every text file the program reads or
// writes (tree file, memos, comment side files, settings, registries, templates,
// exported text) is Windows code page 932 with CR LF line ends; this module turns
// those bytes into QString and back, and tells whether a file survives the trip.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace Sjis {

// Decodes CP932 bytes. Invalid bytes become U+001A; *clean is false when any were met.
QString decode(const QByteArray &bytes, bool *clean = nullptr);

// Result of encoding: ok is false when some character cannot be held by CP932;
// `unencodable` then lists those characters (each once, in order of appearance).
struct Encoded {
    QByteArray bytes;
    bool ok = true;
    QString unencodable;
};

// Encodes to CP932. Characters that other programs commonly use in place of their
// CP932 look-alikes (wave dash, double vertical line, minus sign, cent, pound, not,
// em dash) are mapped first. Anything left that CP932 lacks makes the result not ok;
// never write such a result to disk.
Encoded encode(const QString &text);

// True when decoding and encoding give back exactly these bytes.
bool roundTrips(const QByteArray &bytes);

// The text part of file bytes: everything before the first NUL byte.
QByteArray beforeNul(const QByteArray &bytes);

// Splits text into lines at CR LF, lone CR and lone LF. A last line without a line
// break is still a line; an empty text gives no lines.
QStringList splitLines(const QString &text);

// Decodes file bytes (up to the first NUL) and splits them into lines.
QStringList decodeLines(const QByteArray &bytes);

// Joins lines, each followed by CR LF (the form of every list file the program writes).
QString joinLinesCrLf(const QStringList &lines);

// Turns every lone CR and lone LF into CR LF.
QString normalizeCrLf(const QString &text);

// Text files that another program wrote in UTF-8 are shown and saved in UTF-8.
// decodeUtf8 expects bytes for which readsAsUtf8 holds.
QString decodeUtf8(const QByteArray &bytes);
QByteArray encodeUtf8(const QString &text);

// Decides in which encoding file text is read (and so written back). A UTF-8 byte-order
// mark means UTF-8; bytes that are not valid UTF-8, and plain ASCII, are Shift-JIS;
// bytes that are valid UTF-8 but not clean Shift-JIS are UTF-8. Bytes valid both ways
// are read the way that gives the more plausible text (kana, kanji, full-width forms and
// Latin letters next to the debris a wrong reading gives: Latin-extended letters and
// control codes from Shift-JIS read as UTF-8, stray half-width katakana and rare kanji
// from UTF-8 read as Shift-JIS); Shift-JIS, the format's own encoding, wins every doubt.
bool readsAsUtf8(const QByteArray &bytes);

// Number of bytes a character takes in CP932: 1 for ASCII and half-width katakana,
// 2 for everything else (what CP932 cannot hold counts as 2 as well). Lengths and
// positions of the program's strings are counted this way.
int charWidth(char32_t c);
// Sum of charWidth over the characters of the text.
qsizetype byteLength(QStringView text);

} // namespace Sjis

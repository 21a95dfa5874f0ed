#pragma once
// Splits RTF bytes into tokens: group braces, control words with their signed
// parameter, control symbols, "\'hh" bytes, "\binN" data and runs of plain text.
// It knows nothing of meaning; the reader gives the tokens their effect.

#include <QByteArray>

struct RtfToken {
    enum Type {
        GroupStart,    // "{"
        GroupEnd,      // "}"
        ControlWord,   // "\word" or "\word-12"; name in `data`
        ControlSymbol, // "\~", "\*", "\-" ...; the character in `symbol`
        HexByte,       // "\'hh"; the byte in `symbol`
        Text,          // plain bytes, also the escaped "\\", "\{", "\}"
        Binary,        // the N bytes after "\binN"
        End
    };
    Type type = End;
    QByteArray data;
    int param = 0;
    bool hasParam = false;
    char symbol = 0;

    bool isWord(const char *name) const { return type == ControlWord && data == name; }
};

class RtfTokenizer
{
public:
    explicit RtfTokenizer(const QByteArray &bytes) : m_bytes(bytes) {}

    RtfToken next();
    bool atEnd() const { return m_pos >= m_bytes.size(); }

    // With a double-byte code page in effect (0 for none), a raw lead byte in plain
    // text takes the next byte with it even when that byte is "\\", "{" or "}".
    void setTextCodePage(int codePage) { m_codePage = codePage; }

private:
    RtfToken readControl();
    RtfToken readText();

    QByteArray m_bytes;
    qsizetype m_pos = 0;
    int m_codePage = 0;
};

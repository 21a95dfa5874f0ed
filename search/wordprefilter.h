#pragma once
// A quick look at a memo's raw bytes before it is decoded: most files of a large tree do
// not hold the word, and finding that out on the bytes spares decoding them.
//
// A file's text holds the word only if its bytes hold the word's Shift-JIS bytes or its
// UTF-8 bytes (the two forms a memo is read in). That holds only when every character of
// the word comes from exactly one byte sequence; for words with characters that several
// codes decode to (the duplicated NEC and IBM extensions), line breaks, control
// characters or replacement marks the filter stands aside and every file is decoded.

#include <QByteArray>
#include <QString>

class WordPrefilter
{
public:
    explicit WordPrefilter(const QString &word);

    // False only when the text GuardedText::textOf makes of these bytes cannot hold the word.
    bool mayHold(const QByteArray &bytes) const;
    // True when the filter can rule files out at all.
    bool active() const { return m_active; }

private:
    bool m_active = false;
    bool m_sjisPossible = false; // some Shift-JIS text can hold the word
    bool m_sameBytes = false;    // the two forms are the same bytes (ASCII)
    QByteArray m_sjis;
    QByteArray m_utf8;
};

#pragma once
// INI files as the program keeps them (the settings file, "BTxtOut.Ini", the registries):
// Shift-JIS text with CR LF, read and changed the way the Windows profile routines do.
//
// Reading: a line is decoded before it is parsed (second bytes of Shift-JIS characters
// can be "[", "]" or "\"), then trimmed. "[name]" opens a section (the name runs to the
// last "]"); "key=value" is an entry, split at the first "=" and trimmed on both sides;
// a line starting with ";" is a comment ("#" is not). Section and key names match without
// regard to letter case; the first of two equal sections or keys wins. A value loses one
// pair of enclosing quotes ("..." or '...') and is cut to 2047 bytes.
//
// Writing: a key that exists gets its line rewritten in place ("key=value", the key
// spelt as in the file); a new key goes after the last entry of its section; a new
// section goes at the end of the file. Every other line keeps its bytes and its line
// break. The file is written whole and atomically, and created by the first write.
//
// Two ways to use it: one key per call (load, read or write, save — what the Fini_*
// routines of the utility library do), or load once, change many keys, save once.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class IniFile
{
public:
    // Longest value handed out by readString, in Shift-JIS bytes.
    static constexpr int MaxValueBytes = 2047;

    // Reads the file. A missing or unreadable file reads as empty (every key takes its
    // default); a write then creates or replaces it.
    explicit IniFile(const QString &path);

    const QString &path() const { return m_path; }
    // True when the file existed and could be read.
    bool loaded() const { return m_loaded; }

    // --- reading (names are trimmed of blanks, then matched without regard to case)
    bool hasSection(const QString &section) const;
    bool hasKey(const QString &section, const QString &key) const;
    // The value of the key, or `def` when the section or the key is missing.
    QString readString(const QString &section, const QString &key, const QString &def = {}) const;
    // Decimal, "0x"/"0X" or "$" hexadecimal (see parseInteger); `def` when missing or not a number.
    int readInteger(const QString &section, const QString &key, int def) const;
    // Any integer other than 0 is true; `def` when missing or not a number.
    bool readBool(const QString &section, const QString &key, bool def) const;

    // Names of all sections, in file order, as spelt in the file (duplicates once).
    QStringList sectionNames() const;
    // Names of the keys of a section, in file order, as spelt in the file (duplicates once).
    QStringList keyNames(const QString &section) const;
    // The lines of a section as the profile routines hand them out: every entry and
    // every other non-blank line that is not a comment, trimmed, in file order.
    QStringList sectionLines(const QString &section) const;

    // --- changing (in memory until save)
    // Sets the key. Refused (false, nothing changed, a sentence in *error) when a name is
    // empty, when a name or the value would not read back the same (a line break, a NUL,
    // a key holding "=" or starting with "[" or ";", a value longer than MaxValueBytes), or
    // when Shift-JIS cannot hold it. A value with blanks at either end, or one enclosed in
    // quotes, is written inside a pair of quotes so that it reads back as given.
    bool writeString(const QString &section, const QString &key, const QString &value,
                     QString *error = nullptr);
    // Sets the key to text in its stored form, quotes and all, for a file format whose
    // values carry their own quoting (a comma-text list); reading takes one pair of
    // enclosing quotes off as usual. Refused as writeString is, and also when the text
    // has blanks at either end, which reading would trim.
    bool writeStored(const QString &section, const QString &key, const QString &stored,
                     QString *error = nullptr);
    bool writeInteger(const QString &section, const QString &key, int value, QString *error = nullptr);
    // Writes "1" or "0".
    bool writeBool(const QString &section, const QString &key, bool value, QString *error = nullptr);
    // Removes every line of the key in the section; false when there was none.
    bool eraseKey(const QString &section, const QString &key);
    // Removes the section's header and every line up to the next section; false when missing.
    bool eraseSection(const QString &section);

    // True when something changed since loading or the last save.
    bool isModified() const { return m_modified; }
    // Writes the file when something changed (atomically, keeping its permissions);
    // true when there was nothing to write. False with a sentence in *error on failure.
    bool save(QString *error = nullptr);

    // The whole file as it would be saved.
    QByteArray bytes() const;

    // The integer syntax of the INI files: optional blanks, an optional sign, then decimal
    // digits, or "0x"/"0X"/"$" and one to eight hexadecimal digits (taken as 32 bits, so
    // "$FFFFFFFF" is -1). Nothing may follow. A decimal number outside the int range is
    // not a number.
    static std::optional<int> parseInteger(const QString &text);

private:
    bool writeValue(const QString &section, const QString &key, const QString &value, bool asStored,
                    QString *error);
    enum class Kind { Blank, Comment, Section, Entry, Other };
    struct Line {
        QByteArray bytes; // as read, without the line break
        QByteArray eol;   // the line break as read; empty for a last line without one
        Kind kind = Kind::Blank;
        QString name;  // section name or key, trimmed
        QString value; // entry value, trimmed, quotes kept
    };

    static Line parseLine(const QByteArray &bytes, const QByteArray &eol);
    // Index of the header line of the first section of that name, or -1.
    int findSection(const QString &section) const;
    // One past the last line of the section that starts at `header`.
    int sectionEnd(int header) const;
    // Index of the first entry line of the key in the section at `header`, or -1.
    int findKey(int header, const QString &key) const;
    const Line *entry(const QString &section, const QString &key) const;
    // Appends a line with CR LF, ending an unterminated last line first.
    void insertLine(int at, const QByteArray &bytes);

    QString m_path;
    bool m_loaded = false;
    bool m_modified = false;
    std::vector<Line> m_lines;
};

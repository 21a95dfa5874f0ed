#pragma once
// Resources of Windows program files (PE32 and PE32+ ".exe"/".dll"): the resource tree
// walked in directory order, and the version resource's strings. Every offset is checked
// against the file, so a damaged or hostile file gives nothing rather than a crash.

#include <QByteArray>
#include <QList>
#include <QString>

namespace PeResources {

// Resource type numbers used by the program.
enum : quint16 { TypeIcon = 3, TypeGroupIcon = 14, TypeVersion = 16 };

struct Item {
    bool named = false; // the entry has a name instead of a number
    QString name;       // when named
    quint16 id = 0;     // when not named
    quint16 language = 0;
    QByteArray data;
};

class Image
{
public:
    // Reads the file's headers; the bytes must stay alive as long as the Image.
    explicit Image(const QByteArray &bytes);
    bool isValid() const { return m_resourceOffset >= 0; }

    // The resources of one type, in directory order (named entries first, then numbers
    // ascending), each with its first language.
    QList<Item> items(quint16 type) const;
    // The resource of the type with that number (its first language); empty when missing.
    QByteArray find(quint16 type, quint16 id) const;

    // Maps an address of the loaded image to a file offset; -1 when no section holds it.
    qint64 offsetOf(quint32 rva) const;

private:
    struct Section {
        quint32 rva, size, offset, rawSize;
    };
    QByteArray m_bytes;
    QList<Section> m_sections;
    qint64 m_resourceOffset = -1;
};

// The value "\StringFileInfo\<language><code page>\<key>" of a version resource, for the
// first entry of its translation table; "" when the table or the value is missing.
QString versionString(const QByteArray &versionResource, const QString &key);

// The "FileVersion" of the file at `path`; "" for anything without one.
QString fileVersionOf(const QString &path);

} // namespace PeResources

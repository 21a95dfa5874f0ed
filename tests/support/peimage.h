#pragma once
// Builds small Windows program files (PE32 or PE32+) holding given resources, so tests
// of the resource readers need no Windows tool chain. The resources go into one ".rsrc"
// section with the usual three-level directory (type, name, language).

#include <QByteArray>
#include <QList>
#include <QString>

struct PeResource {
    quint16 type = 0;
    quint16 id = 0;       // used when name is empty
    QString name;         // a named entry when not empty
    quint16 language = 0x0411;
    QByteArray data;
};

QByteArray buildPeImage(const QList<PeResource> &resources, bool pe32plus = false);

// A version resource (VS_VERSIONINFO): the translations in VarFileInfo, in this order,
// and string tables keyed by their eight hexadecimal digits ("041103A4") holding
// key/value pairs.
struct VersionStringTable {
    QString key;
    QList<QPair<QString, QString>> strings;
};
QByteArray buildVersionResource(const QList<QPair<quint16, quint16>> &translations,
                                const QList<VersionStringTable> &tables);

// An icon resource (RT_ICON): a 32-bit device-independent bitmap of one colour, with its
// mask, as a program file holds it.
QByteArray buildIconResource(int width, int height, quint32 argb);
// An icon group resource (RT_GROUP_ICON) naming icon resources by id: for each, its
// width, height and bit count, and the id.
struct GroupIconEntry {
    int width, height, bitCount;
    quint16 id;
    int bytes; // size of the icon resource
};
QByteArray buildGroupIconResource(const QList<GroupIconEntry> &entries);

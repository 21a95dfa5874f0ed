#pragma once
// The settings of the bulk text export and their file "BTxtOut.Ini" (section "OUTLINE").
// The dialog and the command line read the same file the same way.

#include <QString>
#include <QStringList>

#include <array>

struct BulkExportSettings {
    int outlin = 2;                             // OUTLIN: numbering preset 1..5
    std::array<int, 5> outline = {1, 2, 3, 4, 5}; // OUTLINE1..5: styles of levels 1..5 for preset 5
    int outEdit6 = 0;                           // OUTEDIT6: levels 6+: 0 no label, 1 as level 5
    bool kugiSw = false;                        // KUGISW: separator between label and text
    QString kugiri = QStringLiteral("．");      // KUGIRI
    bool indSw = false;                         // INDSW: indent headings and bodies
    QString indent = QStringLiteral("TAB");     // INDENT: one unit, "TAB" stands for a tab
    int indMax = 5;                             // INDMAX 1..20: at most INDMAX-1 heading units
    bool indAddSw = false;                      // INDADDSW: bodies one unit deeper
    bool page = false;                          // PAGE: form feeds in bodies
    int pageL = 0;                              // PAGEL 0..100: body lines per page
    bool mokuji = false;                        // MOKUJI: write the table of contents
    QStringList sepa;                           // SEPA1..: lines written after every body
};

namespace BTxtOutIni {

inline constexpr const char *FileName = "BTxtOut.Ini";
inline constexpr const char *Section = "OUTLINE";

// The file is read from `readPath`; writes go to `writePath` and carry every other line
// of the file read, so a copy written elsewhere never loses keys. An empty writePath
// writes nothing.
//
// Reads the settings. Missing keys take their defaults; OUTLIN, OUTLINE1..5, KUGIRI and
// INDENT that are missing, 0 or empty get their replacement values, which are written
// at once. Values outside their ranges are brought into them: OUTLIN and OUTLINE<n>
// outside 1..5 / 1..13 count as missing, OUTEDIT6 other than 1 is 0, INDMAX is cut to
// 1..20 and PAGEL to 0..100. A failed write is described in *error; the settings are
// read all the same.
BulkExportSettings load(const QString &readPath, const QString &writePath, QString *error = nullptr);

// Writes every setting in the dialog's closing order: OUTLIN, OUTLINE1..5 (0 each
// unless the preset is 5), OUTEDIT6, KUGISW, KUGIRI, INDSW, INDENT, INDMAX, INDADDSW,
// PAGE, PAGEL, MOKUJI, SEPA1.., SEPA0. False with a sentence naming the file in *error.
bool save(const QString &readPath, const QString &writePath, const BulkExportSettings &settings,
          QString *error = nullptr);

} // namespace BTxtOutIni

#pragma once
// The numbering of one export run: a format and a counter per level, filled from the
// settings at the start of the run. Every node of the tree is counted, in tree order,
// whether it is exported or not, so a branch keeps the numbers it has in the whole tree.

#include "export/bulkexportsettings.h"
#include "export/outlinestyles.h"

#include <vector>

class OutlineNumbering
{
public:
    explicit OutlineNumbering(const BulkExportSettings &settings);

    // Counts a node of level `level` (1 for top-level nodes): one more at its level, and
    // when the walk has moved up, the deeper levels start again.
    void CountLevel(int level);
    // The label of the node counted last at `level`. Writes the level's number into its
    // format, where a deeper level with the "-" head finds it.
    QString LevelLabel(int level);

    // Counts the node and returns its label.
    QString next(int level)
    {
        CountLevel(level);
        return LevelLabel(level);
    }

private:
    // Levels deeper than the table so far get their own format and counter on first use.
    void ensureLevel(int level);

    std::vector<LevelFormat> m_formats; // index = level; [0] stays empty
    std::vector<int> m_counters;
    LevelFormat m_deepFormat;           // what a level from 6 on starts from
    int m_lastLevel = 0;
};

// The heading text of a node: label, the separator when it applies, the node's text.
// The separator goes only after a label that is not empty, does not end with ")" and is
// neither "・" nor "･".
QString headingText(const QString &label, const QString &nodeText, const BulkExportSettings &settings);

// One indentation unit ("TAB" stands for a tab; empty when indenting is off), and how
// many units a heading and a body of `level` (from 1) get.
QString indentUnit(const BulkExportSettings &settings);
int headingUnits(int level, const BulkExportSettings &settings);
int bodyUnits(int level, const BulkExportSettings &settings);

#include "export/outlinenumbering.h"

#include <algorithm>

OutlineNumbering::OutlineNumbering(const BulkExportSettings &settings)
{
    const std::array<int, Outline::PresetLevels> styles =
        settings.outlin == Outline::UserPreset ? settings.outline : Outline::presetStyles(settings.outlin);
    m_formats.resize(Outline::PresetLevels + 1);
    for (int level = 1; level <= Outline::PresetLevels; ++level)
        m_formats[size_t(level)] = Outline::levelStyle(styles[size_t(level - 1)]);
    m_deepFormat = settings.outEdit6 == 1 ? m_formats[Outline::PresetLevels]
                                          : Outline::levelStyle(Outline::NoLabelStyle);
    m_counters.assign(m_formats.size(), 0);
}

void OutlineNumbering::ensureLevel(int level)
{
    if (size_t(level) < m_formats.size())
        return;
    m_formats.resize(size_t(level) + 1, m_deepFormat);
    m_counters.resize(size_t(level) + 1, 0);
}

void OutlineNumbering::CountLevel(int level)
{
    ensureLevel(level);
    ++m_counters[size_t(level)];
    if (level < m_lastLevel)
        std::fill(m_counters.begin() + level + 1, m_counters.end(), 0);
    m_lastLevel = level;
}

QString OutlineNumbering::LevelLabel(int level)
{
    ensureLevel(level);
    LevelFormat &f = m_formats[size_t(level)];
    const QString number = Outline::numberText(m_counters[size_t(level)], f.numberStyle);
    if (f.numberSlot == 1)
        f.head = number;
    else if (f.numberSlot == 2)
        f.mid = number;

    QString label;
    if (f.head == u"-" && level > 1) {
        const LevelFormat &parent = m_formats[size_t(level - 1)];
        label = parent.head + parent.mid + parent.tail;
    }
    label += f.head + f.mid + f.tail;
    // A "-" head on level 1, or behind an empty parent label, leaves dashes in front.
    for (int i = 0; i < 2 && label.startsWith(u'-'); ++i)
        label.remove(0, 1);
    return label;
}

QString headingText(const QString &label, const QString &nodeText, const BulkExportSettings &settings)
{
    const bool separator = settings.kugiSw && !label.isEmpty() && !label.endsWith(u')')
                           && label != u"・" && label != u"･";
    return separator ? label + settings.kugiri + nodeText : label + nodeText;
}

QString indentUnit(const BulkExportSettings &settings)
{
    if (!settings.indSw)
        return {};
    QString unit = settings.indent;
    unit.replace(QStringLiteral("TAB"), QStringLiteral("\t"));
    return unit;
}

int headingUnits(int level, const BulkExportSettings &settings)
{
    if (!settings.indSw)
        return 0;
    return std::max(0, std::min(level - 1, settings.indMax - 1));
}

int bodyUnits(int level, const BulkExportSettings &settings)
{
    if (!settings.indSw)
        return 0;
    return headingUnits(level, settings) + (settings.indAddSw ? 1 : 0);
}

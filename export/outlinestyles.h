#pragma once
// The numbering formats of the outline export: the 13 styles a level can take, the
// four built-in presets, and how a counter value is written in each number style.

#include <QString>
#include <QStringList>

#include <array>

// How one level of the outline is labelled. The number of the level replaces Head or
// Mid (numberSlot), written in numberStyle; a Head of "-" puts the parent level's
// label in front.
struct LevelFormat {
    QString head;
    QString mid;
    QString tail;
    int numberSlot = 0;  // 0 nowhere, 1 replaces head, 2 replaces mid
    int numberStyle = 0; // 0 none, 1 decimal, 2 circled, 3 Roman, 4 letter, 5 half-width katakana
};

namespace Outline {

constexpr int StyleCount = 13;
constexpr int NoLabelStyle = 13; // "<なし>"
constexpr int PresetCount = 5;
constexpr int UserPreset = 5;    // "ユーザー指定": levels 1 to 5 take OUTLINE1..OUTLINE5
constexpr int PresetLevels = 5;

// The style of number 1..13, in the order of the dialog's style list.
const LevelFormat &levelStyle(int number);
// The texts of the style list ("1", "-1", ... "<なし>") and of the preset list.
const QStringList &styleListTexts();
const QStringList &presetListTexts();
// Style numbers of levels 1 to 5 of built-in preset 1..4.
std::array<int, PresetLevels> presetStyles(int preset);

// The counter value n (1 or more) written in a number style; empty past the style's
// range (circled 1..20, Roman 1..10, letters 1..52, katakana 1..45).
QString numberText(int n, int style);

} // namespace Outline

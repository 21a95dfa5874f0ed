#pragma once
// Page "Tree": the tree's lines and buttons, its font and colours.

#include "settings/ui/settingspage.h"

class FontColorRow;

class TreeSettingsPage : public SettingsPage
{
    Q_OBJECT

public:
    explicit TreeSettingsPage(QWidget *parent = nullptr);
    void fill() override;

    QCheckBox *CheckBoxTR = nullptr; // ﾙｰﾄ[+]ボタン表示
    QCheckBox *CheckBoxTL = nullptr; // ﾗｲﾝ 表示
    QCheckBox *CheckBoxTB = nullptr; // [+]ボタン表示
    FontColorRow *font = nullptr;    // ComboBox2, SpinEdit2, ColorBox3, ColorBox4

signals:
    // A tree setting changed; the tree must show it.
    void treeChanged();
};

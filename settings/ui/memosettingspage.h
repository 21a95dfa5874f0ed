#pragma once
// Page "Memo": font and colours of the text memo editor, word wrap of the memos, its
// tab width, and whether it takes the Tab key as text (for this run only).

#include "settings/ui/settingspage.h"

class FontColorRow;
class QPlainTextEdit;
class SizeSpin;

class MemoSettingsPage : public SettingsPage
{
    Q_OBJECT

public:
    // memo is the text memo editor whose Tab key the page switches.
    explicit MemoSettingsPage(QPlainTextEdit *memo, QWidget *parent = nullptr);
    void fill() override;

    FontColorRow *font = nullptr;   // ComboBox1, SpinEdit1, ColorBox1, ColorBox2
    QCheckBox *CheckBox1 = nullptr; // 折り返し
    SizeSpin *SpinEdit3 = nullptr;  // TAB幅
    QCheckBox *CheckBox2 = nullptr; // TABの入力（一時的なものです)

signals:
    void memoChanged(); // font, colours or tab width
    void wrapChanged();

private:
    QPlainTextEdit *m_memo;
};

#pragma once
// Page "全体": the user's name, the length of the history menu, returning to the last
// edited node at start, and how other files are shown.

#include "settings/ui/settingspage.h"

class QLineEdit;
class SizeSpin;

class GeneralSettingsPage : public SettingsPage
{
    Q_OBJECT

public:
    explicit GeneralSettingsPage(QWidget *parent = nullptr);
    void fill() override;

    QLineEdit *EditALL = nullptr;   // 利用者名
    SizeSpin *SpinEdit6 = nullptr;  // Orvan履歴数
    QCheckBox *CheckBox3 = nullptr; // 最終編集ノードに復帰
    QCheckBox *CheckBox9 = nullptr; // OLE ｱｲｺﾝ表示 / OLE 内容表示

    // The caption of the OLE switch for a state.
    static QString oleCaption(bool iconic);

signals:
    // OleIconic was switched; the toolbar's OLE button must show it.
    void oleIconicChanged(bool iconic);
};

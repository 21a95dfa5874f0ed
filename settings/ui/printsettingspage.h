#pragma once
// Page "印刷": what a printed node carries besides its content.

#include "settings/ui/settingspage.h"

class PrintSettingsPage : public SettingsPage
{
    Q_OBJECT

public:
    explicit PrintSettingsPage(QWidget *parent = nullptr);
    void fill() override;

    QCheckBox *CheckBox4 = nullptr; // タイトル印刷
    QCheckBox *CheckBox5 = nullptr; // ﾊﾟｽ名＋ﾌｧｲﾙ名
    QCheckBox *CheckBox6 = nullptr; // 日付
    QCheckBox *CheckBox7 = nullptr; // ﾍﾟｰｼﾞ数
    QCheckBox *CheckBox8 = nullptr; // セパレータ

private:
    // Without a title line the four options mean nothing: they are cleared and disabled.
    void titleSwitched(bool on);
};

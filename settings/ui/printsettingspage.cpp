#include "settings/ui/printsettingspage.h"

#include "base/appsettings.h"

#include <QCheckBox>
#include <QVBoxLayout>

PrintSettingsPage::PrintSettingsPage(QWidget *parent)
    : SettingsPage(parent)
{
    auto *layout = new QVBoxLayout(this);
    CheckBox4 = addCheckBox(layout, "CheckBox4", QStringLiteral("タイトル印刷"));
    auto *options = new QHBoxLayout;
    options->setContentsMargins(20, 0, 0, 0);
    layout->addLayout(options);
    CheckBox5 = addCheckBox(options, "CheckBox5", QStringLiteral("ﾊﾟｽ名＋ﾌｧｲﾙ名"));
    CheckBox6 = addCheckBox(options, "CheckBox6", QStringLiteral("日付"));
    CheckBox7 = addCheckBox(options, "CheckBox7", QStringLiteral("ﾍﾟｰｼﾞ数"));
    CheckBox8 = addCheckBox(options, "CheckBox8", QStringLiteral("セパレータ"));
    options->addStretch(1);
    layout->addStretch(1);

    connect(CheckBox4, &QCheckBox::toggled, this, &PrintSettingsPage::titleSwitched);
    const auto bind = [this](QCheckBox *box, bool AppSettings::*field) {
        connect(box, &QCheckBox::toggled, this, [field](bool on) { Cfg.*field = on; });
    };
    bind(CheckBox5, &AppSettings::PrintFileName);
    bind(CheckBox6, &AppSettings::PrintDate);
    bind(CheckBox7, &AppSettings::PrintPageCount);
    bind(CheckBox8, &AppSettings::PrintSeparator);
}

void PrintSettingsPage::titleSwitched(bool on)
{
    Cfg.PrintTitle = on;
    for (QCheckBox *box : {CheckBox5, CheckBox6, CheckBox7, CheckBox8}) {
        if (!on)
            box->setChecked(false);
        box->setEnabled(on);
    }
    if (!on)
        Cfg.PrintFileName = Cfg.PrintDate = Cfg.PrintPageCount = Cfg.PrintSeparator = false;
}

void PrintSettingsPage::fill()
{
    CheckBox5->setChecked(Cfg.PrintFileName);
    CheckBox6->setChecked(Cfg.PrintDate);
    CheckBox7->setChecked(Cfg.PrintPageCount);
    CheckBox8->setChecked(Cfg.PrintSeparator);
    CheckBox4->setChecked(Cfg.PrintTitle);
    titleSwitched(Cfg.PrintTitle);
}

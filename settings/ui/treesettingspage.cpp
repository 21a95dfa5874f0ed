#include "settings/ui/treesettingspage.h"

#include "base/appsettings.h"
#include "settings/ui/settingscontrols.h"

#include <QCheckBox>
#include <QVBoxLayout>

TreeSettingsPage::TreeSettingsPage(QWidget *parent)
    : SettingsPage(parent)
{
    auto *layout = new QVBoxLayout(this);
    auto *switches = new QHBoxLayout;
    layout->addLayout(switches);
    CheckBoxTR = addCheckBox(switches, "CheckBoxTR", QStringLiteral("ﾙｰﾄ[+]ボタン表示"));
    CheckBoxTL = addCheckBox(switches, "CheckBoxTL", QStringLiteral("ﾗｲﾝ 表示"));
    CheckBoxTB = addCheckBox(switches, "CheckBoxTB", QStringLiteral("[+]ボタン表示"));
    switches->addStretch(1);
    font = new FontColorRow(Cfg.Tree, {"ComboBox2", "SpinEdit2", "ColorBox3", "ColorBox4"}, 24, true, this);
    layout->addWidget(font);
    layout->addStretch(1);

    const auto bind = [this](QCheckBox *box, bool AppSettings::*field) {
        connect(box, &QCheckBox::toggled, this, [this, field](bool on) {
            Cfg.*field = on;
            emit treeChanged();
        });
    };
    bind(CheckBoxTR, &AppSettings::TreeRootSW);
    bind(CheckBoxTL, &AppSettings::TreeLineSW);
    bind(CheckBoxTB, &AppSettings::TreeButtonSW);
    connect(font, &FontColorRow::changed, this, &TreeSettingsPage::treeChanged);
}

void TreeSettingsPage::fill()
{
    CheckBoxTR->setChecked(Cfg.TreeRootSW);
    CheckBoxTL->setChecked(Cfg.TreeLineSW);
    CheckBoxTB->setChecked(Cfg.TreeButtonSW);
    font->fill();
}

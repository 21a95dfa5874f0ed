#include "settings/ui/generalsettingspage.h"

#include "base/appsettings.h"
#include "base/uiport.h"
#include "settings/ui/settingscontrols.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

GeneralSettingsPage::GeneralSettingsPage(QWidget *parent)
    : SettingsPage(parent)
{
    auto *grid = new QGridLayout(this);
    EditALL = new QLineEdit(this);
    EditALL->setObjectName(QStringLiteral("EditALL"));
    EditALL->setMinimumWidth(160);
    SpinEdit6 = new SizeSpin(5, 32, this);
    SpinEdit6->setObjectName(QStringLiteral("SpinEdit6"));
    CheckBox3 = new QCheckBox(QStringLiteral("最終編集ノードに復帰"), this);
    CheckBox3->setObjectName(QStringLiteral("CheckBox3"));
    CheckBox9 = new QCheckBox(oleCaption(Cfg.OleIconic), this);
    CheckBox9->setObjectName(QStringLiteral("CheckBox9"));
    grid->addWidget(new QLabel(QStringLiteral("利用者名："), this), 0, 0, Qt::AlignRight);
    grid->addWidget(EditALL, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Orvan履歴数："), this), 1, 0, Qt::AlignRight);
    grid->addWidget(SpinEdit6, 1, 1, Qt::AlignLeft);
    grid->addWidget(CheckBox3, 0, 2);
    grid->addWidget(CheckBox9, 1, 2);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(2, 1);

    connect(EditALL, &QLineEdit::textChanged, this, [this](const QString &text) {
        emit status(QStringLiteral(" "));
        if (text.isEmpty()) {
            EditALL->setText(Cfg.UserName);
            emit status(QStringLiteral("利用者名は必ず入力して下さい"));
            ui().beep();
            return;
        }
        Cfg.UserName = text;
    });
    connect(SpinEdit6, &SizeSpin::sizeChanged, this, [](int count) { Cfg.HistoryCount = count; });
    connect(CheckBox3, &QCheckBox::toggled, this, [](bool on) { Cfg.RestoreNodeSW = on; });
    connect(CheckBox9, &QCheckBox::toggled, this, [this](bool on) {
        Cfg.OleIconic = on;
        CheckBox9->setText(oleCaption(on));
        emit oleIconicChanged(on);
    });
}

QString GeneralSettingsPage::oleCaption(bool iconic)
{
    return iconic ? QStringLiteral("OLE ｱｲｺﾝ表示") : QStringLiteral("OLE 内容表示");
}

void GeneralSettingsPage::fill()
{
    EditALL->setText(Cfg.UserName);
    SpinEdit6->setValue(Cfg.HistoryCount);
    CheckBox3->setChecked(Cfg.RestoreNodeSW);
    CheckBox9->setChecked(Cfg.OleIconic);
    CheckBox9->setText(oleCaption(Cfg.OleIconic));
}

#include "settings/ui/settingspage.h"

#include <QBoxLayout>
#include <QCheckBox>

SettingsPage::SettingsPage(QWidget *parent)
    : QWidget(parent)
{
}

QCheckBox *SettingsPage::addCheckBox(QBoxLayout *layout, const char *name, const QString &caption)
{
    auto *box = new QCheckBox(caption, this);
    box->setObjectName(QString::fromLatin1(name));
    layout->addWidget(box);
    return box;
}

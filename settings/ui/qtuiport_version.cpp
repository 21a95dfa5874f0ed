// The version dialog as the application's UI port shows it.

#include "app/ui/qtuiport.h"
#include "settings/ui/verf.h"

bool QtUiPort::runVersionDialog(const QString &line)
{
    TVerF dialog(line, m_parent);
    return dialog.exec() == QDialog::Accepted;
}

// The colour dialog of the running application, for the settings pages' colour lists.

#include "app/ui/qtuiport.h"

#include <QColorDialog>

QColor QtUiPort::chooseColor(const QColor &initial)
{
    return QColorDialog::getColor(initial, m_parent);
}

// The application's port shows the template dialog.

#include "app/ui/qtuiport.h"

#include "settings/ui/templatedialog.h"

QString QtUiPort::runTemplateDialog(const TemplateDialogRequest &request)
{
    TTmpF dialog(m_parent);
    return dialog.run(request);
}

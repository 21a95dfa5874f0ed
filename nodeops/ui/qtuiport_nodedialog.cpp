// The application's port shows the one node dialog of the run.

#include "app/ui/qtuiport.h"

#include "nodeops/ui/nodedialog.h"

NodeDialogResult QtUiPort::runNodeDialog(const NodeDialogRequest &request)
{
    if (!m_nodeDialog)
        m_nodeDialog = new TFormD(m_parent);
    return m_nodeDialog->run(request);
}
